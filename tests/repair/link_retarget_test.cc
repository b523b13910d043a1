// ChangeServerInLinks end to end, and the backup item's name.
#include "repair/link_retarget.h"

#include <gtest/gtest.h>

#include <cstring>
#include <ctime>
#include <regex>

#include "platform/notes/api/item_values.h"
#include "quendral/quendral.h"
#include "repair/link_table.h"
#include "repair/repair_fixture.h"
#include "support/faults/fault_points.h"

namespace quendral::fixtures {
namespace {

using platform::store::ItemImage;
using platform::store::NoteImage;

const TIMEDATE kHome{{0x11111111, 0xAAAAAAAA}};
const TIMEDATE kOld{{0x0058F1B2, 0x85256E3A}};
const TIMEDATE kOther{{0x22222222, 0x12345678}};
const TIMEDATE kTarget{{0xCAFEBABE, 0x0BADF00D}};
constexpr char kOldText[] = "85256E3A:0058F1B2";

NoteLink Link(const TIMEDATE& replica, std::uint32_t tag) {
  return {replica, UNIVERSALNOTEID{{{tag, tag + 1}}, {{tag + 2, tag + 3}}},
          UNIVERSALNOTEID{{{tag + 4, tag + 5}}, {{tag + 6, tag + 7}}}};
}

ItemImage LinksItem(const std::vector<NoteLink>& links) {
  ItemImage item{"$Links", platform::kTypeNoteLinkList, 0, {}};
  EXPECT_TRUE(EncodeLinkTable(links, &item.value));
  return item;
}

std::vector<NoteLink> Links(const ItemImage& item) {
  std::vector<NoteLink> links;
  EXPECT_TRUE(DecodeLinkTable(item.value, LinkTableReading::kWholeTable, &links));
  return links;
}

bool SameReplica(const TIMEDATE& a, const TIMEDATE& b) { return std::memcmp(&a, &b, 8) == 0; }
bool SameId(const UNIVERSALNOTEID& a, const UNIVERSALNOTEID& b) {
  return std::memcmp(&a, &b, sizeof a) == 0;
}

std::vector<const ItemImage*> Backups(const NoteImage& note) {
  std::vector<const ItemImage*> backups;
  for (const ItemImage& item : note.items) {
    if (item.name.rfind("$Links_Backup_", 0) == 0) {
      backups.push_back(&item);
    }
  }
  return backups;
}

class ChangeServerInLinksTest : public RepairTest {
 protected:
  void SetUp() override {
    RepairTest::SetUp();
    CreateDocument("target.nsf", kTarget, {});
  }
  void TearDown() override {
    fixtures::DisarmFaults();
    RepairTest::TearDown();
  }

  NoteImage Relink(const std::vector<ItemImage>& items, const char* old_ids,
                   int expected_result = 0, const char* target = "target.nsf") {
    const std::string home = "home" + std::to_string(++calls_) + ".nsf";
    unid_ = CreateDocument(home, kHome, items);
    before_ = StoredNote(home, unid_);
    EXPECT_EQ(ChangeServerInLinks("", home.c_str(), unid_.c_str(), old_ids, target),
              expected_result);
    return StoredNote(home, unid_);
  }

  int calls_ = 0;

  std::string unid_;
  NoteImage before_;
};

TEST_F(ChangeServerInLinksTest, RewritesEveryMatchingEntryAfterOneBackup) {
  const std::vector<NoteLink> links = {Link(kOld, 10), Link(kOther, 20), Link(kOld, 30)};
  const NoteImage after = Relink({TextItem("Subject", {"x"}), LinksItem(links)}, kOldText);
  EXPECT_EQ(after.sequence, before_.sequence + 1);
  const auto rewritten = Links(*FindItem(after, "$Links"));
  ASSERT_EQ(rewritten.size(), 3u);
  EXPECT_TRUE(SameReplica(rewritten[0].replica_id, kTarget));
  EXPECT_TRUE(SameReplica(rewritten[1].replica_id, kOther));
  EXPECT_TRUE(SameReplica(rewritten[2].replica_id, kTarget));
  for (std::size_t i = 0; i < links.size(); ++i) {
    EXPECT_TRUE(SameId(rewritten[i].view, links[i].view));
    EXPECT_TRUE(SameId(rewritten[i].note, links[i].note));
  }
  const auto backups = Backups(after);
  ASSERT_EQ(backups.size(), 1u);
  EXPECT_TRUE(std::regex_match(backups[0]->name, std::regex(R"(\$Links_Backup_\d{14})")));
  EXPECT_EQ(backups[0]->type, platform::kTypeNoteLinkList);
  EXPECT_EQ(backups[0]->value, FindItem(before_, "$Links")->value);
}

TEST_F(ChangeServerInLinksTest, ListsWithBlanksRepeatsAndSeveralIdsAllWork) {
  const NoteImage after = Relink({LinksItem({Link(kOld, 1), Link(kOther, 2)})},
                                 " 85256E3A:0058F1B2 ;;12345678:22222222; 85256E3A:0058F1B2");
  const auto rewritten = Links(*FindItem(after, "$Links"));
  EXPECT_TRUE(SameReplica(rewritten[0].replica_id, kTarget));
  EXPECT_TRUE(SameReplica(rewritten[1].replica_id, kTarget));
  EXPECT_EQ(Backups(after).size(), 1u);
}

TEST_F(ChangeServerInLinksTest, IdsInAnyOtherFormMatchNothingAndNothingIsSaved) {
  for (const char* ids : {"85256e3a:0058f1b2", "85256E3A0058F1B2", "", ";", "85256E3A:0058F1B"}) {
    const NoteImage after = Relink({LinksItem({Link(kOld, 1)})}, ids);
    EXPECT_EQ(after.sequence, before_.sequence) << ids;
    EXPECT_TRUE(Backups(after).empty()) << ids;
  }
}

TEST_F(ChangeServerInLinksTest, DocumentsWithoutAMatchingTableAreNotSaved) {
  ItemImage wrong_type = LinksItem({Link(kOld, 1)});
  wrong_type.type = 0x0300;
  ItemImage wrong_name = LinksItem({Link(kOld, 1)});
  wrong_name.name = "$links";
  for (const ItemImage& item :
       {TextItem("Subject", {"x"}), LinksItem({}), wrong_type, wrong_name}) {
    const NoteImage after = Relink({item}, kOldText);
    EXPECT_EQ(after.sequence, before_.sequence) << item.name;
    EXPECT_TRUE(Backups(after).empty());
  }
}

TEST_F(ChangeServerInLinksTest, UnopenableTargetReturnsOneAndLeavesTheDocumentUntouched) {
  const NoteImage after = Relink({LinksItem({Link(kOld, 1)})}, kOldText, 1, "nowhere.nsf");
  EXPECT_EQ(after.sequence, before_.sequence);
  EXPECT_EQ(after.items.size(), before_.items.size());
}

TEST_F(ChangeServerInLinksTest, TargetByReplicaId) {
  const NoteImage after = Relink({LinksItem({Link(kOld, 1)})}, kOldText, 0, "0BADF00DCAFEBABE");
  EXPECT_TRUE(SameReplica(Links(*FindItem(after, "$Links"))[0].replica_id, kTarget));
}

TEST_F(ChangeServerInLinksTest, CountClaimingMoreEntriesThanTheValueHoldsVisitsOnlyThoseThatFit) {
  ItemImage table = LinksItem({Link(kOld, 1), Link(kOld, 2)});
  table.value[0] = 0x10;            // claims 16 entries
  table.value.resize(2 + 40 + 39);  // one whole entry and most of another
  const NoteImage after = Relink({table}, kOldText);
  const ItemImage& links = *FindItem(after, "$Links");
  ASSERT_EQ(links.value.size(), table.value.size());
  TIMEDATE first;
  std::memcpy(&first, links.value.data() + 2, sizeof first);
  EXPECT_TRUE(SameReplica(first, kTarget));
  EXPECT_TRUE(std::equal(links.value.begin() + 42, links.value.end(), table.value.begin() + 42));
}

TEST_F(ChangeServerInLinksTest, ValueShorterThanItsCountWordHasNoEntries) {
  const ItemImage table{"$Links", platform::kTypeNoteLinkList, 0, {0x01}};
  const NoteImage after = Relink({table}, kOldText);
  EXPECT_EQ(after.sequence, before_.sequence);
}

TEST_F(ChangeServerInLinksTest, EachTableIsBackedUpFromItsOwnValue) {
  const std::vector<ItemImage> tables = {LinksItem({Link(kOld, 1)}),
                                         LinksItem({Link(kOther, 2), Link(kOld, 3)})};
  const NoteImage after = Relink(tables, kOldText);
  const auto backups = Backups(after);
  ASSERT_EQ(backups.size(), 2u);
  EXPECT_EQ(backups[0]->value, tables[0].value);
  EXPECT_EQ(backups[1]->value, tables[1].value);
  EXPECT_EQ(backups[0]->flags, 8);
}

TEST_F(ChangeServerInLinksTest, AnItemTheQueryCannotDescribeIsPassedOver) {
  fixtures::ArmFault(platform::GatedCall::kQueryItem, 0);
  const NoteImage after =
      Relink({TextItem("Subject", {"x"}), LinksItem({Link(kOld, 1)})}, kOldText);
  EXPECT_TRUE(SameReplica(Links(*FindItem(after, "$Links"))[0].replica_id, kTarget));
}

TEST_F(ChangeServerInLinksTest, FailedBackupSavesWhatChangedBeforeAndReturnsOne) {
  const std::vector<ItemImage> tables = {LinksItem({Link(kOld, 1)}), LinksItem({Link(kOld, 2)})};
  fixtures::ArmFault(platform::GatedCall::kCreateItem, 1);
  const NoteImage after = Relink(tables, kOldText, 1);
  EXPECT_EQ(after.sequence, before_.sequence + 1);
  ASSERT_EQ(Backups(after).size(), 1u);
  EXPECT_EQ(Backups(after)[0]->value, tables[0].value);
  std::vector<const ItemImage*> stored;
  for (const ItemImage& item : after.items) {
    if (item.name == "$Links") {
      stored.push_back(&item);
    }
  }
  ASSERT_EQ(stored.size(), 2u);
  EXPECT_TRUE(SameReplica(Links(*stored[0])[0].replica_id, kTarget));
  EXPECT_EQ(stored[1]->value, tables[1].value) << "the table whose backup failed is untouched";
}

TEST_F(ChangeServerInLinksTest, FailedFirstBackupLeavesTheDocumentUnsaved) {
  fixtures::ArmFault(platform::GatedCall::kCreateItem, 0);
  const NoteImage after = Relink({LinksItem({Link(kOld, 1)})}, kOldText, 1);
  EXPECT_EQ(after.sequence, before_.sequence);
  EXPECT_EQ(after.items.size(), before_.items.size());
}

TEST_F(ChangeServerInLinksTest, NoteWithoutItemsIsLeftAlone) {
  const NoteImage after = Relink({}, kOldText);
  EXPECT_EQ(after.sequence, before_.sequence);
  EXPECT_TRUE(after.items.empty());
}

// The local time as the backup name writes it; its fixed-width digits sort
// as the times do.
std::string LocalStamp() {
  const std::time_t now = std::time(nullptr);
  char stamp[16] = {};
  std::strftime(stamp, sizeof stamp, "%Y%m%d%H%M%S", std::localtime(&now));
  return stamp;
}

TEST_F(ChangeServerInLinksTest, BackupIsNamedForTheLocalTimeOfTheCall) {
  const std::string before = LocalStamp();
  const NoteImage after = Relink({LinksItem({Link(kOld, 1)})}, kOldText);
  const std::string latest = LocalStamp();
  ASSERT_EQ(Backups(after).size(), 1u);
  const std::string stamp = Backups(after)[0]->name.substr(std::strlen("$Links_Backup_"));
  EXPECT_LE(before, stamp);
  EXPECT_LE(stamp, latest);
}

TEST_F(ChangeServerInLinksTest, SecondCallInTheSameSecondAddsASameNamedBackup) {
  const std::string target_text = "0BADF00D:CAFEBABE";
  // Calls that straddle a second boundary name their backups apart; a few
  // tries meet two calls within one second.
  for (int attempt = 0; attempt < 3; ++attempt) {
    const NoteImage first = Relink({LinksItem({Link(kOld, 1)})}, kOldText);
    ASSERT_EQ(ChangeServerInLinks("", ("home" + std::to_string(calls_) + ".nsf").c_str(),
                                  unid_.c_str(), target_text.c_str(), "target.nsf"),
              0);
    const NoteImage second = StoredNote("home" + std::to_string(calls_) + ".nsf", unid_);
    const auto backups = Backups(second);
    ASSERT_EQ(backups.size(), 2u);
    if (backups[0]->name != backups[1]->name) {
      continue;
    }
    EXPECT_EQ(backups[0]->value, FindItem(before_, "$Links")->value);
    EXPECT_EQ(backups[1]->value, FindItem(first, "$Links")->value);
    return;
  }
  ADD_FAILURE() << "no two calls fell within one second";
}

// Read once from their texts, the IDs still match only the byte-for-byte
// text of an entry's ID, the all-zero ID included.
TEST(OldReplicaIds, MatchOnlyTheExactTextOfAnId) {
  const TIMEDATE zero{};
  const struct {
    const char* text;
    bool matches_old;
    bool matches_zero;
  } cases[] = {
      {"85256E3A:0058F1B2", true, false},
      {"00000000:00000000", false, true},
      {"", false, false},
      {"85256E3A:0058F1B", false, false},
      {"85256E3A:0058F1B2X", false, false},
      {"85256E3A:0058F1BZ", false, false},
      {" 85256E3A:0058F1B2", false, false},
      {"85256e3a:0058f1b2", false, false},
      {"85256E3A0058F1B2", false, false},
      {"0058F1B2:85256E3A", false, false},
  };
  for (const auto& [text, matches_old, matches_zero] : cases) {
    const OldReplicaIds ids({text});
    EXPECT_EQ(ids.Contains(kOld), matches_old) << text;
    EXPECT_EQ(ids.Contains(zero), matches_zero) << text;
  }
  EXPECT_TRUE(OldReplicaIds({"12345678:22222222", "85256E3A:0058F1B2"}).Contains(kOld));
}

TEST(LinkTableBackupName, IsTheItemNameFollowedByFourteenDigitsOfLocalTime) {
  const util::DateTimeValue now(util::kMonthDayYear);
  const std::string name = LinkTableBackupName(now);
  EXPECT_TRUE(std::regex_match(name, std::regex(R"(\$Links_Backup_\d{14})"))) << name;
  EXPECT_EQ(name.substr(14, 4), std::to_string(now.GetYear()));
}

// A time of fixed fields, as a clock could read them.
class FixedTime : public util::DateTimeValue {
 public:
  FixedTime(int year, int month, int day, int hour, int minute, int second)
      : DateTimeValue(util::kMonthDayYear), fields_{year, month, day, hour, minute, second} {}
  int GetYear() const override { return fields_[0]; }
  int GetMonth() const override { return fields_[1]; }
  int GetDay() const override { return fields_[2]; }
  int GetHour() const override { return fields_[3]; }
  int GetMinute() const override { return fields_[4]; }
  int GetSecond() const override { return fields_[5]; }

 private:
  int fields_[6];
};

TEST(LinkTableBackupName, EveryFieldIsZeroPaddedToItsWidth) {
  EXPECT_EQ(LinkTableBackupName(FixedTime(2026, 12, 8, 7, 5, 9)), "$Links_Backup_20261208070509");
  EXPECT_EQ(LinkTableBackupName(FixedTime(987, 1, 31, 23, 59, 0)), "$Links_Backup_09870131235900");
  EXPECT_EQ(LinkTableBackupName(FixedTime(12345, 10, 10, 10, 10, 10)),
            "$Links_Backup_123451010101010");
}

}  // namespace
}  // namespace quendral::fixtures
