// The link-table codec: the layout of entries, and how each reading holds a
// table against its count.
#include "repair/link_table.h"

#include <gtest/gtest.h>

#include <optional>
#include <vector>

namespace quendral {
namespace {

using Bytes = std::vector<std::uint8_t>;

// A table whose count word says `count` and which holds `entries` whole
// entries and `extra` bytes more.
Bytes Table(std::uint16_t count, std::size_t entries, std::size_t extra = 0) {
  Bytes value = {static_cast<std::uint8_t>(count & 0xFF), static_cast<std::uint8_t>(count >> 8)};
  value.resize(2 + entries * kLinkEntrySize + extra, 0x5A);
  return value;
}

TEST(LinkTableCodec, EntriesAreFortyBytesReplicaWordZeroFirst) {
  NoteLink link;
  link.replica_id = TIMEDATE{{0x0058F1B2, 0x85256E3A}};
  link.view = UNIVERSALNOTEID{{{1, 2}}, {{3, 4}}};
  link.note = UNIVERSALNOTEID{{{5, 6}}, {{7, 8}}};
  Bytes value;
  ASSERT_TRUE(EncodeLinkTable({link, link}, &value));
  ASSERT_EQ(value.size(), 2 + 2 * kLinkEntrySize);
  EXPECT_EQ(value[0], 2);
  EXPECT_EQ(value[2], 0xB2);  // replica ID word 0, little-endian
  EXPECT_EQ(value[9], 0x85);  // word 1's high byte
  EXPECT_EQ(LinkEntryReplicaId(value.data(), 1).Innards[1], 0x85256E3Au);

  std::vector<NoteLink> decoded;
  ASSERT_TRUE(DecodeLinkTable(value, LinkTableReading::kWholeTable, &decoded));
  ASSERT_EQ(decoded.size(), 2u);
  EXPECT_EQ(decoded[1].view.Note.Innards[1], 4u);
  EXPECT_EQ(decoded[1].note.Note.Innards[1], 8u);

  SetLinkEntryReplicaId(value.data(), 1, TIMEDATE{{9, 10}});
  ASSERT_TRUE(DecodeLinkTable(value, LinkTableReading::kWholeTable, &decoded));
  EXPECT_EQ(decoded[1].replica_id.Innards[0], 9u);
  EXPECT_EQ(decoded[1].view.File.Innards[0], 1u) << "the rest of the entry stays";
  EXPECT_EQ(decoded[0].replica_id.Innards[0], 0x0058F1B2u);
}

TEST(LinkTableCodec, MoreLinksThanACountHoldsAreRefused) {
  Bytes value;
  EXPECT_FALSE(EncodeLinkTable(std::vector<NoteLink>(0x10000), &value));
}

// A table that does not end where its counted entries end is damaged when
// read whole; read for the entries that fit, it has those it holds.
TEST(LinkTableCodec, EachReadingHoldsTheTableAgainstItsCount) {
  const struct {
    const char* name;
    Bytes value;
    std::optional<std::size_t> whole;
    std::size_t fit;
  } cases[] = {
      {"no bytes", {}, 0, 0},
      {"half a count", {0x01}, std::nullopt, 0},
      {"count 0", Table(0, 0), 0, 0},
      {"exact", Table(3, 3), 3, 3},
      {"short by an entry", Table(3, 2), std::nullopt, 2},
      {"short by a byte", Table(2, 1, kLinkEntrySize - 1), std::nullopt, 1},
      {"a byte too long", Table(1, 1, 1), std::nullopt, 1},
      {"an entry too long", Table(1, 2), std::nullopt, 1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(LinkTableEntryCount(c.value, LinkTableReading::kWholeTable), c.whole);
    EXPECT_EQ(LinkTableEntryCount(c.value, LinkTableReading::kEntriesThatFit), c.fit);
    std::vector<NoteLink> links(1);
    EXPECT_EQ(DecodeLinkTable(c.value, LinkTableReading::kWholeTable, &links), c.whole.has_value());
    EXPECT_EQ(links.size(), c.whole.value_or(0));
    EXPECT_TRUE(DecodeLinkTable(c.value, LinkTableReading::kEntriesThatFit, &links));
    EXPECT_EQ(links.size(), c.fit);
  }
}

}  // namespace
}  // namespace quendral
