#include "notes/item_assignment.h"

#include <optional>
#include <string>
#include <vector>

#include "notes/forgiving_items.h"
#include "notes/status_text.h"
#include "notes/thrown_status.h"
#include "util/text/split.h"
#include "util/text/text.h"

namespace quendral {
namespace {

constexpr ItemKind kDefaultKind{platform::kTypeTimeList, kCreatedItemFlag};

struct TypeWordRow {
  const char* word;
  ItemKind kind;
};

constexpr TypeWordRow kTypeWords[] = {
    {"TEXT", {platform::kTypeTextList, kCreatedItemFlag}},
    {"NUMBER", {platform::kTypeNumberList, kCreatedItemFlag}},
    {"DATETIME", {platform::kTypeTimeList, kCreatedItemFlag}},
    {"READERS",
     {platform::kTypeTextList,
      kCreatedItemFlag | platform::kItemFlagNames | platform::kItemFlagReaders}},
    {"AUTHORS",
     {platform::kTypeTextList,
      kCreatedItemFlag | platform::kItemFlagNames | platform::kItemFlagAuthors}},
};

constexpr char kDefaultValueFormula[] = "@Now";
// The evaluation word the object API is handed; its result is not used.
constexpr std::uint16_t kEvaluationWord = 4;

std::string TextOrEmpty(const char* text) { return text == nullptr ? std::string() : text; }

// Creates the empty item when the note lacks it and stores the note, all
// with statuses returned and ignored: the formula acts on the note as it is.
void CreateIfMissing(LNNote& note, const std::string& name, const char* type_word) {
  LNSetThrowAllErrorsGlobal(0);
  LNItem item;
  if (note.GetItem(name, &item) != 0) {
    const ItemKind kind = ItemTypeWord(type_word);
    note.CreateItem(name, kind.type, nullptr, 0, kind.flags, platform::kItemOptionReplace);
    note.Save(0);
  }
  LNSetThrowAllErrorsGlobal(1);
}

// The item's values as one text, whatever its type; a failed lookup is
// thrown as its status.
LNString CurrentText(const LNNote& note, const std::string& name) {
  LNItem item;
  ThrowIfFailed(note.GetItem(name, &item));
  return JoinedItemText(item);
}

constexpr std::string_view kAssignmentEnd = ";SELECT @ALL";

std::string AssignmentFormula(const std::string& name, const std::string& value) {
  return "FIELD " + name + " := " + name + ";FIELD " + name + " := " + value +
         std::string(kAssignmentEnd);
}

// Why the assignment formula failed, placed in the value formula the caller
// wrote when it failed there.
std::string AssignmentFailure(const LNFormula& formula, const std::string& value) {
  const std::size_t start = formula.GetText().View().size() - kAssignmentEnd.size() - value.size();
  std::optional<std::size_t> position = formula.GetErrorPosition();
  if (*position >= start && *position < start + value.size()) {
    *position -= start;
  } else {
    position.reset();
  }
  return EvaluationFailureText(formula.GetErrorMessage().GetString(), position);
}

}  // namespace

ItemKind ItemTypeWord(const char* word) {
  const std::string_view text = word == nullptr ? std::string_view() : std::string_view(word);
  for (const TypeWordRow& row : kTypeWords) {
    if (text == row.word) {
      return row.kind;
    }
  }
  return kDefaultKind;
}

std::int32_t AssignItemByFormula(LNNote& note, const char* name, const char* type_word,
                                 const char* value_formula) {
  return AssignItemByFormula(note, name, type_word, value_formula, nullptr);
}

std::int32_t AssignItemByFormula(LNNote& note, const char* name, const char* type_word,
                                 const char* value_formula, std::string* failure) {
  const std::string item_name = TextOrEmpty(name);
  CreateIfMissing(note, item_name, type_word);

  std::string value = TextOrEmpty(value_formula);
  if (value.empty()) {
    value = kDefaultValueFormula;
  }
  LNFormula formula;
  if (formula.SetText(AssignmentFormula(item_name, value)) != 0) {
    return 0;
  }
  const LNString before = CurrentText(note, item_name);
  LNItem result;
  std::uint16_t word = kEvaluationWord;
  try {
    formula.Evaluate(&result, &note, &word);
  } catch (LNSTATUS) {
    if (failure != nullptr) {
      *failure = AssignmentFailure(formula, value);
    }
    throw;
  }
  const LNString after = CurrentText(note, item_name);
  if (LNStringCompare(after, before, 0) == 0) {
    return 0;
  }
  note.Save(0);
  return 1;
}

std::int32_t AssignItemFromRecord(LNNote& note, const char* delimiter, const char* record,
                                  std::int32_t value_index) {
  std::vector<std::string> fields;
  util::SplitDelimited(TextOrEmpty(record), TextOrEmpty(delimiter), &fields, true, false);
  for (std::string& field : fields) {
    util::TrimCharacterInString(field, &field, util::kTrimBoth, ' ');
  }
  if (value_index < 0 || fields.size() < static_cast<std::size_t>(value_index) + 3) {
    return 0;
  }
  return AssignItemByFormula(note, fields[0].c_str(), fields[1].c_str(),
                             fields[static_cast<std::size_t>(value_index) + 2].c_str());
}

}  // namespace quendral
