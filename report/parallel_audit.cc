#include "report/parallel_audit.h"

#include <algorithm>
#include <condition_variable>
#include <cstdint>
#include <exception>
#include <memory>
#include <mutex>
#include <nlohmann/json.hpp>
#include <thread>
#include <vector>

#include "report/spill_buffer.h"

namespace quendral::report {
namespace {

using nlohmann::json;

// How many sources the workers may run ahead of the one handed on, each.
constexpr std::size_t kSourcesAheadPerJob = 2;

json HiddenRecord(const HiddenParagraph& paragraph) {
  return {paragraph.item, paragraph.formula, paragraph.hides ? json(*paragraph.hides) : json(),
          paragraph.enabled, paragraph.extra};
}

json LinkRecord(const LinkFinding& link) {
  return {link.item, link.index, link.replica_id, link.note_unid, std::string(link.status),
          link.extra};
}

json DocumentRecord(const DocumentFindings& document) {
  json hidden = json::array();
  for (const HiddenParagraph& paragraph : document.hidden) {
    hidden.push_back(HiddenRecord(paragraph));
  }
  json links = json::array();
  for (const LinkFinding& link : document.links) {
    links.push_back(LinkRecord(link));
  }
  return {document.unid, std::move(hidden), std::move(links), document.backups, document.extra};
}

// One of the statuses of audit_report.h, whose texts outlive the record.
std::string_view KnownStatus(const std::string& text) {
  for (std::string_view status : {kLinkOk, kDatabaseNotFound, kDocumentNotFound}) {
    if (text == status) {
      return status;
    }
  }
  return kDatabaseNotFound;
}

DocumentFindings DocumentFromRecord(const json& record) {
  DocumentFindings document;
  document.unid = record[0].get<std::string>();
  for (const json& entry : record[1]) {
    HiddenParagraph paragraph;
    paragraph.item = entry[0].get<std::string>();
    paragraph.formula = entry[1].get<std::string>();
    if (!entry[2].is_null()) {
      paragraph.hides = entry[2].get<bool>();
    }
    paragraph.enabled = entry[3].get<bool>();
    paragraph.extra = entry[4];
    document.hidden.push_back(std::move(paragraph));
  }
  for (const json& entry : record[2]) {
    document.links.push_back({entry[0].get<std::string>(), entry[1].get<std::int64_t>(),
                              entry[2].get<std::string>(), entry[3].get<std::string>(),
                              KnownStatus(entry[4].get<std::string>()), entry[5]});
  }
  document.backups = record[3].get<std::vector<std::string>>();
  document.extra = record[4];
  return document;
}

// What a worker tells of one source, held until the source's turn: each
// call a record of its kind and arguments, as MessagePack behind its length.
class SourceRecord : public AuditSink {
 public:
  void BeginRun(const AuditRun&) override {}
  void BeginSource(const AuditSource& source) override {
    Add({"begin", source.path, source.replica_id});
  }
  void Document(const DocumentFindings& findings) override {
    Add({"document", DocumentRecord(findings)});
  }
  void EndSource(std::int64_t documents) override { Add({"end", documents}); }
  void FailedSource(const std::string& path, const std::string& reason) override {
    Add({"failed", path, reason});
  }
  void EndRun() override {}

  // Tells `sink` what was recorded, and drops it.
  void Replay(AuditSink& sink) {
    held_.Rewind();
    std::uint32_t size = 0;
    std::vector<std::uint8_t> bytes;
    while (held_.Read(reinterpret_cast<char*>(&size), sizeof size)) {
      bytes.resize(size);
      held_.Read(reinterpret_cast<char*>(bytes.data()), size);
      const json call = json::from_msgpack(bytes);
      const std::string kind = call[0].get<std::string>();
      if (kind == "begin") {
        sink.BeginSource({call[1].get<std::string>(), call[2].get<std::string>()});
      } else if (kind == "document") {
        sink.Document(DocumentFromRecord(call[1]));
      } else if (kind == "end") {
        sink.EndSource(call[1].get<std::int64_t>());
      } else {
        sink.FailedSource(call[1].get<std::string>(), call[2].get<std::string>());
      }
    }
    held_.Clear();
  }

  bool done = false;
  std::exception_ptr failure;

 private:
  void Add(const json& call) {
    const std::vector<std::uint8_t> bytes = json::to_msgpack(call);
    const auto size = static_cast<std::uint32_t>(bytes.size());
    held_.Write({reinterpret_cast<const char*>(&size), sizeof size});
    held_.Write({reinterpret_cast<const char*>(bytes.data()), bytes.size()});
  }

  SpillBuffer held_;
};

// The sources shared between the workers and the thread that hands them on.
class SourceQueue {
 public:
  SourceQueue(std::size_t count, std::size_t ahead) : records_(count), ahead_(ahead) {}

  // The next source to audit and its record; false when none is left.
  bool Take(std::size_t* index, SourceRecord** record) {
    std::unique_lock<std::mutex> lock(mutex_);
    changed_.wait(lock, [&] { return stopped_ || next_ < handed_on_ + ahead_; });
    if (stopped_ || next_ == records_.size()) {
      return false;
    }
    *index = next_++;
    records_[*index] = std::make_unique<SourceRecord>();
    *record = records_[*index].get();
    return true;
  }

  void Done(SourceRecord* record, std::exception_ptr failure) {
    std::lock_guard<std::mutex> lock(mutex_);
    record->failure = std::move(failure);
    record->done = true;
    changed_.notify_all();
  }

  // Waits for source `index`, and takes its record.
  std::unique_ptr<SourceRecord> Await(std::size_t index) {
    std::unique_lock<std::mutex> lock(mutex_);
    changed_.wait(lock, [&] { return records_[index] && records_[index]->done; });
    return std::move(records_[index]);
  }

  void HandedOn(std::size_t index) {
    std::lock_guard<std::mutex> lock(mutex_);
    handed_on_ = index + 1;
    changed_.notify_all();
  }

  void Stop() {
    std::lock_guard<std::mutex> lock(mutex_);
    stopped_ = true;
    changed_.notify_all();
  }

 private:
  std::mutex mutex_;
  std::condition_variable changed_;
  std::vector<std::unique_ptr<SourceRecord>> records_;
  std::size_t ahead_;
  std::size_t next_ = 0, handed_on_ = 0;
  bool stopped_ = false;
};

void Work(SourceQueue& queue, unsigned worker, const SourceAudit& audit) {
  std::size_t index = 0;
  SourceRecord* record = nullptr;
  while (queue.Take(&index, &record)) {
    std::exception_ptr failure;
    try {
      audit(index, worker, *record);
    } catch (...) {
      failure = std::current_exception();
    }
    queue.Done(record, failure);
  }
}

}  // namespace

void AuditInOrder(std::size_t count, unsigned jobs, const SourceAudit& audit, AuditSink& sink) {
  jobs = static_cast<unsigned>(std::min<std::size_t>(std::max(jobs, 1u), count));
  if (jobs <= 1) {
    for (std::size_t index = 0; index < count; ++index) {
      audit(index, 0, sink);
    }
    return;
  }
  SourceQueue queue(count, kSourcesAheadPerJob * jobs);
  std::vector<std::thread> workers;
  for (unsigned worker = 0; worker < jobs; ++worker) {
    workers.emplace_back(Work, std::ref(queue), worker, std::cref(audit));
  }
  std::exception_ptr failure;
  try {
    for (std::size_t index = 0; index < count && !failure; ++index) {
      std::unique_ptr<SourceRecord> record = queue.Await(index);
      record->Replay(sink);
      failure = record->failure;
      queue.HandedOn(index);
    }
  } catch (...) {
    failure = std::current_exception();
  }
  queue.Stop();
  for (std::thread& worker : workers) {
    worker.join();
  }
  if (failure) {
    std::rethrow_exception(failure);
  }
}

unsigned DefaultJobs() { return std::max(std::thread::hardware_concurrency(), 1u); }

}  // namespace quendral::report
