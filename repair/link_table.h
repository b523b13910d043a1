// A document's link table, the $Links item, over its value's bytes (what
// follows the data-type word). All integers are little-endian:
//   u16 entry count, then count x 40-byte entries: replica ID word 0,
//   word 1, the link's view UNID, its note UNID (each two TIMEDATEs).
// The database repairs, the whole-database run, the audit, the tool and the
// repair of exports (once their Base64 is decoded) all read and write the
// table here.
#ifndef QUENDRAL_REPAIR_LINK_TABLE_H_
#define QUENDRAL_REPAIR_LINK_TABLE_H_

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include "platform/notes/vocabulary/types.h"

namespace quendral {

// The item that holds a document's link table (data-type word 7), and the
// start of the names of its backups ("$Links_Backup_YYYYMMDDhhmmss").
inline constexpr char kLinkTableItemName[] = "$Links";
inline constexpr std::string_view kLinkTableBackupPrefix = "$Links_Backup_";

inline constexpr std::size_t kLinkEntrySize = 40;

struct NoteLink {
  TIMEDATE replica_id{};
  UNIVERSALNOTEID view{};
  UNIVERSALNOTEID note{};
};

// How a table is held against its count. The two differ on purpose:
// - kWholeTable: the bytes end where the counted entries end, else the table
//   is damaged. No bytes at all are a table without entries, as the
//   platform holds an empty list.
// - kEntriesThatFit: as many of the counted entries as the bytes hold; what
//   the exported relink reads, so that no table is read past its end.
enum class LinkTableReading : std::uint8_t {
  kWholeTable,
  kEntriesThatFit,
};

// The number of entries of the table in `value`; nothing when it is damaged
// as `reading` sees it.
std::optional<std::size_t> LinkTableEntryCount(std::span<const std::uint8_t> value,
                                               LinkTableReading reading);

// The table's entries; false, with `links` holding none, when it is
// damaged as `reading` sees it.
bool DecodeLinkTable(std::span<const std::uint8_t> value, LinkTableReading reading,
                     std::vector<NoteLink>* links);

// False when there are more links than a 16-bit count can hold.
bool EncodeLinkTable(const std::vector<NoteLink>& links, std::vector<std::uint8_t>* value);

// The replica ID of entry `index` of the table at `value`, and its
// rewrite; the entry must be one of the counted entries that fit.
TIMEDATE LinkEntryReplicaId(const std::uint8_t* value, std::size_t index);
void SetLinkEntryReplicaId(std::uint8_t* value, std::size_t index, const TIMEDATE& replica_id);

}  // namespace quendral

#endif  // QUENDRAL_REPAIR_LINK_TABLE_H_
