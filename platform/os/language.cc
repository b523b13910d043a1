#include "platform/os/language.h"

#include <array>
#include <cctype>
#include <optional>

#include "platform/os/ascii_case.h"

namespace quendral::os {
namespace {

struct LocaleLanguage {
  std::string_view language;
  std::string_view territory;  // empty: the language's usual variant
  std::uint16_t id;
};

constexpr std::array<LocaleLanguage, 45> kLocaleLanguages = {{
    {"cs", "", 0x0405},   {"da", "", 0x0406},   {"de", "", 0x0407},   {"de", "AT", 0x0C07},
    {"de", "CH", 0x0807}, {"de", "LU", 0x1007}, {"el", "", 0x0408},   {"en", "", 0x0409},
    {"en", "AU", 0x0C09}, {"en", "CA", 0x1009}, {"en", "GB", 0x0809}, {"en", "IE", 0x1809},
    {"en", "NZ", 0x1409}, {"es", "", 0x0C0A},   {"es", "MX", 0x080A}, {"et", "", 0x0425},
    {"fi", "", 0x040B},   {"fr", "", 0x040C},   {"fr", "BE", 0x080C}, {"fr", "CA", 0x0C0C},
    {"fr", "CH", 0x100C}, {"hu", "", 0x040E},   {"is", "", 0x040F},   {"it", "", 0x0410},
    {"it", "CH", 0x0810}, {"ja", "", 0x0411},   {"ko", "", 0x0412},   {"lt", "", 0x0427},
    {"lv", "", 0x0426},   {"nb", "", 0x0414},   {"nl", "", 0x0413},   {"nl", "BE", 0x0813},
    {"nn", "", 0x0814},   {"no", "", 0x0414},   {"pl", "", 0x0415},   {"pt", "", 0x0816},
    {"pt", "BR", 0x0416}, {"ru", "", 0x0419},   {"sk", "", 0x041B},   {"sv", "", 0x041D},
    {"sv", "FI", 0x081D}, {"tr", "", 0x041F},   {"zh", "", 0x0804},   {"zh", "HK", 0x0C04},
    {"zh", "TW", 0x0404},
}};

std::optional<std::uint16_t> Find(std::string_view language, std::string_view territory) {
  for (const LocaleLanguage& entry : kLocaleLanguages) {
    if (EqualsIgnoringCase(entry.language, language) &&
        EqualsIgnoringCase(entry.territory, territory)) {
      return entry.id;
    }
  }
  return std::nullopt;
}

}  // namespace

std::uint16_t LanguageOfLocaleName(std::string_view locale) {
  // language[_territory][.codeset][@modifier]
  locale = locale.substr(0, locale.find_first_of(".@"));
  const std::size_t underscore = locale.find('_');
  const std::string_view language = locale.substr(0, underscore);
  const std::string_view territory =
      underscore == std::string_view::npos ? std::string_view() : locale.substr(underscore + 1);
  if (std::optional<std::uint16_t> id = Find(language, territory)) {
    return *id;
  }
  return Find(language, "").value_or(kEnglishUnitedStates);
}

}  // namespace quendral::os
