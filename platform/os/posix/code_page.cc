#include "platform/os/code_page.h"

#include <iconv.h>

#include <array>
#include <cstddef>
#include <optional>

namespace quendral::os {
namespace {

constexpr char kOemCodePage[] = "CP437";
constexpr char kAnsiCodePage[] = "WINDOWS-1252";
constexpr char kNoCharacter = '?';
constexpr unsigned kWindows1252 = 1252;

struct LeadByteRange {
  unsigned code_page;
  unsigned char first;
  unsigned char last;
};

// The bytes that begin a double-byte character, as Windows defines them for
// its double-byte code pages: Japanese (Shift JIS), simplified Chinese (GBK),
// Korean (Unified Hangul) and traditional Chinese (Big5).
constexpr LeadByteRange kLeadByteRanges[] = {
    {932, 0x81, 0x9F}, {932, 0xE0, 0xFC}, {936, 0x81, 0xFE}, {949, 0x81, 0xFE}, {950, 0x81, 0xFE},
};

using ByteTable = std::array<char, 256>;

// What one byte of the OEM code page becomes; kNoCharacter when the ANSI
// code page has no such character.
char ConvertByte(iconv_t converter, unsigned char byte) {
  char in = static_cast<char>(byte);
  char out = kNoCharacter;
  char* in_position = &in;
  char* out_position = &out;
  std::size_t in_left = 1;
  std::size_t out_left = 1;
  iconv(converter, nullptr, nullptr, nullptr, nullptr);
  if (iconv(converter, &in_position, &in_left, &out_position, &out_left) ==
      static_cast<std::size_t>(-1)) {
    return kNoCharacter;
  }
  return out;
}

// Both code pages are single-byte, so one table of 256 entries is the whole
// conversion; it is built once, on first use.
std::optional<ByteTable> BuildTable() {
  iconv_t converter = iconv_open(kAnsiCodePage, kOemCodePage);
  // iconv_open reports failure by the value (iconv_t)-1.
  if (converter == reinterpret_cast<iconv_t>(-1)) {  // NOLINT(performance-no-int-to-ptr)
    return std::nullopt;
  }
  ByteTable table;
  for (std::size_t byte = 0; byte < table.size(); ++byte) {
    table[byte] = ConvertByte(converter, static_cast<unsigned char>(byte));
  }
  iconv_close(converter);
  return table;
}

}  // namespace

unsigned SystemTextCodePage() { return kWindows1252; }

bool IsLeadByte(unsigned code_page, char byte) {
  const auto code = static_cast<unsigned char>(byte);
  for (const LeadByteRange& range : kLeadByteRanges) {
    if (range.code_page == code_page && code >= range.first && code <= range.last) {
      return true;
    }
  }
  return false;
}

bool OemToAnsi(std::string* text) {
  static const std::optional<ByteTable> table = BuildTable();
  if (!table) {
    return false;
  }
  for (char& c : *text) {
    c = (*table)[static_cast<unsigned char>(c)];
  }
  return true;
}

}  // namespace quendral::os
