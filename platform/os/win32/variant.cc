// The OLE Automation conversions are looked up in oleaut32.dll when first
// needed, so that the library does not load it unless variants are described.
#include "platform/os/variant.h"

#include <cstddef>

#include "platform/os/win32/system_libraries.h"

namespace quendral::os {
namespace {

// Variant keeps the VARIANT's layout for the fields it has.
static_assert(offsetof(Variant, vt) == offsetof(VARIANT, vt));
static_assert(offsetof(Variant, llVal) == offsetof(VARIANT, llVal));
static_assert(offsetof(Variant, bstrVal) == offsetof(VARIANT, bstrVal));

constexpr LCID kUserDefaultLocale = 0x0400;

}  // namespace

std::string CurrencyText(std::int64_t ten_thousandths) {
  const OleAutomationEntries* automation = OleAutomation();
  if (automation == nullptr) {
    return {};
  }
  CY currency{};
  currency.int64 = ten_thousandths;
  BSTR text = nullptr;
  if (FAILED(automation->currency_to_text(currency, kUserDefaultLocale, 0, &text))) {
    return {};
  }
  std::string result = WideTextToMultibyte(text);
  automation->free_string(text);
  return result;
}

bool VariantDateFields(double date, std::tm* fields) {
  const OleAutomationEntries* automation = OleAutomation();
  SYSTEMTIME time{};
  if (automation == nullptr || !automation->variant_time_to_system_time(date, &time)) {
    return false;
  }
  *fields = std::tm{};
  fields->tm_year = time.wYear - 1900;
  fields->tm_mon = time.wMonth - 1;
  fields->tm_mday = time.wDay;
  fields->tm_wday = time.wDayOfWeek;
  fields->tm_hour = time.wHour;
  fields->tm_min = time.wMinute;
  fields->tm_sec = time.wSecond;
  return true;
}

std::string WideTextToMultibyte(const VariantWideChar* text) {
  if (text == nullptr || *text == 0) {
    return {};
  }
  const int size = ::WideCharToMultiByte(CP_ACP, 0, text, -1, nullptr, 0, nullptr, nullptr);
  if (size <= 1) {
    return {};
  }
  std::string result(static_cast<std::size_t>(size), '\0');
  ::WideCharToMultiByte(CP_ACP, 0, text, -1, result.data(), size, nullptr, nullptr);
  result.resize(static_cast<std::size_t>(size) - 1);
  return result;
}

}  // namespace quendral::os
