#include "platform/os/desktop/picture.h"

#include "platform/os/win32/windows_headers.h"
// After windows.h.
#include <olectl.h>

#include "platform/os/win32/system_libraries.h"

namespace quendral::os {
namespace {

constexpr IID kPictureInterface = {
    0x7BF80980, 0xBF32, 0x101A, {0x8B, 0xBB, 0x00, 0xAA, 0x00, 0x30, 0x0C, 0xAB}};
constexpr int kHimetricPerInch = 2540;

// The file's bytes in a movable global block; null on a short read.
HGLOBAL ReadWhole(HANDLE file, DWORD* size) {
  *size = ::GetFileSize(file, nullptr);
  if (*size == INVALID_FILE_SIZE || *size == 0) {
    return nullptr;
  }
  HGLOBAL block = ::GlobalAlloc(GMEM_MOVEABLE, *size);
  if (block == nullptr) {
    return nullptr;
  }
  void* data = ::GlobalLock(block);
  DWORD read = 0;
  const bool whole =
      data != nullptr && ::ReadFile(file, data, *size, &read, nullptr) && read == *size;
  ::GlobalUnlock(block);
  if (!whole) {
    ::GlobalFree(block);
    return nullptr;
  }
  return block;
}

// The libraries a picture is measured with.
struct PictureLibraries {
  const Ole32Entries* ole = Ole32();
  const OleAutomationEntries* automation = OleAutomation();
  const Gdi32Entries* gdi = Gdi32();

  bool complete() const { return ole != nullptr && automation != nullptr && gdi != nullptr; }
};

bool MeasurePicture(const PictureLibraries& libraries, HGLOBAL block, DWORD size, int* width,
                    int* height) {
  IStream* stream = nullptr;
  if (FAILED(libraries.ole->create_stream(block, FALSE, &stream))) {
    return false;
  }
  IPicture* picture = nullptr;
  bool measured = false;
  if (SUCCEEDED(libraries.automation->load_picture(stream, static_cast<LONG>(size), FALSE,
                                                   kPictureInterface,
                                                   reinterpret_cast<void**>(&picture)))) {
    OLE_XSIZE_HIMETRIC himetric_width = 0;
    OLE_YSIZE_HIMETRIC himetric_height = 0;
    HDC screen = ::GetDC(nullptr);
    if (screen != nullptr && SUCCEEDED(picture->get_Width(&himetric_width)) &&
        SUCCEEDED(picture->get_Height(&himetric_height))) {
      *width = ::MulDiv(himetric_width, libraries.gdi->get_device_caps(screen, LOGPIXELSX),
                        kHimetricPerInch);
      *height = ::MulDiv(himetric_height, libraries.gdi->get_device_caps(screen, LOGPIXELSY),
                         kHimetricPerInch);
      measured = true;
    }
    if (screen != nullptr) {
      ::ReleaseDC(nullptr, screen);
    }
    picture->Release();
  }
  stream->Release();
  return measured;
}

}  // namespace

bool PictureSizeInPixels(const std::string& path, int* width, int* height) {
  const PictureLibraries libraries;
  if (!libraries.complete()) {
    return false;
  }
  const HANDLE file = ::CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                    OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    return false;
  }
  DWORD size = 0;
  HGLOBAL block = ReadWhole(file, &size);
  const bool measured = block != nullptr && MeasurePicture(libraries, block, size, width, height);
  if (block != nullptr) {
    ::GlobalFree(block);
  }
  ::CloseHandle(file);
  return measured;
}

}  // namespace quendral::os
