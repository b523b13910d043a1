// Where one source of a report format writes: straight into the report when
// the sources come one after another on the report's thread, or, for a
// source audited on a worker of its own, into a report/spill_buffer.h that
// waits for the source's turn and is then copied into the report.
#ifndef QUENDRAL_REPORT_HELD_OUTPUT_H_
#define QUENDRAL_REPORT_HELD_OUTPUT_H_

#include <array>
#include <memory>
#include <ostream>
#include <streambuf>

#include "report/spill_buffer.h"

namespace quendral::report {

// An output stream whose bytes are kept in a SpillBuffer.
class HeldStream : public std::ostream {
 public:
  HeldStream();
  HeldStream(const HeldStream&) = delete;
  HeldStream& operator=(const HeldStream&) = delete;

  // Writes what the stream holds to `out`, and drops it. Throws
  // std::runtime_error when some of it could not be held.
  void MoveTo(std::ostream& out);

 private:
  // Gathers small writes into a chunk before they reach the buffer.
  class Chunks : public std::streambuf {
   public:
    explicit Chunks(SpillBuffer& buffer);
    int_type overflow(int_type c) override;
    int sync() override;

   private:
    SpillBuffer& buffer_;
    std::array<char, 8192> chunk_;
  };

  SpillBuffer buffer_;
  Chunks chunks_{buffer_};
};

class SourceOutput {
 public:
  // Straight into `report`.
  explicit SourceOutput(std::ostream& report) : out_(&report) {}
  // Held until HandOn.
  SourceOutput() : held_(std::make_unique<HeldStream>()), out_(held_.get()) {}

  std::ostream& out() { return *out_; }
  // Writes what is held to `report`; nothing when written straight there.
  void HandOn(std::ostream& report) {
    if (held_) {
      held_->MoveTo(report);
    }
  }

 private:
  std::unique_ptr<HeldStream> held_;
  std::ostream* out_;
};

}  // namespace quendral::report

#endif  // QUENDRAL_REPORT_HELD_OUTPUT_H_
