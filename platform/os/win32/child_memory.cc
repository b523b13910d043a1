#include "platform/os/child_memory.h"

namespace os {

// Windows keeps no account of the children's memory once they are gone;
// a caller would have to ask each process before releasing it.
std::uint64_t PeakResidentSizeOfChildren() { return 0; }

}  // namespace os
