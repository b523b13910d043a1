#include <array>
#include <cstdio>
#include <string_view>

#include "util/markup/markup.h"

namespace quendral::util {
namespace {

// Indexed by type code; codes without a name are empty.
constexpr std::array<std::string_view, 73> kTypeNames = {
    "VT_EMPTY",
    "VT_NULL",
    "VT_I2",
    "VT_I4",
    "VT_R4",
    "VT_R8",
    "VT_CY",
    "VT_DATE",
    "VT_BSTR",
    "VT_DISPATCH",
    "VT_ERROR",
    "VT_BOOL",
    "VT_VARIANT",
    "VT_UNKNOWN",
    "",
    "",
    "VT_I1",
    "VT_UI1",
    "VT_UI2",
    "VT_UI4",
    "VT_I8",
    "VT_UI8",
    "VT_INT",
    "VT_UINT",
    "VT_VOID",
    "VT_HRESULT",
    "VT_PTR",
    "VT_SAFEARRAY",
    "VT_CARRAY",
    "VT_USERDEFINED",
    "VT_LPSTR",
    "VT_LPWSTR",
    "",
    "",
    "",
    "",
    "",
    "",
    "",
    "",
    "",
    "",
    "",
    "",
    "",
    "",
    "",
    "",
    "",
    "",
    "",
    "",
    "",
    "",
    "",
    "",
    "",
    "",
    "",
    "",
    "",
    "",
    "",
    "",
    "VT_FILETIME",
    "VT_BLOB",
    "VT_STREAM",
    "VT_STORAGE",
    "VT_STREAMED_OBJECT",
    "VT_STORED_OBJECT",
    "VT_BLOB_OBJECT",
    "VT_CF",
    "VT_CLSID",
};

std::string_view TypeName(std::uint16_t type) {
  return type < kTypeNames.size() ? kTypeNames[type] : std::string_view();
}

// The formats used here print at most a few dozen characters.
template <typename... Arguments>
std::string Printed(const char* format, Arguments... arguments) {
  char buffer[64];
  const int length = std::snprintf(buffer, sizeof buffer, format, arguments...);
  return length > 0 ? std::string(buffer, static_cast<std::size_t>(length)) : std::string();
}

std::string DateText(double date) {
  std::tm fields{};
  if (!os::VariantDateFields(date, &fields)) {
    return {};
  }
  // The conversions of "%m %d %y", written out: the Windows C runtime's
  // strftime refuses the years before 1900 that dates near the epoch reach.
  const int year_in_century = ((fields.tm_year + 1900) % 100 + 100) % 100;
  return Printed("%02d %02d %02d", fields.tm_mon + 1, fields.tm_mday, year_in_century);
}

std::string ValueText(const os::Variant& value) {
  switch (value.vt) {
    case os::kVariantEmpty:
    case os::kVariantNull:
      return "NULL";
    case os::kVariantInt16:
      return Printed("%hd", value.iVal);
    case os::kVariantInt32:
      return Printed("%d", static_cast<int>(value.lVal));
    case os::kVariantFloat:
      return Printed("%e", static_cast<double>(value.fltVal));
    case os::kVariantDouble:
      return Printed("%e", value.dblVal);
    case os::kVariantCurrency:
      return os::CurrencyText(value.cyVal.int64);
    case os::kVariantDate:
      return DateText(value.date);
    case os::kVariantString:
      return os::WideTextToMultibyte(value.bstrVal);
    case os::kVariantUnsignedByte:
      return Printed("0x%02hX", static_cast<unsigned short>(value.bVal));
    default:
      return std::string(TypeName(value.vt));
  }
}

}  // namespace

std::string DescribeVariant(const os::Variant& value) {
  if (value.vt == os::kVariantBool) {
    return value.boolVal != 0 ? "TRUE" : "FALSE";
  }
  std::string text = ValueText(value);
  std::uint16_t type = value.vt;
  bool flag_cleared = false;
  if ((type & os::kVariantArrayBit) != 0) {
    text = "Array of ";
    type &= static_cast<std::uint16_t>(~os::kVariantArrayBit);
    flag_cleared = true;
  }
  if ((type & os::kVariantByReferenceBit) != 0) {
    text += "Pointer to ";
    type &= static_cast<std::uint16_t>(~os::kVariantByReferenceBit);
    flag_cleared = true;
  }
  if (flag_cleared) {
    text += TypeName(type);
  }
  return text;
}

}  // namespace quendral::util
