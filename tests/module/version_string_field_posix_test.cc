// The version text read under the user's language, which outside Windows
// the locale environment variables choose.
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "module/version.h"
#include "platform/os/test_libraries.h"
#include "support/environment_override.h"

namespace quendral {
namespace {

using os_test::VersionModulePath;

TEST(ReadVersionStringField, WithoutTranslationEachLanguageReadsItsOwnTable) {
  const std::string path = VersionModulePath("version_module_no_translation");
  {
    const quendral::fixtures::EnvironmentOverride english("LC_ALL", "en_US.UTF-8");
    EXPECT_EQ(ReadVersionStringField(path), "9, 8, 7, 6");
  }
  {
    const quendral::fixtures::EnvironmentOverride norwegian("LC_ALL", "nb_NO.UTF-8");
    EXPECT_EQ(ReadVersionStringField(path), std::nullopt);
  }
}

}  // namespace
}  // namespace quendral
