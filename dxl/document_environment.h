// What a hide-when formula sees when it is evaluated against a note of an
// export: the note's own items, read as the formula language reads a stored
// note's items (first item of the name; a field assigned during evaluation
// changes only this evaluation's copy), the user, the local clock, and what
// the export holds of its database: the access control list and profile
// documents.
#ifndef QUENDRAL_DXL_DOCUMENT_ENVIRONMENT_H_
#define QUENDRAL_DXL_DOCUMENT_ENVIRONMENT_H_

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "dxl/export_walker.h"
#include "platform/notes/formula/formula.h"

namespace quendral::dxl {

// The database around the notes of an export, as far as the export tells.
struct ExportDatabase {
  // Nothing when the export holds no <acl> (a single note, or an export made
  // without it) or an entry of it cannot be read: the user's access is then
  // unknown.
  std::optional<std::vector<platform::formula::AccessEntry>> access_list;
  bool access_list_unreadable = false;

  void AddAccessEntry(const platform::formula::AccessEntry& entry);
  struct Profile {
    std::string name;  // lower case, as the note names itself
    std::string user;  // "" for the database's own
    std::vector<ItemValue> items;
  };
  std::vector<Profile> profiles;
  // Whether `profiles` holds every profile of the export, read before its
  // notes; else only those that came before the note evaluated.
  bool all_profiles = false;
  // Whose settings file @Environment reads; nothing when there is none.
  std::optional<std::filesystem::path> data_directory;

  // Keeps the note when its $Name marks it as a profile document.
  void AddIfProfile(const std::vector<ItemValue>& items);
};

class DocumentEnvironment : public platform::formula::Environment {
 public:
  DocumentEnvironment(const NoteFacts& note, std::vector<ItemValue> items, std::string user,
                      const ExportDatabase* database = nullptr);

  bool HasNote() const override { return true; }
  std::optional<platform::formula::Value> ReadField(std::string_view name) const override;
  void WriteField(std::string_view name, const platform::formula::Value& value) override;
  std::optional<platform::formula::DateTime> Created() const override;
  std::optional<platform::formula::DateTime> Modified() const override;
  std::optional<platform::formula::DateTime> Accessed() const override;
  std::string DocumentUniqueId() const override { return unid_; }
  std::string UserName() const override { return user_; }
  std::vector<std::string> UserRoles() const override;
  platform::formula::DateTime Now() const override;
  platform::formula::ZoneRule LocalZoneRule() const override;
  std::optional<platform::formula::AccessEntry> UserAccess() const override;
  bool ProfileField(std::string_view profile, std::string_view field, std::string_view user,
                    platform::formula::Value* value) const override;
  bool Setting(std::string_view name, std::string* value) const override;

 private:
  std::vector<ItemValue> items_;
  std::string user_, unid_, created_, modified_, accessed_;
  bool created_dst_, modified_dst_, accessed_dst_;
  const ExportDatabase* database_;
};

// Whether the hide-when `formula` hides its paragraphs from `user` in the
// note: it gives a true condition. Nothing, with the reason in `reason`,
// when it does not compile or cannot be evaluated here.
std::optional<bool> FormulaHides(const std::string& formula, const NoteFacts& note,
                                 const std::vector<ItemValue>& items, const std::string& user,
                                 const ExportDatabase& database, std::string* reason);

}  // namespace quendral::dxl

#endif  // QUENDRAL_DXL_DOCUMENT_ENVIRONMENT_H_
