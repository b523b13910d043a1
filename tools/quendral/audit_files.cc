#include "tools/quendral/audit_files.h"

#include <ctime>
#include <map>

#include "platform/os/local_time.h"
#include "report/audit_csv.h"
#include "report/audit_html.h"
#include "tools/quendral/command_error.h"

namespace quendral::cli {
namespace {

std::string LocalTimeNow() {
  std::tm fields{};
  char text[32] = "";
  if (os::LocalTimeFields(std::time(nullptr), &fields)) {
    std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%S", &fields);
  }
  return text;
}

}  // namespace

void AddAuditFileOptions(CLI::App& command, AuditFileOptions& options) {
  command.add_option("--html", options.html, "Also write the report as a web page to this file");
  command.add_option("--csv", options.csv,
                     "Also write the findings as a spreadsheet (CSV) to this file");
}

report::AuditRun DescribeAuditRun(const CLI::App& app, std::string command, std::string source_key,
                                  std::string user) {
  report::AuditRun run;
  run.command = std::move(command);
  run.version = QUENDRAL_VERSION_TEXT;
  run.started = LocalTimeNow();
  run.source_key = std::move(source_key);
  run.user = std::move(user);
  // An option given n times stands n times in the order of parsing; its
  // values are in order among its results.
  std::map<const CLI::Option*, std::size_t> taken;
  for (const CLI::Option* option : app.parse_order()) {
    const std::size_t index = taken[option]++;
    const bool flag = option->get_expected_min() == 0;
    const auto& results = option->results();
    run.options.emplace_back(option->get_name(),
                             flag || index >= results.size() ? "" : results[index]);
  }
  return run;
}

AuditFiles::AuditFiles(const AuditFileOptions& options) {
  if (!options.html.empty()) {
    Open(options.html, true);
  }
  if (!options.csv.empty()) {
    Open(options.csv, false);
  }
}

void AuditFiles::Open(const std::string& path, bool html) {
  auto file = std::make_unique<File>();
  file->path = path;
  file->stream.open(path, std::ios::binary | std::ios::trunc);
  if (!file->stream) {
    throw CommandError("cannot write " + path);
  }
  if (html) {
    file->sink = std::make_unique<report::HtmlAuditSink>(file->stream);
  } else {
    file->sink = std::make_unique<report::CsvAuditSink>(file->stream);
  }
  files_.push_back(std::move(file));
}

report::AuditSink& AuditFiles::With(report::AuditSink& printed) {
  std::vector<report::AuditSink*> sinks = {&printed};
  for (const auto& file : files_) {
    sinks.push_back(file->sink.get());
  }
  tee_ = std::make_unique<report::TeeAuditSink>(std::move(sinks));
  return *tee_;
}

void AuditFiles::Close() {
  for (const auto& file : files_) {
    file->stream.close();
    if (!file->stream) {
      throw CommandError("cannot write " + file->path);
    }
  }
}

}  // namespace quendral::cli
