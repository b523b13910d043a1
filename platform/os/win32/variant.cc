// The OLE Automation conversions are looked up in oleaut32.dll when first
// needed, so that the library does not load it unless variants are described.
#include "platform/os/variant.h"

#include <oleauto.h>

#include "platform/os/library.h"

namespace quendral::os {
namespace {

constexpr LCID kUserDefaultLocale = 0x0400;

const LoadedLibrary& OleAutomation() {
  static const LoadedLibrary library("oleaut32.dll");
  return library;
}

// The entry `name` as a function of type `Function`, null when the
// library or the entry is missing.
template <typename Function>
Function* Entry(const char* name) {
  return reinterpret_cast<Function*>(OleAutomation().Find(name));
}

}  // namespace

std::string CurrencyText(std::int64_t ten_thousandths) {
  auto* currency_to_text = Entry<decltype(::VarBstrFromCy)>("VarBstrFromCy");
  auto* free_text = Entry<decltype(::SysFreeString)>("SysFreeString");
  if (currency_to_text == nullptr || free_text == nullptr) {
    return {};
  }
  CY currency{};
  currency.int64 = ten_thousandths;
  BSTR text = nullptr;
  if (FAILED(currency_to_text(currency, kUserDefaultLocale, 0, &text))) {
    return {};
  }
  std::string result = WideTextToMultibyte(text);
  free_text(text);
  return result;
}

bool VariantDateFields(double date, std::tm* fields) {
  auto* to_system_time = Entry<decltype(::VariantTimeToSystemTime)>("VariantTimeToSystemTime");
  SYSTEMTIME time{};
  if (to_system_time == nullptr || !to_system_time(date, &time)) {
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
