#include "platform/os/code_page.h"

#include <atomic>
#include <map>
#include <mutex>

namespace quendral::os {
namespace {

std::atomic<unsigned> chosen_code_page{kSystemCodePage};
// The lead bytes of the chosen code page; null for the system's.
std::atomic<const LeadBytes*> chosen_lead_bytes{nullptr};

const LeadBytes& SystemLeadBytes() {
  static const LeadBytes table(SystemTextCodePage());
  return table;
}

// One table per code page ever chosen; they stay, so that a text walked
// while another code page is chosen keeps a valid table.
const LeadBytes& LeadBytesOf(unsigned code_page) {
  static std::mutex mutex;
  static auto* tables = new std::map<unsigned, LeadBytes>;
  std::lock_guard<std::mutex> lock(mutex);
  return tables->try_emplace(code_page, code_page).first->second;
}

}  // namespace

LeadBytes::LeadBytes(unsigned code_page) {
  for (std::size_t byte = 0; byte < leads_.size(); ++byte) {
    leads_[byte] = IsLeadByte(code_page, static_cast<char>(byte));
    any_ = any_ || leads_[byte];
  }
}

unsigned TextCodePage() {
  const unsigned chosen = chosen_code_page.load(std::memory_order_relaxed);
  return chosen != kSystemCodePage ? chosen : SystemTextCodePage();
}

void UseTextCodePage(unsigned code_page) {
  chosen_lead_bytes = code_page == kSystemCodePage ? nullptr : &LeadBytesOf(code_page);
  chosen_code_page = code_page;
}

const LeadBytes& TextLeadBytes() {
  const LeadBytes* chosen = chosen_lead_bytes.load(std::memory_order_acquire);
  return chosen != nullptr ? *chosen : SystemLeadBytes();
}

bool IsLeadByte(char byte) { return TextLeadBytes()[byte]; }

}  // namespace quendral::os
