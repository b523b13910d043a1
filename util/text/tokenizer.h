// Cuts a text into tokens at any character of a small separator set. The
// tokenizer keeps a private copy of its text so that it can re-split it, and
// can take that text from the head of a file.
#ifndef QUENDRAL_UTIL_TEXT_TOKENIZER_H_
#define QUENDRAL_UTIL_TEXT_TOKENIZER_H_

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace quendral::util {

// Every separator character ends a token, so the token count is always the
// number of separators plus one: adjacent separators give empty tokens. With
// quote stripping on, double quotes are merely dropped; they do not protect
// separators. Positions are 1-based.
class TextTokenizer {
 public:
  // Separator sets longer than this are cut to their first kMaxSeparators.
  static constexpr std::size_t kMaxSeparators = 9;
  // LoadFile reads no more than this from the head of a file.
  static constexpr std::size_t kMaxFileBytes = 2048;

  // No text; separator set ",".
  explicit TextTokenizer(int strip_quotes);
  // Copies `text` and tokenizes it. A null text or separator set reads as
  // empty.
  TextTokenizer(const char* text, const char* separators, int strip_quotes);

  // Drops the text and every token, so that a new text may be given.
  void Clear();
  // 0 when a text is already held (nothing changes); else takes the new text
  // and returns the result of Tokenize.
  int SetText(const char* text, const char* separators, int strip_quotes);
  // Rebuilds the token list from the held text; 0 when none is held.
  int Tokenize();
  int IsSeparator(char c) const;
  int GetCount() const;

  // 1 and the token in `out`; 0 and `out` emptied when out of range.
  int GetItem(int position, std::string& out) const;
  // 1 and the token with its terminator in `buffer`; 0 and the buffer
  // untouched when out of range or when the token and terminator do not fit
  // in `buffer_size` bytes.
  int CopyItem(int position, char* buffer, std::size_t buffer_size) const;
  // The token, or an empty string when out of range.
  std::string ItemAt(int position) const;

  // Takes the text from the file's first kMaxFileBytes bytes, up to the first
  // zero byte. The file is opened for reading and writing, so one the caller
  // may only read counts as one that cannot be opened. 0 when a text is
  // already held, the file cannot be opened, or it is empty (an empty file
  // still leaves an empty text held).
  int LoadFile(const char* path);
  // Stores the separator set in any case, then LoadFile and Tokenize.
  int LoadFileAndTokenize(const char* path, const char* separators);

 private:
  void SetSeparators(const char* separators);
  const std::string* TokenAt(int position) const;

  int strip_quotes_ = 0;
  std::string separators_;
  std::vector<std::string> tokens_;
  std::optional<std::string> text_;
};

}  // namespace quendral::util

#endif  // QUENDRAL_UTIL_TEXT_TOKENIZER_H_
