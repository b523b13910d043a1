// The database, the user's access to it and the session: what a stored
// note's environment can answer without a running client.
#include <algorithm>

#include "platform/base/ascii.h"
#include "platform/notes/formula/builtins.h"
#include "platform/notes/formula/call.h"

namespace quendral::platform::formula {
namespace {

// Whether `names` ("" or server and path) name this database.
bool NamesThisDatabase(const std::vector<std::string>& names, Environment& environment) {
  const bool blank =
      std::all_of(names.begin(), names.end(), [](const std::string& name) { return name.empty(); });
  if (blank) {
    return true;
  }
  const std::optional<Environment::Database> db = environment.ThisDatabase();
  return db && names.size() == 2 && base::EqualsIgnoringAsciiCase(names[0], db->server) &&
         base::EqualsIgnoringAsciiCase(names[1], db->path);
}

// The access list as texts: the level, then "1" or "0" per privilege; one
// of them when keywords ask.
bool AccessOf(Call& call, Value* result, bool keywords) {
  std::vector<std::string> names;
  std::vector<std::string> asked;
  if (!call.EvaluateTexts(0, &names) ||
      (keywords && call.size() > 1 && !call.EvaluateTexts(1, &asked))) {
    return false;
  }
  const std::optional<AccessEntry> access = call.environment().UserAccess();
  if (!access) {
    return call.Fail("needs the database's access control list");
  }
  if (!NamesThisDatabase(names, call.environment())) {
    return call.Fail("needs a live database other than this one");
  }
  std::vector<std::string> all{std::to_string(access->level)};
  for (int bit = 0; bit < kPrivilegeCount; ++bit) {
    all.emplace_back((access->privileges >> bit & 1) != 0 ? "1" : "0");
  }
  if (asked.empty()) {
    *result = Value::Texts(std::move(all));
    return true;
  }
  std::vector<std::string> chosen;
  for (const std::string& keyword : asked) {
    // A keyword list in brackets reads as its words without them.
    std::string_view word = std::string_view(keyword).substr(keyword.starts_with('[') ? 1 : 0);
    word = word.substr(0, word.find(']'));
    // The level comes first, then the privileges in the order of their bits.
    const bool level = base::EqualsIgnoringAsciiCase(word, "AccessLevel");
    const int bit = level ? -1 : PrivilegeBitOfName(word);
    if (!level && bit < 0) {
      return call.Fail("unknown keyword " + keyword);
    }
    const int index = bit + 1;
    chosen.push_back(all[static_cast<std::size_t>(index)]);
  }
  *result = Value::Texts(std::move(chosen));
  return true;
}

}  // namespace

// The server ("" for this machine) and the database's path.
bool EvaluateDbName(Call& call, Value* result) {
  const std::optional<Environment::Database> db = call.environment().ThisDatabase();
  if (!db) {
    return call.Fail("needs a database");
  }
  *result = Value::Texts({db->server, db->path});
  return true;
}

bool EvaluateReplicaId(Call& call, Value* result) {
  const std::optional<Environment::Database> db = call.environment().ThisDatabase();
  if (!db) {
    return call.Fail("needs a database");
  }
  *result = Value::Text(db->replica_id);
  return true;
}

bool EvaluateDbTitle(Call& call, Value* result) {
  const std::optional<Environment::Database> db = call.environment().ThisDatabase();
  if (!db) {
    return call.Fail("needs a database");
  }
  *result = Value::Text(db->title);
  return true;
}

// The note's Subject; "" when it has none.
bool EvaluateSubject(Call& call, Value* result) {
  std::optional<Value> subject = call.environment().ReadField("Subject");
  *result = subject && subject->kind == ValueKind::kText ? std::move(*subject) : Value::Text("");
  return true;
}

bool EvaluateUserAccess(Call& call, Value* result) { return AccessOf(call, result, true); }

bool EvaluateV4UserAccess(Call& call, Value* result) { return AccessOf(call, result, false); }

// @GetProfileField(profile; field; user).
bool EvaluateGetProfileField(Call& call, Value* result) {
  std::string profile;
  std::string field;
  std::string user;
  if (!call.EvaluateText(0, &profile) || !call.EvaluateText(1, &field) ||
      (call.size() > 2 && !call.EvaluateText(2, &user))) {
    return false;
  }
  return call.environment().ProfileField(profile, field, user, result) ||
         call.Fail("needs the database's profile documents");
}

// @Environment(name): the settings file's "$name". Setting a value needs the
// client's own settings, which a formula run here does not change.
bool EvaluateEnvironment(Call& call, Value* result) {
  std::string name;
  if (!call.EvaluateText(0, &name)) {
    return false;
  }
  if (call.size() > 1) {
    return call.Fail("needs the client to change its settings");
  }
  std::string value;
  if (!call.environment().Setting("$" + name, &value)) {
    return call.Fail("needs the session's settings file");
  }
  *result = Value::Text(value);
  return true;
}

bool EvaluateClientType(Call& /*call*/, Value* result) {
  *result = Value::Text("Notes");
  return true;
}

bool EvaluatePlatform(Call& call, Value* result) {
  std::optional<std::string> platform = call.environment().Platform();
  if (!platform) {
    return call.Fail("needs the session's operating system");
  }
  *result = Value::Text(std::move(*platform));
  return true;
}

// The build number of the release whose language this is.
bool EvaluateVersion(Call& /*call*/, Value* result) {
  *result = Value::Text("405");
  return true;
}

}  // namespace quendral::platform::formula
