// One audit handed to several formats at once: what it prints and the files
// it writes beside.
#ifndef QUENDRAL_REPORT_AUDIT_TEE_H_
#define QUENDRAL_REPORT_AUDIT_TEE_H_

#include <cstdint>
#include <memory>
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

  // A part of each sink, filled together.
  std::unique_ptr<AuditSink> NewSourcePart() override {
    std::vector<std::unique_ptr<AuditSink>> parts;
    for (AuditSink* sink : sinks_) {
      parts.push_back(sink->NewSourcePart());
    }
    auto part = std::make_unique<TeeAuditSink>(Pointers(parts));
    part->parts_ = std::move(parts);
    return part;
  }
  void MergeSourcePart(AuditSink& part) override {
    auto& tee = static_cast<TeeAuditSink&>(part);
    for (std::size_t i = 0; i < sinks_.size(); ++i) {
      sinks_[i]->MergeSourcePart(*tee.parts_[i]);
    }
  }

 private:
  static std::vector<AuditSink*> Pointers(const std::vector<std::unique_ptr<AuditSink>>& owned) {
    std::vector<AuditSink*> pointers;
    for (const auto& sink : owned) {
      pointers.push_back(sink.get());
    }
    return pointers;
  }

  std::vector<AuditSink*> sinks_;
  std::vector<std::unique_ptr<AuditSink>> parts_;  // what a part owns: `sinks_`
};

}  // namespace quendral::report

#endif  // QUENDRAL_REPORT_AUDIT_TEE_H_
