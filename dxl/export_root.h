// Which root elements make a file an export. Exports put their root in the
// DXL namespace; a few real ones leave the namespace out on a note or
// database element, and those are read as exports all the same.
#ifndef QUENDRAL_DXL_EXPORT_ROOT_H_
#define QUENDRAL_DXL_EXPORT_ROOT_H_

#include <cstdint>
#include <filesystem>
#include <string_view>

namespace quendral::dxl {

enum class RootKind : std::uint8_t {
  kDxl,                  // in the DXL namespace
  kDxlWithoutNamespace,  // a note or database element in no namespace
  kOther,                // not an export
};

// `namespace_uri` is empty for an element in no namespace.
RootKind ClassifyRoot(std::string_view namespace_uri, std::string_view name);

// The kind of `file`'s root element, reading the file only up to it. kOther
// as well when the file cannot be read or is not XML before its root.
RootKind ReadRootKind(const std::filesystem::path& file);

}  // namespace quendral::dxl

#endif  // QUENDRAL_DXL_EXPORT_ROOT_H_
