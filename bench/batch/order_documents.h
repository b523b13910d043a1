// The generated documents of the batch benchmarks: orders whose bodies hide
// two paragraphs and whose link tables point twice at an old replica, so
// that every one has something to repair and to report.
#ifndef QUENDRAL_BENCH_BATCH_ORDER_DOCUMENTS_H_
#define QUENDRAL_BENCH_BATCH_ORDER_DOCUMENTS_H_

#include <cstdlib>
#include <string>
#include <vector>

#include "platform/notes/api/database_file.h"
#include "platform/notes/api/item_values.h"
#include "platform/notes/formula/formula.h"
#include "repair/link_table.h"

namespace quendral::bench {

namespace store = platform::store;
namespace values = platform::values;

inline const TIMEDATE kHome{{0x11111111, 0xAAAAAAAA}};
inline const TIMEDATE kOld{{0x0058F1B2, 0x85256E3A}};

inline std::vector<std::uint8_t> Compiled(const char* text) {
  std::vector<std::uint8_t> bytes;
  platform::formula::CompileError error;
  if (!platform::formula::Compile(text, &bytes, &error)) {
    std::abort();
  }
  return bytes;
}

inline platform::richtext::Paragraph Paragraph(const std::string& text, const char* hide_when) {
  platform::richtext::Paragraph paragraph;
  paragraph.runs.push_back({platform::richtext::Run::Kind::kText, text, 0});
  if (hide_when != nullptr) {
    paragraph.has_hide_when = true;
    paragraph.hide_when_area = Compiled(hide_when);
  }
  return paragraph;
}

// A subject, a body of four paragraphs of which two are hidden, and a link
// table of three entries, two of them to the old replica.
inline store::NoteImage Document(std::uint32_t index) {
  store::NoteImage note;
  note.unid = UNIVERSALNOTEID{{{0xBE4C0000u, index}}, {{index, 1}}};
  std::vector<NoteLink> links = {
      {kOld, {{{1, 1}}, {{1, 1}}}, {{{2, index}}, {{2, 2}}}},
      {kHome, {{{1, 1}}, {{1, 1}}}, note.unid},
      {kOld, {{{1, 1}}, {{1, 1}}}, {{{3, index}}, {{3, 3}}}},
  };
  store::ItemImage links_item{"$Links", platform::kTypeNoteLinkList, 0, {}};
  EncodeLinkTable(links, &links_item.value);
  store::ItemImage subject{"Subject", platform::kTypeTextList, 4, {}};
  values::EncodeTextList({"Order " + std::to_string(index)}, &subject.value);
  note.items = {
      subject,
      {"Body", platform::kTypeCompositeText, 0,
       values::EncodeRichText(
           {Paragraph("Order placed by the sales office", nullptr),
            Paragraph("Discount for managers", "!@IsMember(\"[Managers]\"; @UserRoles)"),
            Paragraph("Delivery address", "Subject = \"Closed\""), Paragraph("Signed", nullptr)})},
      links_item,
  };
  return note;
}

}  // namespace quendral::bench

#endif  // QUENDRAL_BENCH_BATCH_ORDER_DOCUMENTS_H_
