#include <cstdio>
#include <span>
#include <vector>

#include "module/version.h"
#include "platform/base/coding.h"
#include "platform/os/language.h"
#include "platform/os/version_info.h"

namespace quendral {
namespace {

// The code page assumed when the file names no translation: Unicode.
constexpr std::uint16_t kDefaultCodePage = 0x04B0;

// "\StringFileInfo\<language><code page>\FileVersion", both in four
// upper-case hexadecimal digits.
std::string FileVersionQuery(std::span<const std::uint8_t> info) {
  std::vector<std::uint8_t> translation;
  std::uint16_t language = 0;
  std::uint16_t code_page = kDefaultCodePage;
  if (os::QueryVersionValue(info, "\\VarFileInfo\\Translation", &translation) &&
      translation.size() == 4) {
    language = base::LoadLittle16(translation.data());
    code_page = base::LoadLittle16(translation.data() + 2);
  } else {
    language = os::UserDefaultLanguage();
  }
  char query[48];
  std::snprintf(query, sizeof(query), "\\StringFileInfo\\%04X%04X\\FileVersion", unsigned{language},
                unsigned{code_page});
  return query;
}

}  // namespace

std::optional<std::string> ReadVersionStringField(const std::string& path) {
  const std::uint32_t size = os::VersionInfoSize(path);
  if (size == 0) {
    return std::nullopt;
  }
  std::vector<std::uint8_t> info(std::size_t{size} + 1);
  if (!os::ReadVersionInfo(path, info)) {
    return std::nullopt;
  }
  std::string text;
  if (!os::QueryVersionText(info, FileVersionQuery(info), &text)) {
    return std::nullopt;
  }
  if (text.size() >= kVersionTextCapacity) {
    text.resize(kCutVersionTextLength);
  }
  return text;
}

}  // namespace quendral
