#include "platform/os/desktop/picture.h"
#include "platform/os/shell_link.h"
#include "util/files/files.h"

namespace quendral::util {

std::string ResolveShortcut(const std::string& link_path) {
  return os::ResolveShellLink(link_path);
}

PixelSize GetImageSizeInPixels(const std::string& path) {
  PixelSize size;
  if (!os::PictureSizeInPixels(path, &size.width, &size.height)) {
    return PixelSize();
  }
  return size;
}

}  // namespace quendral::util
