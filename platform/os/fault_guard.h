// Running machine instructions that may fault.
//
// On POSIX systems a fault arrives as a signal (SIGILL, SIGSEGV, SIGBUS or
// SIGFPE); the guard installs handlers for the duration of the run and leaves
// the faulting code with siglongjmp. On Windows it arrives as a structured
// exception; a vectored exception handler, installed for the run, leaves the
// faulting code the same way (the compilers we build with offer no __try).
#ifndef QUENDRAL_PLATFORM_OS_FAULT_GUARD_H_
#define QUENDRAL_PLATFORM_OS_FAULT_GUARD_H_

namespace quendral::os {

// Runs `body(context)` and tells whether it ran to its end. When it raises a
// processor fault (an illegal or privileged instruction, a bad memory access,
// an arithmetic fault) it is abandoned at the fault and false is returned;
// what it stored before the fault stays. The body is left without unwinding,
// so it must own nothing that needs releasing, and it must not run guarded
// code itself. Guarded runs of different threads take turns.
bool RunGuarded(void (*body)(void*), void* context);

// The same for a callable object.
template <typename Body>
bool RunGuarded(Body& body) {
  return RunGuarded([](void* context) { (*static_cast<Body*>(context))(); }, &body);
}

}  // namespace quendral::os

#endif  // QUENDRAL_PLATFORM_OS_FAULT_GUARD_H_
