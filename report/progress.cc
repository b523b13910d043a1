#include "report/progress.h"

#include <cstdio>
#include <ostream>

#include "platform/os/terminal.h"

namespace quendral::report {
namespace {

// A few redraws a second are enough for the eye and cost the run nothing.
constexpr auto kRedrawInterval = std::chrono::milliseconds(250);

std::string Duration(double seconds) {
  const auto whole = static_cast<std::int64_t>(seconds + 0.5);
  char text[32];
  if (whole >= 3600) {
    std::snprintf(text, sizeof text, "%lld:%02lld:%02lld", static_cast<long long>(whole / 3600),
                  static_cast<long long>(whole / 60 % 60), static_cast<long long>(whole % 60));
  } else {
    std::snprintf(text, sizeof text, "%lld:%02lld", static_cast<long long>(whole / 60),
                  static_cast<long long>(whole % 60));
  }
  return text;
}

}  // namespace

std::string ProgressLine(std::int64_t done, std::int64_t total, double elapsed_seconds) {
  std::string line = std::to_string(done) + " of " + std::to_string(total) + " documents";
  if (done <= 0 || elapsed_seconds <= 0) {
    return line;
  }
  const double rate = static_cast<double>(done) / elapsed_seconds;
  line += ", " + std::to_string(static_cast<std::int64_t>(rate + 0.5)) + "/s";
  if (total >= done) {
    line += ", " + Duration(static_cast<double>(total - done) / rate) + " left";
  }
  return line;
}

ProgressDisplay::ProgressDisplay(std::ostream& out, bool shown) : out_(out), shown_(shown) {}

ProgressDisplay::~ProgressDisplay() { Finish(); }

void ProgressDisplay::Update(std::int64_t done, std::int64_t total) {
  if (!shown_) {
    return;
  }
  const Clock::time_point now = Clock::now();
  if (now - last_drawn_ < kRedrawInterval) {
    return;
  }
  last_drawn_ = now;
  const std::string line =
      ProgressLine(done, total, std::chrono::duration<double>(now - start_).count());
  // Blanks cover what is left of a longer line drawn before.
  out_ << '\r' << line
       << std::string(drawn_width_ > line.size() ? drawn_width_ - line.size() : 0, ' ')
       << std::flush;
  drawn_width_ = line.size();
}

void ProgressDisplay::Finish() {
  if (shown_ && drawn_width_ > 0) {
    out_ << '\r' << std::string(drawn_width_, ' ') << '\r' << std::flush;
  }
  shown_ = false;
}

bool StandardErrorIsTerminal() { return os::IsTerminal(os::StandardStream::kError); }

}  // namespace quendral::report
