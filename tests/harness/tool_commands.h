// The commands of the tool that the harnesses run on a generated data
// directory, each with its arguments. A command that changes documents is
// checked by comparing every document with its state before the command and
// after a complete run of it, so adding a command takes one entry here.
#ifndef QUENDRAL_TESTS_HARNESS_TOOL_COMMANDS_H_
#define QUENDRAL_TESTS_HARNESS_TOOL_COMMANDS_H_

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

#include "harness/database_states.h"

namespace quendral::harness {

// The document the single-document commands work on.
inline constexpr std::size_t kCommandDocument = 1;

struct ToolCommand {
  const char* name;
  // The arguments, given the universal IDs of the documents.
  std::function<std::vector<std::string>(const std::vector<std::string>& ids)> arguments;
};

inline const ToolCommand kToolCommands[] = {
    {"fix-hidewhen",
     [](const auto& ids) {
       return std::vector<std::string>{"fix-hidewhen", kDatabase, ids[kCommandDocument]};
     }},
    {"relink",
     [](const auto& ids) {
       return std::vector<std::string>{"relink", kDatabase, ids[kCommandDocument], kOldReplicaText,
                                       kTargetDatabase};
     }},
    {"item set",
     [](const auto& ids) {
       return std::vector<std::string>{"item",
                                       "set",
                                       kDatabase,
                                       ids[kCommandDocument],
                                       "Subject",
                                       "TEXT",
                                       "\"set by the harness\""};
     }},
    {"fix-hidewhen --all",
     [](const auto&) {
       return std::vector<std::string>{"fix-hidewhen", kDatabase, "--all", "--quiet"};
     }},
    {"relink --all",
     [](const auto&) {
       return std::vector<std::string>{"relink",        kDatabase, kOldReplicaText,
                                       kTargetDatabase, "--all",   "--quiet"};
     }},
    // The backup named, so that a second run finds the work done.
    {"restore-links --all",
     [](const auto&) {
       return std::vector<std::string>{"restore-links", kDatabase,      "--all",
                                       "--backup",      kEarlierBackup, "--quiet"};
     }},
    {"audit",
     [](const auto&) {
       return std::vector<std::string>{"audit", kDatabase, "--quiet"};
     }},
};

}  // namespace quendral::harness

#endif  // QUENDRAL_TESTS_HARNESS_TOOL_COMMANDS_H_
