#include "notes/install_path.h"

#include <string_view>

#include "util/registry/registry.h"

namespace quendral {
namespace {

constexpr char kNotesKey[] = "SOFTWARE\\Lotus\\Notes";
constexpr char kDataPathValue[] = "DataPath";
constexpr char kProgramPathValue[] = "Path";
// A path of the system's longest, terminator included.
constexpr std::size_t kMaxValueBytes = 260;

}  // namespace

std::int32_t ReadNotesInstallPath(std::string* output, std::int32_t data_directory) {
  if (output == nullptr) {
    return 0;
  }
  output->clear();
  char buffer[kMaxValueBytes];
  int place = util::kRegistryLocalMachine;
  const int stored =
      util::ReadRegistryValue(kNotesKey, data_directory != 0 ? kDataPathValue : kProgramPathValue,
                              buffer, sizeof buffer, &place);
  if (stored < 0) {
    return 0;
  }
  // A value stored without its terminator ends where its bytes end.
  const std::string_view value(buffer, static_cast<std::size_t>(stored));
  output->assign(value.substr(0, value.find('\0')));
  return 1;
}

}  // namespace quendral
