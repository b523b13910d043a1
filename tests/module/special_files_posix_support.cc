#include <sys/stat.h>

#include "module/special_files.h"

namespace quendral::fixtures {

std::vector<SpecialFile> SpecialFiles() {
  return {{"FIFO", [](const std::filesystem::path& file) { ::mkfifo(file.c_str(), 0600); }}};
}

}  // namespace quendral::fixtures
