// Texts from outside (an export's formulas, item and file names) printed as
// part of one line of a report people read. Line ends show as "⏎" and other
// characters that move the cursor or reorder what follows (control
// characters, line and paragraph separators, direction overrides) as
// escapes, so that no text can start a line of its own or pass for another.
#ifndef QUENDRAL_REPORT_TEXT_LINE_H_
#define QUENDRAL_REPORT_TEXT_LINE_H_

#include <cstddef>
#include <string>
#include <string_view>

namespace quendral::report {

// `text` (UTF-8; invalid bytes show as "\xNN") on one line: "\r\n", "\n"
// and "\r" as "⏎", a tab as "\t", other such characters as "\xNN" or
// "\u{NNNN}".
std::string OneLineText(std::string_view text);

// `line` cut to `width` characters, the last of them "…"; a `width` of 0
// never cuts.
std::string CutToWidth(std::string line, std::size_t width);

// The width of the terminal standard output goes to; 0 when it goes to a
// file or pipe, which take whole lines.
std::size_t StandardOutputWidth();

}  // namespace quendral::report

#endif  // QUENDRAL_REPORT_TEXT_LINE_H_
