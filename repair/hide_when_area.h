// The hide-when rule over one formula area, wherever its bytes come from: a
// hide-when record's formula area (the rest of the record behind its fixed
// part) gets a compiled "always false" formula copied over its start. The
// area's length and its bytes behind the copy stay. The database repair, the
// whole-database run, the audit's prediction and the repair of exported rich
// text all go through NeutraliseHideWhenArea.
#ifndef QUENDRAL_REPAIR_HIDE_WHEN_AREA_H_
#define QUENDRAL_REPAIR_HIDE_WHEN_AREA_H_

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <string_view>

namespace quendral {

// Whose compiled formulas an area holds. The two differ on purpose:
// - kDatabaseRichText: the platform here compiled them and reads them back.
//   An area whose formula reads as empty text, or does not read at all, is
//   no formula and stays; the replacement is the platform's compiled "0".
// - kExportedRecords: exports carry the original platform's compiled form,
//   which is not read back here, so every area gets kCompiledFalse.
enum class HideWhenAreaSource : std::uint8_t {
  kDatabaseRichText,
  kExportedRecords,
};

// The original platform's compiled "0", as it stands in real exports: its
// own length (18), a zero word, the offset past its code (16), the
// number-constant code with the double 0.0, and the end code.
inline constexpr std::string_view kCompiledFalse{
    "\x12\x00\x00\x00\x10\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x03\x00", 18};

// What became of one formula area.
enum class AreaRepair : std::uint8_t {
  kOverwritten,     // the replacement was copied over its start
  kAlreadyNeutral,  // it started with the replacement already
  kTooShort,        // shorter than the replacement: left as it was
  kNoFormula,       // no formula with a text: left as it was
};

// The areas met before and what the rule made of them: a database holds few
// distinct ones, and most documents repeat them. Only areas whose outcome
// depends on their own bytes alone are remembered.
class HideWhenMemo {
 public:
  struct Outcome {
    std::string after;
    AreaRepair repair = AreaRepair::kOverwritten;
  };

  // The outcome remembered for `area` from `source`; null when none.
  const Outcome* Find(HideWhenAreaSource source, std::string_view area) const;
  void Remember(HideWhenAreaSource source, std::string before, Outcome outcome);

 private:
  using Outcomes = std::map<std::string, Outcome, std::less<>>;
  static constexpr std::size_t kSources = 2;

  std::array<Outcomes, kSources> remembered_;
};

// Neutralises the `length` bytes of the formula area at `area`, which come
// from `source`. `memo` may be null. For database rich text the formula is
// read through the platform, which may read on behind `length` to the end
// of the memory block `area` lies in; only areas holding a whole formula are
// remembered.
AreaRepair NeutraliseHideWhenArea(char* area, std::size_t length, HideWhenAreaSource source,
                                  HideWhenMemo* memo);

// Whether a hide-when formula given as text hides nothing and needs no
// repair: it is empty, or "0", apart from blanks around it.
bool IsNeutralHideWhenText(std::string_view text);

}  // namespace quendral

#endif  // QUENDRAL_REPAIR_HIDE_WHEN_AREA_H_
