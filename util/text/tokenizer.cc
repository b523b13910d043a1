#include "util/text/tokenizer.h"

#include <cstdio>
#include <cstring>
#include <memory>
#include <utility>

namespace quendral::util {

namespace {

const char* OrEmpty(const char* text) { return text != nullptr ? text : ""; }

struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};

}  // namespace

TextTokenizer::TextTokenizer(int strip_quotes) : strip_quotes_(strip_quotes), separators_(",") {}

TextTokenizer::TextTokenizer(const char* text, const char* separators, int strip_quotes) {
  SetText(text, separators, strip_quotes);
}

void TextTokenizer::Clear() {
  text_.reset();
  tokens_.clear();
}

int TextTokenizer::SetText(const char* text, const char* separators, int strip_quotes) {
  if (text_.has_value()) {
    return 0;
  }
  strip_quotes_ = strip_quotes;
  SetSeparators(separators);
  text_ = OrEmpty(text);
  return Tokenize();
}

int TextTokenizer::Tokenize() {
  if (!text_.has_value()) {
    return 0;
  }
  tokens_.clear();
  std::string current;
  for (const char c : *text_) {
    if (IsSeparator(c) != 0) {
      tokens_.push_back(std::move(current));
      current.clear();
    } else if (strip_quotes_ == 0 || c != '"') {
      current.push_back(c);
    }
  }
  tokens_.push_back(std::move(current));
  return 1;
}

int TextTokenizer::IsSeparator(char c) const {
  return separators_.find(c) != std::string::npos ? 1 : 0;
}

int TextTokenizer::GetCount() const { return static_cast<int>(tokens_.size()); }

const std::string* TextTokenizer::TokenAt(int position) const {
  if (position < 1 || position > GetCount()) {
    return nullptr;
  }
  return &tokens_[static_cast<std::size_t>(position - 1)];
}

int TextTokenizer::GetItem(int position, std::string& out) const {
  const std::string* token = TokenAt(position);
  if (token == nullptr) {
    out.clear();
    return 0;
  }
  out = *token;
  return 1;
}

int TextTokenizer::CopyItem(int position, char* buffer, std::size_t buffer_size) const {
  const std::string* token = TokenAt(position);
  if (token == nullptr || buffer == nullptr || token->size() >= buffer_size) {
    return 0;
  }
  std::memcpy(buffer, token->c_str(), token->size() + 1);
  return 1;
}

std::string TextTokenizer::ItemAt(int position) const {
  const std::string* token = TokenAt(position);
  return token != nullptr ? *token : std::string();
}

int TextTokenizer::LoadFile(const char* path) {
  if (text_.has_value() || path == nullptr) {
    return 0;
  }
  const std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path, "r+b"));
  if (file == nullptr) {
    return 0;
  }
  std::string head(kMaxFileBytes, '\0');
  const std::size_t read = std::fread(head.data(), 1, head.size(), file.get());
  head.resize(read);
  // The text is zero-terminated: whatever follows a zero byte is not part of it.
  head.resize(std::strlen(head.c_str()));
  text_ = std::move(head);
  return read >= 1 ? 1 : 0;
}

int TextTokenizer::LoadFileAndTokenize(const char* path, const char* separators) {
  SetSeparators(separators);
  return LoadFile(path) == 1 ? Tokenize() : 0;
}

void TextTokenizer::SetSeparators(const char* separators) {
  separators_ = OrEmpty(separators);
  if (separators_.size() > kMaxSeparators) {
    separators_.resize(kMaxSeparators);
  }
}

}  // namespace quendral::util
