#include "util/characters.h"

#include "platform/os/code_page.h"

namespace util {

std::size_t CharacterEnd(std::string_view text, std::size_t position) {
  return position + 1 < text.size() && os::IsLeadByte(text[position]) ? position + 2 : position + 1;
}

std::size_t FindWholeText(std::string_view text, std::string_view pattern, std::size_t from) {
  std::size_t boundary = from;
  // The byte search finds candidates quickly; one is taken only when it
  // begins a character, found by walking whole characters up to it.
  for (std::size_t found = text.find(pattern, from); found != std::string_view::npos;
       found = text.find(pattern, boundary)) {
    while (boundary < found) boundary = CharacterEnd(text, boundary);
    if (boundary == found) return found;
  }
  return std::string_view::npos;
}

}  // namespace util
