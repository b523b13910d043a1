// Module resources: the resource table modules carry outside Windows, the
// lookups in real loaded modules, and the process-wide source of resources.
#include "platform/os/resources.h"

#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

#include "platform/os/resource_modules.h"
#include "platform/os/resource_table.h"
#include "platform/os/resource_table_writer.h"

namespace quendral::os {
namespace {

using namespace std::string_view_literals;

std::string Text(std::span<const std::uint8_t> bytes) {
  return std::string(bytes.begin(), bytes.end());
}

class ResourceTableTest : public testing::Test {
 protected:
  static constexpr ResourceTableEntry kEntries[] = {
      {kHtmlResource, ""sv, 7, "<p>seven</p>"sv},
      {0, "Template"sv, 7, "named seven"sv},
      {kDataResource, ""sv, 7, "raw\0seven"sv},
      {kDataResource, ""sv, 8, ""sv},
  };
  static constexpr ResourceTableString kStrings[] = {
      {0, "zero"sv}, {15, "fifteen"sv}, {16, "sixteen"sv}, {65535, "last"sv}, {18, ""sv},
  };

  std::vector<std::uint8_t> table_ = EncodeResourceTable({kEntries, kStrings});

  std::optional<std::string> Find(const ResourceType& type, std::uint16_t id) const {
    const auto found = FindTableResource(table_, type, id);
    return found ? std::optional<std::string>(Text(*found)) : std::nullopt;
  }
  std::optional<std::string> String(std::uint16_t id) const {
    const auto block = FindTableResource(table_, kStringTableResource, StringBlockId(id));
    if (!block) {
      return std::nullopt;
    }
    const auto text = FindBlockString(*block, StringBlockIndex(id));
    return text ? std::optional<std::string>(*text) : std::nullopt;
  }
};

TEST_F(ResourceTableTest, SameIdentifierInEachTypeIsItsOwnResource) {
  EXPECT_EQ(Find(kHtmlResource, 7), "<p>seven</p>");
  EXPECT_EQ(Find(std::string("TEMPLATE"), 7), "named seven");
  EXPECT_EQ(Find(kDataResource, 7), std::string("raw\0seven", 9));
  EXPECT_EQ(Find(kDataResource, 8), "");
}

TEST_F(ResourceTableTest, TypeNamesCompareWithoutCase) {
  EXPECT_EQ(Find(std::string("template"), 7), "named seven");
  EXPECT_EQ(Find(std::string("TeMpLaTe"), 7), "named seven");
  EXPECT_EQ(Find(std::string("TEMPLATES"), 7), std::nullopt);
}

TEST_F(ResourceTableTest, HashNumberNamesTheStandardType) {
  EXPECT_EQ(Find(std::string("#23"), 7), "<p>seven</p>");
  EXPECT_EQ(Find(std::string("#10"), 8), "");
  EXPECT_EQ(Find(std::string("#23x"), 7), std::nullopt);
  EXPECT_EQ(Find(std::string("#"), 7), std::nullopt);
}

TEST_F(ResourceTableTest, MissingResourcesAreNotFound) {
  EXPECT_EQ(Find(kHtmlResource, 8), std::nullopt);
  EXPECT_EQ(Find(std::uint16_t{99}, 7), std::nullopt);
  EXPECT_EQ(Find(std::string("HTML"), 7), std::nullopt);  // a name, not the standard type
  EXPECT_EQ(Find(std::string(""), 7), std::nullopt);
}

TEST_F(ResourceTableTest, StringsLieInBlocksOfSixteen) {
  EXPECT_EQ(StringBlockId(0), 1);
  EXPECT_EQ(StringBlockId(15), 1);
  EXPECT_EQ(StringBlockId(16), 2);
  EXPECT_EQ(StringBlockId(65535), 4096);
  EXPECT_EQ(String(0), "zero");
  EXPECT_EQ(String(15), "fifteen");
  EXPECT_EQ(String(16), "sixteen");
  EXPECT_EQ(String(65535), "last");
  EXPECT_EQ(String(18), "");
  EXPECT_EQ(String(17), "");  // in a block, never defined
  EXPECT_EQ(String(32), std::nullopt);
  EXPECT_EQ(Find(kStringTableResource, 3), std::nullopt);
}

TEST_F(ResourceTableTest, BlockIndexBeyondSixteenIsNothing) {
  const auto block = FindTableResource(table_, kStringTableResource, 1);
  ASSERT_TRUE(block);
  EXPECT_EQ(FindBlockString(*block, 15), "fifteen");
  EXPECT_EQ(FindBlockString(*block, 16), std::nullopt);
}

// Module files are outside input: no cut may read past the table, and what
// lies wholly before the cut is still found.
TEST_F(ResourceTableTest, CutTablesNeverReadPastTheirEnd) {
  const std::size_t whole = table_.size();
  for (std::size_t size = 0; size < whole; ++size) {
    const std::vector<std::uint8_t> cut(table_.begin(), table_.begin() + size);
    const auto last = FindTableResource(cut, kStringTableResource, 4096);
    EXPECT_FALSE(last) << size;
    const auto first = FindTableResource(cut, kHtmlResource, 7);
    if (first) {
      EXPECT_EQ(Text(*first), "<p>seven</p>");
    }
  }
}

TEST_F(ResourceTableTest, CutBlocksGiveNothing) {
  const auto block = FindTableResource(table_, kStringTableResource, 1);
  ASSERT_TRUE(block);
  for (std::size_t size = 0; size < block->size(); ++size) {
    const auto text = FindBlockString(block->first(size), 15);
    EXPECT_FALSE(text) << size;
  }
}

TEST_F(ResourceTableTest, WrongSignatureIsNoTable) {
  table_[0] = 'X';
  EXPECT_EQ(Find(kHtmlResource, 7), std::nullopt);
  EXPECT_EQ(FindTableResource({}, kHtmlResource, 7), std::nullopt);
}

std::vector<std::uint8_t> EncodeEntries(std::span<const ResourceTableEntry> entries) {
  return EncodeResourceTable({entries, {}});
}
std::vector<std::uint8_t> EncodeStrings(std::span<const ResourceTableString> strings) {
  return EncodeResourceTable({{}, strings});
}

TEST(ResourceTableWriter, RefusesWhatTheTableCannotHold) {
  const ResourceTableEntry twice[] = {{kDataResource, ""sv, 1, "a"sv},
                                      {kDataResource, ""sv, 1, "b"sv}};
  EXPECT_THROW(EncodeEntries(twice), std::invalid_argument);
  const ResourceTableEntry twice_named[] = {{0, "Kind"sv, 1, ""sv}, {0, "KIND"sv, 1, ""sv}};
  EXPECT_THROW(EncodeEntries(twice_named), std::invalid_argument);
  const ResourceTableEntry string_block[] = {{kStringTableResource, ""sv, 1, ""sv}};
  EXPECT_THROW(EncodeEntries(string_block), std::invalid_argument);
  const ResourceTableEntry no_type[] = {{0, ""sv, 1, ""sv}};
  EXPECT_THROW(EncodeEntries(no_type), std::invalid_argument);
  const ResourceTableString same_string[] = {{4, "a"sv}, {4, "b"sv}};
  EXPECT_THROW(EncodeStrings(same_string), std::invalid_argument);
  const std::string long_text(65536, 'x');
  const ResourceTableString too_long[] = {{4, long_text}};
  EXPECT_THROW(EncodeStrings(too_long), std::length_error);
}

// The resource test module, built from tests/platform/os/resource_module.
class ModuleResourcesTest : public testing::Test {
 protected:
  void SetUp() override { ASSERT_NE(module_.handle(), nullptr) << os_test::ResourceModulePath(); }

  std::optional<std::string> Find(const ResourceType& type, std::uint16_t id) const {
    std::vector<std::uint8_t> data;
    return FindModuleResource(module_.handle(), type, id, &data)
               ? std::optional<std::string>(Text(data))
               : std::nullopt;
  }

  os_test::ResourceTestModule module_;
};

TEST_F(ModuleResourcesTest, FindsEachKindByTypeAndIdentifier) {
  EXPECT_EQ(Find(kHtmlResource, 1), "<p>page of the resource module</p>\n");
  EXPECT_EQ(Find(kDataResource, 1), std::string("before\0after", 12));
  EXPECT_EQ(Find(kDataResource, 2), "plain data");
  EXPECT_EQ(Find(std::string("template"), 3), "Dear %s,");
  EXPECT_EQ(Find(std::string("#23"), 1), "<p>page of the resource module</p>\n");
}

TEST_F(ModuleResourcesTest, EmptyResourceIsFoundEmpty) { EXPECT_EQ(Find(kDataResource, 4), ""); }

TEST_F(ModuleResourcesTest, MissingResourcesAreNotFound) {
  EXPECT_EQ(Find(kHtmlResource, 2), std::nullopt);
  EXPECT_EQ(Find(std::string("TEMPLATE"), 1), std::nullopt);
  EXPECT_EQ(Find(std::string("OTHER"), 3), std::nullopt);
  EXPECT_EQ(Find(kStringTableResource, 3), std::nullopt);
}

TEST_F(ModuleResourcesTest, StringTableBlocksAreResources) {
  EXPECT_TRUE(Find(kStringTableResource, 1));
  EXPECT_TRUE(Find(kStringTableResource, 2));
  EXPECT_TRUE(Find(kStringTableResource, 4096));
}

TEST_F(ModuleResourcesTest, LoadsStringsWhole) {
  EXPECT_EQ(LoadStringResource(module_.handle(), 1), "first string");
  EXPECT_EQ(LoadStringResource(module_.handle(), 15), "last of the first block");
  EXPECT_EQ(LoadStringResource(module_.handle(), 16), "first of the second block");
  EXPECT_EQ(LoadStringResource(module_.handle(), 65535), "the highest identifier");
  EXPECT_EQ(LoadStringResource(module_.handle(), 2), "");
  EXPECT_EQ(LoadStringResource(module_.handle(), 300), "");
}

TEST(ProgramResources, ProgramWithoutResourcesHasNone) {
  std::vector<std::uint8_t> data;
  EXPECT_FALSE(FindModuleResource(nullptr, kHtmlResource, 1, &data));
  EXPECT_EQ(LoadStringResource(nullptr, 1), "");
}

void FunctionOfTheProgram() {}

// Restores the source of resources a test changes.
class ResourceSourceTest : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_NE(module_.handle(), nullptr);
    ASSERT_NE(library_.handle(), nullptr);
  }
  void TearDown() override { SetResourceSource(original_); }

  const ModuleHandle original_ = ResourceSource();
  os_test::ResourceTestModule module_;
  os_test::LibraryModule library_;
};

TEST_F(ResourceSourceTest, StartsAsTheModuleHoldingTheCode) {
  EXPECT_EQ(original_, ModuleContaining(reinterpret_cast<const void*>(&FunctionOfTheProgram)));
}

TEST_F(ResourceSourceTest, SettingReturnsTheSourceBefore) {
  EXPECT_EQ(SetResourceSource(module_.handle()), original_);
  EXPECT_EQ(ResourceSource(), module_.handle());
  EXPECT_EQ(LoadSourceString(1), "first string");
  EXPECT_EQ(SetResourceSource(library_.handle()), module_.handle());
  EXPECT_EQ(LoadSourceString(1), "Max Length is %d");
}

TEST_F(ResourceSourceTest, LoadWithSourceRestoresTheSourceBefore) {
  SetResourceSource(library_.handle());
  EXPECT_EQ(LoadStringWithSource(module_.handle(), 16), "first of the second block");
  EXPECT_EQ(ResourceSource(), library_.handle());
}

// Loads through the source on one thread while another keeps passing a
// different module through it: the first must never read the passing one.
TEST_F(ResourceSourceTest, PassingSourceIsNeverSeenByOtherThreads) {
  SetResourceSource(library_.handle());
  std::atomic<bool> done{false};
  std::thread passer([&] {
    while (!done) {
      LoadStringWithSource(module_.handle(), 1);
    }
  });
  int wrong = 0;
  for (int i = 0; i < 200; ++i) {
    wrong += LoadSourceString(1) != "Max Length is %d";
  }
  done = true;
  passer.join();
  EXPECT_EQ(wrong, 0);
}

}  // namespace
}  // namespace quendral::os
