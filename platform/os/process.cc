#include "platform/os/process.h"

namespace quendral::os {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// Consumes a run of backslashes at `position` and what they escape.
void ReadBackslashes(std::string_view line, std::size_t* position, std::string* word,
                     bool* quoted) {
  std::size_t count = 0;
  while (*position < line.size() && line[*position] == '\\') {
    ++count;
    ++*position;
  }
  if (*position >= line.size() || line[*position] != '"') {
    word->append(count, '\\');
    return;
  }
  word->append(count / 2, '\\');
  if (count % 2 == 1) {
    *word += '"';
  } else {
    *quoted = !*quoted;
  }
  ++*position;
}

}  // namespace

std::string ShellCommandLine(std::string_view interpreter, std::string_view command) {
  std::string line(interpreter);
  line += " /c ";
  line += command;
  return line;
}

std::vector<std::string> SplitCommandLine(std::string_view command_line) {
  std::vector<std::string> words;
  std::size_t position = 0;
  for (;;) {
    while (position < command_line.size() && IsBlank(command_line[position])) {
      ++position;
    }
    if (position >= command_line.size()) {
      return words;
    }
    std::string word;
    bool quoted = false;
    while (position < command_line.size() && (quoted || !IsBlank(command_line[position]))) {
      const char c = command_line[position];
      if (c == '\\') {
        ReadBackslashes(command_line, &position, &word, &quoted);
      } else if (c == '"') {
        quoted = !quoted;
        ++position;
      } else {
        word += c;
        ++position;
      }
    }
    words.push_back(std::move(word));
  }
}

}  // namespace quendral::os
