// LNDatetime: one local date and time, to the second.
#ifndef QUENDRAL_PLATFORM_NOTES_API_LN_DATETIME_H_
#define QUENDRAL_PLATFORM_NOTES_API_LN_DATETIME_H_

#include "platform/notes/api/ln_string.h"
#include "platform/notes/formula/value.h"
#include "platform/notes/vocabulary/types.h"

class LNDatetime {
 public:
  LNDatetime() = default;
  explicit LNDatetime(quendral::platform::formula::DateTime time) : time_(time) {}
  explicit LNDatetime(const TIMEDATE& timedate);

  int GetYear() const;
  int GetMonth() const;  // 1-12
  int GetDay() const;
  int GetHour() const;  // 0-23
  int GetMinute() const;
  int GetSecond() const;

  quendral::platform::formula::DateTime GetDateTime() const { return time_; }
  TIMEDATE GetTimedate() const;
  // "YYYY-MM-DDTHH:MM:SS".
  LNString GetText() const;

  bool operator==(const LNDatetime&) const = default;

 private:
  quendral::platform::formula::DateTime time_{};
};

#endif  // QUENDRAL_PLATFORM_NOTES_API_LN_DATETIME_H_
