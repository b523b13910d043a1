#include "report/parallel_audit.h"

#include <algorithm>
#include <condition_variable>
#include <cstdint>
#include <exception>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

namespace quendral::report {
namespace {

// How many sources the workers may run ahead of the one handed on, each.
constexpr std::size_t kSourcesAheadPerJob = 2;

// A source's part of the sink, as a worker fills it.
struct SourceSlot {
  std::unique_ptr<AuditSink> part;
  bool done = false;
  std::exception_ptr failure;
};

// The sources shared between the workers and the thread that hands them on.
class SourceQueue {
 public:
  SourceQueue(std::size_t count, std::size_t ahead) : slots_(count), ahead_(ahead) {}

  // The next source to audit and its slot; false when none is left.
  bool Take(std::size_t* index, SourceSlot** slot) {
    std::unique_lock<std::mutex> lock(mutex_);
    changed_.wait(lock, [&] { return stopped_ || next_ < handed_on_ + ahead_; });
    if (stopped_ || next_ == slots_.size()) {
      return false;
    }
    *index = next_++;
    slots_[*index] = std::make_unique<SourceSlot>();
    *slot = slots_[*index].get();
    return true;
  }

  void Done(SourceSlot* slot, std::exception_ptr failure) {
    std::lock_guard<std::mutex> lock(mutex_);
    slot->failure = std::move(failure);
    slot->done = true;
    changed_.notify_all();
  }

  // Waits for source `index`, and takes its slot.
  std::unique_ptr<SourceSlot> Await(std::size_t index) {
    std::unique_lock<std::mutex> lock(mutex_);
    changed_.wait(lock, [&] { return slots_[index] && slots_[index]->done; });
    return std::move(slots_[index]);
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
  std::vector<std::unique_ptr<SourceSlot>> slots_;
  std::size_t ahead_;
  std::size_t next_ = 0, handed_on_ = 0;
  bool stopped_ = false;
};

// The part is made here, so that the worker does whatever the format does
// in it (its memory among the rest).
void Work(SourceQueue& queue, unsigned worker, const SourceAudit& audit, AuditSink& sink) {
  std::size_t index = 0;
  SourceSlot* slot = nullptr;
  while (queue.Take(&index, &slot)) {
    std::exception_ptr failure;
    try {
      slot->part = sink.NewSourcePart();
      audit(index, worker, *slot->part);
    } catch (...) {
      failure = std::current_exception();
    }
    queue.Done(slot, failure);
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
    workers.emplace_back(Work, std::ref(queue), worker, std::cref(audit), std::ref(sink));
  }
  std::exception_ptr failure;
  try {
    for (std::size_t index = 0; index < count && !failure; ++index) {
      std::unique_ptr<SourceSlot> slot = queue.Await(index);
      if (slot->part) {
        sink.MergeSourcePart(*slot->part);
      }
      failure = slot->failure;
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
