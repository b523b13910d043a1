// Evaluation of each @function. Each reads its arguments through the Call
// and leaves its value in `result`, or fails with a message.
#ifndef QUENDRAL_PLATFORM_NOTES_FORMULA_BUILTINS_H_
#define QUENDRAL_PLATFORM_NOTES_FORMULA_BUILTINS_H_

#include <cstddef>

#include "platform/notes/formula/value.h"

namespace quendral::platform::formula {

class Call;

// A count taken from a formula's number, from 0 to `limit`: negative counts
// and NaN give 0, fractions are cut off.
inline std::size_t ClampCount(double count, std::size_t limit) {
  if (!(count > 0)) {
    return 0;
  }
  if (count >= static_cast<double>(limit)) {
    return limit;
  }
  return static_cast<std::size_t>(count);
}

// Constants and conditions (builtins_logic.cc).
bool EvaluateTrue(Call& call, Value* result);
bool EvaluateFalse(Call& call, Value* result);
bool EvaluateIf(Call& call, Value* result);

// Texts (builtins_text.cc).
bool EvaluateCut(Call& call, Value* result);
bool EvaluateSide(Call& call, Value* result);
bool EvaluateMiddleOf(Call& call, Value* result);
bool EvaluateText(Call& call, Value* result);
bool EvaluateTextToNumber(Call& call, Value* result);
bool EvaluateTrim(Call& call, Value* result);
bool EvaluateUpperCase(Call& call, Value* result);
bool EvaluateLowerCase(Call& call, Value* result);
bool EvaluateProperCase(Call& call, Value* result);
bool EvaluateLeft(Call& call, Value* result);
bool EvaluateRight(Call& call, Value* result);
bool EvaluateLeftBack(Call& call, Value* result);
bool EvaluateRightBack(Call& call, Value* result);
bool EvaluateMiddle(Call& call, Value* result);
bool EvaluateMiddleBack(Call& call, Value* result);
bool EvaluateLength(Call& call, Value* result);
bool EvaluateContains(Call& call, Value* result);
bool EvaluateBegins(Call& call, Value* result);
bool EvaluateEnds(Call& call, Value* result);
bool EvaluateReplaceSubstring(Call& call, Value* result);
bool EvaluateRepeat(Call& call, Value* result);
bool EvaluateNewLine(Call& call, Value* result);
bool EvaluateChar(Call& call, Value* result);
bool EvaluateUnicode(Call& call, Value* result);
bool EvaluateWord(Call& call, Value* result);

// Pattern matching (builtins_pattern.cc).
bool EvaluateMatches(Call& call, Value* result);
bool EvaluateLike(Call& call, Value* result);

// Lists (builtins_list.cc).
bool EvaluateBoth(Call& call, Value* result);
bool EvaluateElements(Call& call, Value* result);
bool EvaluateIsMember(Call& call, Value* result);
bool EvaluateIsNotMember(Call& call, Value* result);
bool EvaluateImplode(Call& call, Value* result);
bool EvaluateExplode(Call& call, Value* result);
bool EvaluateSubset(Call& call, Value* result);
bool EvaluateSum(Call& call, Value* result);

// Lists: membership, order and transformation (builtins_list_more.cc).
bool EvaluateMember(Call& call, Value* result);
bool EvaluateUnique(Call& call, Value* result);
bool EvaluateSort(Call& call, Value* result);
bool EvaluateReplace(Call& call, Value* result);
bool EvaluateKeywords(Call& call, Value* result);
bool EvaluateTransform(Call& call, Value* result);
bool EvaluateNothing(Call& call, Value* result);
bool EvaluateCount(Call& call, Value* result);

// Numbers (builtins_number.cc).
bool EvaluateAbs(Call& call, Value* result);
bool EvaluateSign(Call& call, Value* result);
bool EvaluateInteger(Call& call, Value* result);
bool EvaluateRound(Call& call, Value* result);
bool EvaluateModulo(Call& call, Value* result);
bool EvaluatePower(Call& call, Value* result);
bool EvaluateSqrt(Call& call, Value* result);
bool EvaluateMax(Call& call, Value* result);
bool EvaluateMin(Call& call, Value* result);
bool EvaluateRandom(Call& call, Value* result);
bool EvaluatePi(Call& call, Value* result);
bool EvaluateSin(Call& call, Value* result);
bool EvaluateCos(Call& call, Value* result);
bool EvaluateTan(Call& call, Value* result);
bool EvaluateASin(Call& call, Value* result);
bool EvaluateACos(Call& call, Value* result);
bool EvaluateATan(Call& call, Value* result);
bool EvaluateATan2(Call& call, Value* result);
bool EvaluateExp(Call& call, Value* result);
bool EvaluateLog(Call& call, Value* result);
bool EvaluateLn(Call& call, Value* result);

// Dates, times and the clock (builtins_date.cc).
bool EvaluateParts(Call& call, Value* result);
bool EvaluateNow(Call& call, Value* result);
bool EvaluateToday(Call& call, Value* result);
bool EvaluateTomorrow(Call& call, Value* result);
bool EvaluateYesterday(Call& call, Value* result);
bool EvaluateYear(Call& call, Value* result);
bool EvaluateMonth(Call& call, Value* result);
bool EvaluateDay(Call& call, Value* result);
bool EvaluateHour(Call& call, Value* result);
bool EvaluateMinute(Call& call, Value* result);
bool EvaluateSecond(Call& call, Value* result);
bool EvaluateWeekday(Call& call, Value* result);
bool EvaluateDate(Call& call, Value* result);
bool EvaluateTime(Call& call, Value* result);
bool EvaluateAdjust(Call& call, Value* result);
bool EvaluateBusinessDays(Call& call, Value* result);
bool EvaluateTextToTime(Call& call, Value* result);

// Time zones (builtins_zone.cc).
bool EvaluateZone(Call& call, Value* result);
bool EvaluateTimeZoneToText(Call& call, Value* result);
bool EvaluateTimeToTextInZone(Call& call, Value* result);

// Flow, errors and assignment by function (builtins_flow.cc).
bool EvaluateSequence(Call& call, Value* result);
bool EvaluateDo(Call& call, Value* result);
bool EvaluateFor(Call& call, Value* result);
bool EvaluateWhile(Call& call, Value* result);
bool EvaluateDoWhile(Call& call, Value* result);
bool EvaluateReturn(Call& call, Value* result);
bool EvaluateIsError(Call& call, Value* result);
bool EvaluateIfError(Call& call, Value* result);
bool EvaluateError(Call& call, Value* result);
bool EvaluateSuccess(Call& call, Value* result);
bool EvaluateFailure(Call& call, Value* result);
bool EvaluateSet(Call& call, Value* result);
bool EvaluateSetField(Call& call, Value* result);
bool EvaluateGetField(Call& call, Value* result);
bool EvaluateEval(Call& call, Value* result);

// Type tests (builtins_type.cc).
bool EvaluateIsText(Call& call, Value* result);
bool EvaluateIsNumber(Call& call, Value* result);
bool EvaluateIsTime(Call& call, Value* result);
bool EvaluateIsList(Call& call, Value* result);
bool EvaluateIsNull(Call& call, Value* result);

// Names and the user (builtins_names.cc).
bool EvaluateName(Call& call, Value* result);
bool EvaluateUserName(Call& call, Value* result);
bool EvaluateUserRoles(Call& call, Value* result);
bool EvaluateUserNamesList(Call& call, Value* result);

// The note (builtins_note.cc).
bool EvaluateIsAvailable(Call& call, Value* result);
bool EvaluateIsUnavailable(Call& call, Value* result);
bool EvaluateCreated(Call& call, Value* result);
bool EvaluateModified(Call& call, Value* result);
bool EvaluateAccessed(Call& call, Value* result);
bool EvaluateDocumentUniqueId(Call& call, Value* result);
bool EvaluateNoteId(Call& call, Value* result);
bool EvaluateStoredNoteState(Call& call, Value* result);
bool EvaluateIsResponseDoc(Call& call, Value* result);
bool EvaluateAuthor(Call& call, Value* result);
bool EvaluateDocLength(Call& call, Value* result);
bool EvaluateAttachmentNames(Call& call, Value* result);
bool EvaluateAttachments(Call& call, Value* result);

// The database and the session (builtins_session.cc).
bool EvaluateDbName(Call& call, Value* result);
bool EvaluateReplicaId(Call& call, Value* result);
bool EvaluateDbTitle(Call& call, Value* result);
bool EvaluateSubject(Call& call, Value* result);
bool EvaluateUserAccess(Call& call, Value* result);
bool EvaluateV4UserAccess(Call& call, Value* result);
bool EvaluateGetProfileField(Call& call, Value* result);
bool EvaluateEnvironment(Call& call, Value* result);
bool EvaluateClientType(Call& call, Value* result);
bool EvaluatePlatform(Call& call, Value* result);
bool EvaluateVersion(Call& call, Value* result);

// What only the live platform knows (builtins_live.cc).
bool EvaluateNeedsView(Call& call, Value* result);
bool EvaluateNeedsDatabase(Call& call, Value* result);
bool EvaluateNeedsMail(Call& call, Value* result);
bool EvaluateNeedsDirectory(Call& call, Value* result);
bool EvaluateNeedsClient(Call& call, Value* result);

}  // namespace quendral::platform::formula

#endif  // QUENDRAL_PLATFORM_NOTES_FORMULA_BUILTINS_H_
