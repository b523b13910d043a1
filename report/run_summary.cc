#include "report/run_summary.h"

#include <sstream>
#include <utility>

namespace quendral::report {

void RunSummary::AddConflict(std::string unid, std::string reason) {
  ++conflicts;
  conflicted_documents.push_back({std::move(unid), std::move(reason)});
}

void RunSummary::AddFailure(std::string unid, std::string reason) {
  ++failed;
  failed_documents.push_back({std::move(unid), std::move(reason)});
}

int ExitCode(const RunSummary& summary) {
  return summary.conflicts == 0 && summary.failed == 0 ? kExitDone : kExitIncomplete;
}

namespace {

void AddProblems(const std::vector<DocumentProblem>& problems, const char* kind,
                 nlohmann::json& list) {
  for (const DocumentProblem& problem : problems) {
    list.push_back({{"unid", problem.unid}, {"reason", problem.reason}, {"kind", kind}});
  }
}

}  // namespace

nlohmann::json SummaryJson(const RunSummary& summary) {
  nlohmann::json json = {{summary.source_key, summary.source}, {"documents", summary.documents},
                         {"selected", summary.selected},       {"changed", summary.changed},
                         {"unchanged", summary.unchanged},     {"conflicts", summary.conflicts},
                         {"failed", summary.failed},           {"dry_run", summary.dry_run}};
  if (summary.without_backup) {
    json["without_backup"] = *summary.without_backup;
  }
  nlohmann::json problems = nlohmann::json::array();
  AddProblems(summary.conflicted_documents, "conflict", problems);
  AddProblems(summary.failed_documents, "failed", problems);
  if (!problems.empty()) {
    json["problems"] = std::move(problems);
  }
  return json;
}

std::string SummaryText(const RunSummary& summary) {
  std::ostringstream text;
  for (const DocumentProblem& problem : summary.conflicted_documents) {
    text << "conflict " << problem.unid << ": " << problem.reason << "\n";
  }
  for (const DocumentProblem& problem : summary.failed_documents) {
    text << "failed " << problem.unid << ": " << problem.reason << "\n";
  }
  text << summary.source << ": " << summary.selected << " taken, " << summary.changed
       << (summary.dry_run ? " would be repaired, " : " repaired, ") << summary.unchanged
       << " unchanged, " << summary.conflicts << " conflicts, " << summary.failed << " failed";
  if (summary.without_backup) {
    text << ", " << *summary.without_backup << " without backup";
  }
  if (summary.dry_run) {
    text << " (dry run: nothing written)";
  }
  text << "\n";
  return text.str();
}

}  // namespace quendral::report
