// The list views of items: texts, numbers and date-times.
#include <string>

#include "platform/notes/api/item_values.h"
#include "platform/notes/api/ln_internal.h"
#include "platform/notes/api/ln_item.h"
#include "platform/notes/api/ln_report.h"

namespace {

using quendral::platform::formula::Value;
using quendral::platform::formula::ValueKind;
using quendral::platform::internal::ItemBinding;
using quendral::platform::internal::Report;

LNSTATUS JoinedText(const ItemBinding& item, ValueKind kind, const char* separator,
                    LNString* text) {
  if (text == nullptr) {
    return Report(quendral::platform::kErrInvalidArgument);
  }
  Value list;
  quendral::platform::STATUS status = quendral::platform::internal::ReadList(item, kind, &list);
  std::string joined;
  if (status == quendral::platform::kNoError) {
    std::vector<std::string> texts = quendral::platform::formula::ValueAsTexts(list);
    for (std::size_t i = 0; i < texts.size(); ++i) {
      joined += (i == 0 || separator == nullptr ? "" : separator) + texts[i];
    }
  }
  *text = LNString(std::move(joined));
  return Report(status);
}

std::size_t CountOf(const ItemBinding& item) {
  quendral::platform::internal::ValueView view = quendral::platform::internal::View(item);
  Value list;
  if (!view.valid ||
      quendral::platform::values::DecodeFormulaValue(view.type, view.data, view.length, &list) !=
          quendral::platform::kNoError) {
    return 0;
  }
  return list.size();
}

// Reads the list, lets `change` edit it and writes it back.
template <typename Change>
LNSTATUS EditList(ItemBinding* item, ValueKind kind, Change change) {
  Value list;
  quendral::platform::STATUS status = quendral::platform::internal::ReadList(*item, kind, &list);
  if (status == quendral::platform::kNoError) {
    status = change(&list);
  }
  if (status == quendral::platform::kNoError) {
    status = quendral::platform::internal::WriteList(item, list);
  }
  return Report(status);
}

// Element `index` of the list, or a report of the missing one.
template <typename Element>
Element ElementOf(const ItemBinding& item, ValueKind kind, std::vector<Element> Value::*elements,
                  std::size_t index) {
  Value list;
  quendral::platform::STATUS status = quendral::platform::internal::ReadList(item, kind, &list);
  if (status == quendral::platform::kNoError && index >= (list.*elements).size()) {
    status = quendral::platform::kErrInvalidArgument;
  }
  Report(status);
  return status == quendral::platform::kNoError ? (list.*elements)[index] : Element{};
}

}  // namespace

LNText::LNText() : LNItem(quendral::platform::kTypeTextList) {}
LNText::LNText(const LNItem& item) { Share(item); }
LNText& LNText::operator=(const LNItem& item) {
  Share(item);
  return *this;
}

LNSTATUS LNText::GetText(LNString* text, const char* separator) const {
  return JoinedText(*binding_, ValueKind::kText, separator, text);
}

std::size_t LNText::GetCount() const { return CountOf(*binding_); }

LNString LNText::operator[](std::size_t index) const {
  return LNString(ElementOf(*binding_, ValueKind::kText, &Value::texts, index));
}

LNSTATUS LNText::SetValue(const LNString& value, int /*flag*/) {
  return Report(
      quendral::platform::internal::WriteList(binding_.get(), Value::Text(value.GetString())));
}

LNSTATUS LNText::Append(const LNString& value) {
  return EditList(binding_.get(), ValueKind::kText, [&](Value* list) {
    list->texts.push_back(value.GetString());
    return quendral::platform::kNoError;
  });
}

LNNumbers::LNNumbers() : LNItem(quendral::platform::kTypeNumberList) {}
LNNumbers::LNNumbers(const LNItem& item) { Share(item); }
LNNumbers& LNNumbers::operator=(const LNItem& item) {
  Share(item);
  return *this;
}

LNSTATUS LNNumbers::GetText(LNString* text, const char* separator) const {
  return JoinedText(*binding_, ValueKind::kNumber, separator, text);
}

std::size_t LNNumbers::GetCount() const { return CountOf(*binding_); }

double LNNumbers::operator[](std::size_t index) const {
  return ElementOf(*binding_, ValueKind::kNumber, &Value::numbers, index);
}

LNSTATUS LNNumbers::Insert(std::size_t position, double number) {
  return EditList(binding_.get(), ValueKind::kNumber, [&](Value* list) {
    if (position > list->numbers.size()) {
      return quendral::platform::STATUS{quendral::platform::kErrInvalidArgument};
    }
    list->numbers.insert(list->numbers.begin() + static_cast<std::ptrdiff_t>(position), number);
    return quendral::platform::STATUS{quendral::platform::kNoError};
  });
}

LNSTATUS LNNumbers::Append(double number) { return Insert(GetCount(), number); }

LNSTATUS LNNumbers::SetValue(double number) {
  return Report(quendral::platform::internal::WriteList(binding_.get(), Value::Number(number)));
}

LNDatetimes::LNDatetimes() : LNItem(quendral::platform::kTypeTimeList) {}
LNDatetimes::LNDatetimes(const LNItem& item) { Share(item); }
LNDatetimes& LNDatetimes::operator=(const LNItem& item) {
  Share(item);
  return *this;
}

LNSTATUS LNDatetimes::GetText(LNString* text, const char* separator) const {
  return JoinedText(*binding_, ValueKind::kDateTime, separator, text);
}

std::size_t LNDatetimes::GetCount() const { return CountOf(*binding_); }

LNDatetime LNDatetimes::operator[](std::size_t index) const {
  return LNDatetime(ElementOf(*binding_, ValueKind::kDateTime, &Value::datetimes, index));
}

LNSTATUS LNDatetimes::Append(const LNDatetime& time) {
  return EditList(binding_.get(), ValueKind::kDateTime, [&](Value* list) {
    list->datetimes.push_back(time.GetDateTime());
    return quendral::platform::kNoError;
  });
}

LNSTATUS LNDatetimes::SetValue(const LNDatetime& time) {
  return Report(
      quendral::platform::internal::WriteList(binding_.get(), Value::Time(time.GetDateTime())));
}
