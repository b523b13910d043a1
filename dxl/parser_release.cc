#include "dxl/parser_release.h"

#include <expat.h>

namespace quendral::dxl {

std::string ParserRelease() {
  // The library's own figures, not the header's: a shared expat may have
  // been updated since the tool was built.
  const XML_Expat_Version version = XML_ExpatVersionInfo();
  return "expat " + std::to_string(version.major) + "." + std::to_string(version.minor) + "." +
         std::to_string(version.micro);
}

}  // namespace quendral::dxl
