// Code page conversion between the system's two 8-bit character sets: the
// OEM code page of console texts and the ANSI code page of the process.
//
// On Windows this is OemToCharBuffA, with the system's pair of code pages
// and its best-fit rules. Elsewhere there is no such pair; the stand-ins are
// code page 437 (the OEM code page of US systems) and Windows-1252, converted
// byte by byte through iconv. A byte whose character Windows-1252 does not
// have (the box-drawing characters, most Greek letters, the math signs)
// becomes "?", the replacement Windows uses for a character without a
// best fit.
#ifndef QUENDRAL_PLATFORM_OS_CODE_PAGE_H_
#define QUENDRAL_PLATFORM_OS_CODE_PAGE_H_

#include <string>

namespace os {

// Converts `text` in place from the OEM code page to the ANSI code page;
// every byte stays one byte. Returns false, with `text` unchanged, when the
// system cannot convert between the two.
bool OemToAnsi(std::string* text);

}  // namespace os

#endif  // QUENDRAL_PLATFORM_OS_CODE_PAGE_H_
