// Resolving shell links (.lnk files).
//
// On Windows through the shell's link object (COM; the calling thread must
// have COM initialised), asking for the network form of the path. Elsewhere
// the file is read and its target taken from the file's layout (see
// shell_link_file.h); links that record their target only as a shell item
// list cannot be resolved there.
#ifndef QUENDRAL_PLATFORM_OS_SHELL_LINK_H_
#define QUENDRAL_PLATFORM_OS_SHELL_LINK_H_

#include <string>

namespace quendral::os {

// The target path stored in the link file; empty when it cannot be read.
std::string ResolveShellLink(const std::string& link_path);

}  // namespace quendral::os

#endif  // QUENDRAL_PLATFORM_OS_SHELL_LINK_H_
