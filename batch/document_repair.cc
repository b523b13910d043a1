#include "batch/document_repair.h"

#include <algorithm>
#include <cstdint>

#include "notes/status_text.h"
#include "platform/notes/item_values.h"
#include "repair/hide_when.h"
#include "repair/link_retarget.h"
#include "util/datetime.h"
#include "util/split.h"

namespace quendral::batch {
namespace {

constexpr char kLinksItemName[] = "$Links";
constexpr char kBackupPrefix[] = "$Links_Backup_";
constexpr std::size_t kBackupTimeDigits = 14;

RepairOutcome OutcomeOfWalk(const WalkResult& walk) {
  if (walk.error == 0) return {};
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
      if (name == named) chosen = &item;
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
  return OutcomeOfWalk(NeutraliseHideWhen(document));
}

RelinkRepair::RelinkRepair(const std::string& old_replica_ids, const TIMEDATE& target_replica_id)
    : target_replica_id_(target_replica_id) {
  util::SplitDelimited(old_replica_ids + ";", ";", &old_ids_, false, true);
}

RepairOutcome RelinkRepair::Repair(LNDocument& document) {
  if (std::string damaged = DamagedLinkTable(document); !damaged.empty()) {
    return RepairOutcome::Failed(damaged);
  }
  return OutcomeOfWalk(RetargetLinks(document, old_ids_, target_replica_id_));
}

RepairOutcome LinkRestore::Repair(LNDocument& document) {
  const std::vector<LNItem> items = Items(document);
  const LNItem* backup = ChooseBackup(items, backup_name_);
  if (backup == nullptr) return {RepairOutcome::Kind::kNoBackup, ""};
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
    if (current->GetValue() == value) return {};
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

std::vector<std::string> LinkBackupNames(const LNDocument& document) {
  std::vector<std::string> names;
  for (const LNItem& item : Items(document)) {
    std::string name = item.GetName().GetString();
    if (IsBackupName(name)) names.push_back(std::move(name));
  }
  return names;
}

std::string DamagedLinkTable(const LNDocument& document) {
  std::vector<platform::values::NoteLink> links;
  for (const LNItem& item : Items(document)) {
    if (IsLinkTable(item) &&
        platform::values::DecodeNoteLinkList(item.GetValuePtr(), item.GetValueLength(), &links) !=
            platform::kNoError) {
      return "link table $Links is damaged";
    }
  }
  return "";
}

}  // namespace quendral::batch
