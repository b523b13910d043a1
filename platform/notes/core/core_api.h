// The Notes core calls, by role: item enumeration over a note open in
// memory, formula compilation and decompilation, and the rich-text record
// calls.
//
// An item is addressed by a BLOCKID that stays the same while the note is
// open; its value by a second BLOCKID whose pool can be locked with
// LockMemory: pool address + block is the value's 16-bit data-type word,
// followed by the value bytes. A value length always counts those 2 bytes.
// Values may be changed in place through that address; LNNote::Save stores
// such changes. Adding items to the note leaves the other items' values where
// they are.
#ifndef QUENDRAL_PLATFORM_NOTES_CORE_CORE_API_H_
#define QUENDRAL_PLATFORM_NOTES_CORE_CORE_API_H_

#include <cstdint>

#include "platform/notes/richtext/records.h"
#include "platform/notes/vocabulary/status.h"
#include "platform/notes/vocabulary/types.h"

namespace quendral::platform {

// The longest item name the platform keeps.
inline constexpr std::uint16_t kMaxItemNameLength = 256;

// The note's first item named `name` (bytes compared exactly), or with
// name == nullptr its first item of all. kErrItemNotFound when there is none;
// kErrInvalidHandle for a note handle that is not open. Any out pointer may be
// nullptr.
STATUS FindItem(NOTEHANDLE note, const char* name, std::uint16_t name_length, BLOCKID* item,
                std::uint16_t* value_type, BLOCKID* value, std::uint32_t* value_length);

// The item after `previous` in storage order (with a name: the next item of
// that name). kErrNoMoreItems after the last item; kErrItemNotFound when
// `previous` is not an item of this note.
STATUS FindNextItem(NOTEHANDLE note, BLOCKID previous, const char* name, std::uint16_t name_length,
                    BLOCKID* item, std::uint16_t* value_type, BLOCKID* value,
                    std::uint32_t* value_length);

// Everything about one item. The name is copied into `name_buffer`, cut to
// name_buffer_size - 1 bytes and zero-terminated; *name_length is the length
// copied. Any out pointer may be nullptr.
STATUS QueryItem(NOTEHANDLE note, BLOCKID item, char* name_buffer, std::uint16_t name_buffer_size,
                 std::uint16_t* name_length, std::uint16_t* item_flags, std::uint16_t* value_type,
                 BLOCKID* value, std::uint32_t* value_length);

// Compiles formula text. On success *formula is a new memory handle holding
// the compiled bytes (the caller frees it) and *formula_length their length.
// On a syntax error the status and *compile_error are kErrFormulaSyntax and
// the error outputs tell where: line and column (1-based), byte offset into
// the text and the length of the offending part. `name` is accepted for
// compatibility and ignored. Any error output may be nullptr.
STATUS CompileFormulaText(const char* name, std::uint16_t name_length, const char* text,
                          std::uint16_t text_length, DHANDLE* formula,
                          std::uint16_t* formula_length, STATUS* compile_error,
                          std::uint16_t* error_line, std::uint16_t* error_column,
                          std::uint16_t* error_offset, std::uint16_t* error_length);

// The canonical text of the compiled formula at `formula` (its bytes carry
// their own length). *text is a new memory handle with the text, not
// zero-terminated, and *text_length its length; the caller frees it.
// kErrFormulaSyntax when the bytes are not a compiled formula.
STATUS FormulaToText(const char* formula, bool selection, DHANDLE* text,
                     std::uint16_t* text_length);

using richtext::CanonicalStructureLength;
using richtext::EnumerateCompositeRecords;
using richtext::ReadCanonicalStructure;
using richtext::RecordAction;

}  // namespace quendral::platform

#endif  // QUENDRAL_PLATFORM_NOTES_CORE_CORE_API_H_
