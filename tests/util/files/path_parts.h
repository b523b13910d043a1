// Shorthands of the path splitting and cleaning tests.
#ifndef QUENDRAL_TESTS_UTIL_FILES_PATH_PARTS_H_
#define QUENDRAL_TESTS_UTIL_FILES_PATH_PARTS_H_

#include <gtest/gtest.h>

#include <string>

#include "util/files/files.h"

namespace quendral::util::fixtures {

inline PathParts Split(const std::string& path, bool is_directory = false) {
  PathParts parts;
  SplitPath(path, is_directory, &parts);
  return parts;
}

inline void ExpectParts(const PathParts& parts, const std::string& drive,
                        const std::string& directory, const std::string& name,
                        const std::string& extension) {
  EXPECT_EQ(parts.drive, drive);
  EXPECT_EQ(parts.directory, directory);
  EXPECT_EQ(parts.name, name);
  EXPECT_EQ(parts.extension, extension);
}

inline std::string Sanitized(std::string path, bool is_directory = false, bool* changed = nullptr) {
  const bool result = SanitizePath(&path, is_directory);
  if (changed != nullptr) {
    *changed = result;
  }
  return path;
}

}  // namespace quendral::util::fixtures

#endif  // QUENDRAL_TESTS_UTIL_FILES_PATH_PARTS_H_
