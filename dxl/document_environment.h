// What a hide-when formula sees when it is evaluated against a note of an
// export: the note's own items, read as the formula language reads a stored
// note's items (first item of the name; a field assigned during evaluation
// changes only this evaluation's copy), the user and the local clock.
#ifndef QUENDRAL_DXL_DOCUMENT_ENVIRONMENT_H_
#define QUENDRAL_DXL_DOCUMENT_ENVIRONMENT_H_

#include <optional>
#include <string>
#include <vector>

#include "dxl/export_walker.h"
#include "platform/notes/formula/formula.h"

namespace quendral::dxl {

class DocumentEnvironment : public platform::formula::Environment {
 public:
  DocumentEnvironment(const NoteFacts& note, std::vector<ItemValue> items, std::string user);

  bool HasNote() const override { return true; }
  std::optional<platform::formula::Value> ReadField(std::string_view name) const override;
  void WriteField(std::string_view name, const platform::formula::Value& value) override;
  std::optional<platform::formula::DateTime> Created() const override;
  std::optional<platform::formula::DateTime> Modified() const override;
  std::string DocumentUniqueId() const override { return unid_; }
  std::string UserName() const override { return user_; }
  std::vector<std::string> UserRoles() const override { return {}; }
  platform::formula::DateTime Now() const override;

 private:
  std::vector<ItemValue> items_;
  std::string user_, unid_, created_, modified_;
};

// Whether the hide-when `formula` hides its paragraphs from `user` in the
// note: it gives a true condition. Nothing, with the reason in `reason`,
// when it does not compile or cannot be evaluated here.
std::optional<bool> FormulaHides(const std::string& formula, const NoteFacts& note,
                                 const std::vector<ItemValue>& items, const std::string& user,
                                 std::string* reason);

}  // namespace quendral::dxl

#endif  // QUENDRAL_DXL_DOCUMENT_ENVIRONMENT_H_
