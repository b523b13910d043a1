// Rich text as paragraphs: building a value from them and reading them back.
#ifndef QUENDRAL_PLATFORM_NOTES_RICHTEXT_PARAGRAPHS_H_
#define QUENDRAL_PLATFORM_NOTES_RICHTEXT_PARAGRAPHS_H_

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace quendral::platform::richtext {

// A piece of a paragraph: text, or a reference to an entry of the note's
// $Links table.
struct Run {
  enum class Kind { kText, kLink };
  Kind kind = Kind::kText;
  std::string text;              // kText
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
// paragraph gets its own paragraph definition, followed by its hide-when
// record (when it has one), its paragraph start and its runs. Throws
// std::length_error for a hide-when area longer than 65523 bytes, which its
// 16-bit record length cannot hold.
std::vector<std::uint8_t> BuildRichText(const std::vector<Paragraph>& paragraphs);

// Reads the paragraphs of a rich-text value of `length` bytes (data-type
// word first), replacing *paragraphs; the exact inverse of BuildRichText. A
// hide-when record belongs to the latest paragraph definition of the ID it
// names, and so to every paragraph started with that definition. Records of
// other kinds are skipped. False, with *paragraphs untouched, when the value
// is not rich text or a record is malformed or refers to no definition.
bool ReadParagraphs(const std::uint8_t* value, std::size_t length,
                    std::vector<Paragraph>* paragraphs);

// The hide-when area of each paragraph, in order, as views into `records`
// (empty for a paragraph without a hide-when record), replacing *areas:
// what ReadParagraphs gives without the runs, for readers that look at
// nothing else. `records` are the value's records, behind its data-type
// word, as an item holds them. False exactly when ReadParagraphs is, with
// *areas then untouched.
bool ReadHideWhenAreas(const std::uint8_t* records, std::size_t length,
                       std::vector<std::span<const std::uint8_t>>* areas);

// The plain text of all paragraphs, each ended by "\n".
std::string PlainText(const std::vector<Paragraph>& paragraphs);

}  // namespace quendral::platform::richtext

#endif  // QUENDRAL_PLATFORM_NOTES_RICHTEXT_PARAGRAPHS_H_
