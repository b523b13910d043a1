// The files an audit writes besides what it prints: the web page (--html)
// and the spreadsheet (--csv), shared by `audit` and `dxl audit`.
#ifndef QUENDRAL_TOOLS_QUENDRAL_AUDIT_FILES_H_
#define QUENDRAL_TOOLS_QUENDRAL_AUDIT_FILES_H_

#include <CLI/CLI.hpp>
#include <fstream>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "report/audit_sink.h"
#include "report/audit_tee.h"

namespace quendral::cli {

struct AuditFileOptions {
  std::string html, csv;
};

void AddAuditFileOptions(CLI::App& command, AuditFileOptions& options);

// What was run, as the files say: `command` ("audit" or "dxl audit") with
// the options given to `app` in their order, this version, and the time now.
report::AuditRun DescribeAuditRun(const CLI::App& app, std::string command, std::string source_key,
                                  std::string user);

// The files asked for, opened when made, so that a path that cannot be
// written fails before the audit (CommandError).
class AuditFiles {
 public:
  explicit AuditFiles(const AuditFileOptions& options);

  // The sink that hands the audit to `printed`, the format of standard
  // output, and to every file as it goes.
  report::AuditSink& With(report::AuditSink& printed);
  // Once the run has ended: CommandError when a file is not whole.
  void Close();

 private:
  struct File {
    std::string path;
    std::ofstream stream;
    std::unique_ptr<report::AuditSink> sink;
  };
  void Open(const std::string& path, bool html);

  std::vector<std::unique_ptr<File>> files_;
  std::unique_ptr<report::TeeAuditSink> tee_;
};

}  // namespace quendral::cli

#endif  // QUENDRAL_TOOLS_QUENDRAL_AUDIT_FILES_H_
