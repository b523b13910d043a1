#include "notes/profile_fields.h"

#include <cmath>
#include <limits>

#include "notes/thrown_status.h"

namespace quendral {
namespace {

constexpr std::int32_t kNoNumber = -1;

const char* TextOrEmpty(const char* text) { return text == nullptr ? "" : text; }

std::int32_t TruncateToInt32(double value) {
  if (std::isnan(value)) {
    return kNoNumber;
  }
  if (value >= static_cast<double>(std::numeric_limits<std::int32_t>::max())) {
    return std::numeric_limits<std::int32_t>::max();
  }
  if (value <= static_cast<double>(std::numeric_limits<std::int32_t>::min())) {
    return std::numeric_limits<std::int32_t>::min();
  }
  return static_cast<std::int32_t>(value);  // truncates toward zero
}

}  // namespace

std::int32_t ReadProfileText(const LNProfileDocument& profile, std::string* output,
                             const char* field) {
  if (output == nullptr) {
    return 0;
  }
  output->clear();
  try {
    LNText text;
    ThrowIfFailed(profile.GetProfileField(TextOrEmpty(field), &text));
    LNString joined;
    ThrowIfFailed(text.GetText(&joined, ";"));
    *output = joined.GetString();
  } catch (LNSTATUS) {
    output->clear();
  }
  return static_cast<std::int32_t>(output->size());
}

std::int32_t ReadProfileNumber(const LNProfileDocument& profile, const char* field) {
  try {
    LNNumbers numbers;
    ThrowIfFailed(profile.GetProfileField(TextOrEmpty(field), &numbers));
    // The view counts the values of any list, but has numbers only of these.
    const std::uint16_t type = numbers.GetType();
    if ((type != platform::kTypeNumberList && type != platform::kTypeNumber) ||
        numbers.GetCount() == 0) {
      return kNoNumber;
    }
    return TruncateToInt32(numbers[0]);
  } catch (LNSTATUS) {
    return kNoNumber;
  }
}

void WriteProfileText(LNProfileDocument& profile, const char* value, const char* field) {
  try {
    LNText text;
    ThrowIfFailed(text.SetValue(TextOrEmpty(value), 1));
    ThrowIfFailed(profile.SetProfileField(TextOrEmpty(field), text));
  } catch (LNSTATUS) {
    // A helper that cannot fail loudly: the field keeps what it had.
  }
}

void WriteProfileNumber(LNProfileDocument& profile, std::int32_t value, const char* field) {
  try {
    LNNumbers numbers;
    ThrowIfFailed(numbers.SetValue(static_cast<double>(value)));
    const LNItem item = numbers;
    ThrowIfFailed(profile.SetProfileField(TextOrEmpty(field), item));
  } catch (LNSTATUS) {
    // As above.
  }
}

}  // namespace quendral
