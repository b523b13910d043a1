// Arbitrary texts and separator sets: the token list always has one token
// more than the text has separators, the tokens hold every other character
// (less the quotes when they are stripped), and no copy of a token writes
// past its buffer.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

#include "util/text/tokenizer.h"

namespace {

using quendral::util::TextTokenizer;

void Check(bool holds) {
  if (!holds) {
    __builtin_trap();
  }
}

void CheckTokens(const TextTokenizer& tokenizer, const std::string& text, bool strip_quotes) {
  std::size_t separators = 0;
  std::size_t kept = 0;
  for (const char c : text) {
    if (tokenizer.IsSeparator(c) != 0) {
      ++separators;
    } else if (!strip_quotes || c != '"') {
      ++kept;
    }
  }
  Check(static_cast<std::size_t>(tokenizer.GetCount()) == separators + 1);
  std::size_t in_tokens = 0;
  char small[4];
  for (int position = 1; position <= tokenizer.GetCount(); ++position) {
    const std::string token = tokenizer.ItemAt(position);
    in_tokens += token.size();
    std::memset(small, '#', sizeof small);
    if (tokenizer.CopyItem(position, small, sizeof small) == 1) {
      Check(token.size() < sizeof small && token == small);
    } else {
      Check(token.size() >= sizeof small && small[0] == '#');
    }
  }
  Check(in_tokens == kept);
  std::string out = "x";
  Check(tokenizer.GetItem(tokenizer.GetCount() + 1, out) == 0 && out.empty());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 1) {
    return 0;
  }
  const bool strip_quotes = (data[0] & 0x80) != 0;
  const std::size_t set_length = std::min<std::size_t>(data[0] % 16, size - 1);
  const std::string separators(reinterpret_cast<const char*>(data + 1), set_length);
  const std::string text(reinterpret_cast<const char*>(data + 1 + set_length),
                         size - 1 - set_length);

  // Both are zero-terminated texts to the tokenizer.
  TextTokenizer tokenizer(text.c_str(), separators.c_str(), strip_quotes ? 1 : 0);
  CheckTokens(tokenizer, text.c_str(), strip_quotes);
  Check(tokenizer.SetText("other", ",", 0) == 0);
  tokenizer.Clear();
  Check(tokenizer.GetCount() == 0 && tokenizer.Tokenize() == 0);
  return 0;
}
