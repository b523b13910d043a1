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

// A stored date-time is 64 bits, word 1 high. Times without a zone hold the
// wall-clock seconds as a two's-complement integer, as every store always
// has. A time with a zone has bit 63 clear and bit 62 set, which no zoneless
// time of the last 146 billion years has:
//   bits 47..0   the wall-clock seconds, sign-extended from bit 47
//   bits 55..48  the zone's standard offset east of GMT in quarter hours,
//                two's complement (-63..63)
//   bit  56      daylight saving time was in effect
//   bits 61..57  zero
namespace {

constexpr std::uint64_t kZonedMarkMask = std::uint64_t{3} << 62;
constexpr std::uint64_t kZonedMark = std::uint64_t{1} << 62;
constexpr std::int64_t kZonedSecondsLimit = std::int64_t{1} << 47;
constexpr std::uint64_t kZonedSecondsMask = (std::uint64_t{1} << 48) - 1;
constexpr int kZoneShift = 48;
constexpr std::uint64_t kDaylightBit = std::uint64_t{1} << 56;
constexpr std::uint64_t kReservedBits = std::uint64_t{0x1F} << 57;

TIMEDATE SplitWords(std::uint64_t bits) {
  return TIMEDATE{{static_cast<std::uint32_t>(bits), static_cast<std::uint32_t>(bits >> 32)}};
}

}  // namespace

bool ToTimedate(formula::DateTime time, TIMEDATE* timedate) {
  const auto seconds = static_cast<std::uint64_t>(time.seconds);
  if (!time.zone) {
    *timedate = SplitWords(seconds);
    return (seconds & kZonedMarkMask) != kZonedMark;
  }
  if (time.seconds <= -kZonedSecondsLimit || time.seconds >= kZonedSecondsLimit ||
      !formula::IsZoneOffset(time.zone->minutes_east)) {
    return false;
  }
  const auto quarters =
      static_cast<std::uint8_t>(static_cast<std::int8_t>(time.zone->minutes_east / 15));
  *timedate = SplitWords(kZonedMark | (std::uint64_t{quarters} << kZoneShift) |
                         (time.zone->daylight ? kDaylightBit : 0) | (seconds & kZonedSecondsMask));
  return true;
}

bool FromTimedate(const TIMEDATE& timedate, formula::DateTime* time) {
  const std::uint64_t bits =
      (static_cast<std::uint64_t>(timedate.Innards[1]) << 32) | timedate.Innards[0];
  if ((bits & kZonedMarkMask) != kZonedMark) {
    *time = formula::DateTime{static_cast<std::int64_t>(bits)};
    return true;
  }
  const int minutes_east = static_cast<std::int8_t>(bits >> kZoneShift) * 15;
  if ((bits & kReservedBits) != 0 || !formula::IsZoneOffset(minutes_east)) {
    return false;
  }
  // Shifting the 48 bits to the top and back extends their sign.
  const std::int64_t seconds = static_cast<std::int64_t>(bits << 16) >> 16;
  *time = formula::DateTime{seconds, formula::Zone{minutes_east, (bits & kDaylightBit) != 0}};
  return true;
}

STATUS EncodeTimeList(const std::vector<formula::DateTime>& times, Bytes* value) {
  if (times.size() > kMaxListEntries) {
    return kErrItemValueInvalid;
  }
  value->clear();
  AppendListHeader(value, times.size());
  for (formula::DateTime time : times) {
    TIMEDATE timedate{};
    if (!ToTimedate(time, &timedate)) {
      return kErrItemValueInvalid;
    }
    AppendTimedate(value, timedate);
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
    formula::DateTime time;
    if (!ReadTimedate(&reader, &timedate) || !FromTimedate(timedate, &time)) {
      return kErrItemValueInvalid;
    }
    times->push_back(time);
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
