#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "module/version.h"
#include "platform/os/language.h"
#include "platform/os/test_libraries.h"

namespace quendral {
namespace {

using os_test::VersionModulePath;

TEST(ReadVersionStringField, TheModulesOwnFileVersion) {
  EXPECT_EQ(ReadVersionStringField(os_test::QuendralLibraryPath()), "1, 2, 0, 1");
}

TEST(ReadVersionStringField, ComesFromTheTableTheTranslationNames) {
  EXPECT_EQ(ReadVersionStringField(VersionModulePath("version_module_dotted")), "3.4.5.6");
  EXPECT_EQ(ReadVersionStringField(VersionModulePath("version_module_other_translation")),
            "2, 4, 6, 8");
}

TEST(ReadVersionStringField, WithoutTranslationTheUsersLanguageNamesTheTable) {
  // The module's only table is 040904B0.
  const std::optional<std::string> text =
      ReadVersionStringField(VersionModulePath("version_module_no_translation"));
  if (os::UserDefaultLanguage() == os::kEnglishUnitedStates) {
    EXPECT_EQ(text, "9, 8, 7, 6");
  } else {
    EXPECT_EQ(text, std::nullopt);
  }
}

TEST(ReadVersionStringField, TextOf255CharactersIsKeptWhole) {
  const std::optional<std::string> text =
      ReadVersionStringField(VersionModulePath("version_module_text_255"));
  ASSERT_TRUE(text);
  EXPECT_EQ(text->size(), 255u);
  EXPECT_EQ(text->substr(0, 9), "1, 2, 3, ");
  EXPECT_EQ(text->back(), '9');
}

TEST(ReadVersionStringField, TextOf256CharactersIsCutTo250) {
  const std::optional<std::string> text =
      ReadVersionStringField(VersionModulePath("version_module_text_256"));
  ASSERT_TRUE(text);
  EXPECT_EQ(text->size(), kCutVersionTextLength);
  EXPECT_EQ(*text, "1, 2, 3, " + std::string(kCutVersionTextLength - 9, '0'));
}

TEST(ReadVersionStringField, NothingWithoutVersionInformation) {
  EXPECT_EQ(ReadVersionStringField(os_test::TestProgramPath()), std::nullopt);
  EXPECT_EQ(ReadVersionStringField(VersionModulePath("no_such_module")), std::nullopt);
}

}  // namespace
}  // namespace quendral
