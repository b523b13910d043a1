// Output held back until its turn: kept in memory up to a limit, and past it
// in a temporary file, so that holding the output of a whole database costs
// little memory however many findings it has.
#ifndef QUENDRAL_REPORT_SPILL_BUFFER_H_
#define QUENDRAL_REPORT_SPILL_BUFFER_H_

#include <cstddef>
#include <cstdio>
#include <iosfwd>
#include <string>
#include <string_view>

namespace quendral::report {

class SpillBuffer {
 public:
  static constexpr std::size_t kDefaultMemoryLimit = std::size_t{1} << 20;

  explicit SpillBuffer(std::size_t memory_limit = kDefaultMemoryLimit)
      : memory_limit_(memory_limit) {}
  ~SpillBuffer();
  SpillBuffer(const SpillBuffer&) = delete;
  SpillBuffer& operator=(const SpillBuffer&) = delete;

  // Throws std::runtime_error when the temporary file cannot be written.
  void Write(std::string_view bytes);
  bool Empty() const { return size_ == 0; }

  // Reads back from the start: `size` bytes into `bytes`; false once fewer
  // are left. Writing after reading has begun is not supported.
  void Rewind();
  bool Read(char* bytes, std::size_t size);

  // Writes everything held to `out`.
  void CopyTo(std::ostream& out);
  // Drops everything held, the temporary file with it.
  void Clear();

 private:
  std::size_t memory_limit_;
  std::string memory_;
  // Everything past the first `memory_`; nullptr until the limit is passed,
  // or when no temporary file can be made (all is then kept in memory).
  std::FILE* file_ = nullptr;
  bool file_failed_ = false;
  std::size_t size_ = 0;
  std::size_t read_ = 0;
};

}  // namespace quendral::report

#endif  // QUENDRAL_REPORT_SPILL_BUFFER_H_
