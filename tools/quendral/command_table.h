// The table of the tool's commands. Each command declares what it needs set
// up before its work runs (a Notes session, the data directory, its open
// database or document) and the table does that setup, the same way for
// every command, so that a missing database or document is reported alike
// whichever command names it.
#ifndef QUENDRAL_TOOLS_QUENDRAL_COMMAND_TABLE_H_
#define QUENDRAL_TOOLS_QUENDRAL_COMMAND_TABLE_H_

#include <CLI/CLI.hpp>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "platform/notes/api/ln.h"
#include "tools/quendral/commands.h"
#include "tools/quendral/tool_session.h"

namespace quendral::cli {

// What a command needs before its work runs; each level includes those
// before it.
enum class Setup {
  kNothing,        // works on the files it is given, or on nothing
  kSession,        // a Notes session, for the target's user
  kDataDirectory,  // the data directory, present and readable
  kDatabase,       // the target's database, open
  kDocument,       // the target's document, open
};

// What the setup reads from the command line. A target that names no
// database (eval without --db) stops the setup at the session.
struct Target {
  std::string server, database, unid, user;
};

// What the setup made, handed to the command's work.
struct Prepared {
  const Context& context;
  const CLI::App& command;
  std::optional<ToolSession> session;
  LNDatabase database;
  LNDocument document;
};

struct Route {
  const char* name = "";
  const char* description = "";
  Setup setup = Setup::kNothing;
  // Read when the work runs, so it may point into the command's options.
  std::shared_ptr<const Target> target{};
  // At the end of the parse: a wrong command line, as a CLI::ValidationError.
  std::function<void()> check{};
  // Before the setup: input refused before anything is opened (such as a
  // formula that does not compile).
  std::function<void()> before{};
  std::function<int(Prepared&)> run{};
};

// The route of a command whose work is on the one document its target names.
Route DocumentRoute(const char* name, const char* description, std::shared_ptr<const Target> target,
                    std::function<int(Prepared&)> run);

class CommandTable {
 public:
  CommandTable(Context& context, Action& action) : context_(context), action_(action) {}

  // Adds `route` as a command of `parent` (the tool, or a group such as db),
  // and returns it for its options.
  CLI::App* Add(CLI::App& parent, Route route);

  const Context& context() const { return context_; }

 private:
  Context& context_;
  Action& action_;
};

}  // namespace quendral::cli

#endif  // QUENDRAL_TOOLS_QUENDRAL_COMMAND_TABLE_H_
