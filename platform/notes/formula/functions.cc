#include "platform/notes/formula/functions.h"

#include <array>

#include "platform/notes/formula/ascii.h"
#include "platform/notes/formula/builtins.h"

namespace quendral::platform::formula {
namespace {

constexpr int kUnbounded = 0xFFFF;
constexpr auto kCounted = FunctionInfo::Arguments::kCounted;

// Compiled formulas name a function by its index here: new functions go at
// the end and none may move.
constexpr std::array<FunctionInfo, 32> kFunctions = {{
    {"@Now", 0, 0, kCounted, EvaluateNow},
    {"@Today", 0, 0, kCounted, EvaluateToday},
    {"@All", 0, 0, kCounted, EvaluateTrue},
    {"@True", 0, 0, kCounted, EvaluateTrue},
    {"@False", 0, 0, kCounted, EvaluateFalse},
    {"@If", 3, kUnbounded, FunctionInfo::Arguments::kOddCount, EvaluateIf},
    {"@Text", 1, 1, kCounted, EvaluateText},
    {"@TextToNumber", 1, 1, kCounted, EvaluateTextToNumber},
    {"@Trim", 1, 1, kCounted, EvaluateTrim},
    {"@UpperCase", 1, 1, kCounted, EvaluateUpperCase},
    {"@LowerCase", 1, 1, kCounted, EvaluateLowerCase},
    {"@Left", 2, 2, kCounted, EvaluateLeft},
    {"@Right", 2, 2, kCounted, EvaluateRight},
    {"@Length", 1, 1, kCounted, EvaluateLength},
    {"@Elements", 1, 1, kCounted, EvaluateElements},
    {"@Contains", 2, 2, kCounted, EvaluateContains},
    {"@IsMember", 2, 2, kCounted, EvaluateIsMember},
    {"@IsNotMember", 2, 2, kCounted, EvaluateIsNotMember},
    {"@IsAvailable", 1, 1, FunctionInfo::Arguments::kFieldName, EvaluateIsAvailable},
    {"@IsUnavailable", 1, 1, FunctionInfo::Arguments::kFieldName, EvaluateIsUnavailable},
    {"@UserName", 0, 0, kCounted, EvaluateUserName},
    {"@UserRoles", 0, 0, kCounted, EvaluateUserRoles},
    {"@Implode", 1, 2, kCounted, EvaluateImplode},
    {"@Explode", 1, 3, kCounted, EvaluateExplode},
    {"@Subset", 2, 2, kCounted, EvaluateSubset},
    {"@Sum", 1, kUnbounded, kCounted, EvaluateSum},
    {"@Created", 0, 0, kCounted, EvaluateCreated},
    {"@Modified", 0, 0, kCounted, EvaluateModified},
    {"@DocumentUniqueID", 0, 0, kCounted, EvaluateDocumentUniqueId},
    {"@Year", 1, 1, kCounted, EvaluateYear},
    {"@Month", 1, 1, kCounted, EvaluateMonth},
    {"@Day", 1, 1, kCounted, EvaluateDay},
}};

}  // namespace

std::span<const FunctionInfo> Functions() { return kFunctions; }

int FindFunction(std::string_view name) {
  for (std::size_t i = 0; i < kFunctions.size(); ++i) {
    if (EqualsIgnoringCase(kFunctions[i].name, name)) {
      return static_cast<int>(i);
    }
  }
  return -1;
}

bool AcceptsArguments(const FunctionInfo& function, const std::vector<Node>& arguments) {
  const auto count = static_cast<int>(arguments.size());
  if (count < function.min_arguments || count > function.max_arguments) {
    return false;
  }
  switch (function.arguments) {
    case FunctionInfo::Arguments::kCounted:
      return true;
    case FunctionInfo::Arguments::kOddCount:
      return count % 2 == 1;
    case FunctionInfo::Arguments::kFieldName:
      return arguments.front().kind == Node::Kind::kName;
  }
  return false;
}

}  // namespace quendral::platform::formula
