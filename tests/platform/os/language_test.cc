#include "platform/os/language.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <string>

namespace quendral::os {
namespace {

TEST(LanguageOfLocaleName, TerritoryPicksTheVariant) {
  EXPECT_EQ(LanguageOfLocaleName("nb_NO.UTF-8"), 0x0414);
  EXPECT_EQ(LanguageOfLocaleName("en_GB@euro"), 0x0809);
  EXPECT_EQ(LanguageOfLocaleName("de_AT"), 0x0C07);
  EXPECT_EQ(LanguageOfLocaleName("pt_BR.ISO-8859-1"), 0x0416);
}

TEST(LanguageOfLocaleName, UnknownTerritoryFallsBackToTheLanguage) {
  EXPECT_EQ(LanguageOfLocaleName("de"), 0x0407);
  EXPECT_EQ(LanguageOfLocaleName("de_DE.UTF-8"), 0x0407);
  EXPECT_EQ(LanguageOfLocaleName("fr_SN"), 0x040C);
  EXPECT_EQ(LanguageOfLocaleName("no_NO"), 0x0414);
}

TEST(LanguageOfLocaleName, CaseDoesNotMatter) { EXPECT_EQ(LanguageOfLocaleName("NB_no"), 0x0414); }

TEST(LanguageOfLocaleName, UnknownLocalesAreEnglishUnitedStates) {
  for (const char* locale : {"C", "POSIX", "C.UTF-8", "", "xx_YY", "_NO", "en_"}) {
    EXPECT_EQ(LanguageOfLocaleName(locale), kEnglishUnitedStates) << locale;
  }
}

#if !defined(_WIN32)

// Sets or clears an environment variable for one test.
class ScopedVariable {
 public:
  ScopedVariable(const char* name, const char* value) : name_(name) {
    if (const char* old = std::getenv(name)) {
      old_ = old;
    }
    if (value == nullptr) {
      ::unsetenv(name);
    } else {
      ::setenv(name, value, 1);
    }
  }
  ~ScopedVariable() {
    if (old_) {
      ::setenv(name_, old_->c_str(), 1);
    } else {
      ::unsetenv(name_);
    }
  }

 private:
  const char* name_;
  std::optional<std::string> old_;
};

TEST(UserDefaultLanguage, FirstSetVariableWins) {
  ScopedVariable all("LC_ALL", "nb_NO.UTF-8");
  ScopedVariable messages("LC_MESSAGES", "de_DE.UTF-8");
  ScopedVariable lang("LANG", "fr_FR.UTF-8");
  EXPECT_EQ(UserDefaultLanguage(), 0x0414);
  {
    ScopedVariable empty_all("LC_ALL", "");
    EXPECT_EQ(UserDefaultLanguage(), 0x0407);
    ScopedVariable no_messages("LC_MESSAGES", nullptr);
    EXPECT_EQ(UserDefaultLanguage(), 0x040C);
    ScopedVariable no_lang("LANG", nullptr);
    EXPECT_EQ(UserDefaultLanguage(), kEnglishUnitedStates);
  }
}

#endif

}  // namespace
}  // namespace quendral::os
