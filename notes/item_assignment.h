// Setting one item of a note to the result of a formula.
//
// The value is never written through the item classes: the item is assigned
// by a generated FIELD formula evaluated against the note, so that whatever
// the formula language computes (a constant, the current time, an
// expression over other fields) can be assigned.
#ifndef QUENDRAL_NOTES_ITEM_ASSIGNMENT_H_
#define QUENDRAL_NOTES_ITEM_ASSIGNMENT_H_

#include <cstdint>
#include <string>

#include "platform/notes/api/ln.h"

namespace quendral {

// The data type and item flags of an item made for a type word.
struct ItemKind {
  std::uint16_t type;
  std::uint16_t flags;
};

// The kind for `word`, compared exactly (case counts):
//   "TEXT"     text list       0x0008
//   "NUMBER"   number list     0x0008
//   "DATETIME" date-time list  0x0008
//   "READERS"  text list       0x0448 (readers and names)
//   "AUTHORS"  text list       0x0068 (authors and names)
// and a date-time list with 0x0008 for any other word, null or empty too.
ItemKind ItemTypeWord(const char* word);

// Sets the item `name` of the open `note` to the value of `value_formula`
// ("@Now" when null or empty) by evaluating
//   FIELD name := name;FIELD name := value;SELECT @ALL
// with both texts inserted as they are. When the note lacks the item, an
// empty one of the kind `type_word` selects is created first and the note
// saved at once (failures there are ignored); an existing item keeps its
// type and flags. The note is saved again, and 1 returned, only when the
// item's ";"-joined text changed; else 0.
//
// The platform's throw-all-errors mode is on when this returns, whatever it
// was before, and every status the platform throws after the item lookup
// (a formula that does not compile, a failed evaluation or save) leaves
// this function as a thrown LNSTATUS. A save made before it is not undone.
std::int32_t AssignItemByFormula(LNNote& note, const char* name, const char* type_word,
                                 const char* value_formula);
// As above; when the evaluation fails, `failure` receives why (see
// EvaluationFailureText) before its status is thrown.
std::int32_t AssignItemByFormula(LNNote& note, const char* name, const char* type_word,
                                 const char* value_formula, std::string* failure);

// AssignItemByFormula with the item name, type word and value formula taken
// from a `delimiter`-separated record: field 0 is the name, field 1 the
// type word, fields 2, 3, ... alternative value formulas, of which
// `value_index` (0 for the first) is used. Each field is cut at its first
// tab or line feed and stripped of blanks at both ends. 0, with the note
// untouched, when the record has no such value field.
std::int32_t AssignItemFromRecord(LNNote& note, const char* delimiter, const char* record,
                                  std::int32_t value_index);

}  // namespace quendral

#endif  // QUENDRAL_NOTES_ITEM_ASSIGNMENT_H_
