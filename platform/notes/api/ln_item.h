// LNItem and its typed views.
//
// An item is either attached to an item of an open note (what GetItem and
// CreateItem give) or stands alone holding a value of its own (a newly
// constructed LNText, a formula result). An attached item reads and writes
// the note's item itself. Copies share the same item, and a typed view made
// from an LNItem shares it too. A view of the wrong type fails with
// kErrItemTypeMismatch.
#ifndef QUENDRAL_PLATFORM_NOTES_API_LN_ITEM_H_
#define QUENDRAL_PLATFORM_NOTES_API_LN_ITEM_H_

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/notes/api/ln_datetime.h"
#include "platform/notes/api/ln_string.h"
#include "platform/notes/vocabulary/status.h"

namespace quendral::platform::internal {
struct ItemBinding;
}

class LNItem {
 public:
  LNItem();
  virtual ~LNItem();
  LNItem(const LNItem&);
  LNItem& operator=(const LNItem&);

  // True for an item that is neither attached nor holds a value.
  bool IsNull() const;
  // The data-type word; 0 for a null item.
  std::uint16_t GetType() const;
  LNString GetName() const;
  std::uint16_t GetFlags() const;
  // The value bytes after the data-type word. The pointer of an attached
  // item stays valid while its note is open and the item is not replaced.
  std::uint32_t GetValueLength() const;
  const std::uint8_t* GetValuePtr() const;
  std::vector<std::uint8_t> GetValue() const;
  // Replaces the value (and type) of the item.
  LNSTATUS SetValue(std::uint16_t type, const void* data, std::uint32_t length);

 protected:
  // A stand-alone item of `type` with an empty value.
  explicit LNItem(std::uint16_t type);
  // Shares the item of `other`.
  void Share(const LNItem& other);

  friend class LNNote;
  friend class LNFormula;
  std::shared_ptr<quendral::platform::internal::ItemBinding> binding_;
};

// A text list (0x0501).
class LNText : public LNItem {
 public:
  LNText();
  LNText(const LNItem& item);  // NOLINT(google-explicit-constructor): views convert freely
  LNText& operator=(const LNItem& item);

  // All values joined with `separator`.
  LNSTATUS GetText(LNString* text, const char* separator = ";") const;
  // The number of values of any list (text, number, date-time).
  std::size_t GetCount() const;
  LNString operator[](std::size_t index) const;
  // Makes `value` the only value. `flag` is accepted for compatibility.
  LNSTATUS SetValue(const LNString& value, int flag = 1);
  LNSTATUS Append(const LNString& value);
};

// A number list (0x0301); also reads a single number (0x0300).
class LNNumbers : public LNItem {
 public:
  LNNumbers();
  LNNumbers(const LNItem& item);  // NOLINT(google-explicit-constructor)
  LNNumbers& operator=(const LNItem& item);

  LNSTATUS GetText(LNString* text, const char* separator = ";") const;
  std::size_t GetCount() const;
  // Value `index`; 0 (or kErrInvalidArgument thrown) when there is none.
  double operator[](std::size_t index) const;
  LNSTATUS Insert(std::size_t position, double number);
  LNSTATUS Append(double number);
  LNSTATUS SetValue(double number);
};

// A date-time list (0x0401).
class LNDatetimes : public LNItem {
 public:
  LNDatetimes();
  LNDatetimes(const LNItem& item);  // NOLINT(google-explicit-constructor)
  LNDatetimes& operator=(const LNItem& item);

  LNSTATUS GetText(LNString* text, const char* separator = ";") const;
  std::size_t GetCount() const;
  LNDatetime operator[](std::size_t index) const;
  LNSTATUS Append(const LNDatetime& time);
  LNSTATUS SetValue(const LNDatetime& time);
};

// Rich text (0x0001).
class LNRichText : public LNItem {
 public:
  LNRichText();
  LNRichText(const LNItem& item);  // NOLINT(google-explicit-constructor)
  LNRichText& operator=(const LNItem& item);

  // The plain text, each paragraph ended by "\n".
  LNSTATUS GetText(LNString* text) const;
};

#endif  // QUENDRAL_PLATFORM_NOTES_API_LN_ITEM_H_
