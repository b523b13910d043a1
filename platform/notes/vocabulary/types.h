// Value types shared by the Notes platform's object API and core calls.
#ifndef QUENDRAL_PLATFORM_NOTES_VOCABULARY_TYPES_H_
#define QUENDRAL_PLATFORM_NOTES_VOCABULARY_TYPES_H_

#include <cstdint>

// Two unsigned 32-bit words, word 0 first in memory. A database replica ID is
// one; date-time values of items are another.
struct TIMEDATE {
  std::uint32_t Innards[2];
};

// The 16-byte identity of a document: the file part, then the note part.
struct UNIVERSALNOTEID {
  TIMEDATE File;
  TIMEDATE Note;
};

namespace quendral::platform {

// A memory handle of the platform's handle table (0 = none).
using DHANDLE = std::uint32_t;

// The handle of a note open in memory (0 = none).
using NOTEHANDLE = std::uint32_t;

// Addresses an item or an item value in a note's memory: the pool's locked
// address plus the offset.
struct BLOCKID {
  DHANDLE pool;
  std::uint16_t block;
};

// Item data-type words. A value block starts with one of them.
enum : std::uint16_t {
  kTypeCompositeText = 0x0001,  // rich text: composite records
  kTypeNoteLinkList = 0x0007,
  kTypeNumber = 0x0300,
  kTypeNumberList = 0x0301,
  kTypeTimeList = 0x0401,
  kTypeTextList = 0x0501,
};

}  // namespace quendral::platform

#endif  // QUENDRAL_PLATFORM_NOTES_VOCABULARY_TYPES_H_
