// The dxl commands: their exit codes, summaries and reports, and what they
// leave on disk.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <random>
#include <sstream>

#include "dxl/export_fixtures.h"
#include "tools/quendral/commands.h"

namespace quendral::cli {
namespace {

namespace fs = std::filesystem;
using nlohmann::json;

class DxlCommandTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ =
        fs::temp_directory_path() / ("quendral-cli-dxl-" + std::to_string(std::random_device()()));
    fs::create_directories(dir_ / "data");
    export_ = (dir_ / "sales.xml").string();
    Write(export_, dxl::fixtures::kSalesExport);
    // The old replica still exists in the data directory, as "archive.nsf".
    Write((dir_ / "archive.json").string(),
          json{{"title", "Archive"}, {"replica_id", "85256E3A:0058F1B2"}, {"notes", json::array()}}
              .dump());
    ASSERT_EQ(Quendral({"db", "import", "archive.nsf", (dir_ / "archive.json").string()}).code, 0);
  }
  void TearDown() override { fs::remove_all(dir_); }

  struct Result {
    int code;
    std::string out, err;
  };
  Result Quendral(std::vector<std::string> args) {
    args.insert(args.begin(), {"quendral", "--data", (dir_ / "data").string()});
    std::vector<const char*> argv;
    for (const auto& arg : args) {
      argv.push_back(arg.c_str());
    }
    std::ostringstream out, err;
    const int code = RunCommandLine(static_cast<int>(argv.size()), argv.data(), out, err);
    return {code, out.str(), err.str()};
  }
  static void Write(const std::string& file, const std::string& text) {
    std::ofstream(file, std::ios::binary) << text;
  }
  static std::string Read(const std::string& file) {
    std::ifstream in(file, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
  }

  fs::path dir_;
  std::string export_;
};

TEST_F(DxlCommandTest, AuditReportsByFile) {
  const Result run = Quendral({"dxl", "audit", "--json", "--user", "John Roe", export_});
  ASSERT_EQ(run.code, 0) << run.err;
  const json report = json::parse(run.out);
  EXPECT_EQ(report["databases"][0]["file"], export_);
  EXPECT_EQ(report["totals"],
            (json{{"databases", 1}, {"documents", 1}, {"hidden", 2}, {"broken_links", 2}}));
  EXPECT_EQ(report["databases"][0]["findings"][0]["hidden"][2]["hides"], false);
}

TEST_F(DxlCommandTest, KnownReplicasFileCountsAsExisting) {
  Write((dir_ / "known.txt").string(), "# elsewhere\n\nC12575C9:0051572F\n");
  const Result run = Quendral(
      {"dxl", "audit", "--json", "--known-replicas", (dir_ / "known.txt").string(), export_});
  ASSERT_EQ(run.code, 0) << run.err;
  EXPECT_EQ(json::parse(run.out)["totals"]["broken_links"], 0);
}

TEST_F(DxlCommandTest, FixInPlaceKeepsTheOriginal) {
  const Result run = Quendral({"dxl", "fix-hidewhen", "--json", "--in-place", export_});
  ASSERT_EQ(run.code, 0) << run.err;
  const json summary = json::parse(run.out);
  EXPECT_EQ(summary["file"], export_);
  EXPECT_EQ(summary["changed"], 1);
  EXPECT_EQ(summary["changes"], 2);
  EXPECT_EQ(Read(export_ + ".orig"), dxl::fixtures::kSalesExport);
  EXPECT_NE(Read(export_), dxl::fixtures::kSalesExport);
  EXPECT_EQ(Quendral({"dxl", "fix-hidewhen", "--in-place", export_}).code, 2);
}

TEST_F(DxlCommandTest, RelinkDryRunToADatabaseTargetWritesNothing) {
  const std::string out = (dir_ / "out.xml").string();
  const Result run = Quendral({"dxl", "relink", "--dry-run", "--json", export_,
                               "C12575C9:0051572F;85256E3A0058F1B2", "archive.nsf", "-o", out});
  ASSERT_EQ(run.code, 0) << run.err;
  const json summary = json::parse(run.out);
  EXPECT_EQ(summary["dry_run"], true);
  EXPECT_EQ(summary["changes"], 2);
  EXPECT_FALSE(fs::exists(out));
  EXPECT_EQ(Read(export_), dxl::fixtures::kSalesExport);
}

TEST_F(DxlCommandTest, RefusalsAndUsageErrors) {
  Write((dir_ / "bad.xml").string(), "<database xmlns='http://www.lotus.com/dxl'>\n<document>");
  const std::string bad = (dir_ / "bad.xml").string(), out = (dir_ / "out.xml").string();
  const struct {
    std::vector<std::string> args;
    const char* message;
  } cases[] = {
      {{"dxl", "fix-hidewhen", bad, "-o", out}, "line 2, column 11"},
      {{"dxl", "audit", export_, bad}, "not well-formed"},
      {{"dxl", "fix-hidewhen", export_}, "-o OUT or --in-place"},
      {{"dxl", "relink", export_, "85256E3A", "archive.nsf", "-o", out}, "not 16 hexadecimal"},
  };
  for (const auto& c : cases) {
    const Result run = Quendral(c.args);
    EXPECT_EQ(run.code, 2) << c.message;
    EXPECT_NE(run.err.find(c.message), std::string::npos) << run.err;
    EXPECT_FALSE(fs::exists(out));
  }
}

TEST_F(DxlCommandTest, ReportFilesThatCannotBeWrittenFailBeforeTheAudit) {
  const std::string nowhere = (dir_ / "no" / "such" / "report").string();
  for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
           {"dxl", "audit", "--html", nowhere, export_},
           {"audit", "--csv", nowhere, "missing.nsf"},
       }) {
    const Result run = Quendral(args);
    EXPECT_EQ(run.code, 2) << args[0];
    EXPECT_NE(run.err.find("cannot write " + nowhere), std::string::npos) << run.err;
    EXPECT_EQ(run.out, "");
  }
}

}  // namespace
}  // namespace quendral::cli
