// Rich text as paragraphs: building a value from them and reading them back.
#ifndef QUENDRAL_PLATFORM_NOTES_RICHTEXT_PARAGRAPHS_H_
#define QUENDRAL_PLATFORM_NOTES_RICHTEXT_PARAGRAPHS_H_

#include <cstdint>
#include <string>
#include <vector>

namespace notes::richtext {

// A piece of a paragraph: text, or a reference to an entry of the note's
// $Links table.
struct Run {
  enum class Kind { kText, kLink };
  Kind kind = Kind::kText;
  std::string text;             // kText
  std::uint16_t link_index = 0;  // kLink
  bool operator==(const Run&) const = default;
};

struct Paragraph {
  std::vector<Run> runs;
  // The hide-when record's formula area: a compiled formula, possibly with
  // bytes behind it. Absent when the paragraph has no hide-when record.
  bool has_hide_when = false;
  std::vector<std::uint8_t> hide_when_area;
  bool operator==(const Paragraph&) const = default;

  // The paragraph's text runs joined; link references read as nothing.
  std::string Text() const;
};

// The value bytes of a rich-text item, data-type word 0x0001 first. Each
// paragraph gets its own paragraph definition.
std::vector<std::uint8_t> BuildRichText(const std::vector<Paragraph>& paragraphs);

// Reads the paragraphs of a rich-text value (data-type word first). False
// when the value is not rich text or a record is malformed.
bool ReadParagraphs(const std::uint8_t* value, std::size_t length,
                    std::vector<Paragraph>* paragraphs);

// The plain text of all paragraphs, each ended by "\n".
std::string PlainText(const std::vector<Paragraph>& paragraphs);

}  // namespace notes::richtext

#endif  // QUENDRAL_PLATFORM_NOTES_RICHTEXT_PARAGRAPHS_H_
