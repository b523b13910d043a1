// Measuring picture files.
//
// On Windows the picture is loaded with OleLoadPicture and its size in
// hundredths of a millimetre converted with the screen's logical pixels per
// inch. Elsewhere the size is read from the image's header by stb's
// stbi_info (PNG, JPEG, GIF, BMP and the other formats stb reads) and taken
// at 96 pixels per inch, so the picture's own pixels are screen pixels.
#ifndef QUENDRAL_PLATFORM_OS_DESKTOP_PICTURE_H_
#define QUENDRAL_PLATFORM_OS_DESKTOP_PICTURE_H_

#include <string>

namespace quendral::os {

// False when the file cannot be read or holds no picture known here.
bool PictureSizeInPixels(const std::string& path, int* width, int* height);

}  // namespace quendral::os

#endif  // QUENDRAL_PLATFORM_OS_DESKTOP_PICTURE_H_
