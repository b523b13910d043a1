#include "tests/util/text/privileges.h"

namespace quendral::util {

bool GiveUpAdministratorRights() { return true; }

}  // namespace quendral::util
