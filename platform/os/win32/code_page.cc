#include "platform/os/code_page.h"

#include "platform/os/win32/windows_headers.h"

namespace quendral::os {

unsigned SystemTextCodePage() { return ::GetACP(); }

bool IsLeadByte(unsigned code_page, char byte) {
  return ::IsDBCSLeadByteEx(code_page, static_cast<BYTE>(byte)) != FALSE;
}

bool OemToAnsi(std::string* text) {
  if (text->size() > MAXDWORD) {
    return false;
  }
  // The call converts in place when source and destination are the same.
  return text->empty() ||
         ::OemToCharBuffA(text->data(), text->data(), static_cast<DWORD>(text->size())) != FALSE;
}

}  // namespace quendral::os
