// ReadParagraphs and ReadHideWhenAreas: records back to paragraphs.
#include <cstdint>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "platform/base/coding.h"
#include "platform/notes/richtext/framing.h"
#include "platform/notes/richtext/paragraphs.h"
#include "platform/notes/richtext/records.h"
#include "platform/notes/vocabulary/types.h"

namespace quendral::platform::richtext {
namespace {

// Body lengths: what follows a record's signature and length field.
constexpr std::uint32_t kDefinitionBodyLength = 2;
constexpr std::uint32_t kLinkReferenceBodyLength = 2;
constexpr std::uint32_t kHideWhenBodyLength = kHideWhenFixedPartLength - 4;
// A paragraph start's signature fixes its length, so its ID is always there.
static_assert((kSignatureParagraphStart >> 8) == 4);

constexpr std::uint32_t kNoDefinition = 0xFFFFFFFF;
constexpr std::size_t kTypicalCount = 16;

struct Definition {
  bool has_hide_when = false;
  std::span<const std::uint8_t> hide_when_area;  // within the value read
};

// Paragraphs refer to definitions by ID, and a hide-when record may come
// before or after the paragraph start that uses its definition, so
// paragraphs take their hide-when state only once every record is read.
// Runs are checked whether they are kept or not, so that a value reads as
// rich text alike for every reader.
class ParagraphReader {
 public:
  explicit ParagraphReader(bool keep_runs) : keep_runs_(keep_runs) {
    // Room for the definitions and paragraphs of a typical item, so that
    // reading one seldom grows them.
    definitions_.reserve(kTypicalCount);
    latest_definition_.resize(kTypicalCount, kNoDefinition);
    paragraph_definitions_.reserve(kTypicalCount);
  }

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
        return AcceptRun([&] {
          return Run{Run::Kind::kText, std::string(body, body + body_length), 0};
        });
      case kSignatureLinkReference:
        if (body_length < kLinkReferenceBodyLength) {
          return kErrCompositeRecordInvalid;
        }
        return AcceptRun([&] { return Run{Run::Kind::kLink, {}, base::LoadLittle16(body)}; });
      default:
        return kNoError;  // records of no concern to paragraphs
    }
  }

  std::vector<Paragraph> TakeParagraphs() {
    for (std::size_t i = 0; i < paragraphs_.size(); ++i) {
      const Definition& definition = definitions_[paragraph_definitions_[i]];
      paragraphs_[i].has_hide_when = definition.has_hide_when;
      paragraphs_[i].hide_when_area.assign(definition.hide_when_area.begin(),
                                           definition.hide_when_area.end());
    }
    return std::move(paragraphs_);
  }

  void TakeHideWhenAreas(std::vector<std::span<const std::uint8_t>>* areas) const {
    areas->clear();
    areas->reserve(paragraph_definitions_.size());
    for (std::size_t index : paragraph_definitions_) {
      areas->push_back(definitions_[index].hide_when_area);
    }
  }

 private:
  STATUS AcceptDefinition(const std::uint8_t* body, std::uint32_t body_length) {
    if (body_length < kDefinitionBodyLength) {
      return kErrCompositeRecordInvalid;
    }
    const std::uint16_t id = base::LoadLittle16(body);
    if (id >= latest_definition_.size()) {
      latest_definition_.resize(id + 1, kNoDefinition);
    }
    latest_definition_[id] = static_cast<std::uint32_t>(definitions_.size());
    definitions_.emplace_back();
    return kNoError;
  }

  // The framing guarantees the fixed part.
  STATUS AcceptHideWhen(const std::uint8_t* body, std::uint32_t body_length) {
    Definition* definition = Find(base::LoadLittle16(body));
    if (definition == nullptr) {
      return kErrCompositeRecordInvalid;
    }
    definition->has_hide_when = true;
    definition->hide_when_area = {body + kHideWhenBodyLength, body + body_length};
    return kNoError;
  }

  STATUS AcceptParagraphStart(const std::uint8_t* body) {
    const std::uint16_t id = base::LoadLittle16(body);
    if (Find(id) == nullptr) {
      return kErrCompositeRecordInvalid;
    }
    paragraph_definitions_.push_back(latest_definition_[id]);
    if (keep_runs_) {
      paragraphs_.emplace_back();
    }
    return kNoError;
  }

  template <class MakeRun>
  STATUS AcceptRun(MakeRun make_run) {
    if (paragraph_definitions_.empty()) {
      return kErrCompositeRecordInvalid;
    }
    if (keep_runs_) {
      paragraphs_.back().runs.push_back(make_run());
    }
    return kNoError;
  }

  Definition* Find(std::uint16_t id) {
    return id < latest_definition_.size() && latest_definition_[id] != kNoDefinition
               ? &definitions_[latest_definition_[id]]
               : nullptr;
  }

  bool keep_runs_;
  std::vector<Definition> definitions_;
  // Per ID, the index of its latest definition. IDs are small in practice;
  // any 16-bit ID costs at most a table of 64 Ki entries.
  std::vector<std::uint32_t> latest_definition_;
  std::vector<Paragraph> paragraphs_;
  std::vector<std::size_t> paragraph_definitions_;  // index into definitions_, per paragraph
};

// Reads every record into `reader`; false when a record is malformed.
bool ReadRecords(const std::uint8_t* records, std::size_t length, ParagraphReader& reader) {
  return ForEachRecord(records, length,
                       [&reader](const std::uint8_t* record, const RecordHeader& header) {
                         return reader.Accept(record, header);
                       }) == kNoError;
}

}  // namespace

bool ReadParagraphs(const std::uint8_t* value, std::size_t length,
                    std::vector<Paragraph>* paragraphs) {
  if (value == nullptr || length < 2 || base::LoadLittle16(value) != kTypeCompositeText) {
    return false;
  }
  ParagraphReader reader(true);
  if (!ReadRecords(value + 2, length - 2, reader)) {
    return false;
  }
  *paragraphs = reader.TakeParagraphs();
  return true;
}

bool ReadHideWhenAreas(const std::uint8_t* records, std::size_t length,
                       std::vector<std::span<const std::uint8_t>>* areas) {
  ParagraphReader reader(false);
  if (!ReadRecords(records, length, reader)) {
    return false;
  }
  reader.TakeHideWhenAreas(areas);
  return true;
}

}  // namespace quendral::platform::richtext
