// Files that are no regular files, which the system can put where a database
// file is expected.
#ifndef QUENDRAL_TESTS_MODULE_SPECIAL_FILES_H_
#define QUENDRAL_TESTS_MODULE_SPECIAL_FILES_H_

#include <filesystem>
#include <vector>

namespace quendral::fixtures {

struct SpecialFile {
  const char* name;
  void (*make)(const std::filesystem::path& file);
};

// A FIFO outside Windows; none on Windows.
std::vector<SpecialFile> SpecialFiles();

}  // namespace quendral::fixtures

#endif  // QUENDRAL_TESTS_MODULE_SPECIAL_FILES_H_
