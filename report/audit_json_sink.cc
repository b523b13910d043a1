#include "report/audit_json_sink.h"

#include <nlohmann/json.hpp>
#include <ostream>

#include "report/json_layout.h"
#include "report/json_text.h"

namespace quendral::report {

void JsonAuditSink::BeginRun(const AuditRun& run) {
  HeldSourceSink::BeginRun(run);
  out_ << "{\n  \"databases\": [";
}

std::string JsonAuditSink::FormatDocument(const DocumentFindings& findings,
                                          std::int64_t index) const {
  return (index == 0 ? "\n        " : ",\n        ") + NestedJson(DocumentJson(findings), 4);
}

void JsonAuditSink::WriteSource(HeldSource& source) {
  // The entry's keys in the order the JSON library sorts them.
  const nlohmann::json fields = {{"documents", *source.documents()},
                                 {source_key_, source.source().path},
                                 {"replica_id", source.source().replica_id},
                                 {"findings", nullptr}};
  out_ << (totals_.databases == 0 ? "\n    {" : ",\n    {");
  const char* separator = "\n      ";
  for (const auto& [key, value] : fields.items()) {
    out_ << separator << JsonText(nlohmann::json(key), -1) << ": ";
    separator = ",\n      ";
    if (key != "findings") {
      out_ << JsonText(value, -1);
    } else if (source.findings() == 0) {
      out_ << "[]";
    } else {
      out_ << "[";
      source.CopyHeldTo(out_);
      out_ << "\n      ]";
    }
  }
  out_ << "\n    }";
}

void JsonAuditSink::EndRun() {
  nlohmann::json totals = TotalsJson(totals_);
  if (skipped_) {
    totals["skipped"] = *skipped_;
  }
  out_ << (totals_.databases == 0 ? "]" : "\n  ]") << ",\n  \"totals\": " << NestedJson(totals, 1)
       << "\n}\n";
  out_.flush();
}

}  // namespace quendral::report
