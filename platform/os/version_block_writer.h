// Writes a version block in the VS_VERSIONINFO layout that version_block.h
// reads: the fixed file information, one string table and, when declared,
// the translation that names it. Usable at compile time, so that a module can
// carry its block as constant data; tests write blocks at run time.
#ifndef QUENDRAL_PLATFORM_OS_VERSION_BLOCK_WRITER_H_
#define QUENDRAL_PLATFORM_OS_VERSION_BLOCK_WRITER_H_

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <stdexcept>
#include <string_view>
#include <vector>

#include "platform/os/two_pass_encoder.h"

namespace quendral::os {

struct VersionString {
  std::string_view name;
  std::string_view value;  // UTF-8
};

struct VersionBlockSource {
  std::array<std::uint16_t, 4> file_version{};
  std::array<std::uint16_t, 4> product_version{};
  std::uint32_t file_flags_mask = 0;
  std::uint32_t file_flags = 0;
  std::uint32_t file_os = 0;
  std::uint32_t file_type = 0;
  std::uint32_t file_subtype = 0;
  std::uint16_t language = 0;
  std::uint16_t code_page = 0;
  // Whether "\VarFileInfo\Translation" names the string table; without it a
  // reader has to guess the table from its own language.
  bool declares_translation = true;
  std::span<const VersionString> strings;
};

class VersionBlockWriter {
 public:
  // Writes into `out`, which must hold the whole block; when null, only
  // counts the block's size.
  constexpr explicit VersionBlockWriter(std::uint8_t* out) : out_(out) {}

  constexpr std::size_t size() const { return size_; }

  constexpr void Write(const VersionBlockSource& source) {
    const std::size_t root = BeginNode("VS_VERSION_INFO", kFixedInfoSize, false);
    WriteFixedInfo(source);
    const std::size_t string_info = BeginNode("StringFileInfo", 0, true);
    const std::array<char, 8> table_key = TableKey(source.language, source.code_page);
    const std::size_t table = BeginNode({table_key.data(), table_key.size()}, 0, true);
    for (const VersionString& string : source.strings) {
      const std::size_t node = BeginNode(string.name, Utf16Units(string.value), true);
      WriteUtf16(string.value);
      EndNode(node);
    }
    EndNode(table);
    EndNode(string_info);
    if (source.declares_translation) {
      const std::size_t var_info = BeginNode("VarFileInfo", 0, true);
      const std::size_t translation = BeginNode("Translation", 4, false);
      Word(source.language);
      Word(source.code_page);
      EndNode(translation);
      EndNode(var_info);
    }
    EndNode(root);
  }

 private:
  static constexpr std::uint16_t kFixedInfoSize = 52;
  static constexpr std::uint32_t kFixedInfoSignature = 0xFEEF04BD;
  static constexpr std::uint32_t kFixedInfoLayoutVersion = 0x00010000;

  constexpr void Byte(std::uint8_t value) {
    if (out_ != nullptr) {
      out_[size_] = value;
    }
    ++size_;
  }
  constexpr void Word(std::uint16_t value) {
    Byte(static_cast<std::uint8_t>(value));
    Byte(static_cast<std::uint8_t>(value >> 8));
  }
  constexpr void Dword(std::uint32_t value) {
    Word(static_cast<std::uint16_t>(value));
    Word(static_cast<std::uint16_t>(value >> 16));
  }
  constexpr void Align() {
    while (size_ % 4 != 0) {
      Byte(0);
    }
  }

  // The node's total length is filled in by EndNode.
  constexpr std::size_t BeginNode(std::string_view key, std::uint16_t value_length, bool is_text) {
    Align();
    const std::size_t begin = size_;
    Word(0);
    Word(value_length);
    Word(is_text ? 1 : 0);
    WriteUtf16(key);
    Align();
    return begin;
  }
  constexpr void EndNode(std::size_t begin) {
    const std::size_t length = size_ - begin;
    if (length > 0xFFFF) {
      throw std::length_error("version block node longer than 65535 bytes");
    }
    if (out_ != nullptr) {
      out_[begin] = static_cast<std::uint8_t>(length);
      out_[begin + 1] = static_cast<std::uint8_t>(length >> 8);
    }
  }

  constexpr void WriteFixedInfo(const VersionBlockSource& source) {
    Dword(kFixedInfoSignature);
    Dword(kFixedInfoLayoutVersion);
    WriteVersion(source.file_version);
    WriteVersion(source.product_version);
    Dword(source.file_flags_mask);
    Dword(source.file_flags);
    Dword(source.file_os);
    Dword(source.file_type);
    Dword(source.file_subtype);
    Dword(0);  // no file date
    Dword(0);
  }
  constexpr void WriteVersion(const std::array<std::uint16_t, 4>& version) {
    Word(version[1]);
    Word(version[0]);
    Word(version[3]);
    Word(version[2]);
  }

  // The table's key names language and code page in hexadecimal, e.g.
  // "041404b0".
  static constexpr std::array<char, 8> TableKey(std::uint16_t language, std::uint16_t code_page) {
    constexpr std::string_view kDigits = "0123456789abcdef";
    const std::uint32_t both = (std::uint32_t{language} << 16) | code_page;
    std::array<char, 8> key{};
    for (std::size_t i = 0; i < key.size(); ++i) {
      key[i] = kDigits[(both >> (28 - 4 * i)) & 0xF];
    }
    return key;
  }

  // Decodes one UTF-8 sequence at `*at`; malformed bytes give U+FFFD.
  static constexpr char32_t NextCodePoint(std::string_view text, std::size_t* at) {
    const auto lead = static_cast<unsigned char>(text[(*at)++]);
    if (lead < 0x80) {
      return lead;
    }
    const std::size_t trail = lead >= 0xF0 ? 3 : lead >= 0xE0 ? 2 : lead >= 0xC0 ? 1 : 0;
    if (trail == 0 || text.size() - *at < trail) {
      return 0xFFFD;
    }
    char32_t code_point = lead & (0x3F >> trail);
    for (std::size_t i = 0; i < trail; ++i) {
      const auto next = static_cast<unsigned char>(text[(*at)++]);
      if ((next & 0xC0) != 0x80) {
        return 0xFFFD;
      }
      code_point = (code_point << 6) | (next & 0x3F);
    }
    return code_point > 0x10FFFF ? 0xFFFD : code_point;
  }

  // UTF-16 units of `text` with its terminator.
  static constexpr std::uint16_t Utf16Units(std::string_view text) {
    std::size_t units = 1;
    for (std::size_t at = 0; at < text.size();) {
      units += NextCodePoint(text, &at) >= 0x10000 ? 2 : 1;
    }
    if (units > 0xFFFF) {
      throw std::length_error("version text longer than 65535 units");
    }
    return static_cast<std::uint16_t>(units);
  }

  constexpr void WriteUtf16(std::string_view text) {
    for (std::size_t at = 0; at < text.size();) {
      const char32_t code_point = NextCodePoint(text, &at);
      if (code_point >= 0x10000) {
        Word(static_cast<std::uint16_t>(0xD800 + ((code_point - 0x10000) >> 10)));
        Word(static_cast<std::uint16_t>(0xDC00 + ((code_point - 0x10000) & 0x3FF)));
      } else {
        Word(static_cast<std::uint16_t>(code_point));
      }
    }
    Word(0);
  }

  std::uint8_t* out_;
  std::size_t size_ = 0;
};

inline std::vector<std::uint8_t> EncodeVersionBlock(const VersionBlockSource& source) {
  return EncodeToVector<VersionBlockWriter>(source);
}

}  // namespace quendral::os

#endif  // QUENDRAL_PLATFORM_OS_VERSION_BLOCK_WRITER_H_
