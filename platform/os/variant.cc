#include "platform/os/variant.h"

namespace os {

Variant MakeVariant(std::uint16_t type) {
  Variant value{};
  value.vt = type;
  return value;
}

}  // namespace os
