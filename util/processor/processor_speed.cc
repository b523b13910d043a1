// The clock speed: measured on the time-stamp counter over a busy wait, or
// estimated from a timing loop on processors without the counter.
#include <limits>
#include <new>

#include "util/processor/processor.h"

namespace quendral::util {
namespace {

constexpr std::uint32_t kWaitMilliseconds = 50;
constexpr std::int64_t kRepetitions = 1;
constexpr std::uint32_t kTimingLoopCount = 10000000;

// Cycles the timing loop takes, scaled: seconds for the loop times MHz times
// 1,048,576. Known for the families that lack a time-stamp counter; 0 for
// the others.
double TimingLoopConstant(std::int32_t family) {
  switch (family) {
    case 3:
      return 1150000000.0;
    case 4:
      return 470000000.0;
    case 5:
      return 430000000.0;
    default:
      return 0.0;
  }
}

}  // namespace

std::int64_t ProcessorInfo::MeasureCycles(void (ProcessorProbe::*routine)(std::uint32_t) const,
                                          std::uint32_t milliseconds) const {
  std::uint64_t start = 0;
  std::uint64_t end = 0;
  if (!probe_->ReadTimeStampCounter(&start)) {
    return -1;
  }
  (probe_->*routine)(milliseconds);
  if (!probe_->ReadTimeStampCounter(&end)) {
    return -1;
  }
  return static_cast<std::int64_t>(end - start);
}

// The wait is timed together with its set-up; the set-up alone is timed
// after it and taken off.
bool ProcessorInfo::MeasureSpeed() {
  if (!has_time_stamp_counter_) {
    return false;
  }
  std::int64_t waiting = 0;
  std::int64_t overhead = 0;
  for (std::int64_t repetition = 0; repetition < kRepetitions; ++repetition) {
    const std::int64_t wait_cycles = MeasureCycles(&ProcessorProbe::Wait, kWaitMilliseconds);
    const std::int64_t overhead_cycles =
        MeasureCycles(&ProcessorProbe::WaitOverhead, kWaitMilliseconds);
    // A counter that faults tells no speed; the timing loop is tried instead.
    if (wait_cycles == -1 || overhead_cycles == -1) {
      return false;
    }
    waiting += wait_cycles;
    overhead += overhead_cycles;
  }
  auto* measurement = new (std::nothrow) SpeedMeasurement;
  if (measurement == nullptr) {
    return false;
  }
  const std::int64_t mhz = (waiting - overhead) / kRepetitions / kWaitMilliseconds / 1000;
  measurement->mhz = static_cast<std::int32_t>(mhz);
  speed_measurement_.reset(measurement);
  return true;
}

// The estimate is reported by GetSpeedMHz when there is no measurement.
bool ProcessorInfo::EstimateSpeedWithTimingLoop() {
  const double constant = TimingLoopConstant(family_);
  double seconds = 0;
  if (constant == 0 || !probe_->TimeBitScanLoop(kTimingLoopCount, &seconds) || !(seconds > 0)) {
    return false;
  }
  const double estimate = constant / seconds / 1048576.0;
  if (!(estimate < static_cast<double>(std::numeric_limits<std::int32_t>::max()))) {
    return false;
  }
  timing_loop_estimate_ = static_cast<std::int32_t>(estimate);
  return true;
}

}  // namespace quendral::util
