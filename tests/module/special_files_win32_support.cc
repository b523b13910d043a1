#include "module/special_files.h"

namespace quendral::testing {

std::vector<SpecialFile> SpecialFiles() { return {}; }

}  // namespace quendral::testing
