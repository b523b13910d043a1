#include "platform/os/variant.h"

namespace quendral::os {

Variant MakeVariant(std::uint16_t type) {
  Variant value{};
  value.vt = type;
  return value;
}

}  // namespace quendral::os
