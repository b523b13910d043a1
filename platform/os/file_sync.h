// Writing files and folders through to the disk, so that what was written
// or renamed survives a power cut.
#ifndef QUENDRAL_PLATFORM_OS_FILE_SYNC_H_
#define QUENDRAL_PLATFORM_OS_FILE_SYNC_H_

#include <string>

namespace quendral::os {

// True once the contents of the existing file `path` are on the disk
// (fsync; FlushFileBuffers).
bool SyncFile(const std::string& path);

// True once the entries of the folder that holds `path` (names created,
// renamed or removed there) are on the disk: fsync of the folder. On
// Windows the folder is flushed where the file system allows it, and true
// is returned either way: the moves of this layer are written through
// (MOVEFILE_WRITE_THROUGH) already.
bool SyncFolderOf(const std::string& path);

// The folder that holds `path`: "." for a bare name.
std::string FolderOf(const std::string& path);

}  // namespace quendral::os

#endif  // QUENDRAL_PLATFORM_OS_FILE_SYNC_H_
