#include "platform/notes/image_formula.h"

#include <algorithm>

#include "platform/notes/item_values.h"
#include "platform/notes/ln_note.h"
#include "platform/notes/ln_universal_id.h"
#include "platform/notes/local_time.h"
#include "platform/notes/note_environment.h"

namespace quendral::platform {
namespace {

class ImageEnvironment : public formula::Environment {
 public:
  ImageEnvironment(const store::NoteHeader& header, std::vector<store::ItemImage>* items)
      : header_(header), items_(*items), session_(internal::CurrentSession()) {}

  bool HasNote() const override { return true; }

  std::optional<formula::Value> ReadField(std::string_view name) const override {
    const auto item = Find(name);
    if (item == items_.end()) return std::nullopt;
    return internal::FieldValue(item->type, item->value.data(), item->value.size());
  }

  void WriteField(std::string_view name, const formula::Value& value) override {
    std::uint16_t type = 0;
    values::Bytes bytes;
    const STATUS status = values::EncodeFormulaValue(value, &type, &bytes);
    if (status != kNoError) {
      if (write_status_ == kNoError) write_status_ = status;
      return;
    }
    const auto item = Find(name);
    if (item == items_.end()) {
      items_.push_back({std::string(name), type, kItemFlagSummary, std::move(bytes)});
    } else {
      item->type = type;
      item->value = std::move(bytes);
    }
  }

  std::optional<formula::DateTime> Created() const override { return header_.created; }
  std::optional<formula::DateTime> Modified() const override { return header_.modified; }
  std::string DocumentUniqueId() const override {
    return LNUniversalID::Format(header_.unid).GetString();
  }
  std::string UserName() const override { return session_ ? session_->UserName() : ""; }
  std::vector<std::string> UserRoles() const override {
    return session_ ? session_->UserRoles() : std::vector<std::string>();
  }
  formula::DateTime Now() const override { return internal::CurrentLocalTime(); }

  STATUS write_status() const { return write_status_; }

 private:
  std::vector<store::ItemImage>::iterator Find(std::string_view name) const {
    return std::find_if(items_.begin(), items_.end(),
                        [name](const store::ItemImage& item) { return item.name == name; });
  }

  const store::NoteHeader& header_;
  std::vector<store::ItemImage>& items_;
  std::shared_ptr<internal::SessionState> session_;
  STATUS write_status_ = kNoError;
};

}  // namespace

STATUS EvaluateOnImage(const std::vector<std::uint8_t>& compiled, const store::NoteHeader& header,
                       std::vector<store::ItemImage>* items, formula::Value* result) {
  ImageEnvironment environment(header, items);
  formula::EvaluationError error;
  if (compiled.empty() ||
      !formula::Evaluate(compiled.data(), compiled.size(), environment, result, &error)) {
    return kErrFormulaEvaluation;
  }
  return environment.write_status();
}

}  // namespace quendral::platform
