// The process's 8-bit code pages: which one its texts are in, where their
// double-byte characters begin, and conversion between the system's two
// 8-bit character sets, the OEM code page of console texts and the ANSI code
// page of the process.
//
// Texts are in the ANSI code page (GetACP) on Windows and in Windows-1252
// elsewhere; a process may choose another one for its texts (tests choose a
// double-byte one to check that texts are cut between whole characters). On
// the double-byte code pages (932, 936, 949, 950) a character is one byte or
// a lead byte and a second byte, which may equal an ASCII character such as
// "\". Windows answers which bytes lead with IsDBCSLeadByteEx; elsewhere the
// lead-byte ranges of those four code pages are known here.
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

#include <array>
#include <string>

namespace quendral::os {

inline constexpr unsigned kSystemCodePage = 0;

// The code page of the process's 8-bit texts.
unsigned TextCodePage();

// Makes `code_page` the code page of the process's 8-bit texts;
// kSystemCodePage returns to the system's.
void UseTextCodePage(unsigned code_page);

// The code page of 8-bit texts that the system gives the process.
unsigned SystemTextCodePage();

// True when `byte` begins a double-byte character in `code_page`; in the
// second form, in TextCodePage(). Always false for single-byte code pages.
bool IsLeadByte(unsigned code_page, char byte);
bool IsLeadByte(char byte);

// The lead bytes of one code page as a table, for code that walks texts
// character by character.
class LeadBytes {
 public:
  explicit LeadBytes(unsigned code_page);
  bool operator[](char byte) const { return leads_[static_cast<unsigned char>(byte)]; }
  // False for a single-byte code page, whose characters are its bytes.
  bool any() const { return any_; }

 private:
  std::array<bool, 256> leads_{};
  bool any_ = false;
};

// The lead bytes of TextCodePage(); valid for the life of the process.
const LeadBytes& TextLeadBytes();

// Converts `text` in place from the OEM code page to the ANSI code page;
// every byte stays one byte. Returns false, with `text` unchanged, when the
// system cannot convert between the two.
bool OemToAnsi(std::string* text);

}  // namespace quendral::os

#endif  // QUENDRAL_PLATFORM_OS_CODE_PAGE_H_
