// A deterministic environment for fuzzing evaluation: a field's kind
// follows the first letter of its name, so that fuzzed formulas meet texts,
// numbers, date-times and missing fields.
#ifndef QUENDRAL_FUZZ_PLATFORM_NOTES_FORMULA_FUZZ_ENVIRONMENT_H_
#define QUENDRAL_FUZZ_PLATFORM_NOTES_FORMULA_FUZZ_ENVIRONMENT_H_

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/notes/formula/formula.h"

namespace quendral::platform::formula::fuzzing {

class FuzzEnvironment : public Environment {
 public:
  bool HasNote() const override { return true; }
  std::optional<Value> ReadField(std::string_view name) const override {
    if (auto written = written_.find(std::string(name)); written != written_.end()) {
      return written->second;
    }
    switch (name.empty() ? ' ' : name.front()) {
      case 'T':
        return Value::Texts({"alpha", " beta ", "", "a,b;c d"});
      case 'N':
        return Value::Numbers({0, -1.5, 3, 1e300});
      case 'D':
        return Value::Times({DateTime{0}, DateTime{-62167219200}, DateTime{253402300799},
                             DateTime{1700000000, Zone{-945, true}}});
      default:
        return std::nullopt;
    }
  }
  void WriteField(std::string_view name, const Value& value) override {
    written_[std::string(name)] = value;
  }
  std::optional<DateTime> Created() const override { return DateTime{1000000000}; }
  std::optional<DateTime> Modified() const override { return std::nullopt; }
  std::string DocumentUniqueId() const override { return std::string(32, 'A'); }
  std::string UserName() const override { return "CN=Fuzz/O=Test"; }
  std::vector<std::string> UserRoles() const override { return {"[Admin]", "[Fuzz]"}; }
  DateTime Now() const override { return DateTime{1700000000}; }
  ZoneRule LocalZoneRule() const override {
    return ZoneRule{60, true, ZoneChange{3, -1, 1}, ZoneChange{10, -1, 1}, "", "Fuzz"};
  }
  std::optional<DateTime> Accessed() const override { return DateTime{1600000000}; }
  std::optional<std::vector<std::string>> AttachmentNames() const override {
    return std::vector<std::string>{"a.pdf", "b c.txt"};
  }
  std::optional<AccessEntry> UserAccess() const override {
    return AccessFor({{"*/O=Test", 4, kCreateDocuments | kReadPublicDocuments, {"[Fuzz]"}}},
                     UserName());
  }
  bool ProfileField(std::string_view profile, std::string_view field, std::string_view user,
                    Value* value) const override {
    std::optional<Value> read = ReadField(field);
    *value = profile.empty() || !user.empty() || !read ? Value::Text("") : std::move(*read);
    return true;
  }
  bool Setting(std::string_view name, std::string* value) const override {
    *value = std::string(name) + "=1";
    return true;
  }

 private:
  std::map<std::string, Value> written_;
};

}  // namespace quendral::platform::formula::fuzzing

#endif  // QUENDRAL_FUZZ_PLATFORM_NOTES_FORMULA_FUZZ_ENVIRONMENT_H_
