#include "platform/os/code_page.h"

#include "platform/os/win32/windows_headers.h"

namespace os {

bool OemToAnsi(std::string* text) {
  if (text->size() > MAXDWORD) {
    return false;
  }
  // The call converts in place when source and destination are the same.
  return text->empty() ||
         ::OemToCharBuffA(text->data(), text->data(), static_cast<DWORD>(text->size())) != FALSE;
}

}  // namespace os
