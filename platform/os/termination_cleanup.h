// Files removed when the process is ended from outside.
//
// A file registered here is removed should the process be ended by SIGINT,
// SIGTERM or SIGHUP (on Windows: Ctrl-C, Ctrl-Break, the console closing,
// the user logging off), after which the process ends as the signal or the
// event would have ended it. A signal whose action was not the default one
// when the first file was registered (ignored under nohup, handled by the
// caller) is left alone. Outside Windows, SIGXFSZ is ignored from then on,
// so that a write past the file-size limit fails (EFBIG) and its writer
// removes its file and reports it, rather than the process dying mid-write.
// A process killed outright (SIGKILL, TerminateProcess) removes nothing:
// see ReplacementFile for how such files are found afterwards.
#ifndef QUENDRAL_PLATFORM_OS_TERMINATION_CLEANUP_H_
#define QUENDRAL_PLATFORM_OS_TERMINATION_CLEANUP_H_

namespace quendral::os {

// Registers `path`, which the caller keeps unchanged until it gives the
// ticket back. The ticket is -1 when too many files are registered already
// (the file is then only found afterwards).
int RemoveOnTermination(const char* path);

// Ends the registration of `ticket`; -1 is ignored.
void KeepOnTermination(int ticket);

namespace termination {

// Per system: installs the handlers; called once, before the first
// registration.
void InstallHandlers();

// Per system: removes one file, as a signal handler may.
void RemoveFile(const char* path);

// Removes every registered file; what the handlers call.
void RemoveRegisteredFiles();

}  // namespace termination
}  // namespace quendral::os

#endif  // QUENDRAL_PLATFORM_OS_TERMINATION_CLEANUP_H_
