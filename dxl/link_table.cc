#include "dxl/link_table.h"

#include <span>
#include <string_view>

#include "notes/replica_id.h"
#include "notes/universal_id_text.h"
#include "repair/link_table.h"

namespace quendral::dxl {
namespace {

// The names a link table has: in documents, and in forms.
constexpr std::string_view kLinkTableNames[] = {kLinkTableItemName, "$FormLinks"};
constexpr std::string_view kLinkTableType = "7";  // the note-link list type

std::span<std::uint8_t> BytesOf(std::string& bytes) {
  return {reinterpret_cast<std::uint8_t*>(bytes.data()), bytes.size()};
}

}  // namespace

bool IsLinkTableItem(std::string_view name, std::string_view type) {
  if (type != kLinkTableType) {
    return false;
  }
  for (const std::string_view table : kLinkTableNames) {
    if (name == table) {
      return true;
    }
  }
  return false;
}

std::optional<std::string> NormaliseReplicaId(std::string_view text) {
  const std::optional<TIMEDATE> id = ParseReplicaIdTextStrictlyOrPadded(text);
  return id ? std::optional<std::string>(FormatReplicaIdText(*id, false)) : std::nullopt;
}

std::string ReplicaIdWithColon(std::string_view digits) {
  const std::optional<TIMEDATE> id = ParseReplicaIdTextStrictly(digits);
  return id && digits.size() == 16 ? FormatReplicaIdText(*id, true) : std::string(digits);
}

bool LinkTable::Decode(std::string_view text) {
  entries_.clear();
  // An export always writes the count: no bytes are no table.
  if (!text_.Decode(text) || text_.bytes().empty()) {
    return false;
  }
  std::vector<NoteLink> links;
  if (!DecodeLinkTable(BytesOf(text_.bytes()), LinkTableReading::kWholeTable, &links)) {
    return false;
  }
  for (const NoteLink& link : links) {
    entries_.push_back({FormatReplicaIdText(link.replica_id, false),
                        FormatUniversalIdText(&link.view), FormatUniversalIdText(&link.note)});
  }
  return true;
}

void LinkTable::SetReplicaId(std::size_t index, std::string_view replica_id) {
  // A text that is no replica ID leaves the entry as it is.
  const std::optional<TIMEDATE> id = ParseReplicaIdTextStrictly(replica_id);
  if (!id) {
    return;
  }
  SetLinkEntryReplicaId(BytesOf(text_.bytes()).data(), index, *id);
  entries_[index].replica_id = FormatReplicaIdText(*id, false);
}

}  // namespace quendral::dxl
