// LNDatetime: one date and time, to the second, on the local clock or on the
// clock of the zone it carries.
#ifndef QUENDRAL_PLATFORM_NOTES_API_LN_DATETIME_H_
#define QUENDRAL_PLATFORM_NOTES_API_LN_DATETIME_H_

#include "platform/notes/api/ln_string.h"
#include "platform/notes/formula/value.h"
#include "platform/notes/vocabulary/types.h"

class LNDatetime {
 public:
  LNDatetime() = default;
  explicit LNDatetime(quendral::platform::formula::DateTime time) : time_(time) {}
  // A stored pattern that is no date-time reads as 1970-01-01T00:00:00.
  explicit LNDatetime(const TIMEDATE& timedate);

  int GetYear() const;
  int GetMonth() const;  // 1-12
  int GetDay() const;
  int GetHour() const;  // 0-23
  int GetMinute() const;
  int GetSecond() const;

  quendral::platform::formula::DateTime GetDateTime() const { return time_; }
  // All zero bits for a time too far from 1970 to be stored.
  TIMEDATE GetTimedate() const;
  // "YYYY-MM-DDTHH:MM:SS", and the zone's offset when it carries one.
  LNString GetText() const;

  bool operator==(const LNDatetime&) const = default;

 private:
  quendral::platform::formula::DateTime time_{};
};

#endif  // QUENDRAL_PLATFORM_NOTES_API_LN_DATETIME_H_
