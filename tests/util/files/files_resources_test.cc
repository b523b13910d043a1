// Resource texts and module strings, read from the resource test module and
// from the library itself.
#include <gtest/gtest.h>

#include <string>

#include "platform/os/resource_modules.h"
#include "platform/os/resources.h"
#include "util/date_entry/date_entry.h"
#include "util/files/files.h"

namespace quendral::util {
namespace {

class ResourceTextTest : public testing::Test {
 protected:
  void SetUp() override { ASSERT_NE(module_.handle(), nullptr) << os_test::ResourceModulePath(); }

  std::string Text(std::uint16_t id, const std::string& type) const {
    return LoadResourceText(id, type, module_.handle());
  }

  os_test::ResourceTestModule module_;
};

TEST_F(ResourceTextTest, KindWordsCompareWithoutCase) {
  const std::string page = "<p>page of the resource module</p>\n";
  EXPECT_EQ(Text(1, "HTML"), page);
  EXPECT_EQ(Text(1, "html"), page);
  EXPECT_EQ(Text(1, "Html"), page);
  EXPECT_EQ(Text(2, "DATA"), "plain data");
  EXPECT_EQ(Text(2, "data"), "plain data");
  EXPECT_EQ(Text(17, "STRING"), "Checked %d of %d documents in %s");
  EXPECT_EQ(Text(17, "string"), "Checked %d of %d documents in %s");
}

TEST_F(ResourceTextTest, KindsSelectTheirOwnResource) {
  EXPECT_EQ(Text(1, "HTML"), "<p>page of the resource module</p>\n");
  EXPECT_EQ(Text(1, "DATA"), "before");
  EXPECT_EQ(Text(1, "STRING"), "first string");
}

TEST_F(ResourceTextTest, DataEndsAtTheFirstZeroByte) { EXPECT_EQ(Text(1, "DATA"), "before"); }

TEST_F(ResourceTextTest, EmptyResourceGivesEmptyText) { EXPECT_EQ(Text(4, "DATA"), ""); }

TEST_F(ResourceTextTest, OtherTypeTextsAreTypeNames) {
  EXPECT_EQ(Text(3, "TEMPLATE"), "Dear %s,");
  EXPECT_EQ(Text(3, "template"), "Dear %s,");
  EXPECT_EQ(Text(1, "#23"), "<p>page of the resource module</p>\n");
  EXPECT_EQ(Text(3, "OTHER"), "");
  EXPECT_EQ(Text(3, ""), "");
}

TEST_F(ResourceTextTest, MissingResourcesGiveEmptyText) {
  EXPECT_EQ(Text(2, "HTML"), "");
  EXPECT_EQ(Text(99, "DATA"), "");
  EXPECT_EQ(Text(1, "TEMPLATE"), "");
}

TEST_F(ResourceTextTest, StringsAreFoundThroughTheirBlock) {
  EXPECT_EQ(Text(15, "STRING"), "last of the first block");
  EXPECT_EQ(Text(16, "STRING"), "first of the second block");
  EXPECT_EQ(Text(65535, "STRING"), "the highest identifier");
  EXPECT_EQ(Text(19, "STRING"), "");  // defined empty
  EXPECT_EQ(Text(20, "STRING"), "");  // its block exists, the string does not
  EXPECT_EQ(Text(40, "STRING"), "");  // no block 3
  EXPECT_EQ(Text(65534, "STRING"), "");
}

TEST(ResourceText, ProgramWithoutResourcesGivesEmptyTexts) {
  EXPECT_EQ(LoadResourceText(1, "HTML", nullptr), "");
  EXPECT_EQ(LoadResourceText(1, "STRING", nullptr), "");
}

// The library carries a resource description of its own.
class LibraryResourcesTest : public testing::Test {
 protected:
  void SetUp() override { ASSERT_NE(library_.handle(), nullptr) << os_test::QuendralLibraryPath(); }

  os_test::LibraryModule library_;
};

TEST_F(LibraryResourcesTest, StringTableHoldsTheDateEntryMessages) {
  EXPECT_EQ(LoadResourceText(1, "STRING", library_.handle()), kMaxLengthMessage);
  EXPECT_EQ(LoadModuleString(library_.handle(), 2), kInvalidDateMessage);
}

TEST_F(LibraryResourcesTest, PageAndDataNameTheExportedFunctions) {
  const std::string page = LoadResourceText(1, "HTML", library_.handle());
  EXPECT_NE(page.find("<code>FixRichTextFields</code>"), std::string::npos) << page;
  EXPECT_EQ(LoadResourceText(1, "DATA", library_.handle()),
            "FixRichTextFields\nChangeServerInLinks\nGetMajorVersion\nGetMinorVersion\n"
            "GetBuildNumber\n");
}

class ModuleStringTest : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_NE(module_.handle(), nullptr);
    ASSERT_NE(library_.handle(), nullptr);
  }
  void TearDown() override { os::SetResourceSource(original_); }

  const os::ModuleHandle original_ = os::ResourceSource();
  os_test::ResourceTestModule module_;
  os_test::LibraryModule library_;
};

TEST_F(ModuleStringTest, LoadsFromTheGivenModule) {
  EXPECT_EQ(LoadModuleString(module_.handle(), 1), "first string");
  EXPECT_EQ(LoadModuleString(library_.handle(), 1), kMaxLengthMessage);
  EXPECT_EQ(LoadModuleString(module_.handle(), 300), "");
  EXPECT_EQ(LoadModuleString(nullptr, 1), "");
}

TEST_F(ModuleStringTest, LeavesTheSourceOfResourcesAsItWas) {
  os::SetResourceSource(library_.handle());
  EXPECT_EQ(LoadModuleString(module_.handle(), 16), "first of the second block");
  EXPECT_EQ(os::ResourceSource(), library_.handle());
  EXPECT_EQ(os::LoadSourceString(1), kMaxLengthMessage);
}

}  // namespace
}  // namespace quendral::util
