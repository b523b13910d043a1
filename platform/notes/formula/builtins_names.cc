// Hierarchical names: "CN=Ada Lovelace/OU=Research/O=Acme/C=GB" in
// canonical form, "Ada Lovelace/Research/Acme/GB" abbreviated; a flat name
// has one part. Internet addresses ("Ada <ada@acme.example>") too.
#include <algorithm>

#include "platform/base/ascii.h"
#include "platform/notes/formula/builtins.h"
#include "platform/notes/formula/call.h"
#include "platform/notes/formula/names.h"

namespace quendral::platform::formula {
namespace {

struct NamePart {
  std::string tag;  // "CN", "OU", "O", "C", ... ; "" for a flat name
  std::string value;
};

std::vector<std::string> SplitSlashes(std::string_view name) {
  std::vector<std::string> parts;
  std::size_t start = 0;
  for (std::size_t end; (end = name.find('/', start)) != std::string_view::npos; start = end + 1) {
    parts.emplace_back(name.substr(start, end - start));
  }
  parts.emplace_back(name.substr(start));
  return parts;
}

// The tagged parts of a name in either form. An abbreviated name's first
// part is the common name, its last the organization, or the country when
// it has two letters and an organization precedes it; the parts between
// are organizational units.
std::vector<NamePart> ParseName(std::string_view name) {
  const std::vector<std::string> pieces = SplitSlashes(name);
  std::vector<NamePart> parts;
  const bool canonical = pieces.front().find('=') != std::string::npos;
  for (std::size_t i = 0; i < pieces.size(); ++i) {
    const std::string& piece = pieces[i];
    if (canonical) {
      const std::size_t equals = piece.find('=');
      std::string tag = equals == std::string::npos ? std::string() : piece.substr(0, equals);
      std::transform(tag.begin(), tag.end(), tag.begin(), base::ToUpperAscii);
      parts.push_back({tag, equals == std::string::npos ? piece : piece.substr(equals + 1)});
      continue;
    }
    const std::size_t count = pieces.size();
    const bool has_country = count >= 3 && pieces.back().size() == 2;
    const std::size_t organization = has_country ? count - 2 : count - 1;
    const char* tag = count == 1          ? ""
                      : i == 0            ? "CN"
                      : i == organization ? "O"
                      : i + 1 == count    ? "C"
                                          : "OU";
    parts.push_back({tag, piece});
  }
  return parts;
}

std::string Join(const std::vector<NamePart>& parts, bool tagged, std::size_t first) {
  std::string joined;
  for (std::size_t i = first; i < parts.size(); ++i) {
    joined += (i > first ? "/" : "");
    joined +=
        tagged && !parts[i].tag.empty() ? parts[i].tag + "=" + parts[i].value : parts[i].value;
  }
  return joined;
}

std::string PartOf(const std::vector<NamePart>& parts, std::string_view tag, int occurrence) {
  // Organizational units count from the one nearest the common name.
  for (const NamePart& part : parts) {
    if (part.tag == tag && occurrence-- == 1) {
      return part.value;
    }
  }
  return std::string();
}

// The address in angle brackets, else the whole text when it has an '@'.
std::string Address821(std::string_view name) {
  const std::size_t open = name.find('<');
  const std::size_t close = name.find('>', open);
  if (open != std::string_view::npos && close != std::string_view::npos) {
    return std::string(name.substr(open + 1, close - open - 1));
  }
  return name.find('@') != std::string_view::npos ? std::string(name) : std::string();
}

// The display phrase before the angle brackets, quotes removed.
std::string Phrase(std::string_view name) {
  const std::size_t open = name.find('<');
  if (open == std::string_view::npos) {
    return std::string();
  }
  std::string phrase(name.substr(0, open));
  std::erase(phrase, '"');
  while (!phrase.empty() && phrase.back() == ' ') {
    phrase.pop_back();
  }
  return phrase;
}

// One name under an action, or false when the action is unknown.
bool ApplyNameAction(std::string_view action, std::string_view name, std::string* out) {
  const std::vector<NamePart> parts = ParseName(name);
  if (action == "CANONICALIZE") {
    *out = Join(parts, true, 0);
  } else if (action == "ABBREVIATE") {
    *out = Join(parts, false, 0);
  } else if (action == "CN") {
    *out = parts.front().tag.empty() || parts.front().tag == "CN" ? parts.front().value : "";
  } else if (action == "HIERARCHYONLY") {
    *out = Join(parts, true, parts.front().tag == "CN" ? 1 : parts.size());
  } else if (action == "O" || action == "C" || action == "G" || action == "S" || action == "I" ||
             action == "Q" || action == "P" || action == "A") {
    *out = PartOf(parts, action, 1);
  } else if (action.size() == 3 && action.starts_with("OU") && action[2] >= '1' &&
             action[2] <= '4') {
    *out = PartOf(parts, "OU", action[2] - '0');
  } else if (action == "ADDRESS821") {
    *out = Address821(name);
  } else if (action == "PHRASE") {
    *out = Phrase(name);
  } else {
    return false;
  }
  return true;
}

}  // namespace

std::string CanonicalName(std::string_view name) { return Join(ParseName(name), true, 0); }

// @Name(action; names), the action a keyword ("[CN]") or its text.
bool EvaluateName(Call& call, Value* result) {
  std::string action;
  std::vector<std::string> names;
  if (!call.EvaluateText(0, &action) || !call.EvaluateTexts(1, &names)) {
    return false;
  }
  if (action.size() >= 2 && action.front() == '[' && action.back() == ']') {
    action = action.substr(1, action.size() - 2);
  }
  std::transform(action.begin(), action.end(), action.begin(), base::ToUpperAscii);
  for (std::string& name : names) {
    std::string changed;
    if (!ApplyNameAction(action, name, &changed)) {
      return call.Fail("unknown action [" + action + "]");
    }
    name = std::move(changed);
  }
  *result = Value::Texts(std::move(names));
  return true;
}

// @UserName, or @UserName(0); @UserName(1) asks for an alternate name,
// which the session has none of.
bool EvaluateUserName(Call& call, Value* result) {
  double which = 0;
  if (call.size() > 0 && !call.EvaluateNumber(0, &which)) {
    return false;
  }
  *result = Value::Text(which == 0 ? call.environment().UserName() : std::string());
  return true;
}

bool EvaluateUserRoles(Call& call, Value* result) {
  *result = Value::Texts(call.environment().UserRoles());
  return true;
}

// The names access is checked against: the user's, the wildcards of each
// level of its hierarchy, and its roles.
bool EvaluateUserNamesList(Call& call, Value* result) {
  const std::string user = call.environment().UserName();
  std::vector<std::string> names{user};
  const std::vector<NamePart> parts = ParseName(user);
  for (std::size_t first = 1; first < parts.size(); ++first) {
    names.push_back("*/" + Join(parts, true, first));
  }
  names.emplace_back("*");
  for (std::string& role : call.environment().UserRoles()) {
    names.push_back(std::move(role));
  }
  *result = Value::Texts(std::move(names));
  return true;
}

}  // namespace quendral::platform::formula
