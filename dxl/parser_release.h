// The release of the XML parser exports are read with, as the tool reports
// it: builds for different systems must not fall behind one another.
#ifndef QUENDRAL_DXL_PARSER_RELEASE_H_
#define QUENDRAL_DXL_PARSER_RELEASE_H_

#include <string>

namespace quendral::dxl {

// "expat MAJOR.MINOR.MICRO" of the parser linked in.
std::string ParserRelease();

}  // namespace quendral::dxl

#endif  // QUENDRAL_DXL_PARSER_RELEASE_H_
