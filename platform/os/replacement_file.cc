#include "platform/os/replacement_file.h"

#include <atomic>
#include <charconv>
#include <filesystem>
#include <system_error>

#include "platform/os/file_move.h"
#include "platform/os/file_sync.h"
#include "platform/os/process_liveness.h"
#include "platform/os/termination_cleanup.h"

namespace quendral::os {
namespace {

namespace fs = std::filesystem;

constexpr std::string_view kMarker = ".rewriting-";

// ".NAME.rewriting-PID-N" beside `target`.
std::string TemporaryNameFor(const std::string& target) {
  static std::atomic<unsigned> counter{0};
  const fs::path path(target);
  const std::string name = "." + path.filename().string() + std::string(kMarker) +
                           std::to_string(ThisProcessNumber()) + "-" + std::to_string(++counter);
  return (path.parent_path() / name).string();
}

bool AllDigits(std::string_view text) {
  return !text.empty() && text.find_first_not_of("0123456789") == std::string_view::npos;
}

}  // namespace

bool ReplacementFile::WriterOf(const std::string& name, std::uint64_t* process) {
  const std::size_t marker = name.rfind(kMarker);
  if (name.size() < 2 || name[0] != '.' || marker == std::string::npos || marker < 2) {
    return false;
  }
  const std::string_view rest = std::string_view(name).substr(marker + kMarker.size());
  const std::size_t dash = rest.find('-');
  if (dash == std::string_view::npos || !AllDigits(rest.substr(0, dash)) ||
      !AllDigits(rest.substr(dash + 1))) {
    return false;
  }
  return std::from_chars(rest.data(), rest.data() + dash, *process).ec == std::errc();
}

// Only regular files of our naming whose writer has ended; a link of such a
// name is someone else's and stays.
void ReplacementFile::RemoveStaleTemporaries(const std::string& folder) const {
  std::error_code error;
  for (fs::directory_iterator entry(folder, error), end; !error && entry != end;
       entry.increment(error)) {
    std::uint64_t writer = 0;
    if (WriterOf(entry->path().filename().string(), &writer) && writer != ThisProcessNumber() &&
        entry->symlink_status(error).type() == fs::file_type::regular && ProcessHasEnded(writer)) {
      fs::remove(entry->path(), error);
      error.clear();
    }
  }
}

ReplacementFile::~ReplacementFile() { Abandon(); }

bool ReplacementFile::Open(const std::string& target, std::string* error) {
  Abandon();
  std::error_code status_error;
  const fs::file_type type = fs::status(target, status_error).type();
  if (type != fs::file_type::regular && type != fs::file_type::not_found) {
    *error = "is not a regular file";
    return false;
  }
  RemoveStaleTemporaries(FolderOf(target));
  target_ = target;
  committed_ = false;
  for (;;) {
    temporary_ = TemporaryNameFor(target);
    // Registered before it exists, so that no moment is left uncovered.
    cleanup_ticket_ = RemoveOnTermination(temporary_.c_str());
    switch (CreateExclusive(temporary_, error)) {
      case Created::kCreated:
        return true;
      case Created::kNameTaken:
        KeepOnTermination(cleanup_ticket_);
        break;
      case Created::kFailed:
        KeepOnTermination(cleanup_ticket_);
        cleanup_ticket_ = -1;
        temporary_.clear();
        return false;
    }
  }
}

bool ReplacementFile::Write(const char* data, std::size_t size, std::string* error) {
  return WriteAll(data, size, error);
}

bool ReplacementFile::Commit(std::string* error) {
  bool done = TakeAttributesOf(target_, error) && SyncAndClose(error) &&
              MoveFileReplacing(temporary_, target_, error);
  if (!done) {
    Abandon();
    return false;
  }
  KeepOnTermination(cleanup_ticket_);
  cleanup_ticket_ = -1;
  temporary_.clear();
  committed_ = true;
  if (!SyncFolderOf(target_)) {
    *error = "was replaced, but its folder could not be written to the disk";
    return false;
  }
  return true;
}

void ReplacementFile::Abandon() {
  Close();
  if (!temporary_.empty()) {
    std::error_code ignored;
    fs::remove(temporary_, ignored);
    KeepOnTermination(cleanup_ticket_);
    cleanup_ticket_ = -1;
    temporary_.clear();
  }
}

}  // namespace quendral::os
