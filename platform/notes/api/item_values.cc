#include "platform/notes/api/item_values.h"

#include <cstring>

#include "platform/base/byte_reader.h"
#include "platform/base/coding.h"

namespace quendral::platform::values {
namespace {

constexpr std::size_t kMaxTextLength = 0xFFFF;

// Number and date-time lists start with the entry count and a second word
// that is always 0.
void AppendListHeader(Bytes* value, std::size_t count) {
  base::AppendLittle16(value, static_cast<std::uint16_t>(count));
  base::AppendLittle16(value, 0);
}

bool ReadListHeader(base::ByteReader* reader, std::uint16_t* count) {
  std::uint16_t reserved = 0;
  return reader->ReadU16(count) && reader->ReadU16(&reserved) && reserved == 0;
}

void AppendTimedate(Bytes* value, const TIMEDATE& timedate) {
  base::AppendLittle32(value, timedate.Innards[0]);
  base::AppendLittle32(value, timedate.Innards[1]);
}

bool ReadTimedate(base::ByteReader* reader, TIMEDATE* timedate) {
  return reader->ReadU32(&timedate->Innards[0]) && reader->ReadU32(&timedate->Innards[1]);
}

// A value must end where its last entry ends.
STATUS Finish(const base::ByteReader& reader) {
  return reader.remaining() == 0 ? kNoError : kErrItemValueInvalid;
}

}  // namespace

STATUS EncodeTextList(const std::vector<std::string>& texts, Bytes* value) {
  if (texts.size() > kMaxListEntries) {
    return kErrItemValueInvalid;
  }
  value->clear();
  base::AppendLittle16(value, static_cast<std::uint16_t>(texts.size()));
  for (const std::string& text : texts) {
    if (text.size() > kMaxTextLength) {
      return kErrItemValueInvalid;
    }
    base::AppendLittle16(value, static_cast<std::uint16_t>(text.size()));
  }
  for (const std::string& text : texts) {
    value->insert(value->end(), text.begin(), text.end());
  }
  return kNoError;
}

STATUS DecodeTextList(const std::uint8_t* data, std::size_t length,
                      std::vector<std::string>* texts) {
  texts->clear();
  if (length == 0) {
    return kNoError;
  }
  base::ByteReader reader(data, length);
  std::uint16_t count = 0;
  if (!reader.ReadU16(&count)) {
    return kErrItemValueInvalid;
  }
  std::vector<std::uint16_t> lengths(count);
  for (std::uint16_t& text_length : lengths) {
    if (!reader.ReadU16(&text_length)) {
      return kErrItemValueInvalid;
    }
  }
  for (std::uint16_t text_length : lengths) {
    std::span<const std::uint8_t> text;
    if (!reader.ReadBytes(text_length, &text)) {
      return kErrItemValueInvalid;
    }
    texts->emplace_back(reinterpret_cast<const char*>(text.data()), text.size());
  }
  return Finish(reader);
}

Bytes EncodeNumber(double number) {
  Bytes value;
  base::AppendLittleDouble(&value, number);
  return value;
}

STATUS EncodeNumberList(const std::vector<double>& numbers, Bytes* value) {
  if (numbers.size() > kMaxListEntries) {
    return kErrItemValueInvalid;
  }
  value->clear();
  AppendListHeader(value, numbers.size());
  for (double number : numbers) {
    base::AppendLittleDouble(value, number);
  }
  return kNoError;
}

STATUS DecodeNumbers(std::uint16_t type, const std::uint8_t* data, std::size_t length,
                     std::vector<double>* numbers) {
  numbers->clear();
  base::ByteReader reader(data, length);
  double number = 0;
  if (type == kTypeNumber) {
    if (!reader.ReadDouble(&number)) {
      return kErrItemValueInvalid;
    }
    numbers->push_back(number);
    return Finish(reader);
  }
  if (length == 0) {
    return kNoError;
  }
  std::uint16_t count = 0;
  if (!ReadListHeader(&reader, &count)) {
    return kErrItemValueInvalid;
  }
  for (std::uint16_t i = 0; i < count; ++i) {
    if (!reader.ReadDouble(&number)) {
      return kErrItemValueInvalid;
    }
    numbers->push_back(number);
  }
  return Finish(reader);
}

TIMEDATE ToTimedate(formula::DateTime time) {
  auto seconds = static_cast<std::uint64_t>(time.seconds);
  return TIMEDATE{{static_cast<std::uint32_t>(seconds), static_cast<std::uint32_t>(seconds >> 32)}};
}

formula::DateTime FromTimedate(const TIMEDATE& timedate) {
  std::uint64_t seconds =
      (static_cast<std::uint64_t>(timedate.Innards[1]) << 32) | timedate.Innards[0];
  return formula::DateTime{static_cast<std::int64_t>(seconds)};
}

STATUS EncodeTimeList(const std::vector<formula::DateTime>& times, Bytes* value) {
  if (times.size() > kMaxListEntries) {
    return kErrItemValueInvalid;
  }
  value->clear();
  AppendListHeader(value, times.size());
  for (formula::DateTime time : times) {
    AppendTimedate(value, ToTimedate(time));
  }
  return kNoError;
}

STATUS DecodeTimeList(const std::uint8_t* data, std::size_t length,
                      std::vector<formula::DateTime>* times) {
  times->clear();
  if (length == 0) {
    return kNoError;
  }
  base::ByteReader reader(data, length);
  std::uint16_t count = 0;
  if (!ReadListHeader(&reader, &count)) {
    return kErrItemValueInvalid;
  }
  for (std::uint16_t i = 0; i < count; ++i) {
    TIMEDATE timedate{};
    if (!ReadTimedate(&reader, &timedate)) {
      return kErrItemValueInvalid;
    }
    times->push_back(FromTimedate(timedate));
  }
  return Finish(reader);
}

Bytes EncodeRichText(const std::vector<richtext::Paragraph>& paragraphs) {
  Bytes block = richtext::BuildRichText(paragraphs);
  // The builder puts the data-type word first; the value is what follows.
  block.erase(block.begin(), block.begin() + 2);
  return block;
}

STATUS DecodeRichText(const std::uint8_t* data, std::size_t length,
                      std::vector<richtext::Paragraph>* paragraphs) {
  Bytes block;
  block.reserve(length + 2);
  base::AppendLittle16(&block, kTypeCompositeText);
  block.insert(block.end(), data, data + length);
  paragraphs->clear();
  return richtext::ReadParagraphs(block.data(), block.size(), paragraphs) ? kNoError
                                                                          : kErrItemValueInvalid;
}

}  // namespace quendral::platform::values
