#include "repair/link_table.h"

#include <algorithm>

#include "platform/base/coding.h"

namespace quendral {
namespace {

constexpr std::size_t kCountSize = 2;
constexpr std::size_t kMaxEntries = 0xFFFF;
// Within an entry: the replica ID, then the view's and the note's UNIDs.
constexpr std::size_t kViewOffset = 8;
constexpr std::size_t kNoteOffset = 24;

constexpr std::size_t EntryOffset(std::size_t index) { return kCountSize + index * kLinkEntrySize; }

TIMEDATE LoadTimedate(const std::uint8_t* bytes) {
  return TIMEDATE{{base::LoadLittle32(bytes), base::LoadLittle32(bytes + 4)}};
}

void AppendTimedate(const TIMEDATE& timedate, std::vector<std::uint8_t>* value) {
  base::AppendLittle32(value, timedate.Innards[0]);
  base::AppendLittle32(value, timedate.Innards[1]);
}

UNIVERSALNOTEID LoadUniversalId(const std::uint8_t* bytes) {
  return UNIVERSALNOTEID{LoadTimedate(bytes), LoadTimedate(bytes + 8)};
}

}  // namespace

std::optional<std::size_t> LinkTableEntryCount(std::span<const std::uint8_t> value,
                                               LinkTableReading reading) {
  if (value.size() < kCountSize) {
    const bool empty_list = value.empty() || reading == LinkTableReading::kEntriesThatFit;
    return empty_list ? std::optional<std::size_t>(0) : std::nullopt;
  }
  const std::size_t count = base::LoadLittle16(value.data());
  const std::size_t fit = (value.size() - kCountSize) / kLinkEntrySize;
  if (reading == LinkTableReading::kEntriesThatFit) {
    return std::min(count, fit);
  }
  if (value.size() != kCountSize + count * kLinkEntrySize) {
    return std::nullopt;
  }
  return count;
}

bool DecodeLinkTable(std::span<const std::uint8_t> value, LinkTableReading reading,
                     std::vector<NoteLink>* links) {
  links->clear();
  const std::optional<std::size_t> count = LinkTableEntryCount(value, reading);
  if (!count) {
    return false;
  }
  links->reserve(*count);
  for (std::size_t index = 0; index < *count; ++index) {
    const std::uint8_t* entry = value.data() + EntryOffset(index);
    links->push_back({LoadTimedate(entry), LoadUniversalId(entry + kViewOffset),
                      LoadUniversalId(entry + kNoteOffset)});
  }
  return true;
}

bool EncodeLinkTable(const std::vector<NoteLink>& links, std::vector<std::uint8_t>* value) {
  if (links.size() > kMaxEntries) {
    return false;
  }
  value->clear();
  value->reserve(kCountSize + links.size() * kLinkEntrySize);
  base::AppendLittle16(value, static_cast<std::uint16_t>(links.size()));
  for (const NoteLink& link : links) {
    AppendTimedate(link.replica_id, value);
    for (const UNIVERSALNOTEID* id : {&link.view, &link.note}) {
      AppendTimedate(id->File, value);
      AppendTimedate(id->Note, value);
    }
  }
  return true;
}

TIMEDATE LinkEntryReplicaId(const std::uint8_t* value, std::size_t index) {
  return LoadTimedate(value + EntryOffset(index));
}

void SetLinkEntryReplicaId(std::uint8_t* value, std::size_t index, const TIMEDATE& replica_id) {
  std::uint8_t* entry = value + EntryOffset(index);
  base::StoreLittle32(entry, replica_id.Innards[0]);
  base::StoreLittle32(entry + 4, replica_id.Innards[1]);
}

}  // namespace quendral
