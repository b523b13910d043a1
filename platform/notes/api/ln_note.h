// LNNote and its kinds: a note of a database, and while open its items in
// memory. Copies share the same note; the last copy to go closes it.
//
// The items seen here are the same the core calls see through
// GetNoteHandle: a change made either way is a change of the one note.
// Nothing reaches the file before Save, which stores the whole note in one
// transaction and fails with kErrSaveConflict when the note was saved by
// someone else since it was opened.
#ifndef QUENDRAL_PLATFORM_NOTES_API_LN_NOTE_H_
#define QUENDRAL_PLATFORM_NOTES_API_LN_NOTE_H_

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "platform/notes/api/ln_datetime.h"
#include "platform/notes/api/ln_string.h"
#include "platform/notes/vocabulary/status.h"
#include "platform/notes/vocabulary/types.h"

class LNItem;

namespace quendral::platform::internal {
struct NoteBinding;
}

namespace quendral::platform {

// Options of CreateItem (LNITEMOPTION values).
enum : std::uint32_t {
  // Adds the item after the others even when the note has one of that name.
  kItemOptionAppend = 0x10000,
  // Replaces the note's items of that name (the first keeps its place).
  kItemOptionReplace = 0x20000,
};

// Item flag bits.
enum : std::uint16_t {
  kItemFlagSummary = 0x0004,
  kItemFlagSigned = 0x0008,
  kItemFlagAuthors = 0x0020,
  kItemFlagNames = 0x0040,
  kItemFlagReaders = 0x0400,
};

}  // namespace quendral::platform

class LNNote {
 public:
  LNNote();
  virtual ~LNNote();
  LNNote(const LNNote&);
  LNNote& operator=(const LNNote&);

  // Reads the note into memory. `flags` is accepted for compatibility.
  LNSTATUS Open(int flags = 0);
  bool IsOpen() const;
  // Drops the note from memory; unsaved changes are lost.
  LNSTATUS Close();
  // Stores the note as it is in memory, in-place changes of item values
  // included, and increments its sequence number.
  LNSTATUS Save(int flags = 0);

  // Whether the note in memory differs from the stored one in any byte of
  // its items, or in their names, flags or number.
  bool HasUnsavedChanges() const;
  // The handle the core calls take; 0 when the note is not open.
  quendral::platform::NOTEHANDLE GetNoteHandle(int flag = 1) const;

  // Attaches `item` to the note's first item named `name`;
  // kErrItemNotFound when there is none.
  LNSTATUS GetItem(const LNString& name, LNItem* item) const;
  bool HasItem(const LNString& name) const;
  // Every item in storage order.
  LNSTATUS GetItems(std::vector<LNItem>* items) const;
  // A new item with the value of `source` (see the item options above);
  // `result`, when given, is attached to it.
  LNSTATUS CreateItem(const LNString& name, const LNItem& source, std::uint16_t flags,
                      std::uint32_t option, LNItem* result = nullptr);
  // A new item of `type` holding `length` bytes at `data` (the bytes after
  // the data-type word; nullptr with length 0 for an empty value).
  LNSTATUS CreateItem(const LNString& name, std::uint16_t type, const void* data,
                      std::uint32_t length, std::uint16_t flags, std::uint32_t option,
                      LNItem* result = nullptr);
  // Removes every item named `name`; kErrItemNotFound when there is none.
  LNSTATUS DeleteItem(const LNString& name);

  LNSTATUS GetUniversalID(UNIVERSALNOTEID* id) const;
  std::uint32_t GetNoteID() const;
  std::uint32_t GetSequenceNumber() const;
  LNSTATUS GetCreated(LNDatetime* created) const;
  LNSTATUS GetLastModified(LNDatetime* modified) const;

 protected:
  friend class LNDatabase;
  friend class LNFormula;
  std::shared_ptr<quendral::platform::internal::NoteBinding> note_;
};

class LNDocument : public LNNote {};

// A profile document: settings kept by name (and optionally per user) in
// items called profile fields.
class LNProfileDocument : public LNNote {
 public:
  // Attaches `item` to the field; kErrItemNotFound when it is missing.
  LNSTATUS GetProfileField(const LNString& field, LNItem* item) const;
  // Replaces the field by the value of `item` and stores the profile at
  // once, so that a setting never waits for a save that may not come.
  LNSTATUS SetProfileField(const LNString& field, const LNItem& item);
};

#endif  // QUENDRAL_PLATFORM_NOTES_API_LN_NOTE_H_
