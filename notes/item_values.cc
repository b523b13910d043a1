#include "notes/item_values.h"

#include <cstdlib>
#include <limits>

#include "notes/thrown_status.h"
#include "platform/os/code_page.h"

namespace quendral {
namespace {

constexpr char kValueSeparator[] = ";";

std::int32_t ReadInto(const LNNote& note, const char* name, std::string* output) {
  if (output == nullptr) {
    return 0;
  }
  output->clear();
  try {
    LNItem item;
    ThrowIfFailed(note.GetItem(name == nullptr ? "" : name, &item));
    *output = NotesTextToNative(JoinedItemText(item));
  } catch (LNSTATUS) {
    output->clear();
  }
  return static_cast<std::int32_t>(output->size());
}

std::int32_t ParseInteger(const std::string& text) {
  // strtoll reads what atoi reads, and says where the value overflows.
  const long long value = std::strtoll(text.c_str(), nullptr, 10);
  if (value > std::numeric_limits<std::int32_t>::max()) {
    return std::numeric_limits<std::int32_t>::max();
  }
  if (value < std::numeric_limits<std::int32_t>::min()) {
    return std::numeric_limits<std::int32_t>::min();
  }
  return static_cast<std::int32_t>(value);
}

void CreateItemFrom(LNNote& note, const char* name, const LNItem& value) {
  LNItem created;
  ThrowIfFailed(note.CreateItem(name == nullptr ? "" : name, value, kCreatedItemFlag,
                                platform::kItemOptionReplace, &created));
}

}  // namespace

LNString JoinedItemText(const LNItem& item) {
  LNString text;
  switch (item.GetType()) {
    case platform::kTypeTextList:
      ThrowIfFailed(LNText(item).GetText(&text, kValueSeparator));
      break;
    case platform::kTypeTimeList:
      ThrowIfFailed(LNDatetimes(item).GetText(&text, kValueSeparator));
      break;
    case platform::kTypeNumberList:
      ThrowIfFailed(LNNumbers(item).GetText(&text, kValueSeparator));
      break;
    case platform::kTypeCompositeText:
      ThrowIfFailed(LNRichText(item).GetText(&text));
      break;
    default:
      break;
  }
  return text;
}

std::string NotesTextToNative(const LNString& text) {
  std::string native = text.GetString();
  os::OemToAnsi(&native);
  // The yen and cent signs stand for the capital and small O with stroke,
  // which sit at their places in the Danish and Norwegian OEM code page.
  for (char& c : native) {
    if (c == '\xA5') {
      c = '\xD8';
    } else if (c == '\xA2') {
      c = '\xF8';
    }
  }
  return native;
}

std::int32_t ReadItemText(const LNNote& note, std::string* output, const char* name) {
  return ReadInto(note, name, output);
}

std::int32_t ReadItemText(const LNNote& note, const char* name, std::string* output) {
  return ReadInto(note, name, output);
}

std::int32_t ReadItemInteger(const LNNote& note, const char* name, std::int32_t* value) {
  std::string text;
  const std::int32_t result = ReadInto(note, name, &text) != 0 ? ParseInteger(text) : 0;
  if (value != nullptr) {
    *value = result;
  }
  return result;
}

void CreateTextItem(LNNote& note, const char* name, const char* value) {
  try {
    LNText text;
    ThrowIfFailed(text.SetValue(value == nullptr ? "" : value, 1));
    CreateItemFrom(note, name, text);
  } catch (LNSTATUS) {
    // A helper that cannot fail loudly: the item is simply not made.
  }
}

void CreateNumberItem(LNNote& note, const char* name, std::int32_t value) {
  try {
    LNNumbers numbers;
    ThrowIfFailed(numbers.Insert(numbers.GetCount(), static_cast<double>(value)));
    CreateItemFrom(note, name, numbers);
  } catch (LNSTATUS) {
    // As above.
  }
}

}  // namespace quendral
