// ReadParagraphs: records back to paragraphs.
#include <cstdint>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

#include "platform/notes/richtext/framing.h"
#include "platform/notes/richtext/little_endian.h"
#include "platform/notes/richtext/paragraphs.h"
#include "platform/notes/richtext/records.h"
#include "platform/notes/types.h"

namespace quendral::platform::richtext {
namespace {

// Body lengths: what follows a record's signature and length field.
constexpr std::uint32_t kDefinitionBodyLength = 2;
constexpr std::uint32_t kLinkReferenceBodyLength = 2;
constexpr std::uint32_t kHideWhenBodyLength = kHideWhenFixedPartLength - 4;
// A paragraph start's signature fixes its length, so its ID is always there.
static_assert((kSignatureParagraphStart >> 8) == 4);

struct Definition {
  bool has_hide_when = false;
  std::vector<std::uint8_t> hide_when_area;
};

// Paragraphs refer to definitions by ID, and a hide-when record may come
// before or after the paragraph start that uses its definition, so
// paragraphs take their hide-when state only once every record is read.
class ParagraphReader {
 public:
  STATUS Accept(const std::uint8_t* record, const RecordHeader& header) {
    const std::uint8_t* body = record + header.header_length;
    const std::uint32_t body_length = header.length - header.header_length;
    switch (header.signature) {
      case kSignatureParagraphDefinition:
        return AcceptDefinition(body, body_length);
      case kSignatureHideWhen:
        return AcceptHideWhen(body, body_length);
      case kSignatureParagraphStart:
        return AcceptParagraphStart(body);
      case kSignatureTextRun:
      case kSignatureLongTextRun:
        return AcceptRun(Run{Run::Kind::kText, std::string(body, body + body_length), 0});
      case kSignatureLinkReference:
        if (body_length < kLinkReferenceBodyLength) {
          return kErrCompositeRecordInvalid;
        }
        return AcceptRun(Run{Run::Kind::kLink, {}, LoadLittle16(body)});
      default:
        return kNoError;  // records of no concern to paragraphs
    }
  }

  std::vector<Paragraph> TakeParagraphs() {
    for (std::size_t i = 0; i < paragraphs_.size(); ++i) {
      Definition& definition = definitions_[paragraph_definitions_[i]];
      paragraphs_[i].has_hide_when = definition.has_hide_when;
      paragraphs_[i].hide_when_area = definition.hide_when_area;
    }
    return std::move(paragraphs_);
  }

 private:
  STATUS AcceptDefinition(const std::uint8_t* body, std::uint32_t body_length) {
    if (body_length < kDefinitionBodyLength) {
      return kErrCompositeRecordInvalid;
    }
    latest_definition_[LoadLittle16(body)] = definitions_.size();
    definitions_.emplace_back();
    return kNoError;
  }

  // The framing guarantees the fixed part.
  STATUS AcceptHideWhen(const std::uint8_t* body, std::uint32_t body_length) {
    Definition* definition = Find(LoadLittle16(body));
    if (definition == nullptr) {
      return kErrCompositeRecordInvalid;
    }
    definition->has_hide_when = true;
    definition->hide_when_area.assign(body + kHideWhenBodyLength, body + body_length);
    return kNoError;
  }

  STATUS AcceptParagraphStart(const std::uint8_t* body) {
    const std::uint16_t id = LoadLittle16(body);
    if (Find(id) == nullptr) {
      return kErrCompositeRecordInvalid;
    }
    paragraph_definitions_.push_back(latest_definition_[id]);
    paragraphs_.emplace_back();
    return kNoError;
  }

  STATUS AcceptRun(Run run) {
    if (paragraphs_.empty()) {
      return kErrCompositeRecordInvalid;
    }
    paragraphs_.back().runs.push_back(std::move(run));
    return kNoError;
  }

  Definition* Find(std::uint16_t id) {
    const auto found = latest_definition_.find(id);
    return found == latest_definition_.end() ? nullptr : &definitions_[found->second];
  }

  std::vector<Definition> definitions_;
  std::unordered_map<std::uint16_t, std::size_t> latest_definition_;
  std::vector<Paragraph> paragraphs_;
  std::vector<std::size_t> paragraph_definitions_;  // index into definitions_, per paragraph
};

}  // namespace

bool ReadParagraphs(const std::uint8_t* value, std::size_t length,
                    std::vector<Paragraph>* paragraphs) {
  if (value == nullptr || length < 2 || LoadLittle16(value) != kTypeCompositeText) {
    return false;
  }
  ParagraphReader reader;
  const STATUS status = ForEachRecord(
      value + 2, length - 2, [&reader](const std::uint8_t* record, const RecordHeader& header) {
        return reader.Accept(record, header);
      });
  if (status != kNoError) {
    return false;
  }
  *paragraphs = reader.TakeParagraphs();
  return true;
}

}  // namespace quendral::platform::richtext
