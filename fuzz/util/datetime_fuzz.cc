// Arbitrary date texts in every format code, read as a date value and as a
// date field's text. Beyond memory safety it checks what must always hold: a
// valid date keeps its month in 1-12 through month arithmetic, and its text
// in a four-digit-year form reads back as the same day number.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

#include "util/date_entry/date_entry.h"
#include "util/dates/datetime.h"

namespace {

using quendral::util::DateTimeValue;

void Check(bool holds) {
  if (!holds) {
    __builtin_trap();
  }
}

// Codes 3-5 print the whole year; years below 100 read back in the 1900s.
void CheckTextReadsBack(DateTimeValue& date, int format_code) {
  if (format_code < quendral::util::kMonthDayYear || format_code > quendral::util::kYearMonthDay ||
      date.GetYear() < 100) {
    return;
  }
  const std::string text = date.FormatDate();
  Check(DateTimeValue(text.c_str(), format_code).GetSerial() == date.GetSerial());
}

void CheckArithmetic(DateTimeValue date, int count) {
  date.AddMonths(count).SubtractYears(count).AddDays(count);
  if (date.IsValid() != 0) {
    Check(date.GetMonth() >= 1 && date.GetMonth() <= 12);
    Check(date.ComputeSerial() == date.GetSerial());
  }
}

void CheckDateField(std::string text) {
  quendral::util::IsValidDateText(text.c_str());
  char buffer[16] = {};
  std::strncpy(buffer, text.c_str(), sizeof buffer - 1);
  quendral::util::NormaliseDateText(buffer, sizeof buffer);
  Check(std::memchr(buffer, '\0', sizeof buffer) != nullptr);
  const std::string before = text;
  if (quendral::util::NormaliseDateText(text) != 0) {
    Check(text.size() == before.size() + 2);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 5) {
    return 0;
  }
  const int format_code = data[0] % 8;  // 6 and 7 are not format codes
  int count = 0;
  std::memcpy(&count, data + 1, sizeof count);
  const std::string text(reinterpret_cast<const char*>(data + 5), size - 5);

  DateTimeValue date(text.c_str(), format_code);
  if (date.IsValid() != 0) {
    Check(date.FormatDateShortNames() != nullptr && date.FormatDateLongNames() != nullptr);
    CheckTextReadsBack(date, format_code);
    CheckArithmetic(date, count);
    Check(DateTimeValue(date.GetSerial(), format_code).GetSerial() == date.GetSerial() ||
          date.GetYear() == 0);
  } else {
    Check(date.FormatDate() == nullptr && date.GetSerial() == 0);
  }
  (void)(date < text.c_str());
  CheckDateField(text.c_str());
  return 0;
}
