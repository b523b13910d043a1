#include "notes/name_and_date_text.h"

#include <vector>

#include "util/text/split.h"
#include "util/text/text.h"

namespace quendral {

std::string LastSlashSegment(const char* text) {
  const std::string whole = text == nullptr ? std::string() : text;
  std::vector<std::string> parts;
  util::SplitDelimited(whole, "/", &parts, false, true);
  return parts.empty() ? whole : parts.back();
}

std::string FormatNotesDatetimeText(const LNDatetime& time) {
  std::string text;
  util::FormatToString(&text, "%04ld-%02ld-%02ldT%02ld:%02ld:%02ld",
                       static_cast<long>(time.GetYear()), static_cast<long>(time.GetMonth()),
                       static_cast<long>(time.GetDay()), static_cast<long>(time.GetHour()),
                       static_cast<long>(time.GetMinute()), static_cast<long>(time.GetSecond()));
  return text;
}

}  // namespace quendral
