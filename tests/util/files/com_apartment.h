// COM on the calling thread, which the shell's link objects and the picture
// loader need and their callers set up. Outside Windows there is no COM and
// nothing to set up.
#ifndef QUENDRAL_TESTS_UTIL_FILES_COM_APARTMENT_H_
#define QUENDRAL_TESTS_UTIL_FILES_COM_APARTMENT_H_

namespace quendral::util::fixtures {

// Enters a single-threaded apartment; false when COM refuses.
bool EnterComApartment();
// Leaves it again; once for every successful EnterComApartment.
void LeaveComApartment();

}  // namespace quendral::util::fixtures

#endif  // QUENDRAL_TESTS_UTIL_FILES_COM_APARTMENT_H_
