#include "report/parallel_audit.h"

#include <algorithm>
#include <condition_variable>
#include <cstdint>
#include <exception>
#include <memory>
#include <mutex>
#include <nlohmann/json.hpp>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "report/spill_buffer.h"

namespace quendral::report {
namespace {

using nlohmann::json;

// How many sources the workers may run ahead of the one handed on, each.
constexpr std::size_t kSourcesAheadPerJob = 2;

// A record is written as plain bytes: numbers as they are in memory (it is
// read back by the process that wrote it), texts behind their length, and
// the rare extra keys of an entry as MessagePack.
class RecordWriter {
 public:
  explicit RecordWriter(SpillBuffer& out) : out_(out) {}

  template <class Number>
  void Put(Number number) {
    out_.Write({reinterpret_cast<const char*>(&number), sizeof number});
  }
  void Put(std::string_view text) {
    Put(static_cast<std::uint64_t>(text.size()));
    out_.Write(text);
  }
  void Put(const json& extra) {
    if (extra.is_null()) {
      Put(std::string_view());
      return;
    }
    const std::vector<std::uint8_t> bytes = json::to_msgpack(extra);
    Put(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
  }

  void Put(const DocumentFindings& document) {
    Put(std::string_view(document.unid));
    Put(document.extra);
    Put(static_cast<std::uint64_t>(document.hidden.size()));
    for (const HiddenParagraph& paragraph : document.hidden) {
      Put(std::string_view(paragraph.item));
      Put(std::string_view(paragraph.formula));
      Put(static_cast<std::int8_t>(paragraph.hides ? *paragraph.hides : -1));
      Put(paragraph.enabled);
      Put(paragraph.extra);
    }
    Put(static_cast<std::uint64_t>(document.links.size()));
    for (const LinkFinding& link : document.links) {
      Put(std::string_view(link.item));
      Put(link.index);
      Put(std::string_view(link.replica_id));
      Put(std::string_view(link.note_unid));
      Put(link.status);
      Put(link.extra);
    }
    Put(static_cast<std::uint64_t>(document.backups.size()));
    for (const std::string& backup : document.backups) {
      Put(std::string_view(backup));
    }
  }

 private:
  SpillBuffer& out_;
};

class RecordReader {
 public:
  explicit RecordReader(SpillBuffer& in) : in_(in) {}

  // False at the end of the record.
  template <class Number>
  bool Get(Number* number) {
    return in_.Read(reinterpret_cast<char*>(number), sizeof *number);
  }
  std::string Text() {
    std::uint64_t size = 0;
    Get(&size);
    std::string text(size, '\0');
    in_.Read(text.data(), size);
    return text;
  }
  json Extra() {
    const std::string bytes = Text();
    return bytes.empty() ? json() : json::from_msgpack(bytes);
  }
  template <class Number>
  Number Value() {
    Number number{};
    Get(&number);
    return number;
  }

  DocumentFindings Document() {
    DocumentFindings document;
    document.unid = Text();
    document.extra = Extra();
    document.hidden.resize(Value<std::uint64_t>());
    for (HiddenParagraph& paragraph : document.hidden) {
      paragraph.item = Text();
      paragraph.formula = Text();
      if (const auto hides = Value<std::int8_t>(); hides >= 0) {
        paragraph.hides = hides == 1;
      }
      paragraph.enabled = Value<bool>();
      paragraph.extra = Extra();
    }
    document.links.resize(Value<std::uint64_t>());
    for (LinkFinding& link : document.links) {
      link.item = Text();
      link.index = Value<std::int64_t>();
      link.replica_id = Text();
      link.note_unid = Text();
      link.status = KnownStatus(Text());
      link.extra = Extra();
    }
    document.backups.resize(Value<std::uint64_t>());
    for (std::string& backup : document.backups) {
      backup = Text();
    }
    return document;
  }

 private:
  // One of the statuses of audit_report.h, whose texts outlive the record.
  static std::string_view KnownStatus(const std::string& text) {
    for (std::string_view status : {kLinkOk, kDatabaseNotFound, kDocumentNotFound}) {
      if (text == status) {
        return status;
      }
    }
    return kDatabaseNotFound;
  }

  SpillBuffer& in_;
};

enum class Call : std::uint8_t { kBegin, kDocument, kEnd, kFailed };

// What a worker tells of one source, held until the source's turn: each
// call a record of its kind and arguments, as MessagePack behind its length.
class SourceRecord : public AuditSink {
 public:
  void BeginRun(const AuditRun&) override {}
  void BeginSource(const AuditSource& source) override {
    writer_.Put(Call::kBegin);
    writer_.Put(std::string_view(source.path));
    writer_.Put(std::string_view(source.replica_id));
  }
  void Document(const DocumentFindings& findings) override {
    writer_.Put(Call::kDocument);
    writer_.Put(findings);
  }
  void EndSource(std::int64_t documents) override {
    writer_.Put(Call::kEnd);
    writer_.Put(documents);
  }
  void FailedSource(const std::string& path, const std::string& reason) override {
    writer_.Put(Call::kFailed);
    writer_.Put(std::string_view(path));
    writer_.Put(std::string_view(reason));
  }
  void EndRun() override {}

  // Tells `sink` what was recorded, and drops it.
  void Replay(AuditSink& sink) {
    held_.Rewind();
    RecordReader reader(held_);
    Call call{};
    while (reader.Get(&call)) {
      if (call == Call::kBegin) {
        std::string path = reader.Text();
        sink.BeginSource({std::move(path), reader.Text()});
      } else if (call == Call::kDocument) {
        sink.Document(reader.Document());
      } else if (call == Call::kEnd) {
        sink.EndSource(reader.Value<std::int64_t>());
      } else {
        std::string path = reader.Text();
        sink.FailedSource(path, reader.Text());
      }
    }
    held_.Clear();
  }

  bool done = false;
  std::exception_ptr failure;

 private:
  SpillBuffer held_;
  RecordWriter writer_{held_};
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
