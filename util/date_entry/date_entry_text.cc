// Normalising and checking the text of a date field.
#include <cstring>
#include <string>

#include "util/date_entry/date_entry.h"
#include "util/dates/datetime.h"
#include "util/text/tokenizer.h"

namespace quendral::util {

namespace {

constexpr char kDateSeparators[] = "/.-";
constexpr std::size_t kShortestDateText = 6;
constexpr std::size_t kLongestDigitRun = 11;

bool HasSeparator(const std::string& text) {
  return TextTokenizer(text.c_str(), kDateSeparators, 0).GetCount() > 1;
}

bool IsDateCharacter(char c) {
  return (c >= '0' && c <= '9') || std::strchr(kDateSeparators, c) != nullptr;
}

}  // namespace

int NormaliseDateText(std::string& text) {
  const std::size_t length = text.size();
  if (length < kShortestDateText || length > kLongestDigitRun || HasSeparator(text)) {
    return 0;
  }
  const std::size_t year_length = length == kShortestDateText ? 2 : length - 4;
  text = text.substr(0, 2) + "/" + text.substr(2, 2) + "/" + text.substr(length - year_length);
  return 1;
}

int NormaliseDateText(char* buffer, std::size_t buffer_size) {
  const void* terminator = buffer != nullptr ? std::memchr(buffer, '\0', buffer_size) : nullptr;
  if (terminator == nullptr) {
    return 0;
  }
  std::string text(buffer);
  if (NormaliseDateText(text) == 0 || text.size() >= buffer_size) {
    return 0;
  }
  std::memcpy(buffer, text.c_str(), text.size() + 1);
  return 1;
}

// A run of digits is judged as the date it normalises to; the caller's text
// is never changed.
int IsValidDateText(const char* text) {
  std::string date(text != nullptr ? text : "");
  if (date.empty()) {
    return 1;
  }
  if (date.size() < kShortestDateText) {
    return 0;
  }
  for (const char c : date) {
    if (!IsDateCharacter(c)) {
      return 0;
    }
  }
  if (!HasSeparator(date) && NormaliseDateText(date) == 0) {
    return 0;
  }
  return DateTimeValue(date.c_str(), kMonthDayYear).IsValid();
}

}  // namespace quendral::util
