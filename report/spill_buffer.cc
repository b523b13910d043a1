#include "report/spill_buffer.h"

#include <algorithm>
#include <ostream>
#include <stdexcept>

namespace quendral::report {

SpillBuffer::~SpillBuffer() { Clear(); }

void SpillBuffer::Write(std::string_view bytes) {
  if (file_ == nullptr && !file_failed_ && memory_.size() + bytes.size() > memory_limit_) {
    // The system removes the file when it is closed, or when the process
    // ends in any way.
    file_ = std::tmpfile();
    file_failed_ = file_ == nullptr;
  }
  if (file_ == nullptr) {
    memory_.append(bytes);
  } else if (std::fwrite(bytes.data(), 1, bytes.size(), file_) != bytes.size()) {
    throw std::runtime_error("cannot write a temporary file");
  }
  size_ += bytes.size();
}

void SpillBuffer::Rewind() {
  read_ = 0;
  if (file_ != nullptr) {
    std::rewind(file_);
  }
}

bool SpillBuffer::Read(char* bytes, std::size_t size) {
  if (size_ - read_ < size) {
    return false;
  }
  const std::size_t from_memory =
      read_ < memory_.size() ? std::min(size, memory_.size() - read_) : 0;
  std::copy_n(memory_.data() + read_, from_memory, bytes);
  const std::size_t from_file = size - from_memory;
  if (from_file > 0 && std::fread(bytes + from_memory, 1, from_file, file_) != from_file) {
    throw std::runtime_error("cannot read a temporary file");
  }
  read_ += size;
  return true;
}

void SpillBuffer::CopyTo(std::ostream& out) {
  Rewind();
  char chunk[1 << 16];
  while (read_ < size_) {
    const std::size_t size = std::min(sizeof chunk, size_ - read_);
    Read(chunk, size);
    out.write(chunk, static_cast<std::streamsize>(size));
  }
}

void SpillBuffer::Clear() {
  if (file_ != nullptr) {
    std::fclose(file_);
    file_ = nullptr;
  }
  file_failed_ = false;
  std::string().swap(memory_);
  size_ = 0;
  read_ = 0;
}

}  // namespace quendral::report
