// The operators of the formula language applied to values. Lists combine
// pair by pair; the shorter list's last element stands in for its missing
// ones.
#ifndef QUENDRAL_PLATFORM_NOTES_FORMULA_OPERATORS_H_
#define QUENDRAL_PLATFORM_NOTES_FORMULA_OPERATORS_H_

#include <string>

#include "platform/notes/formula/syntax.h"
#include "platform/notes/formula/value.h"

namespace quendral::platform::formula {

// Bytes a value occupies as counted against kMaxValueBytes.
std::size_t ValueBytes(const Value& value);
bool FitsValueLimits(std::size_t elements, std::size_t bytes);

// A condition holds when it is a number list with a non-zero element.
// False when the value is not a number list.
bool IsTrue(const Value& value, bool* truth);

// An error operand is the result. False with a message in `error` on a type mismatch, a division by
// zero or a result that would exceed the value limits.
bool ApplyOperator(Operator op, const Value& left, const Value& right, Value* result,
                   std::string* error);
bool ApplyNegate(const Value& operand, Value* result, std::string* error);
bool ApplyNot(const Value& operand, Value* result, std::string* error);

// A date-time moved by a number of seconds; false when it leaves the range
// of exactly representable seconds.
bool AddSeconds(DateTime time, double seconds, DateTime* result);

}  // namespace quendral::platform::formula

#endif  // QUENDRAL_PLATFORM_NOTES_FORMULA_OPERATORS_H_
