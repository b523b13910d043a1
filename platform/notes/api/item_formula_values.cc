// Formula values as item values and back.
#include "platform/notes/api/item_values.h"

namespace quendral::platform::values {

STATUS EncodeFormulaValue(const formula::Value& value, std::uint16_t* type, Bytes* bytes) {
  switch (value.kind) {
    case formula::ValueKind::kText:
      *type = kTypeTextList;
      return EncodeTextList(value.texts, bytes);
    case formula::ValueKind::kNumber:
      *type = kTypeNumberList;
      return EncodeNumberList(value.numbers, bytes);
    case formula::ValueKind::kDateTime:
      *type = kTypeTimeList;
      return EncodeTimeList(value.datetimes, bytes);
    case formula::ValueKind::kError:
      break;  // an error is no item value
  }
  return kErrItemValueInvalid;
}

STATUS DecodeFormulaValue(std::uint16_t type, const std::uint8_t* data, std::size_t length,
                          formula::Value* value) {
  switch (type) {
    case kTypeTextList:
      value->kind = formula::ValueKind::kText;
      return DecodeTextList(data, length, &value->texts);
    case kTypeNumber:
    case kTypeNumberList:
      value->kind = formula::ValueKind::kNumber;
      return DecodeNumbers(type, data, length, &value->numbers);
    case kTypeTimeList:
      value->kind = formula::ValueKind::kDateTime;
      return DecodeTimeList(data, length, &value->datetimes);
    default:
      return kErrItemTypeMismatch;
  }
}

}  // namespace quendral::platform::values
