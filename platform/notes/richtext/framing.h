// Record framing shared by the enumeration and the paragraph reader: how a
// record's header is decoded and how the walk steps from record to record.
#ifndef QUENDRAL_PLATFORM_NOTES_RICHTEXT_FRAMING_H_
#define QUENDRAL_PLATFORM_NOTES_RICHTEXT_FRAMING_H_

#include <cstddef>
#include <cstdint>

#include "platform/base/coding.h"
#include "platform/notes/richtext/records.h"
#include "platform/notes/vocabulary/status.h"

namespace quendral::platform::richtext {

struct RecordHeader {
  std::uint16_t signature;
  std::uint32_t length;         // the whole record, pad byte excluded
  std::uint32_t header_length;  // signature and length field
};

// Decodes the header of the record at `record`, of which `available` bytes
// belong to the value. False when the header itself is cut off, or when the
// record is shorter than its header or runs past the available bytes.
inline bool DecodeRecordHeader(const std::uint8_t* record, std::size_t available,
                               RecordHeader* header) {
  if (available < 2) {
    return false;
  }
  header->signature = base::LoadLittle16(record);
  const unsigned width_byte = header->signature >> 8;
  if (width_byte == 0xFF) {
    if (available < 4) {
      return false;
    }
    header->header_length = 4;
    header->length = base::LoadLittle16(record + 2);
  } else if (width_byte == 0x00) {
    if (available < 6) {
      return false;
    }
    header->header_length = 6;
    header->length = base::LoadLittle32(record + 2);
  } else {
    header->header_length = 2;
    header->length = width_byte;
  }
  const std::uint32_t shortest =
      header->signature == kSignatureHideWhen ? kHideWhenFixedPartLength : header->header_length;
  return header->length >= shortest && header->length <= available;
}

// Calls `visit(record_address, header)` for every record of `records`
// (`size` bytes, the data-type word already skipped), in order, until it
// returns non-zero. `Byte` is char or std::uint8_t, const or not, so that
// callers get addresses of their own kind.
template <typename Byte, typename Visitor>
STATUS ForEachRecord(Byte* records, std::size_t size, Visitor&& visit) {
  Byte* const end = records + size;
  Byte* record = records;
  while (record != end) {
    const auto available = static_cast<std::size_t>(end - record);
    RecordHeader header;
    if (!DecodeRecordHeader(reinterpret_cast<const std::uint8_t*>(record), available, &header)) {
      return kErrCompositeRecordInvalid;
    }
    const STATUS status = visit(record, header);
    if (status != kNoError) {
      return status;
    }
    // The last record may lack its pad byte; stepping over it would leave
    // the value.
    if (header.length == available) {
      break;
    }
    // Records start on even offsets.
    record += header.length + (header.length & 1U);
  }
  return kNoError;
}

}  // namespace quendral::platform::richtext

#endif  // QUENDRAL_PLATFORM_NOTES_RICHTEXT_FRAMING_H_
