#include "repair/link_retarget.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <span>
#include <vector>

#include "notes/item_walk.h"
#include "notes/replica_id.h"
#include "repair/link_table.h"
#include "util/text/split.h"

namespace quendral {
namespace {

constexpr std::uint16_t kBackupItemFlags = 8;
constexpr std::uint32_t kAddNewItem = 0x10000;

// The $Links value as it lies in memory. Only the entries that the value
// really holds are visited, whatever the count claims: the exported relink
// reads a table as LinkTableReading::kEntriesThatFit.
class LinkTable {
 public:
  LinkTable() = default;
  explicit LinkTable(const LockedValue& value) {
    if (value.data() == nullptr) {
      return;
    }
    value_ = reinterpret_cast<std::uint8_t*>(value.data());
    const std::span<const std::uint8_t> bytes(value_, value.size());
    count_ = LinkTableEntryCount(bytes, LinkTableReading::kEntriesThatFit).value_or(0);
  }

  std::size_t count() const { return count_; }
  TIMEDATE ReplicaId(std::size_t index) const { return LinkEntryReplicaId(value_, index); }
  void SetReplicaId(std::size_t index, const TIMEDATE& id) {
    SetLinkEntryReplicaId(value_, index, id);
  }

 private:
  std::uint8_t* value_ = nullptr;
  std::size_t count_ = 0;
};

// Copies the table as it is now into a new item named for the local time.
void MakeBackup(LNDocument& document, const std::vector<char>& table) {
  const util::DateTimeValue now(util::kMonthDayYear);
  document.CreateItem(LinkTableBackupName(now).c_str(), platform::kTypeNoteLinkList, table.data(),
                      static_cast<std::uint32_t>(table.size()), kBackupItemFlags, kAddNewItem);
}

// Rewrites the matching entries of one $Links item. The value is locked
// while its entries are read and rewritten, released while the backup item
// is created, and then addressed afresh: adding an item may move the note's
// values, and the rewrites must land in the current one.
class LinkItemRetargeter {
 public:
  LinkItemRetargeter(LNDocument& document, platform::NOTEHANDLE note, platform::BLOCKID item)
      : document_(document), note_(note), item_(item) {
    Address();
  }

  // True when an entry was rewritten.
  bool Retarget(const OldReplicaIds& old_ids, const TIMEDATE& target) {
    bool changed = false;
    for (std::size_t index = 0; index < table_.count(); ++index) {
      if (!old_ids.Contains(table_.ReplicaId(index))) {
        continue;
      }
      if (!backup_made_ && !BackUp(index)) {
        return changed;
      }
      table_.SetReplicaId(index, target);
      changed = true;
    }
    return changed;
  }

 private:
  void Address() {
    value_.reset();
    table_ = LinkTable();
    ItemView view;
    if (!QueryItemView(note_, item_, &view)) {
      return;
    }
    value_.emplace(view.value, view.value_length);
    table_ = LinkTable(*value_);
  }

  // Backs this item's table up before its first change; false when the
  // entry at `index` is no longer there afterwards. The copy is taken from
  // the item being walked, not looked up by name: a note may hold several
  // tables, and another one may have been rewritten already.
  bool BackUp(std::size_t index) {
    const std::vector<char> table(value_->data(), value_->data() + value_->size());
    value_.reset();
    backup_made_ = true;
    MakeBackup(document_, table);
    Address();
    return index < table_.count();
  }

  LNDocument& document_;
  platform::NOTEHANDLE note_;
  platform::BLOCKID item_;
  std::optional<LockedValue> value_;
  LinkTable table_;
  bool backup_made_ = false;
};

// Appends `value` as "%0*d" writes it with `width`; a relink names a backup
// for every document it changes, too often for a formatted print.
void AppendPadded(std::string* text, int value, int width) {
  char digits[16];
  char* end =
      std::to_chars(digits, digits + sizeof digits, std::abs(static_cast<long long>(value))).ptr;
  if (value < 0) {
    text->push_back('-');
    --width;
  }
  text->append(static_cast<std::size_t>(std::max<long>(0, width - (end - digits))), '0');
  text->append(digits, end);
}

}  // namespace

OldReplicaIds::OldReplicaIds(const std::vector<std::string>& texts) {
  for (const std::string& text : texts) {
    // Only the "%08X:%08X" text of an ID matches it, byte for byte.
    const std::optional<TIMEDATE> id = ParseReplicaIdTextStrictly(text);
    if (id && FormatReplicaIdText(*id, true) == text) {
      ids_.push_back(*id);
    }
  }
}

OldReplicaIds OldReplicaIds::FromListText(const std::string& list) {
  std::vector<std::string> texts;
  util::SplitDelimited(list + ";", ";", &texts, false, true);
  return OldReplicaIds(texts);
}

bool OldReplicaIds::Contains(const TIMEDATE& replica_id) const {
  return std::any_of(ids_.begin(), ids_.end(), [&replica_id](const TIMEDATE& id) {
    return id.Innards[0] == replica_id.Innards[0] && id.Innards[1] == replica_id.Innards[1];
  });
}

std::string LinkTableBackupName(const util::DateTimeValue& now) {
  std::string name(kLinkTableBackupPrefix);
  AppendPadded(&name, now.GetYear(), 4);
  for (int field :
       {now.GetMonth(), now.GetDay(), now.GetHour(), now.GetMinute(), now.GetSecond()}) {
    AppendPadded(&name, field, 2);
  }
  return name;
}

WalkResult RetargetLinks(LNDocument& document, const OldReplicaIds& old_ids,
                         const TIMEDATE& target_replica_id) {
  bool changed = false;
  try {
    const platform::NOTEHANDLE note = document.GetNoteHandle(1);
    ForEachItem(note, [&](const ItemView& item) {
      if (item.type != platform::kTypeNoteLinkList || item.name() != kLinkTableItemName) {
        return;
      }
      LinkItemRetargeter links(document, note, item.item);
      if (links.Retarget(old_ids, target_replica_id)) {
        changed = true;
      }
    });
  } catch (LNSTATUS status) {
    return {changed, status};
  }
  return {changed, 0};
}

}  // namespace quendral
