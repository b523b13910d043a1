// BuildRichText: paragraphs to records.
#include <cstdint>
#include <limits>
#include <stdexcept>
#include <vector>

#include "platform/base/coding.h"
#include "platform/notes/richtext/paragraphs.h"
#include "platform/notes/richtext/records.h"
#include "platform/notes/vocabulary/types.h"

namespace quendral::platform::richtext {
namespace {

using Bytes = std::vector<std::uint8_t>;

constexpr std::uint16_t kDefinitionLength = 6;
constexpr std::uint16_t kLinkReferenceLength = 6;
constexpr std::size_t kWordHeaderLength = 4;
constexpr std::size_t kDwordHeaderLength = 6;

void AppendBody(const void* data, std::size_t size, Bytes* out) {
  const auto* bytes = static_cast<const std::uint8_t*>(data);
  out->insert(out->end(), bytes, bytes + size);
  if (out->size() % 2 != 0) {
    out->push_back(0);
  }
}

void AppendDefinition(std::uint16_t id, Bytes* out) {
  base::AppendLittle16(out, kSignatureParagraphDefinition);
  base::AppendLittle16(out, kDefinitionLength);
  base::AppendLittle16(out, id);
}

void AppendHideWhen(std::uint16_t id, const Bytes& area, Bytes* out) {
  if (area.size() > std::numeric_limits<std::uint16_t>::max() - kHideWhenFixedPartLength) {
    throw std::length_error("hide-when formula area too long for its record");
  }
  base::AppendLittle16(out, kSignatureHideWhen);
  base::AppendLittle16(out, static_cast<std::uint16_t>(kHideWhenFixedPartLength + area.size()));
  base::AppendLittle16(out, id);
  for (int i = 0; i < 3; ++i) {
    base::AppendLittle16(out, 0);  // reserved
  }
  AppendBody(area.data(), area.size(), out);
}

void AppendParagraphStart(std::uint16_t id, Bytes* out) {
  base::AppendLittle16(out, kSignatureParagraphStart);
  base::AppendLittle16(out, id);
}

void AppendTextRun(const std::string& text, Bytes* out) {
  if (text.size() <= std::numeric_limits<std::uint16_t>::max() - kWordHeaderLength) {
    base::AppendLittle16(out, kSignatureTextRun);
    base::AppendLittle16(out, static_cast<std::uint16_t>(kWordHeaderLength + text.size()));
  } else if (text.size() <= std::numeric_limits<std::uint32_t>::max() - kDwordHeaderLength) {
    base::AppendLittle16(out, kSignatureLongTextRun);
    base::AppendLittle32(out, static_cast<std::uint32_t>(kDwordHeaderLength + text.size()));
  } else {
    throw std::length_error("text run too long for a record");
  }
  AppendBody(text.data(), text.size(), out);
}

void AppendLinkReference(std::uint16_t index, Bytes* out) {
  base::AppendLittle16(out, kSignatureLinkReference);
  base::AppendLittle16(out, kLinkReferenceLength);
  base::AppendLittle16(out, index);
}

void AppendParagraph(const Paragraph& paragraph, std::uint16_t id, Bytes* out) {
  AppendDefinition(id, out);
  if (paragraph.has_hide_when) {
    AppendHideWhen(id, paragraph.hide_when_area, out);
  }
  AppendParagraphStart(id, out);
  for (const Run& run : paragraph.runs) {
    if (run.kind == Run::Kind::kText) {
      AppendTextRun(run.text, out);
    } else {
      AppendLinkReference(run.link_index, out);
    }
  }
}

}  // namespace

// Definition IDs wrap after 65536 paragraphs; a reader takes the latest
// definition of an ID, which is always the one just before the paragraph.
std::vector<std::uint8_t> BuildRichText(const std::vector<Paragraph>& paragraphs) {
  Bytes value;
  base::AppendLittle16(&value, kTypeCompositeText);
  for (std::size_t i = 0; i < paragraphs.size(); ++i) {
    AppendParagraph(paragraphs[i], static_cast<std::uint16_t>(i), &value);
  }
  return value;
}

}  // namespace quendral::platform::richtext
