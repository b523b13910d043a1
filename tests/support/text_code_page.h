// Makes the process take its 8-bit texts in one code page for the life of a
// test, and the system's again afterwards.
#ifndef QUENDRAL_TESTS_SUPPORT_TEXT_CODE_PAGE_H_
#define QUENDRAL_TESTS_SUPPORT_TEXT_CODE_PAGE_H_

#include "platform/os/code_page.h"

namespace quendral::fixtures {

class TextCodePage {
 public:
  explicit TextCodePage(unsigned code_page) { os::UseTextCodePage(code_page); }
  ~TextCodePage() { os::UseTextCodePage(os::kSystemCodePage); }
  TextCodePage(const TextCodePage&) = delete;
  TextCodePage& operator=(const TextCodePage&) = delete;
};

}  // namespace quendral::fixtures

#endif  // QUENDRAL_TESTS_SUPPORT_TEXT_CODE_PAGE_H_
