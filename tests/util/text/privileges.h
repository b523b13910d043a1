// Running without an administrator's rights, as the tests of access checks
// must: an administrator may read and write anything.
#ifndef QUENDRAL_TESTS_UTIL_TEXT_PRIVILEGES_H_
#define QUENDRAL_TESTS_UTIL_TEXT_PRIVILEGES_H_

namespace quendral::util {

// Outside Windows a process run as root becomes "nobody" for good; Windows
// processes keep their rights (Windows checks the read-only attribute of
// administrators too). False when the rights could not be given up.
bool GiveUpAdministratorRights();

}  // namespace quendral::util

#endif  // QUENDRAL_TESTS_UTIL_TEXT_PRIVILEGES_H_
