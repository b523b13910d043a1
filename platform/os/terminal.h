// Whether a standard stream of the process is a terminal, so that output
// meant for a person watching (a progress line, say) is left out of files
// and pipes, and how wide that terminal is.
#ifndef QUENDRAL_PLATFORM_OS_TERMINAL_H_
#define QUENDRAL_PLATFORM_OS_TERMINAL_H_

namespace quendral::os {

enum class StandardStream { kOutput, kError };

bool IsTerminal(StandardStream stream);

// The width in columns of the terminal the stream goes to; 0 when it goes
// elsewhere or the width is unknown.
int TerminalColumns(StandardStream stream);

}  // namespace quendral::os

#endif  // QUENDRAL_PLATFORM_OS_TERMINAL_H_
