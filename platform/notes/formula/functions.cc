#include "platform/notes/formula/functions.h"

#include <array>

#include "platform/base/ascii.h"
#include "platform/notes/formula/builtins.h"

namespace quendral::platform::formula {
namespace {

constexpr int kUnbounded = 0xFFFF;
constexpr auto kCounted = FunctionInfo::Arguments::kCounted;

// Compiled formulas name a function by its index here: new functions go at
// the end and none may move.
constexpr std::array<FunctionInfo, 181> kFunctions = {{
    {"@Now", 0, 2, kCounted, EvaluateNow},
    {"@Today", 0, 0, kCounted, EvaluateToday},
    {"@All", 0, 0, kCounted, EvaluateTrue},
    {"@True", 0, 0, kCounted, EvaluateTrue},
    {"@False", 0, 0, kCounted, EvaluateFalse},
    {"@If", 3, kUnbounded, FunctionInfo::Arguments::kOddCount, EvaluateIf},
    {"@Text", 1, 2, kCounted, EvaluateText},
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
    {"@UserName", 0, 1, kCounted, EvaluateUserName},
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
    {"@LeftBack", 2, 2, kCounted, EvaluateLeftBack},
    {"@RightBack", 2, 2, kCounted, EvaluateRightBack},
    {"@Middle", 3, 3, kCounted, EvaluateMiddle},
    {"@MiddleBack", 3, 3, kCounted, EvaluateMiddleBack},
    {"@Begins", 2, 2, kCounted, EvaluateBegins},
    {"@Ends", 2, 2, kCounted, EvaluateEnds},
    {"@ReplaceSubstring", 3, 3, kCounted, EvaluateReplaceSubstring},
    {"@ProperCase", 1, 1, kCounted, EvaluateProperCase},
    {"@Repeat", 2, 3, kCounted, EvaluateRepeat},
    {"@NewLine", 0, 0, kCounted, EvaluateNewLine},
    {"@Char", 1, 1, kCounted, EvaluateChar},
    {"@Word", 3, 3, kCounted, EvaluateWord},
    {"@TextToTime", 1, 1, kCounted, EvaluateTextToTime},
    {"@Like", 2, 3, kCounted, EvaluateLike},
    {"@Matches", 2, 2, kCounted, EvaluateMatches},
    {"@Member", 2, 2, kCounted, EvaluateMember},
    {"@Unique", 0, 1, kCounted, EvaluateUnique},
    {"@Sort", 1, 3, kCounted, EvaluateSort},
    {"@Replace", 3, 3, kCounted, EvaluateReplace},
    {"@Keywords", 2, 3, kCounted, EvaluateKeywords},
    {"@Transform", 3, 3, kCounted, EvaluateTransform},
    {"@Nothing", 0, 0, kCounted, EvaluateNothing},
    {"@Count", 1, 1, kCounted, EvaluateCount},
    {"@Abs", 1, 1, kCounted, EvaluateAbs},
    {"@Sign", 1, 1, kCounted, EvaluateSign},
    {"@Integer", 1, 1, kCounted, EvaluateInteger},
    {"@Round", 1, 2, kCounted, EvaluateRound},
    {"@Modulo", 2, 2, kCounted, EvaluateModulo},
    {"@Power", 2, 2, kCounted, EvaluatePower},
    {"@Sqrt", 1, 1, kCounted, EvaluateSqrt},
    {"@Max", 1, 2, kCounted, EvaluateMax},
    {"@Min", 1, 2, kCounted, EvaluateMin},
    {"@Random", 0, 0, kCounted, EvaluateRandom},
    {"@Pi", 0, 0, kCounted, EvaluatePi},
    {"@Sin", 1, 1, kCounted, EvaluateSin},
    {"@Cos", 1, 1, kCounted, EvaluateCos},
    {"@Tan", 1, 1, kCounted, EvaluateTan},
    {"@ASin", 1, 1, kCounted, EvaluateASin},
    {"@ACos", 1, 1, kCounted, EvaluateACos},
    {"@ATan", 1, 1, kCounted, EvaluateATan},
    {"@ATan2", 2, 2, kCounted, EvaluateATan2},
    {"@Exp", 1, 1, kCounted, EvaluateExp},
    {"@Log", 1, 1, kCounted, EvaluateLog},
    {"@Ln", 1, 1, kCounted, EvaluateLn},
    {"@Date", 1, 6, kCounted, EvaluateDate},
    {"@Time", 1, 6, kCounted, EvaluateTime},
    {"@Adjust", 7, 8, kCounted, EvaluateAdjust},
    {"@Hour", 1, 1, kCounted, EvaluateHour},
    {"@Minute", 1, 1, kCounted, EvaluateMinute},
    {"@Second", 1, 1, kCounted, EvaluateSecond},
    {"@Weekday", 1, 1, kCounted, EvaluateWeekday},
    {"@BusinessDays", 2, 4, kCounted, EvaluateBusinessDays},
    {"@Tomorrow", 0, 0, kCounted, EvaluateTomorrow},
    {"@Yesterday", 0, 0, kCounted, EvaluateYesterday},
    {"@Yes", 0, 0, kCounted, EvaluateTrue},
    {"@No", 0, 0, kCounted, EvaluateFalse},
    {"@Do", 1, kUnbounded, kCounted, EvaluateDo},
    {"@For", 4, kUnbounded, kCounted, EvaluateFor},
    {"@While", 2, kUnbounded, kCounted, EvaluateWhile},
    {"@DoWhile", 2, kUnbounded, kCounted, EvaluateDoWhile},
    {"@Return", 1, 1, kCounted, EvaluateReturn},
    {"@IfError", 1, 2, kCounted, EvaluateIfError},
    {"@IsError", 1, 1, kCounted, EvaluateIsError},
    {"@Error", 0, 0, kCounted, EvaluateError},
    {"@Success", 0, 0, kCounted, EvaluateSuccess},
    {"@Failure", 1, 1, kCounted, EvaluateFailure},
    {"@Set", 2, 2, kCounted, EvaluateSet},
    {"@SetField", 2, 2, kCounted, EvaluateSetField},
    {"@GetField", 1, 1, kCounted, EvaluateGetField},
    {"@Eval", 1, 1, kCounted, EvaluateEval},
    {"@IsText", 1, 1, kCounted, EvaluateIsText},
    {"@IsNumber", 1, 1, kCounted, EvaluateIsNumber},
    {"@IsTime", 1, 1, kCounted, EvaluateIsTime},
    {"@IsList", 1, 1, kCounted, EvaluateIsList},
    {"@IsNull", 1, 1, kCounted, EvaluateIsNull},
    {"@Name", 2, 2, kCounted, EvaluateName},
    {"@UserNamesList", 0, 0, kCounted, EvaluateUserNamesList},
    {"@IsNewDoc", 0, 0, kCounted, EvaluateStoredNoteState},
    {"@IsDocBeingEdited", 0, 0, kCounted, EvaluateStoredNoteState},
    {"@IsDocBeingSaved", 0, 0, kCounted, EvaluateStoredNoteState},
    {"@IsDocBeingMailed", 0, 0, kCounted, EvaluateStoredNoteState},
    {"@IsResponseDoc", 0, 0, kCounted, EvaluateIsResponseDoc},
    {"@NoteID", 0, 0, kCounted, EvaluateNoteId},
    {"@Accessed", 0, 0, kCounted, EvaluateAccessed},
    {"@Author", 0, 0, kCounted, EvaluateAuthor},
    {"@DocLength", 0, 0, kCounted, EvaluateDocLength},
    {"@Attachments", 0, 1, kCounted, EvaluateAttachments},
    {"@AttachmentNames", 0, 1, kCounted, EvaluateAttachmentNames},
    {"@DbName", 0, 0, kCounted, EvaluateDbName},
    {"@ReplicaID", 0, 0, kCounted, EvaluateReplicaId},
    {"@DbTitle", 0, 0, kCounted, EvaluateDbTitle},
    {"@Subject", 0, 2, kCounted, EvaluateSubject},
    {"@UserAccess", 1, 2, kCounted, EvaluateUserAccess},
    {"@V4UserAccess", 1, 1, kCounted, EvaluateV4UserAccess},
    {"@GetProfileField", 2, 3, kCounted, EvaluateGetProfileField},
    {"@Environment", 1, 2, kCounted, EvaluateEnvironment},
    {"@ClientType", 0, 0, kCounted, EvaluateClientType},
    {"@Platform", 0, 1, kCounted, EvaluatePlatform},
    {"@Version", 0, 0, kCounted, EvaluateVersion},
    {"@DbColumn", 0, kUnbounded, kCounted, EvaluateNeedsView},
    {"@DbLookup", 0, kUnbounded, kCounted, EvaluateNeedsView},
    {"@DbCommand", 0, kUnbounded, kCounted, EvaluateNeedsView},
    {"@DocNumber", 0, kUnbounded, kCounted, EvaluateNeedsView},
    {"@DocChildren", 0, kUnbounded, kCounted, EvaluateNeedsView},
    {"@DocDescendants", 0, kUnbounded, kCounted, EvaluateNeedsView},
    {"@DocLevel", 0, kUnbounded, kCounted, EvaluateNeedsView},
    {"@DocParentNumber", 0, kUnbounded, kCounted, EvaluateNeedsView},
    {"@DocSiblings", 0, kUnbounded, kCounted, EvaluateNeedsView},
    {"@IsCategory", 0, kUnbounded, kCounted, EvaluateNeedsView},
    {"@IsExpandable", 0, kUnbounded, kCounted, EvaluateNeedsView},
    {"@Responses", 0, kUnbounded, kCounted, EvaluateNeedsView},
    {"@ViewTitle", 0, kUnbounded, kCounted, EvaluateNeedsView},
    {"@AllChildren", 0, kUnbounded, kCounted, EvaluateNeedsView},
    {"@AllDescendants", 0, kUnbounded, kCounted, EvaluateNeedsView},
    {"@GetDocField", 0, kUnbounded, kCounted, EvaluateNeedsDatabase},
    {"@SetDocField", 0, kUnbounded, kCounted, EvaluateNeedsDatabase},
    {"@DbManager", 0, kUnbounded, kCounted, EvaluateNeedsDatabase},
    {"@DbExists", 0, kUnbounded, kCounted, EvaluateNeedsDatabase},
    {"@MailSend", 0, kUnbounded, kCounted, EvaluateNeedsMail},
    {"@MailDbName", 0, kUnbounded, kCounted, EvaluateNeedsMail},
    {"@MailEncryptSavedPreference", 0, kUnbounded, kCounted, EvaluateNeedsMail},
    {"@MailEncryptSentPreference", 0, kUnbounded, kCounted, EvaluateNeedsMail},
    {"@MailSavePreference", 0, kUnbounded, kCounted, EvaluateNeedsMail},
    {"@MailSignPreference", 0, kUnbounded, kCounted, EvaluateNeedsMail},
    {"@OptimizeMailAddress", 0, kUnbounded, kCounted, EvaluateNeedsMail},
    {"@NameLookup", 0, kUnbounded, kCounted, EvaluateNeedsDirectory},
    {"@Certificate", 0, kUnbounded, kCounted, EvaluateNeedsDirectory},
    {"@GetAddressBooks", 0, kUnbounded, kCounted, EvaluateNeedsDirectory},
    {"@LDAPServer", 0, kUnbounded, kCounted, EvaluateNeedsDirectory},
    {"@Command", 0, kUnbounded, kCounted, EvaluateNeedsClient},
    {"@PostedCommand", 0, kUnbounded, kCounted, EvaluateNeedsClient},
    {"@Prompt", 0, kUnbounded, kCounted, EvaluateNeedsClient},
    {"@PickList", 0, kUnbounded, kCounted, EvaluateNeedsClient},
    {"@DialogBox", 0, kUnbounded, kCounted, EvaluateNeedsClient},
    {"@UpdateFormulaContext", 0, kUnbounded, kCounted, EvaluateNeedsClient},
    {"@URLOpen", 0, kUnbounded, kCounted, EvaluateNeedsClient},
    {"@SetTargetFrame", 0, kUnbounded, kCounted, EvaluateNeedsClient},
    {"@IsModalHelp", 0, kUnbounded, kCounted, EvaluateNeedsClient},
    {"@InViewEdit", 0, kUnbounded, kCounted, EvaluateNeedsClient},
    {"@SetViewInfo", 0, kUnbounded, kCounted, EvaluateNeedsClient},
    {"@ThisName", 0, kUnbounded, kCounted, EvaluateNeedsClient},
    {"@ThisValue", 0, kUnbounded, kCounted, EvaluateNeedsClient},
    {"@GetFocusTable", 0, kUnbounded, kCounted, EvaluateNeedsClient},
    {"@StatusBar", 0, kUnbounded, kCounted, EvaluateNeedsClient},
    {"@SetEnvironment", 0, kUnbounded, kCounted, EvaluateNeedsClient},
    {"@Zone", 0, 1, kCounted, EvaluateZone},
    {"@TimeZoneToText", 1, 2, kCounted, EvaluateTimeZoneToText},
    {"@TimeToTextInZone", 2, 3, kCounted, EvaluateTimeToTextInZone},
    {"@Unicode", 1, 1, kCounted, EvaluateUnicode},
}};

}  // namespace

std::span<const FunctionInfo> Functions() { return kFunctions; }

int FindFunction(std::string_view name) {
  for (std::size_t i = 0; i < kFunctions.size(); ++i) {
    if (base::EqualsIgnoringAsciiCase(kFunctions[i].name, name)) {
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
