#include "util/com_apartment.h"

namespace util::testing {

bool EnterComApartment() { return true; }

void LeaveComApartment() {}

}  // namespace util::testing
