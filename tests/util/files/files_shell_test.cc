#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "platform/os/environment.h"
#include "platform/os/shell_link_bytes.h"
#include "tests/util/files/com_apartment.h"
#include "util/files/files.h"

namespace quendral::util {
namespace {

namespace fs = std::filesystem;

class FilesShellTest : public ::testing::Test {
 protected:
  // The shell's link object and the picture loader are COM objects, and
  // COM is the caller's to set up on its thread.
  void SetUp() override {
    ASSERT_TRUE(fixtures::EnterComApartment());
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    root_ = fs::temp_directory_path() / (std::string("quendral_shell_") + info->name());
    fs::remove_all(root_);
    fs::create_directories(root_);
  }
  void TearDown() override {
    fs::remove_all(root_);
    fixtures::LeaveComApartment();
  }

  std::string Write(const char* name, const std::vector<std::uint8_t>& bytes) {
    const fs::path path = root_ / name;
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
    return path.string();
  }

  fs::path root_;
};

// A 2 x 3 pixel, 24-bit bitmap at 96 pixels per inch.
std::vector<std::uint8_t> SmallBitmap() {
  std::vector<std::uint8_t> bytes = {'B', 'M'};
  os_test::PutWord(&bytes, 78);
  os_test::PutWord(&bytes, 0);
  os_test::PutWord(&bytes, 54);
  os_test::PutWord(&bytes, 40);
  os_test::PutWord(&bytes, 2);
  os_test::PutWord(&bytes, 3);
  os_test::PutWord(&bytes, 1, 2);
  os_test::PutWord(&bytes, 24, 2);
  os_test::PutWord(&bytes, 0);
  os_test::PutWord(&bytes, 24);
  os_test::PutWord(&bytes, 3780);
  os_test::PutWord(&bytes, 3780);
  os_test::PutWord(&bytes, 0);
  os_test::PutWord(&bytes, 0);
  bytes.resize(78, 0x80);
  return bytes;
}

// A link to a local file, as the shell writes one: the whole target in the
// local base path.
TEST_F(FilesShellTest, ShortcutFileIsResolved) {
  const std::string link = Write("report.lnk", os_test::LinkFile("C:\\Data\\report.txt", "", ""));
  EXPECT_EQ(ResolveShortcut(link), "C:\\Data\\report.txt");
}

TEST_F(FilesShellTest, PictureSizeFromTheHeader) {
  const PixelSize size = GetImageSizeInPixels(Write("small.bmp", SmallBitmap()));
  EXPECT_EQ(size.width, 2);
  EXPECT_EQ(size.height, 3);
}

TEST_F(FilesShellTest, NotAShortcutGivesNothing) {
  EXPECT_EQ(ResolveShortcut(Write("plain.lnk", {'n', 'o'})), "");
  EXPECT_EQ(ResolveShortcut((root_ / "absent.lnk").string()), "");
}

TEST_F(FilesShellTest, NotAPictureGivesMinusOnes) {
  const PixelSize text = GetImageSizeInPixels(Write("text.bmp", {'t', 'e', 'x', 't'}));
  EXPECT_EQ(text.width, -1);
  EXPECT_EQ(text.height, -1);
  const PixelSize absent = GetImageSizeInPixels((root_ / "absent.png").string());
  EXPECT_EQ(absent.width, -1);
  EXPECT_EQ(absent.height, -1);
}

// A library every process of the system has loaded, and two of its entries.
struct SystemLibrary {
  const char* name;
  const char* entries[2];
};
const SystemLibrary kSystemLibrary = os::kRunsOnWindows
                                         ? SystemLibrary{"kernel32.dll", {"GetTickCount", "Sleep"}}
                                         : SystemLibrary{"libc.so.6", {"strlen", "malloc"}};

TEST(BindLibraryEntryPointsTest, FillsEverySlot) {
  const char* const* names = kSystemLibrary.entries;
  void* first = nullptr;
  void* second = nullptr;
  const EntryPointBinding bindings[] = {{&first, names[0]}, {&second, names[1]}};
  os::LibraryHandle library = nullptr;
  EXPECT_EQ(BindLibraryEntryPoints(&library, kSystemLibrary.name, bindings), 1);
  EXPECT_NE(library, nullptr);
  EXPECT_NE(first, nullptr);
  EXPECT_NE(second, nullptr);
}

TEST(BindLibraryEntryPointsTest, StopsAtTheFirstMissingName) {
  const char* present = kSystemLibrary.entries[0];
  int marker = 0;
  void* first = nullptr;
  void* missing = &marker;
  void* after = &marker;
  const EntryPointBinding bindings[] = {
      {&first, present}, {&missing, "QuendralNoSuchEntry"}, {&after, present}};
  os::LibraryHandle library = nullptr;
  EXPECT_EQ(BindLibraryEntryPoints(&library, kSystemLibrary.name, bindings), 0);
  EXPECT_NE(first, nullptr);
  EXPECT_EQ(missing, nullptr);
  EXPECT_EQ(after, &marker);
}

TEST(BindLibraryEntryPointsTest, MissingLibrary) {
  void* slot = nullptr;
  const EntryPointBinding bindings[] = {{&slot, "x"}};
  os::LibraryHandle library = &slot;
  EXPECT_EQ(BindLibraryEntryPoints(&library, "quendral-no-such-library.so", bindings), 0);
  EXPECT_EQ(library, nullptr);
}

}  // namespace
}  // namespace quendral::util
