// Hostile exports and arguments given to the dxl commands: each is refused
// with exit code 2, its place and reason, and leaves every file as it was;
// the tool itself, run as its users run it, neither crashes nor grows.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <random>
#include <set>
#include <sstream>

#include "dxl/export_fixtures.h"
#include "dxl/hostile_exports.h"
#include "platform/os/module.h"
#include "platform/os/process.h"
#include "tools/quendral/commands.h"

namespace quendral::cli {
namespace {

namespace fs = std::filesystem;
namespace hostile = dxl::hostile;
using nlohmann::json;

struct HostileFile {
  const char* name;
  hostile::Writer write;
  const char* message;  // a part of the refusal
};

const HostileFile kHostileFiles[] = {
    {"chain.xml", [](std::ostream& out) { hostile::WriteEntityChain(out, 24000); },
     "line 3, column 13: the export declares entities; exports never do"},
    {"laughs.xml", hostile::WriteBillionLaughs, "line 3, column 15: the export declares entities"},
    {"quadratic.xml", hostile::WriteQuadraticBlowup, "the export declares entities"},
    {"link-entity.xml", [](std::ostream& out) { out << hostile::kEntityInLink; },
     "line 2, column 34: the export declares entities"},
    {"link-default.xml", [](std::ostream& out) { out << hostile::kDefaultInLink; },
     "declares default attribute values"},
    {"formula-entity.xml", [](std::ostream& out) { out << hostile::kEntityInFormula; },
     "declares entities"},
    {"long.xml", [](std::ostream& out) { hostile::WriteLongAttribute(out, 50); },
     "longer than 8 MB"},
    {"deep.xml", [](std::ostream& out) { hostile::WriteDeepNesting(out, 100000); },
     "nested more than 10000 deep"},
    {"undeclared.xml", [](std::ostream& out) { out << hostile::kUndeclaredInLink; },
     "line 3, column 87: the export refers to the entity &r;"},
};

class HostileCliTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() /
           ("quendral-cli-hostile-" + std::to_string(std::random_device()()));
    fs::create_directories(dir_ / "data");
  }
  void TearDown() override {
    std::error_code ignored;
    fs::remove_all(dir_, ignored);
  }

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
  std::string Write(const std::string& name, const hostile::Writer& write) {
    const std::string file = (dir_ / name).string();
    std::ofstream out(file, std::ios::binary);
    write(out);
    return file;
  }
  std::set<std::string> Listing() const {
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(dir_)) {
      names.insert(entry.path().filename().string());
    }
    return names;
  }

  fs::path dir_;
};

TEST_F(HostileCliTest, HostileExportsAreRefusedAndNothingIsWritten) {
  for (const HostileFile& hostile_file : kHostileFiles) {
    SCOPED_TRACE(hostile_file.name);
    const std::string file = Write(hostile_file.name, hostile_file.write);
    const std::set<std::string> before = Listing();
    const auto size = fs::file_size(file);
    const std::string out = (dir_ / "out.xml").string();
    for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
             {"dxl", "fix-hidewhen", "--in-place", "--json", file},
             {"dxl", "relink", "-o", out, file, dxl::fixtures::kOldReplica,
              dxl::fixtures::kTargetReplica},
             {"dxl", "audit", "--json", "--user", "Jane Doe", file}}) {
      SCOPED_TRACE(args[1]);
      const Result run = Quendral(args);
      EXPECT_EQ(run.code, 2);
      EXPECT_NE(run.err.find(hostile_file.message), std::string::npos) << run.err;
      EXPECT_EQ(Listing(), before);
      EXPECT_EQ(fs::file_size(file), size);
    }
    fs::remove(file);
  }
}

TEST_F(HostileCliTest, ValueInAParagraphIsPassedOver) {
  const std::string file =
      Write("value.xml", [](std::ostream& out) { out << hostile::kValueInParagraph; });
  const Result run = Quendral({"dxl", "audit", "--json", "--user", "Jane Doe", file});
  ASSERT_EQ(run.code, 0) << run.err;
  EXPECT_EQ(json::parse(run.out)["totals"]["documents"], 1);
}

TEST_F(HostileCliTest, ServerNamesXmlCannotCarryAreRefusedBeforeAnythingIsWritten) {
  const std::string file =
      Write("sales.xml", [](std::ostream& out) { out << dxl::fixtures::kSalesExport; });
  const std::set<std::string> before = Listing();
  const struct {
    std::string server;
    const char* message;
  } cases[] = {
      {"CN=a\x01"
       "b",
       "holds U+0001, which XML cannot carry"},
      {"CN=a\xEF\xBF\xBE", "holds U+FFFE"},
      {"CN=a\xFF", "not UTF-8"},
  };
  for (const auto& c : cases) {
    const Result run = Quendral({"dxl", "relink", "--in-place", "--target-server", c.server, file,
                                 dxl::fixtures::kOldReplica, dxl::fixtures::kTargetReplica});
    EXPECT_EQ(run.code, 2);
    EXPECT_NE(run.err.find(c.message), std::string::npos) << run.err;
    EXPECT_EQ(Listing(), before);
  }
}

// The report of a run over a file whose name is not UTF-8 is JSON all the
// same, and the run is not taken for a failure after its work is done.
TEST_F(HostileCliTest, NamesThatAreNotUtf8AreReportedInJson) {
  const std::string file = (dir_ / "caf").string() + "\xE9.xml";
  std::ofstream(file, std::ios::binary) << dxl::fixtures::kSalesExport;
  if (!std::ifstream(file)) {
    GTEST_SKIP() << "this system's file names cannot hold the byte E9";
  }
  const Result audit = Quendral({"dxl", "audit", "--json", file});
  ASSERT_EQ(audit.code, 0) << audit.err;
  EXPECT_EQ(json::parse(audit.out)["totals"]["documents"], 1);
  const Result fix = Quendral({"dxl", "fix-hidewhen", "--json", "--in-place", file});
  ASSERT_EQ(fix.code, 0) << fix.err;
  const std::string name = json::parse(fix.out)["file"];
  EXPECT_NE(name.find("caf\xEF\xBF\xBD.xml"), std::string::npos) << name;
}

// The tool as a process of its own: no crash, no stack overflow, and a peak
// memory that does not follow the bombs.
TEST_F(HostileCliTest, TheToolStaysAliveAndSmall) {
  std::string program;
  ASSERT_TRUE(os::ModuleFilePath(nullptr, &program));
  const std::string tool = (fs::path(program).parent_path() / "quendral").string();
  const auto run = [&](const std::string& arguments, std::uint64_t* peak) {
    os::Process process;
    unsigned long code = 0;
    const std::string line =
        "\"" + tool + "\" --data \"" + (dir_ / "data").string() + "\" " + arguments;
    EXPECT_EQ(os::StartProcess(line, {}, &process), 0UL);
    EXPECT_TRUE(os::WaitForExit(process, &code, peak));
    return code;
  };
  const std::string small =
      Write("small.xml", [](std::ostream& out) { out << dxl::fixtures::kSalesExport; });
  std::uint64_t baseline = 0;
  ASSERT_EQ(run("dxl audit \"" + small + "\"", &baseline), 0UL);
  for (const HostileFile& hostile_file : kHostileFiles) {
    SCOPED_TRACE(hostile_file.name);
    const std::string file = Write(hostile_file.name, hostile_file.write);
    const std::set<std::string> before = Listing();
    std::uint64_t peak = 0;
    EXPECT_EQ(run("dxl fix-hidewhen --in-place \"" + file + "\"", &peak), 2UL);
    EXPECT_EQ(Listing(), before);
    if (baseline > 0 && peak > 0) {
      EXPECT_LT(peak, baseline + (48u << 20)) << "baseline " << baseline;
    }
    fs::remove(file);
  }
}

}  // namespace
}  // namespace quendral::cli
