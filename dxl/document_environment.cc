#include "dxl/document_environment.h"

#include <algorithm>
#include <charconv>

#include "dxl/datetime_text.h"
#include "platform/base/ascii.h"
#include "platform/notes/api/local_time.h"
#include "platform/notes/api/settings_file.h"
#include "platform/notes/formula/operators.h"

namespace quendral::dxl {

namespace formula = platform::formula;

namespace {

std::optional<formula::DateTime> TimeOf(const std::string& text, bool daylight) {
  formula::DateTime time;
  if (!ParseDateTimeText(text, daylight, &time)) {
    return std::nullopt;
  }
  return time;
}

// A profile document's $Name: "$profile_", the profile name's length in
// three digits, the name in lower case, "_", and the user ("" for the
// database's own profile).
constexpr std::string_view kProfilePrefix = "$profile_";

bool ParseProfileName(std::string_view text, std::string* name, std::string* user) {
  if (!text.starts_with(kProfilePrefix)) {
    return false;
  }
  text.remove_prefix(kProfilePrefix.size());
  std::size_t length = 0;
  if (text.size() < 3 ||
      std::from_chars(text.data(), text.data() + 3, length).ptr != text.data() + 3 ||
      text.size() < 3 + length + 1 || text[3 + length] != '_') {
    return false;
  }
  *name = text.substr(3, length);
  *user = text.substr(3 + length + 1);
  return true;
}

std::string Lower(std::string_view text) {
  std::string lower(text);
  std::transform(lower.begin(), lower.end(), lower.begin(), base::ToLowerAscii);
  return lower;
}

}  // namespace

void ExportDatabase::AddAccessEntry(const formula::AccessEntry& entry) {
  if (access_list_unreadable) {
    return;
  }
  if (!formula::ValidAccessEntry(entry)) {
    access_list_unreadable = true;
    access_list.reset();
    return;
  }
  if (!access_list) {
    access_list.emplace();
  }
  access_list->push_back(entry);
}

void ExportDatabase::AddIfProfile(const std::vector<ItemValue>& items) {
  for (const ItemValue& item : items) {
    Profile profile;
    if (formula::SameFieldName(item.name, "$Name") &&
        item.value.kind == formula::ValueKind::kText && !item.value.texts.empty() &&
        ParseProfileName(item.value.texts.front(), &profile.name, &profile.user)) {
      profile.name = Lower(profile.name);
      profile.items = items;
      profiles.push_back(std::move(profile));
      return;
    }
  }
}

DocumentEnvironment::DocumentEnvironment(const NoteFacts& note, std::vector<ItemValue> items,
                                         std::string user, const ExportDatabase* database)
    : items_(std::move(items)),
      user_(std::move(user)),
      unid_(note.unid),
      created_(note.created),
      modified_(note.modified),
      accessed_(note.accessed),
      created_dst_(note.created_dst),
      modified_dst_(note.modified_dst),
      accessed_dst_(note.accessed_dst),
      database_(database) {
  // The document element carries its form as an attribute, not as an item.
  if (!note.form.empty()) {
    items_.push_back({"Form", formula::Value::Text(note.form)});
  }
}

std::optional<formula::Value> DocumentEnvironment::ReadField(std::string_view name) const {
  for (const ItemValue& item : items_) {
    if (formula::SameFieldName(item.name, name)) {
      return item.value;
    }
  }
  return std::nullopt;
}

void DocumentEnvironment::WriteField(std::string_view name, const formula::Value& value) {
  for (ItemValue& item : items_) {
    if (formula::SameFieldName(item.name, name)) {
      item.value = value;
      return;
    }
  }
  items_.push_back({std::string(name), value});
}

std::optional<formula::DateTime> DocumentEnvironment::Created() const {
  return TimeOf(created_, created_dst_);
}

std::optional<formula::DateTime> DocumentEnvironment::Modified() const {
  return TimeOf(modified_, modified_dst_);
}

std::optional<formula::DateTime> DocumentEnvironment::Accessed() const {
  return TimeOf(accessed_, accessed_dst_);
}

std::optional<formula::AccessEntry> DocumentEnvironment::UserAccess() const {
  if (database_ == nullptr || !database_->access_list) {
    return std::nullopt;
  }
  return formula::AccessFor(*database_->access_list, user_);
}

std::vector<std::string> DocumentEnvironment::UserRoles() const {
  std::optional<formula::AccessEntry> access = UserAccess();
  return access ? std::move(access->roles) : std::vector<std::string>();
}

bool DocumentEnvironment::ProfileField(std::string_view profile, std::string_view field,
                                       std::string_view user, formula::Value* value) const {
  if (database_ == nullptr) {
    return false;
  }
  const std::string name = Lower(profile);
  for (const ExportDatabase::Profile& held : database_->profiles) {
    if (held.name == name && formula::SameFieldName(held.user, user)) {
      *value = formula::Value::Text("");
      for (const ItemValue& item : held.items) {
        if (formula::SameFieldName(item.name, field)) {
          *value = item.value;
          break;
        }
      }
      return true;
    }
  }
  // A profile not met yet may still follow in an export read only once.
  if (!database_->all_profiles) {
    return false;
  }
  *value = formula::Value::Text("");
  return true;
}

bool DocumentEnvironment::Setting(std::string_view name, std::string* value) const {
  if (database_ == nullptr || !database_->data_directory) {
    return false;
  }
  return platform::DataDirectorySetting(*database_->data_directory, name, value);
}

// The times of an export carry their zones, and the clock's time is
// compared with them by the moment it names.
formula::DateTime DocumentEnvironment::Now() const { return platform::CurrentZonedTime(); }

formula::ZoneRule DocumentEnvironment::LocalZoneRule() const { return platform::LocalZoneRule(); }

std::optional<bool> FormulaHides(const std::string& formula, const NoteFacts& note,
                                 const std::vector<ItemValue>& items, const std::string& user,
                                 const ExportDatabase& database, std::string* reason) {
  std::vector<std::uint8_t> compiled;
  formula::CompileError compile_error;
  if (!formula::Compile(formula, &compiled, &compile_error)) {
    *reason = compile_error.message;
    return std::nullopt;
  }
  DocumentEnvironment environment(note, items, user, &database);
  formula::Value result;
  formula::EvaluationError error;
  if (!formula::Evaluate(compiled.data(), compiled.size(), environment, &result, &error)) {
    *reason = error.message;
    return std::nullopt;
  }
  bool hides = false;
  return formula::IsTrue(result, &hides) && hides;
}

}  // namespace quendral::dxl
