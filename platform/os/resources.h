// Resources that modules carry: data found by a 16-bit identifier and a
// type, and the string table. On Windows these are the module's resource
// section; elsewhere a module carries a resource table of ours (see
// resource_table.h) that the build made from the same description.
//
// A string table is kept in blocks of 16 strings: string `id` lies in the
// block whose identifier is StringBlockId(id), a resource of type
// kStringTableResource.
#ifndef QUENDRAL_PLATFORM_OS_RESOURCES_H_
#define QUENDRAL_PLATFORM_OS_RESOURCES_H_

#include <cstdint>
#include <string>
#include <variant>
#include <vector>

#include "platform/os/module.h"

namespace quendral::os {

// Standard resource types.
inline constexpr std::uint16_t kStringTableResource = 6;
inline constexpr std::uint16_t kDataResource = 10;
inline constexpr std::uint16_t kHtmlResource = 23;

// A standard type by number, or a type by name. Names compare without
// regard to case; "#23" names the standard type 23.
using ResourceType = std::variant<std::uint16_t, std::string>;

constexpr std::uint16_t StringBlockId(std::uint16_t string_id) {
  return static_cast<std::uint16_t>((string_id >> 4) + 1);
}
constexpr unsigned StringBlockIndex(std::uint16_t string_id) { return string_id & 0xFu; }

// Copies the data of resource `id` of `type` in `module` (null: the
// executable) into `data`. False when the module has no such resource.
bool FindModuleResource(ModuleHandle module, const ResourceType& type, std::uint16_t id,
                        std::vector<std::uint8_t>* data);

// String `id` of the module's string table, in the process's 8-bit
// characters (UTF-8 outside Windows), whole; empty when the module has no
// such string.
std::string LoadStringResource(ModuleHandle module, std::uint16_t id);

// The source of resources: the module whose string table the library's
// loads by bare identifier use. Process-wide; it starts as the module that
// holds this code.
ModuleHandle ResourceSource();

// Makes `module` the source of resources; returns the source before it.
ModuleHandle SetResourceSource(ModuleHandle module);

// String `id` of the source of resources.
std::string LoadSourceString(std::uint16_t id);

// Makes `module` the source of resources for the load of string `id`, then
// the source before it again. The switch holds the source, so that a load
// through the source on another thread never sees the passing module.
std::string LoadStringWithSource(ModuleHandle module, std::uint16_t id);

}  // namespace quendral::os

#endif  // QUENDRAL_PLATFORM_OS_RESOURCES_H_
