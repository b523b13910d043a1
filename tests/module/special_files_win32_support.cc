#include "module/special_files.h"

namespace quendral::fixtures {

std::vector<SpecialFile> SpecialFiles() { return {}; }

}  // namespace quendral::fixtures
