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
#include "util/dates/datetime.h"
#include "util/text/split.h"

namespace quendral::batch {
namespace {

constexpr char kLinksItemName[] = "$Links";
constexpr char kBackupPrefix[] = "$Links_Backup_";
constexpr std::size_t kBackupTimeDigits = 14;
// The hide-when areas a run remembers at most: a database holds few
// distinct ones.
constexpr std::size_t kRememberedAreas = 1024;

RepairOutcome OutcomeOfWalk(const WalkResult& walk) {
  if (walk.error == 0) {
    return {};
  }
  return RepairOutcome::Failed(StatusText(walk.error));
}

bool IsLinkTable(const LNItem& item) {
  return item.GetType() == platform::kTypeNoteLinkList &&
         item.GetName().GetString() == kLinksItemName;
}

bool IsBackupName(const std::string& name) { return name.starts_with(kBackupPrefix); }

// The time in a backup's name, comparable as text; "" for a name of another
// form, which the choice of the newest passes over.
std::string BackupTime(const std::string& name) {
  const std::string time = name.substr(sizeof kBackupPrefix - 1);
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
  try {
    ForEachItem(document.GetNoteHandle(1), [this](const ItemView& item) {
      LockedValue value(item.value, item.value_length);
      // As the repair's own walk does, an item whose records cannot be gone
      // through is passed over.
      if (value.block() != nullptr) {
        platform::EnumerateCompositeRecords(value.block(), value.size(), RecordAction, this);
      }
    });
  } catch (LNSTATUS status) {
    return OutcomeOfWalk({false, status});
  }
  return {};
}

platform::STATUS HideWhenRepair::RecordAction(char* record, std::uint16_t signature,
                                              std::uint32_t record_length, void* context) {
  const std::uint16_t fixed_length =
      platform::CanonicalStructureLength(platform::richtext::kStructureHideWhen);
  if (signature != platform::richtext::kSignatureHideWhen || record_length < fixed_length) {
    return platform::kNoError;
  }
  auto& neutralised = static_cast<HideWhenRepair*>(context)->neutralised_;
  char* area = record + fixed_length;
  const std::string_view before(area, record_length - fixed_length);
  if (auto found = neutralised.find(before); found != neutralised.end()) {
    std::ranges::copy(found->second, area);
    return platform::kNoError;
  }
  std::string kept(before);
  HideWhenWalk walk;
  HideWhenRecordAction(record, signature, record_length, &walk);
  // A database of ever new formulas starts the memory afresh rather than
  // growing it with the database.
  if (neutralised.size() >= kRememberedAreas) {
    neutralised.clear();
  }
  // An area not holding a whole formula may have been judged by the bytes
  // behind it, so only whole formulas are remembered.
  std::string text;
  if (platform::formula::Decompile(reinterpret_cast<const std::uint8_t*>(kept.data()), kept.size(),
                                   &text)) {
    neutralised.emplace(std::move(kept), std::string(area, before.size()));
  }
  return platform::kNoError;
}

namespace {

std::vector<std::string> SplitReplicaIds(const std::string& texts) {
  std::vector<std::string> ids;
  util::SplitDelimited(texts + ";", ";", &ids, false, true);
  return ids;
}

}  // namespace

RelinkRepair::RelinkRepair(const std::string& old_replica_ids, const TIMEDATE& target_replica_id)
    : old_ids_(SplitReplicaIds(old_replica_ids)), target_replica_id_(target_replica_id) {}

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
  std::vector<platform::values::NoteLink> links;
  if (backup->GetType() != platform::kTypeNoteLinkList ||
      platform::values::DecodeNoteLinkList(value.data(), value.size(), &links) !=
          platform::kNoError) {
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
  if (LNSTATUS status = document.CreateItem(kLinksItemName, platform::kTypeNoteLinkList,
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

constexpr char kDamagedLinkTable[] = "link table $Links is damaged";

// `links` is room to decode into, kept from item to item.
bool IsDamagedLinkTable(std::string_view name, std::uint16_t type, const std::uint8_t* value,
                        std::size_t length, std::vector<platform::values::NoteLink>* links) {
  return type == platform::kTypeNoteLinkList && name == kLinksItemName &&
         platform::values::DecodeNoteLinkList(value, length, links) != platform::kNoError;
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
  std::vector<platform::values::NoteLink> links;
  for (const Item& item : items) {
    const ItemView view = ViewOf(item);
    if (IsDamagedLinkTable(view.name, view.type, view.value, view.length, &links)) {
      return kDamagedLinkTable;
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
  std::vector<platform::values::NoteLink> links;
  bool damaged = false;
  ForEachItem(document.GetNoteHandle(1), [&](const quendral::ItemView& item) {
    const LockedValue value(item.value, item.value_length);
    damaged = damaged || IsDamagedLinkTable(item.name(), item.type,
                                            reinterpret_cast<const std::uint8_t*>(value.data()),
                                            value.size(), &links);
  });
  return damaged ? kDamagedLinkTable : "";
}

}  // namespace quendral::batch
