#include "notes/replica_id.h"

#include <gtest/gtest.h>

namespace quendral {
namespace {

TEST(ParseReplicaIdText, TakesHighDigitsAsWordOneWithOrWithoutColon) {
  TIMEDATE with_colon{};
  TIMEDATE without_colon{};
  ParseReplicaIdText("85256E3A:0058F1B2", &with_colon);
  ParseReplicaIdText("85256E3A0058F1B2", &without_colon);
  EXPECT_EQ(with_colon.Innards[1], 0x85256E3Au);
  EXPECT_EQ(with_colon.Innards[0], 0x0058F1B2u);
  EXPECT_EQ(without_colon.Innards[0], with_colon.Innards[0]);
  EXPECT_EQ(without_colon.Innards[1], with_colon.Innards[1]);
}

TEST(ParseReplicaIdText, LeavesValueUntouchedWhenShorterThanSixteen) {
  TIMEDATE id{{7, 9}};
  ParseReplicaIdText("85256E3A0058F1B", &id);
  EXPECT_EQ(id.Innards[0], 7u);
  EXPECT_EQ(id.Innards[1], 9u);
}

TEST(ParseReplicaIdText, StopsEachHalfAtTheFirstNonHexCharacter) {
  TIMEDATE id{};
  ParseReplicaIdText("12Z45678abcdefXY", &id);
  EXPECT_EQ(id.Innards[1], 0x12u);
  EXPECT_EQ(id.Innards[0], 0xABCDEFu);
}

TEST(ParseReplicaIdText, ColonAtTheEndShiftsTheLowHalfWithoutReadingPastTheText) {
  TIMEDATE id{};
  ParseReplicaIdText("85256E3A:0058F1B", &id);
  EXPECT_EQ(id.Innards[1], 0x85256E3Au);
  EXPECT_EQ(id.Innards[0], 0x0058F1Bu);
}

TEST(FormatReplicaIdText, WritesWordOneFirstUpperCaseAndPadded) {
  const TIMEDATE id{{0x58F1B2, 0x85256e3a}};
  EXPECT_EQ(FormatReplicaIdText(id, true), "85256E3A:0058F1B2");
  EXPECT_EQ(FormatReplicaIdText(id, false), "85256E3A0058F1B2");
}

TEST(FormatReplicaIdText, RoundTripsThroughParse) {
  const TIMEDATE id{{0xDEADBEEF, 0x00000001}};
  TIMEDATE parsed{};
  ParseReplicaIdText(FormatReplicaIdText(id, true).c_str(), &parsed);
  EXPECT_EQ(parsed.Innards[0], id.Innards[0]);
  EXPECT_EQ(parsed.Innards[1], id.Innards[1]);
}

}  // namespace
}  // namespace quendral
