// Reading a document as its readers see it: rich-text paragraphs with their
// hide-when formulas evaluated, link tables, formula results as text.
#ifndef QUENDRAL_TOOLS_QUENDRAL_DOCUMENT_READER_H_
#define QUENDRAL_TOOLS_QUENDRAL_DOCUMENT_READER_H_

#include <string>
#include <vector>

#include "batch/formula_truth.h"
#include "platform/notes/api/ln.h"
#include "platform/notes/richtext/paragraphs.h"

namespace quendral::cli {

// The values of a formula's result item, one text each: numbers in their
// shortest exact form, date-times as YYYY-MM-DDTHH:MM:SS.
std::vector<std::string> ResultTexts(const LNItem& result);

using batch::HidesParagraph;

// The paragraphs of every rich-text item of the document, or of the item
// named `only` when it is not empty.
std::vector<platform::richtext::Paragraph> RichTextParagraphs(const LNDocument& document,
                                                              const std::string& only);

}  // namespace quendral::cli

#endif  // QUENDRAL_TOOLS_QUENDRAL_DOCUMENT_READER_H_
