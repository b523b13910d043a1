#include "batch/batch_run.h"

#include <string>
#include <vector>

#include "batch/document_pages.h"
#include "notes/status_text.h"

namespace quendral::batch {
namespace {

std::string UnidText(const LNDocument& document) {
  UNIVERSALNOTEID unid{};
  document.GetUniversalID(&unid);
  return LNUniversalID::Format(unid).GetString();
}

// Takes the documents of one database in turn and saves the changed ones a
// group at a time.
class GroupRun {
 public:
  GroupRun(LNDatabase& database, DocumentRepair& repair, const RunOptions& options,
           report::RunSummary* summary, std::int64_t total)
      : database_(database),
        repair_(repair),
        options_(options),
        summary_(*summary),
        total_(total) {}

  void Take(LNDocument document) {
    ++summary_.documents;
    try {
      Handle(document);
    } catch (LNSTATUS status) {
      Fail(document, StatusText(status));
    }
    if (options_.on_document) {
      options_.on_document(summary_.documents, total_);
    }
  }

  // Saves the documents still waiting.
  void Flush() {
    if (pending_.empty()) {
      return;
    }
    if (LNSTATUS status = database_.BeginSaveGroup(); status != 0) {
      FailPending("cannot write the database: " + StatusText(status));
      return;
    }
    std::vector<const LNDocument*> saved;
    for (LNDocument& document : pending_) {
      const LNSTATUS status = document.Save(0);
      if (status == 0) {
        saved.push_back(&document);
      } else if (status == platform::kErrSaveConflict) {
        summary_.AddConflict(UnidText(document), "changed by someone else since it was read");
      } else {
        summary_.AddFailure(UnidText(document), "cannot save: " + StatusText(status));
      }
    }
    if (LNSTATUS status = database_.CommitSaveGroup(); status != 0) {
      database_.AbortSaveGroup();
      // Nothing of the group reached the file.
      for (const LNDocument* document : saved) {
        summary_.AddFailure(UnidText(*document),
                            "cannot write the database: " + StatusText(status));
      }
      saved.clear();
    }
    summary_.changed += static_cast<std::int64_t>(saved.size());
    CloseAll();
  }

  ~GroupRun() { CloseAll(); }

 private:
  void Handle(LNDocument& document) {
    if (LNSTATUS status = document.Open(0); status != 0) {
      Fail(document, "cannot read the document: " + StatusText(status));
      return;
    }
    if (options_.selection != nullptr && !options_.selection->Takes(document)) {
      document.Close();
      return;
    }
    ++summary_.selected;
    const RepairOutcome outcome = repair_.Repair(document);
    if (outcome.kind == RepairOutcome::Kind::kFailed) {
      Fail(document, outcome.reason);
    } else if (!document.HasUnsavedChanges()) {
      ++summary_.unchanged;
      if (outcome.kind == RepairOutcome::Kind::kNoBackup) {
        summary_.without_backup = summary_.without_backup.value_or(0) + 1;
      }
      document.Close();
    } else if (options_.dry_run) {
      ++summary_.changed;
      document.Close();
    } else {
      pending_.push_back(document);
    }
  }

  void Fail(LNDocument& document, const std::string& reason) {
    summary_.AddFailure(UnidText(document), reason);
    document.Close();
  }

  void FailPending(const std::string& reason) {
    for (LNDocument& document : pending_) {
      summary_.AddFailure(UnidText(document), reason);
    }
    CloseAll();
  }

  void CloseAll() {
    for (LNDocument& document : pending_) {
      document.Close();
    }
    pending_.clear();
  }

  LNDatabase& database_;
  DocumentRepair& repair_;
  const RunOptions& options_;
  report::RunSummary& summary_;
  std::int64_t total_;
  std::vector<LNDocument> pending_;
};

}  // namespace

void RunOverDatabase(LNDatabase& database, DocumentRepair& repair, const RunOptions& options,
                     report::RunSummary* summary) {
  std::size_t total = 0;
  database.GetDocumentCount(&total);
  GroupRun run(database, repair, options, summary, static_cast<std::int64_t>(total));
  const LNSTATUS status = ForEachDocumentPage(
      database, options.group_size,
      [&run](std::vector<LNDocument>& page) {
        for (LNDocument& document : page) {
          run.Take(document);
        }
      },
      [&run](std::vector<LNDocument>&) { run.Flush(); });
  if (status != 0) {
    summary->AddFailure("", "cannot read the list of documents: " + StatusText(status));
  }
}

void RunOverDocument(LNDatabase& database, LNDocument document, DocumentRepair& repair,
                     const RunOptions& options, report::RunSummary* summary) {
  GroupRun run(database, repair, options, summary, 1);
  run.Take(document);
  run.Flush();
}

}  // namespace quendral::batch
