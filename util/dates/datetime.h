// A Gregorian calendar date kept in two forms at once (year, month and day
// fields, and the Julian Day Number), plus a time of day read from the local
// clock. Parses and formats numeric date text in the orders of a format code.
#ifndef QUENDRAL_UTIL_DATES_DATETIME_H_
#define QUENDRAL_UTIL_DATES_DATETIME_H_

#include <string>

namespace quendral::util {

// Selects both the field order used when parsing and the form FormatDate
// writes. Codes 0-2 print a two-digit year (year - 1900 above 99).
enum DateFormatCode : int {
  kMonthDayShortYear = 0,  // "02/25/109"
  kDayMonthShortYear = 1,  // "25/02/109"
  kShortYearMonthDay = 2,  // "109/02/25"
  kMonthDayYear = 3,       // "02/25/2009"
  kDayMonthYear = 4,       // "25/02/2009"
  kYearMonthDay = 5,       // "2009/02/25"
};

// Fields are not range-checked when set: a value may hold an impossible date,
// and every reader asks IsValid first, yielding 0, null or nothing for it.
class DateTimeValue {
 public:
  // Years up to this one have a day number that fits in 32 bits; later years
  // are never valid.
  static constexpr int kMaxYear = 5874897;

  // Today's local date and the current time of day.
  explicit DateTimeValue(int format_code);
  // The date parsed from `text` in the field order of `format_code`; may be
  // invalid. A null text reads as empty.
  DateTimeValue(const char* text, int format_code);
  // The date of the day number `serial`.
  DateTimeValue(int serial, int format_code);
  // A full copy, time of day and text included; assignment copies less.
  DateTimeValue(const DateTimeValue& other) = default;

  // The virtual operations are declared in a fixed order: the table of them
  // is part of the class's binary interface.
  virtual ~DateTimeValue();
  virtual int ElapsedYears() const;
  virtual int DayOfWeek() const;
  virtual int IsValid() const;
  virtual int GetDay() const;
  virtual int GetMonth() const;
  virtual int GetYear() const;
  virtual void GetDate(int& month, int& day, int& year) const;
  virtual int GetHour() const;
  virtual int GetMinute() const;
  virtual int GetSecond() const;
  // Copies the FormatTime text as a bounded copy of `length` characters: a
  // shorter text is padded with zero bytes, a longer one is cut unterminated.
  virtual void FormatTimeToBuffer(char* buffer, int length, int mode);
  // "hh:mm:ss   AM" with mode 1, no suffix otherwise; re-reads the clock.
  virtual void FormatTime(std::string& out, int mode);
  virtual void FormatShortTimeToBuffer(char* buffer, int length, int mode);
  // "hh:mm AM" with mode 1, no suffix otherwise; re-reads the clock.
  virtual void FormatShortTime(std::string& out, int mode);
  // The low-level setters below change one form of the date only; the
  // operations that call them bring the other form in step.
  virtual int SetToday();
  virtual int SetFromText(const char* text);
  virtual int ParseDateText(const char* text, int& month, int& day, int& year) const;
  virtual int ComputeSerial() const;
  virtual int SerialFromDate(int month, int day, int year) const;
  virtual void ApplySerial();
  virtual void DateFromSerial(int& month, int& day, int& year) const;
  virtual void ClampDayToMonth();
  virtual void SetTimeNow();

  // The day number, 0 if invalid.
  int GetSerial() const;

  // Point into a buffer owned by this value that stays valid until the next
  // formatting call; null for an invalid date (or an unknown format code).
  const char* FormatDate();
  const char* FormatDateShortNames();  // "Wed Feb 25 2009"
  const char* FormatDateLongNames();   // "Wednesday February 25 2009"

  // Copies the date and format code unless the two already compare equal;
  // the time of day is never copied.
  DateTimeValue& operator=(const DateTimeValue& other);
  // Parses `text` in this value's own format code.
  DateTimeValue& operator=(const char* text);

  // True only when this value is valid and the relation holds between the
  // day numbers; the other operand's validity is not asked.
  bool operator<(const DateTimeValue& other) const;
  bool operator<=(const DateTimeValue& other) const;
  bool operator>(const DateTimeValue& other) const;
  bool operator>=(const DateTimeValue& other) const;
  bool operator==(const DateTimeValue& other) const;
  bool operator!=(const DateTimeValue& other) const;

  // The text is read in month, day, year order; false unless both this value
  // and the text's date are valid.
  bool operator<(const char* text) const;
  bool operator<=(const char* text) const;
  bool operator>(const char* text) const;
  bool operator>=(const char* text) const;
  bool operator==(const char* text) const;
  bool operator!=(const char* text) const;

  // Change a valid date in place and return it for chaining; an invalid one
  // is returned unchanged. A negative count works the other way round. A
  // result too far from year 0 for a 32-bit day number is refused.
  DateTimeValue& AddDays(int count);
  DateTimeValue& SubtractDays(int count);
  DateTimeValue& AddMonths(int count);
  DateTimeValue& SubtractMonths(int count);
  DateTimeValue& AddYears(int count);
  DateTimeValue& SubtractYears(int count);

 private:
  void FillTimeText(std::string& out, int mode, bool with_seconds);
  void CopyTimeText(char* buffer, int length, int mode, bool with_seconds);
  const char* FormatNamed(const char* const* day_names, const char* const* month_names);
  bool Relates(int other_serial, bool (*holds)(int, int)) const;
  bool RelatesToText(const char* text, bool (*holds)(int, int)) const;
  void MoveSerial(long long count);
  void MoveMonths(long long count);
  void MoveTo(long long year, int month);

  int year_ = 0;
  int month_ = 0;
  int day_ = 0;
  int serial_ = 0;
  int format_code_ = kMonthDayYear;
  std::string text_;
  int hour12_ = 0;
  int minute_ = 0;
  int second_ = 0;
  int after_noon_ = 0;
};

}  // namespace quendral::util

#endif  // QUENDRAL_UTIL_DATES_DATETIME_H_
