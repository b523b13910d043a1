// Splitting text into tokens, and taking the text from a file.
#include "util/text/tokenizer.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "platform/os/environment.h"
#include "tests/util/text/privileges.h"

namespace quendral::util {
namespace {

std::vector<std::string> Tokens(const TextTokenizer& tokenizer) {
  std::vector<std::string> tokens;
  for (int position = 1; position <= tokenizer.GetCount(); ++position) {
    tokens.push_back(tokenizer.ItemAt(position));
  }
  return tokens;
}

using Strings = std::vector<std::string>;

TEST(TextTokenizerSplit, EverySeparatorEndsAToken) {
  EXPECT_EQ(Tokens(TextTokenizer("a,b,,c", ",", 0)), (Strings{"a", "b", "", "c"}));
  EXPECT_EQ(Tokens(TextTokenizer(",a,", ",", 0)), (Strings{"", "a", ""}));
  EXPECT_EQ(Tokens(TextTokenizer(",", ",", 0)), (Strings{"", ""}));
}

TEST(TextTokenizerSplit, EmptyTextGivesOneEmptyToken) {
  const TextTokenizer tokenizer("", ",", 0);
  EXPECT_EQ(tokenizer.GetCount(), 1);
  EXPECT_EQ(tokenizer.ItemAt(1), "");
}

TEST(TextTokenizerSplit, SeparatorsMayBeMixed) {
  EXPECT_EQ(Tokens(TextTokenizer("12/25/2009", "/.-", 0)), (Strings{"12", "25", "2009"}));
  EXPECT_EQ(Tokens(TextTokenizer("12.25-2009", "/.-", 0)), (Strings{"12", "25", "2009"}));
}

TEST(TextTokenizerSplit, QuoteStrippingDropsQuotesButStillSplits) {
  EXPECT_EQ(Tokens(TextTokenizer("\"x,y\",z", ",", 1)), (Strings{"x", "y", "z"}));
  EXPECT_EQ(Tokens(TextTokenizer("\"x,y\",z", ",", 0)), (Strings{"\"x", "y\"", "z"}));
}

TEST(TextTokenizerSplit, SeparatorSetIsCutToNineCharacters) {
  const TextTokenizer tokenizer("1a2i3j4", "abcdefghij", 0);
  EXPECT_EQ(tokenizer.IsSeparator('i'), 1);
  EXPECT_EQ(tokenizer.IsSeparator('j'), 0);
  EXPECT_EQ(Tokens(tokenizer), (Strings{"1", "2", "3j4"}));
}

TEST(TextTokenizerSplit, EmptyConstructorSplitsOnCommas) {
  TextTokenizer tokenizer(0);
  EXPECT_EQ(tokenizer.GetCount(), 0);
  EXPECT_EQ(tokenizer.IsSeparator(','), 1);
  EXPECT_EQ(tokenizer.Tokenize(), 0);
}

TEST(TextTokenizerSplit, NullArgumentsReadAsEmpty) {
  const TextTokenizer tokenizer(nullptr, nullptr, 0);
  EXPECT_EQ(Tokens(tokenizer), (Strings{""}));
  EXPECT_EQ(Tokens(TextTokenizer("a,b", nullptr, 0)), (Strings{"a,b"}));
}

TEST(TextTokenizerText, HeldTextIsNotReplacedUntilCleared) {
  TextTokenizer tokenizer("a,b", ",", 0);
  EXPECT_EQ(tokenizer.SetText("c;d;e", ";", 0), 0);
  EXPECT_EQ(Tokens(tokenizer), (Strings{"a", "b"}));
  tokenizer.Clear();
  EXPECT_EQ(tokenizer.GetCount(), 0);
  EXPECT_EQ(tokenizer.Tokenize(), 0);
  EXPECT_EQ(tokenizer.SetText("c;d;e", ";", 0), 1);
  EXPECT_EQ(Tokens(tokenizer), (Strings{"c", "d", "e"}));
}

TEST(TextTokenizerText, TokenizeAgainRebuildsTheSameList) {
  TextTokenizer tokenizer("a,b", ",", 0);
  EXPECT_EQ(tokenizer.Tokenize(), 1);
  EXPECT_EQ(tokenizer.Tokenize(), 1);
  EXPECT_EQ(Tokens(tokenizer), (Strings{"a", "b"}));
}

TEST(TextTokenizerItems, PositionsOutsideTheListAreRefused) {
  const TextTokenizer tokenizer("only", ",", 0);
  std::string out = "old";
  EXPECT_EQ(tokenizer.GetItem(0, out), 0);
  EXPECT_EQ(out, "");
  out = "old";
  EXPECT_EQ(tokenizer.GetItem(2, out), 0);
  EXPECT_EQ(out, "");
  EXPECT_EQ(tokenizer.GetItem(1, out), 1);
  EXPECT_EQ(out, "only");
  EXPECT_EQ(tokenizer.ItemAt(-1), "");
  EXPECT_EQ(tokenizer.ItemAt(2), "");
}

TEST(TextTokenizerItems, CopyItemWritesTokenAndTerminator) {
  const TextTokenizer tokenizer("abc,de", ",", 0);
  char buffer[8];
  std::memset(buffer, 'x', sizeof buffer);
  EXPECT_EQ(tokenizer.CopyItem(1, buffer, 4), 1);
  EXPECT_EQ(std::string(buffer, 5), std::string("abc\0x", 5));
}

TEST(TextTokenizerItems, CopyItemNeverWritesPastTheBuffer) {
  const TextTokenizer tokenizer("abc,de", ",", 0);
  char buffer[8];
  std::memset(buffer, 'x', sizeof buffer);
  EXPECT_EQ(tokenizer.CopyItem(1, buffer, 3), 0);
  EXPECT_EQ(tokenizer.CopyItem(2, buffer, 0), 0);
  EXPECT_EQ(tokenizer.CopyItem(3, buffer, sizeof buffer), 0);
  EXPECT_EQ(tokenizer.CopyItem(0, buffer, sizeof buffer), 0);
  EXPECT_EQ(tokenizer.CopyItem(1, nullptr, sizeof buffer), 0);
  EXPECT_EQ(std::string(buffer, sizeof buffer), std::string(sizeof buffer, 'x'));
}

class TextTokenizerFile : public testing::Test {
 protected:
  void TearDown() override {
    for (const std::string& path : created_) {
      std::error_code ignored;
      std::filesystem::permissions(path, std::filesystem::perms::owner_all, ignored);
      std::filesystem::remove(path, ignored);
    }
  }

  std::string Write(const std::string& content) {
    const testing::TestInfo* test = testing::UnitTest::GetInstance()->current_test_info();
    std::string path = testing::TempDir() + "tokenizer_" + test->name() + "_" +
                       std::to_string(created_.size()) + ".txt";
    std::ofstream(path, std::ios::binary) << content;
    created_.push_back(path);
    return path;
  }

  static std::string Read(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), {});
  }

 private:
  std::vector<std::string> created_;
};

TEST_F(TextTokenizerFile, LoadsAndSplitsTheHeadOfAFile) {
  const std::string path = Write("one;two;three");
  TextTokenizer tokenizer(0);
  EXPECT_EQ(tokenizer.LoadFileAndTokenize(path.c_str(), ";"), 1);
  EXPECT_EQ(Tokens(tokenizer), (Strings{"one", "two", "three"}));
  EXPECT_EQ(Read(path), "one;two;three");
}

TEST_F(TextTokenizerFile, TextEndsAtTheFirstZeroByte) {
  const std::string path = Write(std::string("abc\0def", 7));
  TextTokenizer tokenizer(0);
  EXPECT_EQ(tokenizer.LoadFileAndTokenize(path.c_str(), ","), 1);
  EXPECT_EQ(Tokens(tokenizer), (Strings{"abc"}));
}

TEST_F(TextTokenizerFile, OnlyTheFirst2048BytesAreRead) {
  const std::string path = Write(std::string(2048, 'a') + ",b");
  TextTokenizer tokenizer(0);
  EXPECT_EQ(tokenizer.LoadFileAndTokenize(path.c_str(), ","), 1);
  EXPECT_EQ(Tokens(tokenizer), (Strings{std::string(2048, 'a')}));
}

TEST_F(TextTokenizerFile, EmptyFileReportsZeroButHoldsAnEmptyText) {
  const std::string path = Write("");
  TextTokenizer tokenizer(0);
  EXPECT_EQ(tokenizer.LoadFile(path.c_str()), 0);
  EXPECT_EQ(tokenizer.SetText("a", ",", 0), 0);
  EXPECT_EQ(tokenizer.Tokenize(), 1);
  EXPECT_EQ(Tokens(tokenizer), (Strings{""}));
}

TEST_F(TextTokenizerFile, HeldTextRefusesALoad) {
  const std::string path = Write("x,y");
  TextTokenizer tokenizer("a", ",", 0);
  EXPECT_EQ(tokenizer.LoadFile(path.c_str()), 0);
  EXPECT_EQ(Tokens(tokenizer), (Strings{"a"}));
}

TEST_F(TextTokenizerFile, MissingFileKeepsTheNewSeparators) {
  TextTokenizer tokenizer(0);
  const std::string missing = testing::TempDir() + "tokenizer_no_such_file.txt";
  EXPECT_EQ(tokenizer.LoadFileAndTokenize(missing.c_str(), ";"), 0);
  EXPECT_EQ(tokenizer.IsSeparator(';'), 1);
  EXPECT_EQ(tokenizer.IsSeparator(','), 0);
  EXPECT_EQ(tokenizer.LoadFile(nullptr), 0);
  // Nothing was taken, so a text is still accepted.
  EXPECT_EQ(tokenizer.SetText("a", ",", 0), 1);
}

// A file the caller may only read is refused like a missing one. An
// administrator may write anything, so the check runs without privileges.
int LoadWithoutPrivileges(const std::string& path) {
  if (!GiveUpAdministratorRights()) {
    return 2;
  }
  if (!std::ifstream(path).good()) {
    return 3;
  }
  TextTokenizer tokenizer(0);
  const int loaded = tokenizer.LoadFile(path.c_str());
  const int accepted = tokenizer.SetText("a", ",", 0);
  return loaded == 0 && accepted == 1 ? 0 : 1;
}

TEST_F(TextTokenizerFile, ReadOnlyFileCannotBeLoaded) {
  const std::string path = Write("a,b");
  using std::filesystem::perms;
  std::filesystem::permissions(path, perms::owner_read | perms::group_read | perms::others_read);
  if (!os::kRunsOnWindows) {
    // Rights given up are not taken back: that is for a process of its own.
    EXPECT_EXIT(std::exit(LoadWithoutPrivileges(path)), testing::ExitedWithCode(0), "");
    return;
  }
  // Windows refuses to write a read-only file even to administrators. Wine
  // keeps the attribute as file permissions, which its root user overrides.
  if (std::FILE* writable = std::fopen(path.c_str(), "r+b")) {
    std::fclose(writable);
    GTEST_SKIP() << "read-only files can be written here (Wine run as root)";
  }
  EXPECT_EQ(LoadWithoutPrivileges(path), 0);
}

}  // namespace
}  // namespace quendral::util
