// One audit handed to several formats at once: what it prints and the files
// it writes beside.
#ifndef QUENDRAL_REPORT_AUDIT_TEE_H_
#define QUENDRAL_REPORT_AUDIT_TEE_H_

#include <cstdint>
#include <string>
#include <vector>

#include "report/audit_sink.h"

namespace quendral::report {

class TeeAuditSink : public AuditSink {
 public:
  explicit TeeAuditSink(std::vector<AuditSink*> sinks) : sinks_(std::move(sinks)) {}

  void BeginRun(const AuditRun& run) override {
    for (AuditSink* sink : sinks_) {
      sink->BeginRun(run);
    }
  }
  void BeginSource(const AuditSource& source) override {
    for (AuditSink* sink : sinks_) {
      sink->BeginSource(source);
    }
  }
  void Document(const DocumentFindings& findings) override {
    for (AuditSink* sink : sinks_) {
      sink->Document(findings);
    }
  }
  void EndSource(std::int64_t documents) override {
    for (AuditSink* sink : sinks_) {
      sink->EndSource(documents);
    }
  }
  void FailedSource(const std::string& path, const std::string& reason) override {
    for (AuditSink* sink : sinks_) {
      sink->FailedSource(path, reason);
    }
  }
  void EndRun() override {
    for (AuditSink* sink : sinks_) {
      sink->EndRun();
    }
  }

 private:
  std::vector<AuditSink*> sinks_;
};

}  // namespace quendral::report

#endif  // QUENDRAL_REPORT_AUDIT_TEE_H_
