#include "dxl/export_file.h"

#include <fstream>
#include <streambuf>
#include <vector>

#include "platform/os/file_sync.h"
#include "platform/os/replacement_file.h"

namespace quendral::dxl {
namespace {

namespace fs = std::filesystem;

constexpr std::size_t kOutputBufferSize = 1 << 20;

Refusal FileRefusal(const fs::path& file, const std::string& what) {
  return Refusal{file.string() + " " + what};
}

// The stream a pass writes to: buffered, into the replacement file, keeping
// the reason of the first failed write.
class ReplacementBuffer : public std::streambuf {
 public:
  explicit ReplacementBuffer(os::ReplacementFile* file) : file_(file), buffer_(kOutputBufferSize) {
    setp(buffer_.data(), buffer_.data() + buffer_.size());
  }

  // Writes out what is buffered; false when a write failed.
  bool Flush() { return sync() == 0; }

  // Why a write failed; empty while none has.
  const std::string& error() const { return error_; }

 protected:
  int_type overflow(int_type c) override {
    if (sync() != 0) {
      return traits_type::eof();
    }
    if (!traits_type::eq_int_type(c, traits_type::eof())) {
      *pptr() = traits_type::to_char_type(c);
      pbump(1);
    }
    return traits_type::not_eof(c);
  }

  int sync() override {
    if (!error_.empty()) {
      return -1;
    }
    const std::size_t size = static_cast<std::size_t>(pptr() - pbase());
    setp(buffer_.data(), buffer_.data() + buffer_.size());
    return size == 0 || file_->Write(buffer_.data(), size, &error_) ? 0 : -1;
  }

 private:
  os::ReplacementFile* file_;
  std::vector<char> buffer_;
  std::string error_;
};

// Keeps the input's current text under `original`, never replacing a file:
// a second name for it where the file system allows, else a copy; either
// written through to the disk before the input is replaced.
bool KeepOriginal(const fs::path& input, const fs::path& original, Refusal* refusal) {
  std::error_code error;
  if (fs::exists(original, error)) {
    *refusal = FileRefusal(original, "exists already; move it away first");
    return false;
  }
  fs::create_hard_link(input, original, error);
  if (error) {
    error.clear();
    fs::copy_file(input, original, fs::copy_options::none, error);
    if (!error && !os::SyncFile(original.string())) {
      error = std::make_error_code(std::errc::io_error);
    }
  }
  if (!error && !os::SyncFolderOf(original.string())) {
    error = std::make_error_code(std::errc::io_error);
  }
  if (error) {
    *refusal = FileRefusal(original, "cannot be written: " + error.message());
    fs::remove(original, error);
    return false;
  }
  return true;
}

bool WriteReplacement(std::istream& in, const fs::path& output, const ExportPass& pass,
                      os::ReplacementFile* file, Refusal* refusal) {
  std::string error;
  if (!file->Open(output.string(), &error)) {
    *refusal = FileRefusal(output, "cannot be written: " + error);
    return false;
  }
  ReplacementBuffer buffer(file);
  std::ostream out(&buffer);
  // A write that failed under the pass is told with the system's reason
  // (a full disk, the file-size limit) rather than the pass's own words.
  const bool passed = pass(in, &out, refusal) && buffer.Flush();
  if (!buffer.error().empty()) {
    *refusal = FileRefusal(output, "cannot be written: " + buffer.error());
    return false;
  }
  return passed;
}

}  // namespace

fs::path OriginalCopyOf(const fs::path& input) {
  fs::path original = input;
  original += ".orig";
  return original;
}

bool RewriteExportFile(const fs::path& input, const OutputTarget& target, const ExportPass& pass,
                       Refusal* refusal) {
  std::ifstream in(input, std::ios::binary);
  if (!in) {
    *refusal = FileRefusal(input, "cannot be read");
    return false;
  }
  if (target.mode == OutputMode::kDryRun) {
    return pass(in, nullptr, refusal);
  }
  const fs::path output = target.mode == OutputMode::kInPlace ? input : target.file;
  std::error_code error;
  if (target.mode == OutputMode::kNewFile && fs::equivalent(input, output, error)) {
    *refusal = FileRefusal(output, "is the input; rewrite it in place instead");
    return false;
  }
  const bool keep_original = target.mode == OutputMode::kInPlace && target.keep_original;
  if (keep_original && fs::exists(OriginalCopyOf(input), error)) {
    *refusal = FileRefusal(OriginalCopyOf(input), "exists already; move it away first");
    return false;
  }
  os::ReplacementFile file;
  if (!WriteReplacement(in, output, pass, &file, refusal)) {
    return false;
  }
  in.close();
  if (keep_original && !KeepOriginal(input, OriginalCopyOf(input), refusal)) {
    return false;
  }
  std::string reason;
  if (!file.Commit(&reason)) {
    *refusal = FileRefusal(output, "cannot be replaced: " + reason);
    if (keep_original && !file.committed()) {
      fs::remove(OriginalCopyOf(input), error);
    }
    return false;
  }
  return true;
}

}  // namespace quendral::dxl
