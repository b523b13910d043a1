#include "dxl/export_file.h"

#include <atomic>
#include <fstream>
#include <random>
#include <vector>

namespace quendral::dxl {
namespace {

namespace fs = std::filesystem;

constexpr std::size_t kOutputBufferSize = 1 << 20;

// A name beside `file` that no other writer picks.
fs::path TemporaryFileFor(const fs::path& file) {
  static const unsigned tag = std::random_device()();
  static std::atomic<unsigned> counter{0};
  fs::path name = ".";
  name += file.filename();
  name += ".rewriting-" + std::to_string(tag) + "-" + std::to_string(++counter);
  return file.parent_path() / name;
}

Refusal FileRefusal(const fs::path& file, const std::string& what) {
  return Refusal{file.string() + " " + what};
}

// Keeps the input's current text under `original`, never replacing a file:
// a second name for it where the file system allows, else a copy.
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
  }
  if (error) {
    *refusal = FileRefusal(original, "cannot be written: " + error.message());
    return false;
  }
  return true;
}

bool WriteTemporary(std::istream& in, const fs::path& temporary, const ExportPass& pass,
                    Refusal* refusal) {
  std::vector<char> buffer(kOutputBufferSize);
  std::ofstream out;
  out.rdbuf()->pubsetbuf(buffer.data(), static_cast<std::streamsize>(buffer.size()));
  out.open(temporary, std::ios::binary | std::ios::trunc);
  if (!out) {
    *refusal = FileRefusal(temporary.parent_path(), "cannot take a new file");
    return false;
  }
  if (!pass(in, &out, refusal)) {
    return false;
  }
  out.close();
  if (!out) {
    *refusal = FileRefusal(temporary, "cannot be written");
    return false;
  }
  return true;
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
  const fs::path temporary = TemporaryFileFor(output);
  bool done = WriteTemporary(in, temporary, pass, refusal);
  in.close();
  if (done && keep_original) {
    done = KeepOriginal(input, OriginalCopyOf(input), refusal);
  }
  if (done) {
    fs::rename(temporary, output, error);
    if (error) {
      *refusal = FileRefusal(output, "cannot be replaced: " + error.message());
      done = false;
      if (keep_original) {
        fs::remove(OriginalCopyOf(input), error);
      }
    }
  }
  fs::remove(temporary, error);
  return done;
}

}  // namespace quendral::dxl
