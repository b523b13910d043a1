// Small helpers over 8-bit texts and numbers: trimming, splitting off and
// joining pieces, searching backwards, printf-style formatting, rounding,
// printing numbers and byte sizes, and the CRC-32 checksum. Every byte is one
// character unit.
#ifndef QUENDRAL_UTIL_TEXT_TEXT_H_
#define QUENDRAL_UTIL_TEXT_TEXT_H_

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/os/system_string.h"

namespace quendral::util {

// Trim modes, upper or lower case: both ends, the start only, the end only.
// Any other letter removes nothing.
inline constexpr char kTrimBoth = 'B';
inline constexpr char kTrimLeading = 'L';
inline constexpr char kTrimTrailing = 'T';

// Cuts `source` in place at its first tab or line feed (every tab and line
// feed becomes a terminator), then copies it to `output` with copies of
// `character` removed from the ends that `mode` names. `output` must hold
// strlen(source) + 1 bytes once `source` is cut; it may be `source` itself.
void TrimCharacter(char* source, char* output, char mode, char character);

// TrimCharacter with the result put into `output`; `source` is cut the same.
void TrimCharacterToString(char* source, std::string* output, char mode, char character);

// Puts into `output` the text of `source` up to its first tab, line feed or
// zero character, with copies of `character` removed from the ends that
// `mode` names. `source` may be `output` itself, which trims it in place;
// otherwise `source` is left as it was.
void TrimCharacterInString(const std::string& source, std::string* output, char mode,
                           char character);

// Removes every trailing copy of `character` from `text`; returns how many.
int StripTrailingCharacter(std::string* text, char character);

// Splits the first piece off `text` at `separator` ("," when empty): returns
// what comes before the first separator and leaves in `text` what follows
// it; without a separator, returns all of `text` and empties it. Unless
// `keep_leading`, separators at the start of `text` are dropped first.
std::string PopToken(std::string* text, const std::string& separator, bool keep_leading);

// The strings of `strings` from `first_index` on, separated by `separator`
// ("," when empty). Empty when `first_index` is past the last string.
std::string JoinStrings(const std::string& separator, const std::vector<std::string>& strings,
                        std::size_t first_index);

// The position of the last occurrence of `pattern` in `text` that begins at
// or before `start` (-1, or a position past the end, means from the last
// character; any other negative start finds nothing); -1 when there is
// none or either text is empty.
int ReverseFindText(const std::string& text, const std::string& pattern, int start);

// `text` converted from the process's 8-bit code page into a newly allocated
// system string, which the caller frees with os::FreeSystemString; null when
// allocation fails.
os::SystemString ToSystemString(const std::string& text);

// Replaces `output` with the printf-style formatting of `format` and the
// arguments, however long.
void FormatToString(std::string* output, const char* format, ...)
    __attribute__((format(printf, 2, 3)));

// `value` rounded half away from zero to `places` digits after the point; a
// negative `places` rounds to tens, hundreds... The single-precision form
// computes in single precision throughout.
float RoundToDecimals(float value, int places);
double RoundToDecimals(double value, int places);

// `value` rounded to `digits` significant digits; unchanged when `digits` is
// below 1 or `value` is zero, infinite or not a number.
float RoundToSignificantDigits(float value, int digits);

// `value` with at most `places` digits after the point, without trailing
// zeros or a trailing point; a negative `places` uses the "%-g" format.
std::string FormatDecimal(float value, int places);

// `value` in decimal with `separator` between groups of three digits.
std::string GroupThousands(const std::string& separator, std::uint32_t value);

// A short text of a byte count in B, kB, MB or GB with two decimals (left
// out when both are zero), grouping whole numbers with the system default
// locale's thousands separator, or with `separator` in the second form.
std::string FormatByteSize(std::uint32_t size);
std::string FormatByteSize(std::uint32_t size, const std::string& separator);

// The 256 entries of the byte-wise table of the standard CRC-32 (reflected,
// polynomial 0x04C11DB7), built on construction.
class Crc32Table {
 public:
  Crc32Table();
  std::uint32_t operator[](std::size_t index) const { return entries_[index]; }

 private:
  std::array<std::uint32_t, 256> entries_;
};

// The standard CRC-32 of the bytes of `text` (initial value and final
// exclusive-or 0xFFFFFFFF): 0xCBF43926 for "123456789". Long texts take a
// faster road than the table that gives the same result.
std::uint32_t Crc32OfText(const Crc32Table& table, std::string_view text);

}  // namespace quendral::util

#endif  // QUENDRAL_UTIL_TEXT_TEXT_H_
