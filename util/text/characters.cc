#include "util/text/characters.h"

namespace quendral::util {

std::size_t Characters::Find(std::string_view pattern, std::size_t from) const {
  if (single_byte_) {
    return text_.find(pattern, from);
  }
  std::size_t boundary = from;
  // The byte search finds candidates quickly; one is taken only when it
  // begins a character, found by walking whole characters up to it.
  for (std::size_t found = text_.find(pattern, from); found != npos;
       found = text_.find(pattern, boundary)) {
    while (boundary < found) {
      boundary = End(boundary);
    }
    if (boundary == found) {
      return found;
    }
  }
  return npos;
}

// A boundary is known only by walking from the start.
std::size_t Characters::FindLastOfWalking(std::string_view set) const {
  std::size_t last = npos;
  for (std::size_t at = 0; at < text_.size(); at = End(at)) {
    if (InSet(set, text_[at])) {
      last = at;
    }
  }
  return last;
}

}  // namespace quendral::util
