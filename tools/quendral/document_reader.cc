#include "tools/quendral/document_reader.h"

#include "platform/notes/api/item_values.h"
#include "platform/notes/formula/formula.h"
#include "tools/quendral/command_error.h"

namespace quendral::cli {

std::vector<std::string> ResultTexts(const LNItem& result) {
  platform::formula::Value value;
  CheckStatus(platform::values::DecodeFormulaValue(result.GetType(), result.GetValuePtr(),
                                                   result.GetValueLength(), &value),
              "cannot read the formula's result");
  return platform::formula::ValueAsTexts(value);
}

std::vector<platform::richtext::Paragraph> RichTextParagraphs(const LNDocument& document,
                                                              const std::string& only) {
  std::vector<LNItem> items;
  CheckStatus(document.GetItems(&items), "cannot read the document's items");
  std::vector<platform::richtext::Paragraph> paragraphs;
  bool found = false;
  for (const LNItem& item : items) {
    if (item.GetType() != platform::kTypeCompositeText) {
      continue;
    }
    if (!only.empty() && item.GetName().GetString() != only) {
      continue;
    }
    found = true;
    std::vector<platform::richtext::Paragraph> item_paragraphs;
    CheckStatus(platform::values::DecodeRichText(item.GetValuePtr(), item.GetValueLength(),
                                                 &item_paragraphs),
                "rich text item " + item.GetName().GetString() + " is damaged");
    paragraphs.insert(paragraphs.end(), item_paragraphs.begin(), item_paragraphs.end());
  }
  if (!only.empty() && !found) {
    throw CommandError("no rich text item " + only);
  }
  return paragraphs;
}

}  // namespace quendral::cli
