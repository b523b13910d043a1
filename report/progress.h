// The progress of a run over many documents, as one line on a terminal:
// documents done of the total, the rate and the time left. Redrawn a few
// times a second and cleared at the end, so that it never mixes with what
// the run prints.
#ifndef QUENDRAL_REPORT_PROGRESS_H_
#define QUENDRAL_REPORT_PROGRESS_H_

#include <chrono>
#include <cstdint>
#include <iosfwd>
#include <string>

namespace quendral::report {

// "1200 of 10000 documents, 850/s, 0:10 left"; the rate and time left only
// once there is a rate to tell.
std::string ProgressLine(std::int64_t done, std::int64_t total, double elapsed_seconds);

class ProgressDisplay {
 public:
  // Draws on `out` only when `shown`.
  ProgressDisplay(std::ostream& out, bool shown);
  ~ProgressDisplay();
  ProgressDisplay(const ProgressDisplay&) = delete;
  ProgressDisplay& operator=(const ProgressDisplay&) = delete;

  void Update(std::int64_t done, std::int64_t total);
  // Clears the line; nothing is drawn afterwards.
  void Finish();

 private:
  using Clock = std::chrono::steady_clock;

  std::ostream& out_;
  bool shown_;
  Clock::time_point start_ = Clock::now();
  Clock::time_point last_drawn_{};
  std::size_t drawn_width_ = 0;
};

// Whether the process's standard error is a terminal.
bool StandardErrorIsTerminal();

}  // namespace quendral::report

#endif  // QUENDRAL_REPORT_PROGRESS_H_
