#include "platform/notes/api/image_formula.h"

#include <algorithm>

#include "platform/notes/api/attachment_names.h"
#include "platform/notes/api/item_values.h"
#include "platform/notes/api/ln_note.h"
#include "platform/notes/api/ln_universal_id.h"
#include "platform/notes/api/local_time.h"
#include "platform/notes/api/note_environment.h"
#include "platform/notes/store/access_list_table.h"

namespace quendral::platform {
namespace {

class ImageEnvironment : public formula::Environment {
 public:
  ImageEnvironment(const store::NoteHeader& header, std::vector<store::ItemImage>* items,
                   const ImageDatabase* database)
      : header_(header), items_(*items), database_(database) {}

  bool HasNote() const override { return true; }

  std::optional<formula::Value> ReadField(std::string_view name) const override {
    used_note_ = true;
    const auto item = Find(name);
    if (item == items_.end()) {
      return std::nullopt;
    }
    return internal::FieldValue(item->type, item->value.data(), item->value.size());
  }

  void WriteField(std::string_view name, const formula::Value& value) override {
    used_note_ = true;
    std::uint16_t type = 0;
    values::Bytes bytes;
    const STATUS status = values::EncodeFormulaValue(value, &type, &bytes);
    if (status != kNoError) {
      if (write_status_ == kNoError) {
        write_status_ = status;
      }
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

  std::optional<formula::DateTime> Created() const override {
    used_note_ = true;
    return header_.created;
  }
  std::optional<formula::DateTime> Modified() const override {
    used_note_ = true;
    return header_.modified;
  }
  std::string DocumentUniqueId() const override {
    used_note_ = true;
    return LNUniversalID::Format(header_.unid).GetString();
  }
  // The session is looked up only by the formulas that ask for the user.
  std::string UserName() const override {
    const std::shared_ptr<internal::SessionState> session = internal::CurrentSession();
    return session ? session->UserName() : "";
  }
  std::vector<std::string> UserRoles() const override {
    return internal::UserRolesOf(internal::CurrentSession().get(), [this] { return UserAccess(); });
  }
  // The database's facts are the same for every note read from it.
  std::optional<formula::AccessEntry> UserAccess() const override {
    return database_ != nullptr ? database_->UserAccess() : std::nullopt;
  }
  bool ProfileField(std::string_view profile, std::string_view field, std::string_view user,
                    formula::Value* value) const override {
    store::Store* store = database_ != nullptr ? database_->store() : nullptr;
    if (store == nullptr) {
      return false;
    }
    internal::StoredProfileField(*store, profile, field, user, value);
    return true;
  }
  std::optional<std::vector<std::string>> AttachmentNames() const override {
    used_note_ = true;
    std::vector<std::string> names;
    for (const store::ItemImage& item : items_) {
      if (std::optional<std::string> name =
              AttachmentName(item.name, item.type, item.value.data(), item.value.size())) {
        names.push_back(std::move(*name));
      }
    }
    return names;
  }
  formula::DateTime Now() const override {
    used_note_ = true;  // as good as the note: it differs from one to the next
    return internal::CurrentLocalTime();
  }
  formula::ZoneRule LocalZoneRule() const override { return platform::LocalZoneRule(); }

  bool HasField(std::string_view name) const override {
    used_note_ = true;
    return Find(name) != items_.end();
  }
  std::optional<std::string> NoteId() const override {
    used_note_ = true;
    return header_.note_id == 0 ? std::nullopt
                                : std::optional(internal::NoteIdText(header_.note_id));
  }
  std::optional<double> DocumentLength() const override {
    used_note_ = true;
    double length = 0;
    for (const store::ItemImage& item : items_) {
      length += static_cast<double>(item.value.size());
    }
    return length;
  }
  bool Setting(std::string_view name, std::string* value) const override {
    return internal::SessionSetting(internal::CurrentSession().get(), name, value);
  }
  std::optional<std::string> Platform() const override { return internal::PlatformName(); }

  STATUS write_status() const { return write_status_; }
  bool used_note() const { return used_note_; }

 private:
  std::vector<store::ItemImage>::iterator Find(std::string_view name) const {
    return std::find_if(items_.begin(), items_.end(), [name](const store::ItemImage& item) {
      return formula::SameFieldName(item.name, name);
    });
  }

  const store::NoteHeader& header_;
  std::vector<store::ItemImage>& items_;
  const ImageDatabase* database_;
  STATUS write_status_ = kNoError;
  mutable bool used_note_ = false;
};

}  // namespace

ImageDatabase::ImageDatabase(const LNDatabase& database) : binding_(database.binding_) {}

store::Store* ImageDatabase::store() const { return binding_ ? binding_->store.get() : nullptr; }

std::optional<formula::AccessEntry> ImageDatabase::UserAccess() const {
  if (!access_list_) {
    std::vector<formula::AccessEntry> list;
    access_list_.emplace();
    if (store() != nullptr && store::ReadAccessList(store()->connection(), &list) == kNoError) {
      *access_list_ = std::move(list);
    }
  }
  if (!*access_list_) {
    return std::nullopt;
  }
  const std::shared_ptr<internal::SessionState> session = internal::CurrentSession();
  return formula::AccessFor(**access_list_, session ? session->UserName() : "");
}

STATUS EvaluateOnImage(const formula::DecodedFormula& formula, const store::NoteHeader& header,
                       std::vector<store::ItemImage>* items, formula::Value* result,
                       bool* used_note, formula::EvaluationError* error,
                       const ImageDatabase* database) {
  ImageEnvironment environment(header, items, database);
  const bool evaluated = formula.Evaluate(environment, result, error);
  if (used_note != nullptr) {
    *used_note = environment.used_note();
  }
  if (!evaluated) {
    return kErrFormulaEvaluation;
  }
  return environment.write_status();
}

}  // namespace quendral::platform
