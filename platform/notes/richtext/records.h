// Composite records: the storage form of rich text.
//
// A rich-text item value is the data-type word 0x0001 followed by records.
// Every record starts on an even offset with a 16-bit signature word whose
// high byte tells how its length is stored:
//   0xFF  a 16-bit length word follows the signature;
//   0x00  a 32-bit length follows the signature;
//   else  the high byte itself is the record's length.
// A length counts the whole record, header included; a record of odd length
// is followed by one pad byte.
#ifndef QUENDRAL_PLATFORM_NOTES_RICHTEXT_RECORDS_H_
#define QUENDRAL_PLATFORM_NOTES_RICHTEXT_RECORDS_H_

#include <cstdint>

#include "platform/notes/status.h"

namespace notes::richtext {

enum : std::uint16_t {
  kSignatureParagraphDefinition = 0xFF82,
  kSignatureHideWhen = 0xFFBB,
};

// Canonical structure type of a hide-when record's fixed part.
inline constexpr std::uint16_t kStructureHideWhen = 358;

// Called once per record, in order. Returning non-zero stops the
// enumeration with that status.
using RecordAction = STATUS (*)(char* record, std::uint16_t signature,
                                std::uint32_t record_length, void* context);

// Enumerates the records of an item value. `value_block` is the value as the
// item query returns it (data-type word first) and `length` its length less
// the 2 bytes of that word. A value that is not rich text has no records. A
// record shorter than its header or running past the end stops the walk with
// kErrCompositeRecordInvalid. Nothing outside the value is read.
STATUS EnumerateCompositeRecords(char* value_block, std::uint32_t length, RecordAction action,
                                 void* context);

// Reads `count` structures of canonical type `type` from *pointer into
// `destination` and advances *pointer past them.
void ReadCanonicalStructure(char** pointer, std::uint16_t type, void* destination,
                            std::uint16_t count);

// The byte length of one canonical structure of `type` (0 for unknown types).
std::uint16_t CanonicalStructureLength(std::uint16_t type);

}  // namespace notes::richtext

#endif  // QUENDRAL_PLATFORM_NOTES_RICHTEXT_RECORDS_H_
