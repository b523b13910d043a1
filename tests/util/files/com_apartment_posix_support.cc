#include "tests/util/files/com_apartment.h"

namespace quendral::util::fixtures {

bool EnterComApartment() { return true; }

void LeaveComApartment() {}

}  // namespace quendral::util::fixtures
