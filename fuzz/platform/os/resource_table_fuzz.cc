// Arbitrary bytes as a module's resource table: lookups by number and by
// name, and the strings of whatever block is found, never read outside it.
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

#include "platform/os/resource_table.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // The first two bytes choose the identifier; the rest is the table.
  if (size < 2) {
    return 0;
  }
  const auto id = static_cast<std::uint16_t>(data[0] | (data[1] << 8));
  const std::span<const std::uint8_t> table(data + 2, size - 2);
  for (const quendral::os::ResourceType& type :
       {quendral::os::ResourceType(quendral::os::kHtmlResource),
        quendral::os::ResourceType(std::string("TEMPLATE")),
        quendral::os::ResourceType(std::string("#10"))}) {
    quendral::os::FindTableResource(table, type, id);
  }
  const auto block = quendral::os::FindTableResource(table, quendral::os::kStringTableResource,
                                                     quendral::os::StringBlockId(id));
  if (block) {
    quendral::os::FindBlockString(*block, quendral::os::StringBlockIndex(id));
  }
  return 0;
}
