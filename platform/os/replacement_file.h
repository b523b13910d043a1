// Replacing a file durably: the new contents are written to a temporary
// file beside the target, written through to the disk, and only then given
// the target's name, and the folder is written through after. A reader, or
// the disk after a power cut, finds the old file or the whole new one.
//
// The temporary file is named ".NAME.rewriting-PID-N" after the process that
// writes it. It is created exclusively and never through a link (O_EXCL and
// O_NOFOLLOW; CREATE_NEW on Windows), readable by its owner only until it
// takes the target's name, and removed when the replacement fails or is
// abandoned and when the process is ended by a signal (see
// termination_cleanup.h). One left by a process killed outright is removed
// by the next replacement in that folder, once that process has ended.
#ifndef QUENDRAL_PLATFORM_OS_REPLACEMENT_FILE_H_
#define QUENDRAL_PLATFORM_OS_REPLACEMENT_FILE_H_

#include <cstddef>
#include <cstdint>
#include <string>

namespace quendral::os {

class ReplacementFile {
 public:
  ReplacementFile() = default;
  // Abandons a replacement not committed.
  ~ReplacementFile();
  ReplacementFile(const ReplacementFile&) = delete;
  ReplacementFile& operator=(const ReplacementFile&) = delete;

  // Starts replacing `target`, which must be a regular file (or a link to
  // one) or not exist. False with the reason in `error` when it is
  // something else or its folder takes no new file.
  bool Open(const std::string& target, std::string* error);

  // Appends `size` bytes. False with the reason (a full disk, the file-size
  // limit) in `error`.
  bool Write(const char* data, std::size_t size, std::string* error);

  // Gives the new file the mode, and where the process may the owner and
  // group, of the file the target names now (a link's file), or the mode the
  // umask gives new files when there is none; writes it through; gives it
  // the target's name, replacing a link rather than writing through it; and
  // writes the folder through. On Windows, which has no such modes, the
  // file takes its folder's permissions. False with the reason in `error`:
  // the target is then unchanged, unless committed() tells that only the
  // writing through of the folder failed.
  bool Commit(std::string* error);
  bool committed() const { return committed_; }

  // Closes and removes the temporary file; nothing else changes.
  void Abandon();

  const std::string& temporary() const { return temporary_; }

  // The number of the process that wrote the temporary file `name` (a bare
  // file name), or false when the name is not one of a temporary file.
  static bool WriterOf(const std::string& name, std::uint64_t* process);

 private:
  enum class Created { kCreated, kNameTaken, kFailed };

  // Per system.
  Created CreateExclusive(const std::string& name, std::string* error);
  bool WriteAll(const char* data, std::size_t size, std::string* error);
  bool TakeAttributesOf(const std::string& target, std::string* error);
  bool SyncAndClose(std::string* error);
  void Close();

  void RemoveStaleTemporaries(const std::string& folder) const;

  std::string target_, temporary_;
  std::intptr_t handle_ = -1;
  int cleanup_ticket_ = -1;
  bool committed_ = false;
};

}  // namespace quendral::os

#endif  // QUENDRAL_PLATFORM_OS_REPLACEMENT_FILE_H_
