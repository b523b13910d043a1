// Runs of the quendral tool for the harnesses: to its end, or stopped dead
// by SIGKILL after a delay. POSIX only, as SIGKILL is.
#ifndef QUENDRAL_TESTS_HARNESS_TOOL_RUNS_H_
#define QUENDRAL_TESTS_HARNESS_TOOL_RUNS_H_

#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

namespace quendral::harness {

// Runs `tool --data DATA ARGUMENTS...` with `environment` ("NAME=value"
// texts) added to ours and its output, standard and error, written to
// `output` (discarded when empty); its exit code, or 128 plus the signal
// that ended it.
int RunTool(const std::filesystem::path& tool, const std::filesystem::path& data,
            const std::vector<std::string>& arguments,
            const std::vector<std::string>& environment = {},
            const std::filesystem::path& output = {});

// Starts the tool as RunTool does and sends it SIGKILL after `delay`. True
// when the kill ended it, false when it had finished before.
bool KillToolAfter(const std::filesystem::path& tool, const std::filesystem::path& data,
                   const std::vector<std::string>& arguments, std::chrono::microseconds delay);

}  // namespace quendral::harness

#endif  // QUENDRAL_TESTS_HARNESS_TOOL_RUNS_H_
