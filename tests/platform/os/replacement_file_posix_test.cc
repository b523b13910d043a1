// What a replaced file keeps, and what becomes of a temporary file when its
// writer is stopped from outside.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <string>

#include "platform/os/replacement_file.h"

namespace quendral::os {
namespace {

namespace fs = std::filesystem;

class ReplacementFilePosixTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() /
           ("quendral-replacement-" + std::to_string(std::random_device()()));
    fs::create_directories(dir_);
    target_ = (dir_ / "out.xml").string();
  }
  void TearDown() override { fs::remove_all(dir_); }

  void Replace() {
    ReplacementFile file;
    std::string error;
    ASSERT_TRUE(file.Open(target_, &error) && file.Write("new", 3, &error) && file.Commit(&error))
        << error;
  }
  std::size_t Files() const {
    return static_cast<std::size_t>(std::distance(fs::directory_iterator(dir_), {}));
  }
  struct stat Stat() const {
    struct stat result {};
    EXPECT_EQ(::stat(target_.c_str(), &result), 0);
    return result;
  }

  fs::path dir_;
  std::string target_;
};

TEST_F(ReplacementFilePosixTest, ReplacedFileKeepsItsModeAndNewFileTakesTheUmask) {
  for (mode_t mode : {0600, 0640, 0755}) {
    SCOPED_TRACE(mode);
    std::ofstream(target_) << "old";
    ASSERT_EQ(::chmod(target_.c_str(), mode), 0);
    Replace();
    EXPECT_EQ(Stat().st_mode & 07777, mode);
  }
  fs::remove(target_);
  const mode_t previous = ::umask(027);
  Replace();
  ::umask(previous);
  EXPECT_EQ(Stat().st_mode & 07777, 0640u);
}

TEST_F(ReplacementFilePosixTest, ReplacedFileKeepsItsOwnerWhereTheProcessMay) {
  if (::geteuid() != 0) {
    GTEST_SKIP() << "only a privileged process may give a file to another user";
  }
  std::ofstream(target_) << "old";
  ASSERT_EQ(::chown(target_.c_str(), 4321, 4322), 0);
  Replace();
  EXPECT_EQ(Stat().st_uid, 4321u);
  EXPECT_EQ(Stat().st_gid, 4322u);
}

// Links planted under the names the writer could pick are never written
// through: it passes them over.
TEST_F(ReplacementFilePosixTest, PlantedLinksAreNotWrittenThrough) {
  const fs::path victim = dir_ / "victim";
  std::ofstream(victim) << "victim";
  for (int n = 1; n <= 200; ++n) {
    fs::create_symlink(victim, dir_ / (".out.xml.rewriting-" + std::to_string(::getpid()) + "-" +
                                       std::to_string(n)));
  }
  Replace();
  std::ifstream in(victim);
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), "victim");
}

// A child process writes and is stopped mid-write: by a signal, or by the
// file-size limit (it then reports the failed write). Its temporary file
// goes in every case; one left by a kill goes with the next replacement.
TEST_F(ReplacementFilePosixTest, TemporaryFilesDoNotOutliveTheirWriter) {
  const struct {
    const char* name;
    int signal;  // 0: the file-size limit
  } cases[] = {{"SIGTERM", SIGTERM},
               {"SIGINT", SIGINT},
               {"SIGHUP", SIGHUP},
               {"SIGKILL", SIGKILL},
               {"file-size limit", 0}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    int ready[2];
    ASSERT_EQ(::pipe(ready), 0);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      ::close(ready[0]);
      if (c.signal == 0) {
        const rlimit limit{1000, 1000};
        ::setrlimit(RLIMIT_FSIZE, &limit);
      }
      ReplacementFile file;
      std::string error;
      const std::string block(4096, 'x');
      bool written = file.Open(target_, &error) && file.Write(block.data(), block.size(), &error);
      ::write(ready[1], "r", 1);
      if (!written) {
        file.Abandon();
        ::_exit(3);
      }
      ::pause();
      ::_exit(0);
    }
    ::close(ready[1]);
    char byte;
    ASSERT_EQ(::read(ready[0], &byte, 1), 1);
    ::close(ready[0]);
    if (c.signal != 0) {
      ::kill(child, c.signal);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    if (c.signal != 0) {
      ASSERT_TRUE(WIFSIGNALED(status));
      EXPECT_EQ(WTERMSIG(status), c.signal);
    } else {
      ASSERT_TRUE(WIFEXITED(status));
      EXPECT_EQ(WEXITSTATUS(status), 3);
    }
    if (c.signal == SIGKILL) {
      EXPECT_EQ(Files(), 1u);
      Replace();
      fs::remove(target_);
    }
    EXPECT_EQ(Files(), 0u);
  }
}

}  // namespace
}  // namespace quendral::os
