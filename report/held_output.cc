#include "report/held_output.h"

#include <stdexcept>
#include <string_view>

namespace quendral::report {

HeldStream::Chunks::Chunks(SpillBuffer& buffer) : buffer_(buffer) {
  setp(chunk_.data(), chunk_.data() + chunk_.size());
}

HeldStream::Chunks::int_type HeldStream::Chunks::overflow(int_type c) {
  if (sync() != 0) {
    return traits_type::eof();
  }
  if (!traits_type::eq_int_type(c, traits_type::eof())) {
    *pptr() = traits_type::to_char_type(c);
    pbump(1);
  }
  return traits_type::not_eof(c);
}

// A temporary file that cannot be written fails the stream; MoveTo tells.
int HeldStream::Chunks::sync() {
  try {
    buffer_.Write(std::string_view(pbase(), static_cast<std::size_t>(pptr() - pbase())));
  } catch (const std::exception&) {
    return -1;
  }
  setp(chunk_.data(), chunk_.data() + chunk_.size());
  return 0;
}

HeldStream::HeldStream() : std::ostream(nullptr) { rdbuf(&chunks_); }

void HeldStream::MoveTo(std::ostream& out) {
  flush();
  if (!*this) {
    throw std::runtime_error("cannot write a temporary file");
  }
  buffer_.CopyTo(out);
  buffer_.Clear();
  clear();
}

}  // namespace quendral::report
