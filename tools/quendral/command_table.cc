#include "tools/quendral/command_table.h"

#include <utility>

namespace quendral::cli {
namespace {

int RunRoute(const Route& route, const CLI::App& command, const Context& context) {
  if (route.before) {
    route.before();
  }
  Prepared prepared{context, command, std::nullopt, LNDatabase(), LNDocument()};
  const Target none;
  const Target& target = route.target ? *route.target : none;
  if (route.setup >= Setup::kSession) {
    prepared.session.emplace(target.user);
  }
  if (route.setup >= Setup::kDataDirectory) {
    prepared.session->DataDirectory();
  }
  if (route.setup >= Setup::kDatabase && !target.database.empty()) {
    prepared.database = prepared.session->OpenDatabase(target.database, target.server);
    if (route.setup >= Setup::kDocument) {
      prepared.document = ToolSession::OpenDocument(prepared.database, target.unid);
    }
  }
  return route.run(prepared);
}

}  // namespace

Route DocumentRoute(const char* name, const char* description, std::shared_ptr<const Target> target,
                    std::function<int(Prepared&)> run) {
  Route route;
  route.name = name;
  route.description = description;
  route.setup = Setup::kDocument;
  route.target = std::move(target);
  route.run = std::move(run);
  return route;
}

CLI::App* CommandTable::Add(CLI::App& parent, Route route) {
  CLI::App* command = parent.add_subcommand(route.name, route.description);
  auto shared = std::make_shared<Route>(std::move(route));
  command->callback([shared, command, this] {
    if (shared->check) {
      shared->check();
    }
    action_ = [shared, command, this] { return RunRoute(*shared, *command, context_); };
  });
  return command;
}

}  // namespace quendral::cli
