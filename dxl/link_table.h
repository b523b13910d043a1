// Replica IDs as exports write them, and the link tables of notes ($Links of
// documents, $FormLinks of forms) when an export carries them as item data:
// the Base64 of the table's value, read and written by the repair's
// link-table codec (repair/link_table.h).
#ifndef QUENDRAL_DXL_LINK_TABLE_H_
#define QUENDRAL_DXL_LINK_TABLE_H_

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "dxl/base64_text.h"

namespace quendral::dxl {

// Whether an item of this name and type (the type attribute) is a link table.
bool IsLinkTableItem(std::string_view name, std::string_view type);

// 16 upper-case hexadecimal digits for a replica-ID text of 1 to 16 digits
// (left-padded with zeros) or of the form "XXXXXXXX:XXXXXXXX"; nothing for
// anything else.
std::optional<std::string> NormaliseReplicaId(std::string_view text);

// "XXXXXXXX:XXXXXXXX" for 16 digits; any other text as it is.
std::string ReplicaIdWithColon(std::string_view digits);

struct LinkTableEntry {
  std::string replica_id;  // 16 digits, word 1 first
  std::string view_unid;   // 32 digits, each half word 1 first
  std::string note_unid;
};

// A link table decoded from its Base64 text. The text keeps its layout
// (line breaks, indentation) when the table is encoded again.
class LinkTable {
 public:
  // False when `text` is not Base64 of a table read whole
  // (LinkTableReading::kWholeTable), or of no bytes at all: an export
  // always writes the count.
  bool Decode(std::string_view text);

  const std::vector<LinkTableEntry>& entries() const { return entries_; }
  // Points entry `index` at the replica `replica_id` (16 digits); any
  // other text leaves the entry as it is.
  void SetReplicaId(std::size_t index, std::string_view replica_id);
  // The changes of the decoded text that write the table back.
  std::vector<Base64Edit> Edits() const { return text_.Edits(); }

 private:
  Base64Text text_;
  std::vector<LinkTableEntry> entries_;
};

}  // namespace quendral::dxl

#endif  // QUENDRAL_DXL_LINK_TABLE_H_
