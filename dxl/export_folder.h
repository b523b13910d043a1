// The export files a command is given: files as they are, folders walked for
// the exports under them.
#ifndef QUENDRAL_DXL_EXPORT_FOLDER_H_
#define QUENDRAL_DXL_EXPORT_FOLDER_H_

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "dxl/export_root.h"

namespace quendral::dxl {

struct ExportFile {
  std::filesystem::path path;
  // kOther only for a file named on its own that is not an export: the
  // pass then refuses it with the reason.
  RootKind root = RootKind::kDxl;
};

struct ExportFileList {
  std::vector<ExportFile> files;        // in the order given, folders in name order
  std::int64_t skipped = 0;             // files under the folders that were passed over
  std::vector<std::string> unreadable;  // "FOLDER: reason", for folders not walked
};

// A path that is not a folder is taken as a file. A folder is walked
// recursively, the entries of each folder in the order of their names; of
// what is under it, only regular files whose root is an export's are taken.
// Hidden folders (".git") are not walked; other files, hidden ones, the
// ".orig" copies in-place repairs keep and links are passed over and counted.
// A file reached twice (named, and under a folder named) is taken once.
ExportFileList ListExportFiles(const std::vector<std::string>& paths);

}  // namespace quendral::dxl

#endif  // QUENDRAL_DXL_EXPORT_FOLDER_H_
