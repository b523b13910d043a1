#include "batch/document_repair.h"

#include <algorithm>
#include <cstdint>

#include "notes/item_walk.h"
#include "notes/status_text.h"
#include "platform/notes/api/item_values.h"
#include "platform/notes/core/core_api.h"
#include "platform/notes/formula/formula.h"
#include "repair/hide_when.h"
#include "repair/link_retarget.h"
#include "repair/link_table.h"
#include "util/dates/datetime.h"
#include "util/text/split.h"

namespace quendral::batch {
namespace {

constexpr std::size_t kBackupTimeDigits = 14;

RepairOutcome OutcomeOfWalk(const WalkResult& walk) {
  if (walk.error == 0) {
    return {};
  }
  return RepairOutcome::Failed(StatusText(walk.error));
}

bool IsLinkTable(const LNItem& item) {
  return item.GetType() == platform::kTypeNoteLinkList &&
         item.GetName().GetString() == kLinkTableItemName;
}

bool IsBackupName(const std::string& name) { return name.starts_with(kLinkTableBackupPrefix); }

// The time in a backup's name, comparable as text; "" for a name of another
// form, which the choice of the newest passes over.
std::string BackupTime(const std::string& name) {
  const std::string time = name.substr(kLinkTableBackupPrefix.size());
  const bool digits =
      time.size() == kBackupTimeDigits &&
      std::all_of(time.begin(), time.end(), [](char c) { return c >= '0' && c <= '9'; });
  return digits ? time : "";
}

std::vector<LNItem> Items(const LNDocument& document) {
  std::vector<LNItem> items;
  document.GetItems(&items);
  return items;
}

// The backup to restore: the one named, else the newest; nullptr when none.
const LNItem* ChooseBackup(const std::vector<LNItem>& items, const std::string& named) {
  const LNItem* chosen = nullptr;
  std::string chosen_time;
  for (const LNItem& item : items) {
    const std::string name = item.GetName().GetString();
    if (!named.empty()) {
      if (name == named) {
        chosen = &item;
      }
      continue;
    }
    const std::string time = IsBackupName(name) ? BackupTime(name) : "";
    if (!time.empty() && time >= chosen_time) {
      chosen = &item;
      chosen_time = time;
    }
  }
  return chosen;
}

}  // namespace

RepairOutcome HideWhenRepair::Repair(LNDocument& document) {
  return OutcomeOfWalk(NeutraliseHideWhen(document, &memo_));
}

RelinkRepair::RelinkRepair(const std::string& old_replica_ids, const TIMEDATE& target_replica_id)
    : old_ids_(OldReplicaIds::FromListText(old_replica_ids)),
      target_replica_id_(target_replica_id) {}

RepairOutcome RelinkRepair::Repair(LNDocument& document) {
  if (std::string damaged = DamagedLinkTable(document); !damaged.empty()) {
    return RepairOutcome::Failed(damaged);
  }
  return OutcomeOfWalk(RetargetLinks(document, old_ids_, target_replica_id_));
}

RepairOutcome LinkRestore::Repair(LNDocument& document) {
  const std::vector<LNItem> items = Items(document);
  const LNItem* backup = ChooseBackup(items, backup_name_);
  if (backup == nullptr) {
    return {RepairOutcome::Kind::kNoBackup, ""};
  }
  const std::string backup_name = backup->GetName().GetString();
  const std::vector<std::uint8_t> value = backup->GetValue();
  if (backup->GetType() != platform::kTypeNoteLinkList ||
      !LinkTableEntryCount(value, LinkTableReading::kWholeTable)) {
    return RepairOutcome::Failed("backup " + backup_name + " is not a link table");
  }
  const auto current = std::find_if(items.begin(), items.end(), IsLinkTable);
  std::uint16_t flags = backup->GetFlags();
  if (current != items.end()) {
    if (current->GetValue() == value) {
      return {};
    }
    flags = current->GetFlags();
    // Nothing is lost: the table being replaced becomes a backup itself.
    const util::DateTimeValue now(util::kMonthDayYear);
    if (LNSTATUS status =
            document.CreateItem(LinkTableBackupName(now).c_str(), *current,
                                platform::kItemFlagSigned, platform::kItemOptionAppend);
        status != 0) {
      return RepairOutcome::Failed("cannot keep the current link table: " + StatusText(status));
    }
  }
  if (LNSTATUS status = document.CreateItem(kLinkTableItemName, platform::kTypeNoteLinkList,
                                            value.data(), static_cast<std::uint32_t>(value.size()),
                                            flags, platform::kItemOptionReplace);
      status != 0) {
    return RepairOutcome::Failed("cannot restore " + backup_name + ": " + StatusText(status));
  }
  return {};
}

namespace {

// An item's name, type and value, whether attached to an open note or read
// as an image.
struct ItemView {
  std::string name;
  std::uint16_t type = 0;
  const std::uint8_t* value = nullptr;
  std::size_t length = 0;
};

std::string DamagedLinkTableText() {
  return std::string("link table ") + kLinkTableItemName + " is damaged";
}

// The whole-database run reads a table whole: one shorter or longer than its
// count is damaged, and the document is left alone.
bool IsDamagedLinkTable(std::string_view name, std::uint16_t type, const std::uint8_t* value,
                        std::size_t length) {
  return type == platform::kTypeNoteLinkList && name == kLinkTableItemName &&
         !LinkTableEntryCount({value, length}, LinkTableReading::kWholeTable);
}

ItemView ViewOf(const LNItem& item) {
  return {item.GetName().GetString(), item.GetType(), item.GetValuePtr(), item.GetValueLength()};
}

ItemView ViewOf(const platform::store::ItemImage& item) {
  return {item.name, item.type, item.value.data(), item.value.size()};
}

template <class Item>
std::vector<std::string> BackupNamesOf(const std::vector<Item>& items) {
  std::vector<std::string> names;
  for (const Item& item : items) {
    ItemView view = ViewOf(item);
    if (IsBackupName(view.name)) {
      names.push_back(std::move(view.name));
    }
  }
  return names;
}

template <class Item>
std::string DamagedLinkTableOf(const std::vector<Item>& items) {
  for (const Item& item : items) {
    const ItemView view = ViewOf(item);
    if (IsDamagedLinkTable(view.name, view.type, view.value, view.length)) {
      return DamagedLinkTableText();
    }
  }
  return "";
}

}  // namespace

std::vector<std::string> LinkBackupNames(const std::vector<LNItem>& items) {
  return BackupNamesOf(items);
}

std::vector<std::string> LinkBackupNames(const std::vector<platform::store::ItemImage>& items) {
  return BackupNamesOf(items);
}

std::string DamagedLinkTable(const std::vector<LNItem>& items) { return DamagedLinkTableOf(items); }

std::string DamagedLinkTable(const std::vector<platform::store::ItemImage>& items) {
  return DamagedLinkTableOf(items);
}

std::string DamagedLinkTable(LNDocument& document) {
  bool damaged = false;
  ForEachItem(document.GetNoteHandle(1), [&](const quendral::ItemView& item) {
    const LockedValue value(item.value, item.value_length);
    damaged = damaged ||
              IsDamagedLinkTable(item.name(), item.type,
                                 reinterpret_cast<const std::uint8_t*>(value.data()), value.size());
  });
  return damaged ? DamagedLinkTableText() : "";
}

}  // namespace quendral::batch
