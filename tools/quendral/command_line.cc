#include <iostream>
#include <ostream>

#include "dxl/parser_release.h"
#include "notes/status_text.h"
#include "report/run_summary.h"
#include "report/text_line.h"
#include "tools/quendral/command_error.h"
#include "tools/quendral/command_table.h"
#include "tools/quendral/commands.h"
#include "tools/quendral/tool_session.h"

namespace quendral::cli {
namespace {

constexpr char kExitCodesFooter[] =
    "Exit codes:\n"
    "  0  done\n"
    "  1  the repair, or some document, failed\n"
    "  2  usage or input error";

}  // namespace

std::size_t ReportWidth(const Context& context, bool full) {
  return full || context.out != &std::cout ? 0 : report::StandardOutputWidth();
}

int RunCommandLine(int argc, const char* const* argv, std::ostream& out, std::ostream& err) {
  CLI::App app{"quendral: repairs Notes documents in place", "quendral"};
  app.require_subcommand(1);
  app.set_version_flag(
      "--version", std::string("quendral ") + QUENDRAL_VERSION_TEXT + "\n" + dxl::ParserRelease(),
      "Print the version and exit");
  app.footer(kExitCodesFooter);
  Context context{"", &out, &err};
  Action action;
  app.add_option("--data", context.data_directory,
                 "Notes data directory (default: $NOTES_DATA_DIR, else notesdata in the "
                 "user's home folder)");
  CommandTable table(context, action);
  AddDatabaseCommands(app, table);
  AddDxlCommands(app, table);
  AddFormulaCommands(app, table);
  AddItemCommands(app, table);
  AddRepairCommands(app, table);
  AddWholeDatabaseCommands(app, table);
  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& error) {
    // Help and version end the parse too, successfully.
    return app.exit(error, out, err) == 0 ? report::kExitDone : report::kExitUsage;
  }
  try {
    if (!context.data_directory.empty()) {
      UseDataDirectory(context.data_directory);
    }
    return action();
  } catch (const CommandError& error) {
    err << "quendral: " << error.what() << "\n";
  } catch (LNSTATUS status) {
    err << "quendral: " << StatusText(status) << "\n";
  } catch (const std::exception& error) {
    err << "quendral: " << error.what() << "\n";
  }
  return report::kExitUsage;
}

}  // namespace quendral::cli
