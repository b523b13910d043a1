#include "dxl/export_folder.h"

#include <algorithm>
#include <set>

#include "dxl/export_file.h"

namespace quendral::dxl {
namespace {

namespace fs = std::filesystem;

// What a walk passes over without looking inside: hidden entries (version
// control, the temporary files of a rewrite) and the originals kept beside
// repaired files, which a second run must not repair again.
bool PassedOver(const fs::path& path) {
  const std::string name = path.filename().string();
  return name.starts_with('.') || name.ends_with(OriginalCopyOf("").string());
}

// Gathers the files in order, each once however often it is reached.
class FileWalk {
 public:
  explicit FileWalk(ExportFileList* list) : list_(list) {}

  void Take(const fs::path& file, RootKind root) {
    std::error_code error;
    const fs::path real = fs::weakly_canonical(file, error);
    if (seen_.insert(error ? file : real).second) {
      list_->files.push_back({file, root});
    }
  }

  void Folder(const fs::path& folder) {
    std::error_code error;
    std::vector<fs::directory_entry> entries;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
      entries.push_back(*it);
    }
    if (error) {
      list_->unreadable.push_back(folder.string() + ": cannot be listed: " + error.message());
      return;
    }
    std::sort(entries.begin(), entries.end(),
              [](const fs::directory_entry& a, const fs::directory_entry& b) {
                return a.path().filename() < b.path().filename();
              });
    for (const fs::directory_entry& entry : entries) {
      Entry(entry);
    }
  }

 private:
  void Entry(const fs::directory_entry& entry) {
    std::error_code error;
    const fs::file_status status = entry.symlink_status(error);
    const bool passed_over = error || PassedOver(entry.path());
    if (fs::is_directory(status)) {
      if (!passed_over) {
        Folder(entry.path());
      }
      return;
    }
    const RootKind root =
        !passed_over && fs::is_regular_file(status) ? ReadRootKind(entry.path()) : RootKind::kOther;
    if (root == RootKind::kOther) {
      ++list_->skipped;
    } else {
      Take(entry.path(), root);
    }
  }

  ExportFileList* list_;
  std::set<fs::path> seen_;
};

}  // namespace

ExportFileList ListExportFiles(const std::vector<std::string>& paths) {
  ExportFileList list;
  FileWalk walk(&list);
  for (const std::string& text : paths) {
    const fs::path path(text);
    std::error_code error;
    const fs::file_status status = fs::status(path, error);
    if (fs::is_directory(status)) {
      walk.Folder(path);
    } else {
      // Only a regular file is read ahead: a pipe would wait for a writer.
      walk.Take(path, fs::is_regular_file(status) ? ReadRootKind(path) : RootKind::kDxl);
    }
  }
  return list;
}

}  // namespace quendral::dxl
