// A database's access control list, and which of its entries applies to a
// user: the level, privileges and roles that @UserAccess, @V4UserAccess and
// @UserRoles report.
#ifndef QUENDRAL_PLATFORM_NOTES_FORMULA_ACCESS_LIST_H_
#define QUENDRAL_PLATFORM_NOTES_FORMULA_ACCESS_LIST_H_

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace quendral::platform::formula {

// Access levels.
inline constexpr int kNoAccess = 0;
inline constexpr int kDepositorAccess = 1;
inline constexpr int kManagerAccess = 6;

// Privilege bits, in the order @UserAccess lists them.
enum AccessPrivilege : std::uint32_t {
  kCreateDocuments = 1u << 0,
  kDeleteDocuments = 1u << 1,
  kCreatePersonalAgents = 1u << 2,
  kCreatePersonalFoldersAndViews = 1u << 3,
  kCreateSharedFoldersAndViews = 1u << 4,
  kCreateScriptAgents = 1u << 5,
  kReadPublicDocuments = 1u << 6,
  kWritePublicDocuments = 1u << 7,
  kReplicateOrCopyDocuments = 1u << 8,
};
inline constexpr int kPrivilegeCount = 9;
inline constexpr std::uint32_t kAllPrivileges = (1u << kPrivilegeCount) - 1;

// The name of the entry that applies to everyone the list does not name.
inline constexpr std::string_view kDefaultEntryName = "-Default-";

struct AccessEntry {
  std::string name;  // a person or server, "*/O=Org" for a whole hierarchy, or -Default-
  int level = kNoAccess;
  std::uint32_t privileges = 0;
  std::vector<std::string> roles;  // "[Admin]"

  bool operator==(const AccessEntry&) const = default;
};

// The entry that gives `user` access: the one naming the user (canonical
// or abbreviated, case ignored), else the wildcard entry of the nearest
// level of the user's hierarchy, else -Default-, else no access. A database
// with no list at all is still as created: its creator's default entry, a
// manager with every privilege and no roles, applies to everyone. Groups
// are not resolved, as no directory is consulted here.
AccessEntry AccessFor(const std::vector<AccessEntry>& list, std::string_view user);

// Whether an entry is sound: a name, a level 0-6, known privileges, and
// roles in brackets.
bool ValidAccessEntry(const AccessEntry& entry);

// A privilege's name ("CreateDocuments", as @UserAccess's keyword names it
// without brackets) by its bit number, and back, case ignored; -1 for an
// unknown name.
std::string_view PrivilegeName(int bit);
int PrivilegeBitOfName(std::string_view name);

// The level's name ("manager") and back; -1 for an unknown name.
std::string_view AccessLevelName(int level);
int AccessLevelOfName(std::string_view name);

}  // namespace quendral::platform::formula

#endif  // QUENDRAL_PLATFORM_NOTES_FORMULA_ACCESS_LIST_H_
