// A value of one of several types, tagged by its type code: the OLE
// Automation VARIANT, and the conversions its values need to become text.
//
// `Variant` is a structure of ours with the VARIANT's type codes and the
// value fields it needs, under the same names and at the same offsets; its
// wide strings are UTF-16. On Windows the conversions are those of OLE
// Automation (oleaut32: VarBstrFromCy, VariantTimeToSystemTime) and
// WideCharToMultiByte. Elsewhere they follow the same contracts, read the C
// library's locale for the decimal point and take 8-bit texts in
// Windows-1252.
#ifndef QUENDRAL_PLATFORM_OS_VARIANT_H_
#define QUENDRAL_PLATFORM_OS_VARIANT_H_

#include <cstdint>
#include <ctime>
#include <string>

namespace quendral::os {

#ifdef _WIN32
// The OLECHAR type itself.
using VariantWideChar = wchar_t;
#else
using VariantWideChar = char16_t;
#endif

// Fixed point with four decimals: 1.5 is held as 15000.
struct VariantCurrency {
  std::int64_t int64;
};

struct Variant {
  std::uint16_t vt;
  std::uint16_t wReserved1;
  std::uint16_t wReserved2;
  std::uint16_t wReserved3;
  union {
    std::int64_t llVal;
    std::int32_t lVal;
    std::uint8_t bVal;
    std::int16_t iVal;
    float fltVal;
    double dblVal;
    std::int16_t boolVal;
    std::int32_t scode;
    VariantCurrency cyVal;
    double date;
    VariantWideChar* bstrVal;
    void* byref;
    Variant* pvarVal;
  };
};

// The type codes and flag bits of the type code.
enum VariantType : std::uint16_t {
  kVariantEmpty = 0,
  kVariantNull = 1,
  kVariantInt16 = 2,
  kVariantInt32 = 3,
  kVariantFloat = 4,
  kVariantDouble = 5,
  kVariantCurrency = 6,
  kVariantDate = 7,
  kVariantString = 8,
  kVariantBool = 11,
  kVariantUnsignedByte = 17,
  kVariantVectorBit = 0x1000,
  kVariantArrayBit = 0x2000,
  kVariantByReferenceBit = 0x4000,
};

// A cleared variant of type `type`.
Variant MakeVariant(std::uint16_t type);

// A currency value (in ten-thousandths) as decimal text in the user's default
// locale, without trailing zeros: 123450 gives "12.345", 0 gives "0".
std::string CurrencyText(std::int64_t ten_thousandths);

// The calendar fields (year, month, day, hour, minute, second, weekday) of an
// OLE date: days since 30 December 1899, the fraction being the time of day
// (its absolute value for days before then), rounded to the second. False
// outside the years 100 to 9999.
bool VariantDateFields(double date, std::tm* fields);

// A zero-terminated wide text in the process's multibyte character set;
// characters it cannot hold become "?". Null reads as empty.
std::string WideTextToMultibyte(const VariantWideChar* text);

}  // namespace quendral::os

#endif  // QUENDRAL_PLATFORM_OS_VARIANT_H_
