// Hierarchical names as the language reads them (see builtins_names.cc).
#ifndef QUENDRAL_PLATFORM_NOTES_FORMULA_NAMES_H_
#define QUENDRAL_PLATFORM_NOTES_FORMULA_NAMES_H_

#include <string>
#include <string_view>

namespace quendral::platform::formula {

// The name in canonical form ("CN=Ada Lovelace/O=Acme"), whichever form it
// is given in; a flat name as it is.
std::string CanonicalName(std::string_view name);

}  // namespace quendral::platform::formula

#endif  // QUENDRAL_PLATFORM_NOTES_FORMULA_NAMES_H_
