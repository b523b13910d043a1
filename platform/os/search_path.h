// Finding a file on the system's search path.
//
// On Windows this is SearchPathA with no path of its own: the program's
// folder, the current folder, the system folders, then PATH. Elsewhere the
// folders of PATH are searched in order; within a folder a name that differs
// only in letter case is accepted when the exact name is not there, as the
// Windows file system would.
#ifndef QUENDRAL_PLATFORM_OS_SEARCH_PATH_H_
#define QUENDRAL_PLATFORM_OS_SEARCH_PATH_H_

#include <cstddef>
#include <string>

namespace quendral::os {

// The full path of the first file named `name` (with `default_extension`
// added when the name has no extension) on the search path; empty when none
// is found or its path would be `max_length` characters or longer.
std::string SearchPathForFile(const std::string& name, const std::string& default_extension,
                              std::size_t max_length);

}  // namespace quendral::os

#endif  // QUENDRAL_PLATFORM_OS_SEARCH_PATH_H_
