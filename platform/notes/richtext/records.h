// Composite records: the storage form of rich text.
//
// A rich-text item value is the data-type word 0x0001 followed by records.
// Every record starts on an even offset with a 16-bit signature word whose
// high byte tells how its length is stored:
//   0xFF  a 16-bit length word follows the signature;
//   0x00  a 32-bit length follows the signature;
//   else  the high byte itself is the record's length.
// A length counts the whole record, header included; a record of odd length
// is followed by one pad byte, which the value's last record may lack.
#ifndef QUENDRAL_PLATFORM_NOTES_RICHTEXT_RECORDS_H_
#define QUENDRAL_PLATFORM_NOTES_RICHTEXT_RECORDS_H_

#include <cstddef>
#include <cstdint>

#include "platform/notes/vocabulary/status.h"

namespace quendral::platform::richtext {

enum : std::uint16_t {
  // Defines paragraph attributes under a 16-bit ID: signature, length, ID.
  kSignatureParagraphDefinition = 0xFF82,
  // A paragraph definition's hide-when formula: HideWhenFixedPart, then the
  // compiled formula filling the rest of the record.
  kSignatureHideWhen = 0xFFBB,
  // Starts a paragraph: signature (whose high byte is the length, 4), then
  // the ID of its paragraph definition.
  kSignatureParagraphStart = 0x0481,
  // Text: signature, 16-bit length, the text bytes.
  kSignatureTextRun = 0xFF85,
  // Text too long for a 16-bit length: signature, 32-bit length, the bytes.
  kSignatureLongTextRun = 0x0085,
  // A reference to an entry of the note's $Links table: signature, length,
  // 16-bit entry index.
  kSignatureLinkReference = 0xFF86,
};

// Canonical structure type of a hide-when record's fixed part.
inline constexpr std::uint16_t kStructureHideWhen = 358;

// The fixed part of a hide-when record, as ReadCanonicalStructure gives it.
// Its canonical form is these fields packed little-endian, in this order.
struct HideWhenFixedPart {
  std::uint16_t signature;
  std::uint16_t length;  // of the whole record
  std::uint16_t paragraph_definition_id;
  std::uint16_t reserved[3];
};

// CanonicalStructureLength(kStructureHideWhen).
inline constexpr std::uint16_t kHideWhenFixedPartLength = 12;

// Called once per record, in order. Returning non-zero stops the
// enumeration with that status.
using RecordAction = STATUS (*)(char* record, std::uint16_t signature, std::uint32_t record_length,
                                void* context);

// Enumerates the records of an item value. `value_block` is the value as the
// item query returns it (data-type word first) and `length` its length less
// the 2 bytes of that word. A value that is not rich text has no records. A
// record shorter than its header or running past the end stops the walk with
// kErrCompositeRecordInvalid; so does a hide-when record too short for its
// fixed part, since actions read that part without a length to check against.
// Nothing outside the value is read. Records are writable in place through
// the address the action gets.
STATUS EnumerateCompositeRecords(char* value_block, std::uint32_t length, RecordAction action,
                                 void* context);

// The same walk over records without the data-type word before them (`size`
// bytes of records, as a rich-text value stands in an export), with the same
// checks and the same calls of `action`.
STATUS EnumerateRecords(char* records, std::size_t size, RecordAction action, void* context);

// Reads `count` structures of canonical type `type` from *pointer into
// `destination` (an array of the type's struct) and advances *pointer past
// them. The source needs no alignment. Unknown types read nothing and leave
// *pointer where it was. The caller makes sure the bytes are there.
void ReadCanonicalStructure(char** pointer, std::uint16_t type, void* destination,
                            std::uint16_t count);

// The byte length of one canonical structure of `type` (0 for unknown types).
std::uint16_t CanonicalStructureLength(std::uint16_t type);

}  // namespace quendral::platform::richtext

#endif  // QUENDRAL_PLATFORM_NOTES_RICHTEXT_RECORDS_H_
