#include "platform/os/desktop/picture.h"

#define STB_IMAGE_IMPLEMENTATION
#include <stb/stb_image.h>

#include "platform/os/file_system.h"

namespace quendral::os {

bool PictureSizeInPixels(const std::string& path, int* width, int* height) {
  int components = 0;
  return stbi_info(NativePath(path).c_str(), width, height, &components) != 0;
}

}  // namespace quendral::os
