#include "platform/os/child_memory.h"

#include <sys/resource.h>

namespace os {

std::uint64_t PeakResidentSizeOfChildren() {
  rusage usage{};
  if (::getrusage(RUSAGE_CHILDREN, &usage) != 0) return 0;
  // Linux counts in kilobytes.
  return static_cast<std::uint64_t>(usage.ru_maxrss) * 1024;
}

}  // namespace os
