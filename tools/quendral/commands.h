// The commands of the quendral tool, each group registering itself in the
// command table.
#ifndef QUENDRAL_TOOLS_QUENDRAL_COMMANDS_H_
#define QUENDRAL_TOOLS_QUENDRAL_COMMANDS_H_

#include <CLI/CLI.hpp>
#include <cstddef>
#include <functional>
#include <iosfwd>
#include <string>

namespace quendral::cli {

// What every command sees: the data directory chosen on the command line
// (empty for the default), where to print, and where to show progress.
struct Context {
  std::string data_directory;
  std::ostream* out = nullptr;
  std::ostream* err = nullptr;
};

// The width text reports printed on `context.out` are cut to: the terminal's
// when that is standard output going to a terminal and `full` is not asked
// for, else 0 (never cut).
std::size_t ReportWidth(const Context& context, bool full);

// A command's work, run after the whole command line was parsed; returns the
// exit code.
using Action = std::function<int()>;

class CommandTable;

// Each group adds its commands to the table (command_table.h).
void AddDatabaseCommands(CLI::App& app, CommandTable& table);
void AddDxlCommands(CLI::App& app, CommandTable& table);
void AddFormulaCommands(CLI::App& app, CommandTable& table);
void AddItemCommands(CLI::App& app, CommandTable& table);
void AddRepairCommands(CLI::App& app, CommandTable& table);
void AddWholeDatabaseCommands(CLI::App& app, CommandTable& table);

// Parses the command line and runs the chosen command. Errors are one line on
// `err` and a non-zero result.
int RunCommandLine(int argc, const char* const* argv, std::ostream& out, std::ostream& err);

}  // namespace quendral::cli

#endif  // QUENDRAL_TOOLS_QUENDRAL_COMMANDS_H_
