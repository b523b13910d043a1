// Universal-ID texts, the last part of hierarchical names and date-time
// texts.
#include <gtest/gtest.h>

#include <cstring>

#include "notes/name_and_date_text.h"
#include "notes/universal_id_text.h"
#include "platform/notes/api/ln_universal_id.h"
#include "platform/notes/formula/value.h"

namespace quendral {
namespace {

constexpr char kUnid[] = "0123456789abcdef00112233AABBCCDD";

TEST(UniversalIdText, GroupsGoToWordsSecondWordFirst) {
  UNIVERSALNOTEID id{};
  ParseUniversalIdText(kUnid, &id);
  EXPECT_EQ(id.File.Innards[1], 0x01234567u);
  EXPECT_EQ(id.File.Innards[0], 0x89ABCDEFu);
  EXPECT_EQ(id.Note.Innards[1], 0x00112233u);
  EXPECT_EQ(id.Note.Innards[0], 0xAABBCCDDu);
}

TEST(UniversalIdText, RoundTripGivesUpperCase) {
  UNIVERSALNOTEID id{};
  ParseUniversalIdText(kUnid, &id);
  EXPECT_EQ(FormatUniversalIdText(&id), "0123456789ABCDEF00112233AABBCCDD");
  EXPECT_EQ(FormatUniversalIdText(&id), LNUniversalID::Format(id).GetString())
      << "the same text the object API gives";
}

TEST(UniversalIdText, ShortTextLeavesTheIdentityUntouched) {
  UNIVERSALNOTEID id{{{1, 2}}, {{3, 4}}};
  ParseUniversalIdText("0123456789ABCDEF00112233AABBCCD", &id);
  ParseUniversalIdText("", &id);
  ParseUniversalIdText(nullptr, &id);
  EXPECT_EQ(FormatUniversalIdText(&id), "00000002000000010000000400000003");
}

TEST(UniversalIdText, OnlyTheFirstThirtyTwoCharactersCount) {
  UNIVERSALNOTEID id{};
  ParseUniversalIdText("0123456789ABCDEF00112233AABBCCDDFFFFFFFF", &id);
  EXPECT_EQ(FormatUniversalIdText(&id), "0123456789ABCDEF00112233AABBCCDD");
}

TEST(UniversalIdText, EachGroupConvertsUpToItsFirstNonDigit) {
  UNIVERSALNOTEID id{};
  ParseUniversalIdText("12G45678zzzzzzzz0000000F 00000AB", &id);
  EXPECT_EQ(id.File.Innards[1], 0x12u);
  EXPECT_EQ(id.File.Innards[0], 0u) << "a group without digits";
  EXPECT_EQ(id.Note.Innards[1], 0xFu);
  EXPECT_EQ(id.Note.Innards[0], 0xABu) << "leading white space is skipped";
}

TEST(UniversalIdText, GroupsDoNotRunIntoEachOther) {
  UNIVERSALNOTEID id{};
  ParseUniversalIdText("0x00000F-0000001+0000001FFFFFFFF", &id);
  EXPECT_EQ(id.File.Innards[1], 0xFu);
  EXPECT_EQ(id.File.Innards[0], 0xFFFFFFFFu) << "-1 in 32 bits";
  EXPECT_EQ(id.Note.Innards[1], 1u);
  EXPECT_EQ(id.Note.Innards[0], 0xFFFFFFFFu);
}

TEST(LastSlashSegment, GivesTheLastPart) {
  EXPECT_EQ(LastSlashSegment("CN=Ann Lee/OU=Sales/O=Acme"), "O=Acme");
  EXPECT_EQ(LastSlashSegment("Ann Lee"), "Ann Lee");
  EXPECT_EQ(LastSlashSegment("CN=Ann/O=Acme/"), "O=Acme");
  EXPECT_EQ(LastSlashSegment(" CN=Ann / O=Acme "), "O=Acme");
  EXPECT_EQ(LastSlashSegment("a//b"), "b");
}

TEST(LastSlashSegment, TextWithoutPartsIsKept) {
  EXPECT_EQ(LastSlashSegment(""), "");
  EXPECT_EQ(LastSlashSegment("///"), "///");
  EXPECT_EQ(LastSlashSegment(nullptr), "");
  EXPECT_EQ(LastSlashSegment("a/  "), "") << "a last part of blanks is a part";
}

TEST(FormatNotesDatetimeText, IsoLikeWithZeroPadding) {
  const LNDatetime time(platform::formula::MakeDateTime({2001, 3, 5, 7, 8, 9}));
  EXPECT_EQ(FormatNotesDatetimeText(time), "2001-03-05T07:08:09");
  const LNDatetime late(platform::formula::MakeDateTime({1999, 12, 31, 23, 59, 58}));
  EXPECT_EQ(FormatNotesDatetimeText(late), "1999-12-31T23:59:58");
}

}  // namespace
}  // namespace quendral
