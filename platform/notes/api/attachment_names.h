// The names of the files attached to a note, as @AttachmentNames gives them.
// Each attached file is an item named $FILE. The platform stores it as an
// object item whose value is the file's object record (the object's kind
// and place, the name's length, host, compression, attributes, flags, size,
// creation and modification times, then the name); this store keeps no
// object data, so a $FILE item may also hold the name as a text, which is
// read alike.
#ifndef QUENDRAL_PLATFORM_NOTES_API_ATTACHMENT_NAMES_H_
#define QUENDRAL_PLATFORM_NOTES_API_ATTACHMENT_NAMES_H_

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace quendral::platform {

inline constexpr std::uint16_t kTypeObject = 0x0800;
inline constexpr std::string_view kAttachmentItemName = "$FILE";

// The attached file's name in an item of that name, type and value;
// nothing when it is no attachment or its record is cut short.
std::optional<std::string> AttachmentName(std::string_view item_name, std::uint16_t type,
                                          const std::uint8_t* value, std::size_t length);

}  // namespace quendral::platform

#endif  // QUENDRAL_PLATFORM_NOTES_API_ATTACHMENT_NAMES_H_
