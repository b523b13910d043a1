// The formula language: compilation to a self-delimiting byte form, the
// canonical text of a compiled formula, and evaluation with or without a note.
#ifndef QUENDRAL_PLATFORM_NOTES_FORMULA_FORMULA_H_
#define QUENDRAL_PLATFORM_NOTES_FORMULA_FORMULA_H_

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/notes/formula/access_list.h"
#include "platform/notes/formula/value.h"
#include "platform/notes/formula/zone.h"

namespace quendral::platform::formula {

// Bounds that keep every input safe to compile, decompile and evaluate.
inline constexpr std::size_t kMaxFormulaTextLength = 32 * 1024;
inline constexpr std::size_t kMaxCompiledLength = 0xFFFF;
inline constexpr int kMaxNestingDepth = 100;
// Bounds on every value that evaluation builds, so that no formula (lists
// doubled again and again, huge @Explode results) can exhaust memory.
inline constexpr std::size_t kMaxValueElements = 64 * 1024;
inline constexpr std::size_t kMaxValueBytes = 4 * 1024 * 1024;

// Whether two field or variable names are the same: the language ignores
// their case, wherever it reads or writes them.
bool SameFieldName(std::string_view a, std::string_view b);

// What a formula sees of the world: the note it runs against (if any), the
// user and the clock.
class Environment {
 public:
  virtual ~Environment() = default;

  virtual bool HasNote() const = 0;
  // The item's value, or nothing when the note has no such item (or no note).
  // Items are found by SameFieldName.
  virtual std::optional<Value> ReadField(std::string_view name) const = 0;
  // FIELD assignment: replaces the item found by SameFieldName, keeping its
  // name as stored; creates the item with the value's type when missing.
  virtual void WriteField(std::string_view name, const Value& value) = 0;
  virtual std::optional<DateTime> Created() const = 0;
  virtual std::optional<DateTime> Modified() const = 0;
  virtual std::string DocumentUniqueId() const = 0;  // 32 hex digits
  virtual std::string UserName() const = 0;
  virtual std::vector<std::string> UserRoles() const = 0;
  virtual DateTime Now() const = 0;

  // Facts beyond the note's items, for the environments that have them. An
  // environment that cannot tell gives nothing (false), and the function
  // that asks evaluates to an error saying so.
  struct Database {
    std::string server;      // "" for this machine
    std::string path;        // the file, as the session names it
    std::string replica_id;  // 16 hex digits
    std::string title;
  };
  // Whether the note has the item, of whatever type.
  virtual bool HasField(std::string_view name) const { return ReadField(name).has_value(); }
  virtual std::optional<std::string> NoteId() const { return std::nullopt; }  // hex digits
  virtual std::optional<DateTime> Accessed() const { return std::nullopt; }
  virtual std::optional<double> DocumentLength() const { return std::nullopt; }
  virtual std::optional<std::vector<std::string>> AttachmentNames() const { return std::nullopt; }
  virtual std::optional<Database> ThisDatabase() const { return std::nullopt; }
  // The entry of the database's access list that applies to the user.
  virtual std::optional<AccessEntry> UserAccess() const { return std::nullopt; }
  // The profile document's field (in `value`, "" when the profile or the
  // field is missing); `user` "" for the database's own profile.
  virtual bool ProfileField(std::string_view /*profile*/, std::string_view /*field*/,
                            std::string_view /*user*/, Value* /*value*/) const {
    return false;
  }
  // The operating system as @Platform names it ("Windows/64", "Linux").
  virtual std::optional<std::string> Platform() const { return std::nullopt; }
  // A value of the session's settings file ("" when it has none).
  virtual bool Setting(std::string_view /*name*/, std::string* /*value*/) const { return false; }
  // The zone of the local clock, by which times that carry no zone are
  // placed; GMT for an environment that does not know it.
  virtual ZoneRule LocalZoneRule() const { return ZoneRule{}; }
};

struct CompileError {
  std::size_t position = 0;  // byte offset into the formula text
  std::string message;
};

// Compiles `text`. On failure `compiled` is left empty and `error` (when
// given) says what is wrong and where.
bool Compile(std::string_view text, std::vector<std::uint8_t>* compiled, CompileError* error);

// The length a compiled formula at `data` claims for itself, or 0 when the
// bytes do not begin a compiled formula that fits within `available`.
std::size_t CompiledLength(const std::uint8_t* data, std::size_t available);

// The canonical text of the compiled formula at `data`; bytes behind its own
// length are ignored. False when the bytes are not a valid compiled formula.
bool Decompile(const std::uint8_t* data, std::size_t available, std::string* text);

struct EvaluationError {
  std::string message;
  // The failing expression, counted in the order its text begins (see
  // ExpressionPosition); nothing when the failure was no expression's.
  std::optional<std::size_t> expression;
  // Where the failing expression begins in the formula's canonical text
  // (Decompile); nothing when unknown.
  std::optional<std::size_t> position;
};

// Where the `expression`th expression (as counted in EvaluationError) begins
// in `text`, which must compile to the formula that failed; nothing when it
// does not compile or holds fewer expressions.
std::optional<std::size_t> ExpressionPosition(std::string_view text, std::size_t expression);

// Evaluates the compiled formula at `data`. A SELECT statement's value is the
// result; otherwise the last statement's value ("" when no statement has
// one). A field the note lacks, or that holds no value, reads as "". On failure `result` is
// untouched and `error` (when given) names the cause; FIELD assignments made before the failure
// stay made. `result` may be null when only the assignments matter.
bool Evaluate(const std::uint8_t* data, std::size_t available, Environment& environment,
              Value* result, EvaluationError* error);

struct Program;

// A compiled formula decoded once, for a reader that evaluates the same
// formula on many notes: evaluating it is Evaluate on its bytes without the
// decoding. Copies share the decoded form.
class DecodedFormula {
 public:
  // False, with `formula` left as it was, when the bytes are not a valid
  // compiled formula.
  static bool Decode(const std::uint8_t* data, std::size_t available, DecodedFormula* formula);

  // As Evaluate; false for a formula never decoded.
  bool Evaluate(Environment& environment, Value* result, EvaluationError* error) const;

 private:
  std::shared_ptr<const Program> program_;
};

}  // namespace quendral::platform::formula

#endif  // QUENDRAL_PLATFORM_NOTES_FORMULA_FORMULA_H_
