// Writing a text or a run of bytes to a file: the writing counterparts of
// ReadTextFileLines (util/files/command_runner.h), with its result convention.
#ifndef QUENDRAL_UTIL_FILES_FILE_WRITING_H_
#define QUENDRAL_UTIL_FILES_FILE_WRITING_H_

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace quendral::util {

// Open flags, numbered as the framework file class the callers know.
inline constexpr std::uint32_t kFileWrite = 0x0001;
inline constexpr std::uint32_t kFileReadWrite = 0x0002;
inline constexpr std::uint32_t kFileCreate = 0x1000;  // truncates unless kFileKeepContent
inline constexpr std::uint32_t kFileKeepContent = 0x2000;
inline constexpr std::uint32_t kFileText = 0x4000;
inline constexpr std::uint32_t kFileBinary = 0x8000;
// What WriteTextFile uses for flags 0.
inline constexpr std::uint32_t kFileDefaultTextFlags = kFileCreate | kFileText | kFileWrite;

// Writes `text` at the end of the file opened with `flags` (0 for
// kFileDefaultTextFlags). Unless kFileBinary is given every "\n" is stored
// as "\r\n", on every platform, so the files look the same everywhere.
//
// With `clean_path` the path is first cleaned by SanitizePath (util/files/files.h)
// as a file path; that knows only backslash separators, so a cleaned path
// must use them (the file system accepts them everywhere). With
// `create_directory` the file's directory is created by
// CreateDirectoryForFile. Both act on the path actually opened.
//
// 0 on success. 1 when the file could not be opened or written, with the
// system's message (at most 1023 bytes) in `error_message`; a file that
// could not be opened is left as it was.
int WriteTextFile(const std::string& path, std::string_view text, std::string* error_message,
                  std::uint32_t flags, bool clean_path, bool create_directory);

// Writes `size` bytes of `data` at the end of the file opened with `flags`,
// taken as they are, with the same line-end rule and results.
int WriteBytesToFile(const std::string& path, const void* data, std::size_t size,
                     std::string* error_message, std::uint32_t flags);

}  // namespace quendral::util

#endif  // QUENDRAL_UTIL_FILES_FILE_WRITING_H_
