// Auditing a database: what fix-hidewhen and relink would find in each
// document, and the link-table backups it holds. Reads only: the documents
// are read as item images on the database's own connection, and only one
// whose hide-when areas do not tell what the repair does is opened and
// repaired in memory to find out, and then dropped.
#ifndef QUENDRAL_BATCH_AUDIT_H_
#define QUENDRAL_BATCH_AUDIT_H_

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>

#include "batch/document_lookup.h"
#include "batch/selection.h"
#include "platform/notes/api/ln.h"
#include "report/audit_report.h"
#include "report/audit_sink.h"

namespace quendral::batch {

// Where links lead: the databases of a server by replica ID, each opened
// once, and whether they hold a document.
class LinkTargets {
 public:
  LinkTargets(LNNotesSession& session, std::string server)
      : session_(session), server_(std::move(server)) {}

  // Takes `database` as the database of `replica_id`.
  void Add(const TIMEDATE& replica_id, const LNDatabase& database);

  // report::kLinkOk, kDatabaseNotFound or kDocumentNotFound.
  const char* Status(const TIMEDATE& replica_id, const UNIVERSALNOTEID& note);

 private:
  static std::uint64_t Key(const TIMEDATE& replica_id) {
    return std::uint64_t{replica_id.Innards[1]} << 32 | replica_id.Innards[0];
  }

  LNNotesSession& session_;
  std::string server_;
  // Nothing for a replica ID no database of the server has.
  std::map<std::uint64_t, std::optional<DocumentLookup>> databases_;
};

struct AuditOptions {
  const Selection* selection = nullptr;  // nullptr: every document
  // Told after each document: documents done, and the database's documents.
  std::function<void(std::int64_t done, std::int64_t total)> on_document;
};

// Audits the open database into `sink`, from BeginSource to EndSource, each
// document with findings as soon as it is read; `path` is how the report
// names it. The count at the end is of the documents taken. A document that
// cannot be read is listed with an "error" key.
void AuditDatabase(LNDatabase& database, const std::string& path, LinkTargets& targets,
                   const AuditOptions& options, report::AuditSink& sink);

// The same, gathered whole in memory.
report::DatabaseAudit AuditDatabase(LNDatabase& database, const std::string& path,
                                    LinkTargets& targets, const AuditOptions& options);

}  // namespace quendral::batch

#endif  // QUENDRAL_BATCH_AUDIT_H_
