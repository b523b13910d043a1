#include <gtest/gtest.h>

#include <limits>
#include <string>

#include "module/version.h"

namespace quendral {
namespace {

constexpr ModuleVersion kUntouched = {-1, -1, -1, nullptr};

struct Parsed {
  bool ok;
  ModuleVersion version;
};

Parsed Parse(std::string* text, char separator) {
  Parsed parsed{false, kUntouched};
  parsed.ok = ParseVersionNumbers(text, separator, &parsed.version);
  return parsed;
}

Parsed Parse(std::string text, char separator) { return Parse(&text, separator); }

void ExpectNumbers(const Parsed& parsed, int major, int minor, int build) {
  EXPECT_TRUE(parsed.ok);
  EXPECT_EQ(parsed.version.major, major);
  EXPECT_EQ(parsed.version.minor, minor);
  EXPECT_EQ(parsed.version.build, build);
}

void ExpectUntouched(const Parsed& parsed) {
  EXPECT_FALSE(parsed.ok);
  EXPECT_EQ(parsed.version.major, -1);
  EXPECT_EQ(parsed.version.minor, -1);
  EXPECT_EQ(parsed.version.build, -1);
}

TEST(ParseVersionNumbers, ResourceCompilerFormTakesTheFirstThree) {
  ExpectUntouched(Parse("1, 2, 0, 1", '.'));
  ExpectNumbers(Parse("1, 2, 0, 1", ','), 1, 2, 0);
}

TEST(ParseVersionNumbers, DottedFormTakesTheFirstThree) {
  ExpectNumbers(Parse("3.4.5.6", '.'), 3, 4, 5);
  ExpectNumbers(Parse("3.4.5", '.'), 3, 4, 5);
}

TEST(ParseVersionNumbers, FewerThanThreePiecesFail) {
  ExpectUntouched(Parse("5, 6", ','));
  ExpectUntouched(Parse("5, 6", '.'));
  ExpectUntouched(Parse("", ','));
  ExpectUntouched(Parse(",,,", ','));
}

TEST(ParseVersionNumbers, RunsOfSeparatorsCountAsOne) {
  ExpectNumbers(Parse(",,7,,8,,,9,", ','), 7, 8, 9);
}

TEST(ParseVersionNumbers, PiecesReadLikeAtoi) {
  ExpectNumbers(Parse(" 10 ,\t20x, +30", ','), 10, 20, 30);
  ExpectNumbers(Parse("a.b.-4", '.'), 0, 0, -4);
}

TEST(ParseVersionNumbers, HugeNumbersAreHeldAtTheEdgeOfTheRange) {
  constexpr int kMax = std::numeric_limits<std::int32_t>::max();
  constexpr int kMin = std::numeric_limits<std::int32_t>::min();
  ExpectNumbers(Parse("99999999999999999999,2147483648,-99999999999", ','), kMax, kMax, kMin);
  ExpectNumbers(Parse("2147483647,-2147483648,0", ','), kMax, kMin, 0);
}

TEST(ParseVersionNumbers, TheTextIsCutWhereItWasSplit) {
  std::string text = "1.2, 0, 1";
  ExpectUntouched(Parse(&text, '.'));
  EXPECT_EQ(text, std::string("1\0"
                              "2, 0, 1",
                              9));
  // The comma parse reads only up to the first cut.
  ExpectUntouched(Parse(&text, ','));
}

TEST(ParseVersionNumbers, OnlyTheFirstThreePiecesAreCut) {
  std::string text = "1.2.3.4.5";
  ExpectNumbers(Parse(&text, '.'), 1, 2, 3);
  EXPECT_EQ(text, std::string("1\0"
                              "2\0"
                              "3\0"
                              "4.5",
                              9));
}

}  // namespace
}  // namespace quendral
