// LNString: the object API's 8-bit text, compared byte by byte.
#ifndef QUENDRAL_PLATFORM_NOTES_API_LN_STRING_H_
#define QUENDRAL_PLATFORM_NOTES_API_LN_STRING_H_

#include <compare>
#include <cstddef>
#include <string>
#include <string_view>

class LNString {
 public:
  LNString() = default;
  LNString(const char* text);  // NOLINT(google-explicit-constructor): texts convert freely
  LNString(const char* text, std::size_t length);
  LNString(std::string text);       // NOLINT(google-explicit-constructor)
  LNString(std::string_view text);  // NOLINT(google-explicit-constructor)

  // Zero-terminated; never nullptr.
  const char* GetTextPtr() const { return text_.c_str(); }
  std::size_t GetByteLength() const { return text_.size(); }
  bool IsNull() const { return text_.empty(); }
  const std::string& GetString() const { return text_; }
  std::string_view View() const { return text_; }

  LNString& Append(std::string_view text);

  bool operator==(const LNString&) const = default;
  auto operator<=>(const LNString&) const = default;

 private:
  std::string text_;
};

// Byte-wise comparison: negative, zero or positive. `options` is accepted for
// compatibility; 0 is the only one there is.
int LNStringCompare(const LNString& left, const LNString& right, int options = 0);

#endif  // QUENDRAL_PLATFORM_NOTES_API_LN_STRING_H_
