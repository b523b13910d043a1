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
  EXPECT_EQ(
      report["totals"],
      (json{
          {"databases", 1}, {"documents", 1}, {"hidden", 2}, {"broken_links", 2}, {"skipped", 0}}));
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
  // Again: nothing more to change; then, with the original back, refused
  // for the FILE.orig it would need.
  EXPECT_EQ(Quendral({"dxl", "fix-hidewhen", "--in-place", export_}).code, 0);
  Write(export_, dxl::fixtures::kSalesExport);
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

// `text` with the first `from` made `to`.
std::string Replaced(std::string text, std::string_view from, std::string_view to) {
  return text.replace(text.find(from), from.size(), to);
}

// A document exported with no namespace on its root, as one real export is.
constexpr char kBareDocument[] = R"(<?xml version='1.0'?>
<document form='Memo'><noteinfo unid='00000000000000000000000000000BAE'/>
<item name='Body'><richtext><pardef id='1'><code event='hidewhen'><formula>@True</formula></code></pardef>
<par def='1'>hidden</par></richtext></item></document>
)";

TEST_F(DxlCommandTest, NoteOrDatabaseRootWithoutNamespaceIsReadWithAWarning) {
  const struct {
    const char* root;  // kBareDocument's root element renamed
    int code;
    const char* err;
  } cases[] = {
      {"document", 0, "no namespace; read as DXL"},
      {"html", 2, "is not in the DXL namespace"},
  };
  for (const auto& c : cases) {
    std::string text = kBareDocument;
    text.replace(text.find("document"), 8, c.root);
    text.replace(text.rfind("document"), 8, c.root);
    const std::string file = (dir_ / (std::string(c.root) + ".xml")).string();
    Write(file, text);
    const Result audit = Quendral({"dxl", "audit", "--json", file});
    EXPECT_EQ(audit.code, c.code) << c.root;
    EXPECT_NE(audit.err.find(c.err), std::string::npos) << audit.err;
    const Result fix = Quendral({"dxl", "fix-hidewhen", file, "-o", file + ".out"});
    EXPECT_EQ(fix.code, c.code) << fix.err;
    if (c.code == 0) {
      EXPECT_EQ(json::parse(audit.out)["totals"]["hidden"], 1);
      EXPECT_EQ(Read(file + ".out"), Replaced(text, "@True", "0"));
    }
  }
}

// A folder of exports among other files: what each command takes, in which
// order, and what it leaves beside the files it repairs.
class DxlFolderTest : public DxlCommandTest {
 protected:
  void SetUp() override {
    DxlCommandTest::SetUp();
    folder_ = dir_ / "design";
    for (const auto& [name, text] : Files()) {
      fs::create_directories((folder_ / name).parent_path());
      Write((folder_ / name).string(), text);
    }
  }
  static std::vector<std::pair<std::string, std::string>> Files() {
    return {
        {"z.form", dxl::fixtures::kSalesExport},
        {"b/doc.dxl", kBareDocument},
        {"a.xml", dxl::fixtures::kSalesExport},
        {"b/readme.txt", "not an export\n<document>"},
        {"b/page.html", "<html><body/></html>"},
        {".git/objects.xml", dxl::fixtures::kSalesExport},
        {"c.xml.orig", dxl::fixtures::kSalesExport},
    };
  }
  std::string Path(const std::string& name) const {
    return (folder_ / name).make_preferred().string();
  }

  fs::path folder_;
};

TEST_F(DxlFolderTest, AuditWalksInNameOrderAndCountsWhatItSkips) {
  // A file named beside its folder is still audited once.
  const Result run = Quendral({"dxl", "audit", "--json", folder_.string(), Path("a.xml")});
  ASSERT_EQ(run.code, 0) << run.err;
  const json report = json::parse(run.out);
  std::vector<std::string> files;
  for (const json& database : report["databases"]) {
    files.push_back(database["file"]);
  }
  EXPECT_EQ(files, (std::vector<std::string>{Path("a.xml"), Path("b/doc.dxl"), Path("z.form")}));
  EXPECT_EQ(report["totals"]["skipped"], 3);  // readme.txt, page.html, c.xml.orig
  EXPECT_EQ(report["totals"]["hidden"], 5);
}

TEST_F(DxlFolderTest, RepairsNeedInPlaceOrDryRunAndKeepOriginalsUnlessTold) {
  const Result refused = Quendral({"dxl", "fix-hidewhen", folder_.string(), "-o", "x.xml"});
  EXPECT_EQ(refused.code, 2);
  EXPECT_NE(refused.err.find("--in-place or --dry-run"), std::string::npos) << refused.err;
  const struct {
    std::vector<std::string> flags;
    bool written, originals;
  } cases[] = {
      {{"--dry-run"}, false, false},
      {{"--in-place", "--no-orig"}, true, false},
      {{"--in-place"}, true, true},  // last: it leaves the originals behind
  };
  for (const auto& c : cases) {
    std::vector<std::string> args = {"dxl", "fix-hidewhen", "--json", folder_.string()};
    args.insert(args.end(), c.flags.begin(), c.flags.end());
    const Result run = Quendral(args);
    ASSERT_EQ(run.code, 0) << run.err;
    const json summary = json::parse(run.out);
    EXPECT_EQ(summary["files"], 3);
    EXPECT_EQ(summary["changed_files"], 3);
    EXPECT_EQ(summary["skipped"], 3);
    EXPECT_EQ(summary["changes"], 5);
    for (const auto& [name, text] : Files()) {
      const bool export_file = name == "a.xml" || name == "z.form" || name == "b/doc.dxl";
      EXPECT_EQ(Read(Path(name)) != text, export_file && c.written) << name;
      EXPECT_EQ(fs::exists(Path(name) + ".orig"), export_file && c.originals) << name;
      if (export_file && c.written) {
        Write(Path(name), text);  // as before, for the next case
      }
    }
  }
  EXPECT_EQ(Read(Path("z.form.orig")), dxl::fixtures::kSalesExport);
}

TEST_F(DxlFolderTest, TextReportKeepsAnExportsTextsOnTheirLines) {
  Write(Path("b/doc.dxl"), Replaced(kBareDocument, "@True",
                                    "@True;\ntotals: 0 files, 0 documents, 0 hidden paragraphs"));
  const Result run = Quendral({"dxl", "audit", Path("b")});
  ASSERT_EQ(run.code, 0) << run.err;
  std::istringstream lines(run.out);
  std::vector<std::string> totals;
  for (std::string line; std::getline(lines, line);) {
    if (line.starts_with("totals:")) {
      totals.push_back(line);
    }
  }
  EXPECT_EQ(totals, std::vector<std::string>{
                        "totals: 1 files, 1 documents, 1 hidden paragraphs, 0 broken links"});
  EXPECT_NE(run.out.find("@True;\u23CEtotals: 0 files"), std::string::npos) << run.out;
  EXPECT_NE(run.out.find("skipped: 2 files that are not exports"), std::string::npos);
}

}  // namespace
}  // namespace quendral::cli
