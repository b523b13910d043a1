#include "platform/notes/formula/access_list.h"

#include <algorithm>
#include <array>

#include "platform/base/ascii.h"
#include "platform/notes/formula/names.h"

namespace quendral::platform::formula {
namespace {

constexpr std::array<std::string_view, kManagerAccess + 1> kLevelNames = {
    "noaccess", "depositor", "reader", "author", "editor", "designer", "manager"};

constexpr std::array<std::string_view, kPrivilegeCount> kPrivilegeNames = {
    "CreateDocuments",
    "DeleteDocuments",
    "CreatePersonalAgent",
    "CreatePersonalFoldersAndViews",
    "CreateSharedFoldersAndViews",
    "CreateLotusScriptJavaAgent",
    "ReadPublicDocuments",
    "WritePublicDocuments",
    "ReplicateOrCopyDocuments",
};

bool SameName(std::string_view a, std::string_view b) {
  return base::EqualsIgnoringAsciiCase(CanonicalName(a), CanonicalName(b));
}

// How many levels of the user's hierarchy a wildcard entry ("*/OU=R/O=Acme")
// leaves out below it; 0 when it does not cover the user.
std::size_t WildcardDepth(std::string_view entry, const std::string& canonical_user) {
  if (!entry.starts_with("*/")) {
    return 0;
  }
  const std::string hierarchy = CanonicalName(entry.substr(2));
  std::size_t levels = 0;
  for (std::size_t slash = canonical_user.find('/'); slash != std::string::npos;
       slash = canonical_user.find('/', slash + 1)) {
    ++levels;
    if (base::EqualsIgnoringAsciiCase(std::string_view(canonical_user).substr(slash + 1),
                                      hierarchy)) {
      return levels;
    }
  }
  return 0;
}

}  // namespace

AccessEntry AccessFor(const std::vector<AccessEntry>& list, std::string_view user) {
  if (list.empty()) {
    return {"", kManagerAccess, kAllPrivileges, {}};
  }
  const std::string canonical_user = CanonicalName(user);
  const AccessEntry* wildcard = nullptr;
  std::size_t nearest = 0;
  const AccessEntry* fallback = nullptr;
  for (const AccessEntry& entry : list) {
    if (!user.empty() && SameName(entry.name, user)) {
      return entry;
    }
    const std::size_t depth = WildcardDepth(entry.name, canonical_user);
    if (depth > 0 && (wildcard == nullptr || depth < nearest)) {
      wildcard = &entry;
      nearest = depth;
    }
    if (fallback == nullptr && base::EqualsIgnoringAsciiCase(entry.name, kDefaultEntryName)) {
      fallback = &entry;
    }
  }
  if (wildcard != nullptr) {
    return *wildcard;
  }
  return fallback != nullptr ? *fallback : AccessEntry{"", kNoAccess, 0, {}};
}

bool ValidAccessEntry(const AccessEntry& entry) {
  const auto bracketed = [](const std::string& role) {
    return role.size() > 2 && role.front() == '[' && role.back() == ']' &&
           role.find_first_of("\n\r") == std::string::npos;
  };
  return !entry.name.empty() && entry.level >= kNoAccess && entry.level <= kManagerAccess &&
         (entry.privileges & ~kAllPrivileges) == 0 &&
         std::all_of(entry.roles.begin(), entry.roles.end(), bracketed);
}

std::string_view AccessLevelName(int level) {
  return level >= kNoAccess && level <= kManagerAccess
             ? kLevelNames[static_cast<std::size_t>(level)]
             : std::string_view();
}

std::string_view PrivilegeName(int bit) {
  return bit >= 0 && bit < kPrivilegeCount ? kPrivilegeNames[static_cast<std::size_t>(bit)]
                                           : std::string_view();
}

int PrivilegeBitOfName(std::string_view name) {
  for (std::size_t bit = 0; bit < kPrivilegeNames.size(); ++bit) {
    if (base::EqualsIgnoringAsciiCase(kPrivilegeNames[bit], name)) {
      return static_cast<int>(bit);
    }
  }
  return -1;
}

int AccessLevelOfName(std::string_view name) {
  for (std::size_t level = 0; level < kLevelNames.size(); ++level) {
    if (base::EqualsIgnoringAsciiCase(kLevelNames[level], name)) {
      return static_cast<int>(level);
    }
  }
  return -1;
}

}  // namespace quendral::platform::formula
