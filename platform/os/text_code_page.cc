#include <atomic>

#include "platform/os/code_page.h"

namespace os {
namespace {

std::atomic<unsigned> chosen_code_page{kSystemCodePage};

}  // namespace

unsigned TextCodePage() {
  const unsigned chosen = chosen_code_page.load(std::memory_order_relaxed);
  return chosen != kSystemCodePage ? chosen : SystemTextCodePage();
}

void UseTextCodePage(unsigned code_page) { chosen_code_page = code_page; }

bool IsLeadByte(char byte) { return IsLeadByte(TextCodePage(), byte); }

}  // namespace os
