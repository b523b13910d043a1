#include "platform/notes/richtext/paragraphs.h"

namespace quendral::platform::richtext {

std::string Paragraph::Text() const {
  std::string text;
  for (const Run& run : runs) {
    if (run.kind == Run::Kind::kText) {
      text += run.text;
    }
  }
  return text;
}

std::string PlainText(const std::vector<Paragraph>& paragraphs) {
  std::string text;
  for (const Paragraph& paragraph : paragraphs) {
    text += paragraph.Text();
    text += '\n';
  }
  return text;
}

}  // namespace quendral::platform::richtext
