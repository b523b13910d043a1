#include "notes/replica_id.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>

namespace quendral {
namespace {

TEST(ParseReplicaIdTextLeniently, TakesHighDigitsAsWordOneWithOrWithoutColon) {
  TIMEDATE with_colon{};
  TIMEDATE without_colon{};
  ParseReplicaIdTextLeniently("85256E3A:0058F1B2", &with_colon);
  ParseReplicaIdTextLeniently("85256E3A0058F1B2", &without_colon);
  EXPECT_EQ(with_colon.Innards[1], 0x85256E3Au);
  EXPECT_EQ(with_colon.Innards[0], 0x0058F1B2u);
  EXPECT_EQ(without_colon.Innards[0], with_colon.Innards[0]);
  EXPECT_EQ(without_colon.Innards[1], with_colon.Innards[1]);
}

TEST(ParseReplicaIdTextLeniently, LeavesValueUntouchedWhenShorterThanSixteen) {
  TIMEDATE id{{7, 9}};
  ParseReplicaIdTextLeniently("85256E3A0058F1B", &id);
  EXPECT_EQ(id.Innards[0], 7u);
  EXPECT_EQ(id.Innards[1], 9u);
}

TEST(ParseReplicaIdTextLeniently, StopsEachHalfAtTheFirstNonHexCharacter) {
  TIMEDATE id{};
  ParseReplicaIdTextLeniently("12Z45678abcdefXY", &id);
  EXPECT_EQ(id.Innards[1], 0x12u);
  EXPECT_EQ(id.Innards[0], 0xABCDEFu);
}

TEST(ParseReplicaIdTextLeniently, ColonAtTheEndShiftsTheLowHalfWithoutReadingPastTheText) {
  TIMEDATE id{};
  ParseReplicaIdTextLeniently("85256E3A:0058F1B", &id);
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
  ParseReplicaIdTextLeniently(FormatReplicaIdText(id, true).c_str(), &parsed);
  EXPECT_EQ(parsed.Innards[0], id.Innards[0]);
  EXPECT_EQ(parsed.Innards[1], id.Innards[1]);
}

// Each form takes the texts it is named for; the lenient one is the
// exported functions' and reads what the others refuse.
TEST(ReplicaIdTextForms, EachTakesTheTextsItIsNamedFor) {
  constexpr std::uint64_t kNone = ~std::uint64_t{0};
  const struct {
    const char* text;
    std::uint64_t strict, padded, lenient;  // word 1 high, word 0 low
  } cases[] = {
      {"85256E3A0058F1B2", 0x85256E3A0058F1B2, 0x85256E3A0058F1B2, 0x85256E3A0058F1B2},
      {"85256e3a:0058f1b2", 0x85256E3A0058F1B2, 0x85256E3A0058F1B2, 0x85256E3A0058F1B2},
      {"58F1B2", kNone, 0x58F1B2, 0},
      {"85256E3A0058F1B", kNone, 0x085256E3A0058F1B, 0},
      {"85256E3A0058F1B23", kNone, kNone, 0x85256E3A0058F1B2},
      {"85256E3A:0058F1B", kNone, kNone, 0x85256E3A00058F1B},
      {"12Z45678abcdefXY", kNone, kNone, 0x0000001200ABCDEF},
      {"85256E3A-0058F1B2", kNone, kNone, 0x85256E3A00000000},
      {"", kNone, kNone, 0},
  };
  const auto number = [](const std::optional<TIMEDATE>& id) {
    return id ? std::uint64_t{id->Innards[1]} << 32 | id->Innards[0] : kNone;
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(number(ParseReplicaIdTextStrictly(c.text)), c.strict);
    EXPECT_EQ(number(ParseReplicaIdTextStrictlyOrPadded(c.text)), c.padded);
    TIMEDATE lenient{};
    ParseReplicaIdTextLeniently(c.text, &lenient);
    EXPECT_EQ(number(lenient), c.lenient);
  }
}

}  // namespace
}  // namespace quendral
