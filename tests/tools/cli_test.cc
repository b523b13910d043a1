// The quendral commands, run in process against a data directory of their own.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <random>
#include <sstream>

#include "quendral/quendral.h"
#include "tools/quendral/commands.h"

namespace quendral::cli {
namespace {

namespace fs = std::filesystem;
using nlohmann::json;

constexpr char kUnid[] = "0123456789ABCDEF0123456789ABCDEF";

struct CommandResult {
  int code;
  std::string out;
  std::string err;
};

class CommandLineTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::random_device random;
    data_ = fs::temp_directory_path() / ("quendral-cli-" + std::to_string(random()));
    fs::create_directories(data_);
  }
  void TearDown() override {
    std::error_code ignored;
    fs::remove_all(data_, ignored);
  }

  CommandResult Quendral(std::vector<std::string> args) {
    args.insert(args.begin(), {"quendral", "--data", data_.string()});
    std::vector<const char*> argv;
    for (const auto& arg : args) {
      argv.push_back(arg.c_str());
    }
    std::ostringstream out, err;
    const int code = RunCommandLine(static_cast<int>(argv.size()), argv.data(), out, err);
    return {code, out.str(), err.str()};
  }

  CommandResult Import(const std::string& path, const json& image, bool force = false) {
    const fs::path file = data_ / "import.json";
    std::ofstream(file) << image.dump();
    std::vector<std::string> args = {"db", "import", path, file.string()};
    if (force) {
      args.push_back("--force");
    }
    return Quendral(args);
  }

  json Export(const std::string& path, bool raw = false) {
    std::vector<std::string> args = {"db", "export", path};
    if (raw) {
      args.push_back("--raw");
    }
    const CommandResult run = Quendral(args);
    EXPECT_EQ(run.code, 0) << run.err;
    return json::parse(run.out);
  }

  fs::path data_;
};

json Document(json items) {
  return {{"title", "Sales"},
          {"replica_id", "85256E3A:0058F1B2"},
          {"notes", json::array({{{"unid", kUnid}, {"items", std::move(items)}}})}};
}

const json kEveryType = json::array({
    {{"name", "Subject"}, {"type", "text"}, {"values", {"a", "b"}}, {"flags", 8}},
    {{"name", "Count"}, {"type", "number"}, {"values", {1, 2.5}}},
    {{"name", "Due"},
     {"type", "datetime"},
     {"values", {"2009-02-25T14:23:07", "2024-06-01T10:00:00+02:00 DST"}}},
    {{"name", "$Links"},
     {"type", "links"},
     {"links", json::array({{{"replica_id", "85256E3A:0058F1B2"},
                             {"view_unid", "00000000000000000000000000000001"},
                             {"note_unid", "AAAAAAAAAAAAAAAAAAAAAAAAAAAAAAA1"}}})}},
    {{"name", "Blob"}, {"type", "raw"}, {"type_word", 768}, {"hex", "0000F03F"}},
    {{"name", "Body"},
     {"type", "richtext"},
     {"paragraphs", json::array({{{"text", "Visible"}},
                                 {{"text", "Secret"}, {"hide_when", "Status = \"Closed\""}}})}},
});

TEST_F(CommandLineTest, ImportThenExportKeepsEveryItemTypeInOrder) {
  ASSERT_EQ(Import("apps/sales.nsf", Document(kEveryType)).code, 0);
  const json exported = Export("apps/sales.nsf");
  EXPECT_EQ(exported["title"], "Sales");
  EXPECT_EQ(exported["replica_id"], "85256E3A:0058F1B2");
  const json& note = exported["notes"][0];
  EXPECT_EQ(note["unid"], kUnid);
  EXPECT_EQ(note["class"], "document");
  ASSERT_EQ(note["items"].size(), kEveryType.size());
  for (std::size_t i = 0; i < kEveryType.size(); ++i) {
    for (const auto& [key, value] : kEveryType[i].items()) {
      EXPECT_EQ(note["items"][i][key], value) << kEveryType[i]["name"] << " " << key;
    }
  }
}

TEST_F(CommandLineTest, RawExportImportsAsTheSameBytes) {
  ASSERT_EQ(Import("a.nsf", Document(kEveryType)).code, 0);
  const json raw = Export("a.nsf", true);
  for (const json& item : raw["notes"][0]["items"]) {
    EXPECT_TRUE(item.contains("type_word") && item.contains("hex")) << item;
  }
  ASSERT_EQ(Import("b.nsf", raw).code, 0);
  EXPECT_EQ(Export("b.nsf", true)["notes"][0]["items"], raw["notes"][0]["items"]);
}

// Export prints note by note what printing the whole image at once prints.
TEST_F(CommandLineTest, StreamedExportReadsAsTheWholeImagePrinted) {
  json image = Document(kEveryType);
  image["notes"].push_back({{"class", "profile"}, {"profile_name", "Settings"}});
  image["notes"].push_back({{"items", json::array()}});
  image["access_list"] = {{{"name", "-Default-"}, {"level", "reader"}},
                          {{"name", "CN=Ada/O=Acme"},
                           {"level", "manager"},
                           {"privileges", {"CreateDocuments", "DeleteDocuments"}},
                           {"roles", {"[Admin]"}}}};
  ASSERT_EQ(Import("a.nsf", image).code, 0);
  ASSERT_EQ(Import("empty.nsf", {{"title", "None"}}).code, 0);
  for (const char* path : {"a.nsf", "empty.nsf"}) {
    for (bool raw : {false, true}) {
      std::vector<std::string> args = {"db", "export", path};
      if (raw) {
        args.push_back("--raw");
      }
      const CommandResult run = Quendral(args);
      EXPECT_EQ(run.code, 0) << run.err;
      EXPECT_EQ(run.out, json::parse(run.out).dump(2) + "\n") << path;
    }
  }
  EXPECT_EQ(Export("a.nsf")["notes"].size(), 3u);
  const json access_list = Export("a.nsf")["access_list"];
  EXPECT_EQ(access_list[0]["privileges"], json::array());
  EXPECT_EQ(access_list[1], image["access_list"][1]);
  EXPECT_FALSE(Export("empty.nsf").contains("access_list"));
}

TEST_F(CommandLineTest, BadInputNamesTheNoteAndItemAndWritesNothing) {
  const std::vector<std::pair<json, std::string>> cases = {
      {Document(json::array({{{"name", "X"}, {"type", "colour"}, {"values", {1}}}})),
       "item \"X\": unknown item type"},
      {Document(json::array({{{"name", "N"}, {"type", "number"}, {"values", {"one"}}}})),
       "item \"N\": a value must be a number"},
      {Document(json::array({{{"name", "D"}, {"type", "datetime"}, {"values", {"soon"}}}})),
       "item \"D\""},
      {Document(json::array({{{"name", "B"},
                              {"type", "richtext"},
                              {"paragraphs", {{{"text", "t"}, {"hide_when", "(1"}}}}}})),
       "item \"B\": hide_when:"},
      {{{"notes", {{{"unid", "XYZ"}}}}}, "note 1 (XYZ): unid"},
      {{{"replica_id", "1234"}}, "replica ID \"1234\""},
      {{{"notes", {{{"unid", kUnid}}, {{"unid", kUnid}}}}}, "note 2"},
      {{{"notes",
         {{{"items", {{{"name", "F"}, {"type", "text"}, {"values", {"a"}}, {"flags", "x"}}}}}}}},
       "item \"F\": flags"},
      {{{"access_list", {{{"name", "A"}, {"level", "boss"}}}}}, "unknown level \"boss\""},
      {{{"access_list", {{{"name", "A"}, {"level", "reader"}, {"privileges", {"Fly"}}}}}},
       "unknown privilege \"Fly\""},
      {{{"access_list", {{{"name", "A"}, {"level", "reader"}, {"roles", {"Admin"}}}}}},
       "access list entry 0 is not sound"},
      {{{"access_list",
         {{{"name", "A"}, {"level", "reader"}}, {{"name", "a"}, {"level", "editor"}}}}},
       "names someone twice"},
  };
  for (const auto& [image, message] : cases) {
    const CommandResult run = Import("bad.nsf", image);
    EXPECT_NE(run.code, 0) << image;
    EXPECT_NE(run.err.find(message), std::string::npos) << run.err;
    EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
    EXPECT_FALSE(fs::exists(data_ / "bad.nsf")) << image;
  }
}

TEST_F(CommandLineTest, MalformedJsonIsRefused) {
  const fs::path file = data_ / "broken.json";
  std::ofstream(file) << "{\"title\": ";
  const CommandResult run = Quendral({"db", "import", "x.nsf", file.string()});
  EXPECT_NE(run.code, 0);
  EXPECT_NE(run.err.find("not valid JSON"), std::string::npos) << run.err;
}

TEST_F(CommandLineTest, ImportReplacesAnExistingDatabaseOnlyWithForce) {
  ASSERT_EQ(Import("a.nsf", Document(kEveryType)).code, 0);
  EXPECT_NE(Import("a.nsf", json{{"title", "Other"}}).code, 0);
  EXPECT_EQ(Export("a.nsf")["title"], "Sales");
  EXPECT_EQ(Import("a.nsf", json{{"title", "Other"}}, true).code, 0);
  EXPECT_EQ(Export("a.nsf")["title"], "Other");
}

TEST_F(CommandLineTest, CreateAndListDatabases) {
  EXPECT_EQ(
      Quendral({"db", "create", "x/one.nsf", "--replica-id", "0000000100000002", "--title", "One"})
          .code,
      0);
  ASSERT_EQ(Import("two.nsf", Document(kEveryType)).code, 0);
  const CommandResult list = Quendral({"db", "list"});
  EXPECT_EQ(list.code, 0);
  EXPECT_EQ(list.out,
            "two.nsf\t85256E3A:0058F1B2\tSales\t1\n"
            "x/one.nsf\t00000001:00000002\tOne\t0\n");
  EXPECT_NE(Quendral({"db", "create", "../escape.nsf"}).code, 0);
  EXPECT_NE(Quendral({"db", "list", "--server", "Nowhere/Acme"}).code, 0);
}

TEST_F(CommandLineTest, EvalPrintsOneValuePerLineAndReportsCompileErrors) {
  CommandResult run = Quendral({"eval", "1 : 2.5 : (3 * 4)"});
  EXPECT_EQ(run.code, 0) << run.err;
  EXPECT_EQ(run.out, "1\n2.5\n12\n");
  run = Quendral({"eval", "@UserName", "--user", "CN=Ann Lee/O=Acme"});
  EXPECT_EQ(run.out, "CN=Ann Lee/O=Acme\n");
  run = Quendral({"eval", "1 + (2"});
  EXPECT_NE(run.code, 0);
  EXPECT_NE(run.err.find("position"), std::string::npos) << run.err;
}

TEST_F(CommandLineTest, EvalTakesFormulasBeginningWithAMinusAfterTheSeparator) {
  CommandResult run = Quendral({"eval", "--", "-(1:2) * 3"});
  EXPECT_EQ(run.code, 0) << run.err;
  EXPECT_EQ(run.out, "-3\n-6\n");
  run = Quendral({"eval", "-1"});
  EXPECT_EQ(run.out, "-1\n") << run.err;
}

TEST_F(CommandLineTest, EvalReportsTheEnginesReasonAndPosition) {
  const CommandResult run = Quendral({"eval", "x := 2; x / 0"});
  EXPECT_EQ(run.code, 2);
  EXPECT_EQ(run.err,
            "quendral: cannot evaluate the formula: The formula could not be evaluated: "
            "Division by zero at position 8\n");
}

TEST_F(CommandLineTest, EvalAgainstADocumentSavesFieldChangesOnlyWhenAsked) {
  ASSERT_EQ(Import("a.nsf", Document(kEveryType)).code, 0);
  const std::string formula = "FIELD Subject := \"changed\"; Subject";
  CommandResult run = Quendral({"eval", "--db", "a.nsf", "--unid", kUnid, formula});
  EXPECT_EQ(run.out, "changed\n") << run.err;
  EXPECT_EQ(Export("a.nsf")["notes"][0]["items"][0]["values"], json({"a", "b"}));
  run = Quendral({"eval", "--db", "a.nsf", "--unid", kUnid, "--save", formula});
  EXPECT_EQ(run.code, 0) << run.err;
  EXPECT_EQ(Export("a.nsf")["notes"][0]["items"][0]["values"], json({"changed"}));
}

TEST_F(CommandLineTest, ShowLeavesOutHiddenParagraphsUntilTheRepairRuns) {
  json items = kEveryType;
  items.push_back({{"name", "Status"}, {"type", "text"}, {"values", {"Closed"}}});
  ASSERT_EQ(Import("a.nsf", Document(items)).code, 0);
  EXPECT_EQ(Quendral({"show", "a.nsf", kUnid}).out, "Visible\n");
  EXPECT_EQ(Quendral({"show", "a.nsf", kUnid, "--all"}).out, "Visible\n[hidden] Secret\n");

  CommandResult run = Quendral({"fix-hidewhen", "a.nsf", kUnid});
  EXPECT_EQ(run.code, 0);
  EXPECT_EQ(run.out, "a.nsf: 1 taken, 1 repaired, 0 unchanged, 0 conflicts, 0 failed\n");
  EXPECT_EQ(Quendral({"show", "a.nsf", kUnid}).out, "Visible\nSecret\n");
}

TEST_F(CommandLineTest, RepairsOfOneDocumentReportTheSummaryOfTheWholeDatabaseForms) {
  ASSERT_EQ(Import("a.nsf", Document(kEveryType)).code, 0);
  ASSERT_EQ(Quendral({"db", "create", "target.nsf", "--replica-id", "0BADF00DCAFEBABE"}).code, 0);
  CommandResult run = Quendral({"relink", "a.nsf", kUnid, "11111111:22222222", "target.nsf"});
  EXPECT_EQ(run.code, 0) << run.err;
  EXPECT_EQ(run.out, "a.nsf: 1 taken, 0 repaired, 1 unchanged, 0 conflicts, 0 failed\n");
  run = Quendral(
      {"relink", "--dry-run", "--json", "a.nsf", kUnid, "85256E3A:0058F1B2", "target.nsf"});
  EXPECT_EQ(run.code, 0) << run.err;
  EXPECT_EQ(json::parse(run.out),
            json::parse(R"({"database": "a.nsf", "documents": 1, "selected": 1, "changed": 1,
                            "unchanged": 0, "conflicts": 0, "failed": 0, "dry_run": true})"));
  EXPECT_EQ(Quendral({"links", "a.nsf", kUnid}).out.find("$Links_Backup_"), std::string::npos);
  run = Quendral({"relink", "a.nsf", kUnid, "85256E3A:0058F1B2", "target.nsf"});
  EXPECT_EQ(run.code, 0) << run.err;
  EXPECT_EQ(run.out, "a.nsf: 1 taken, 1 repaired, 0 unchanged, 0 conflicts, 0 failed\n");
  run = Quendral({"links", "a.nsf", kUnid});
  EXPECT_NE(run.out.find("$Links\n  0BADF00D:CAFEBABE view"), std::string::npos) << run.out;
  EXPECT_NE(run.out.find("$Links_Backup_"), std::string::npos) << run.out;
}

// The notes of a raw export with the time in each link backup's name left
// out: two repairs a second apart name their backups apart.
json NotesWithoutBackupTimes(json exported) {
  for (json& note : exported["notes"]) {
    for (json& item : note["items"]) {
      const std::string name = item["name"];
      if (name.starts_with("$Links_Backup_")) {
        item["name"] = "$Links_Backup_";
      }
    }
  }
  return exported["notes"];
}

// On a database of one document, a repair of that document and the same
// repair of every document print the same summary and exit alike, whether
// the document is repaired, has nothing to repair or cannot be repaired.
TEST_F(CommandLineTest, RepairsOfOneDocumentAndOfAllReportAlike) {
  ASSERT_EQ(Quendral({"db", "create", "target.nsf", "--replica-id", "0BADF00DCAFEBABE"}).code, 0);
  const json damaged_links = {
      {"name", "$Links"}, {"type", "raw"}, {"type_word", 7}, {"hex", "0100"}};
  const json subject = kEveryType[0];
  const std::string old = "85256E3A:0058F1B2";
  const struct {
    const char* label;
    json items;
    int code;
  } documents[] = {
      {"repairable", kEveryType, 0},
      {"nothing to do", json::array({subject}), 0},
      {"damaged link table", json::array({subject, damaged_links}), 1},
  };
  const std::vector<std::vector<std::string>> commands = {
      {"fix-hidewhen", "a.nsf"},
      {"relink", "a.nsf", old, "target.nsf"},
      {"relink", "--json", "a.nsf", old, "target.nsf"},
      {"restore-links", "a.nsf"},
  };
  for (const auto& document : documents) {
    for (const auto& command : commands) {
      std::vector<std::string> one = command;
      one.insert(std::find(one.begin(), one.end(), "a.nsf") + 1, kUnid);
      std::vector<std::string> all = command;
      all.push_back("--all");
      ASSERT_EQ(Import("a.nsf", Document(document.items), true).code, 0);
      const CommandResult single = Quendral(one);
      const json after_one = NotesWithoutBackupTimes(Export("a.nsf", true));
      ASSERT_EQ(Import("a.nsf", Document(document.items), true).code, 0);
      const CommandResult every = Quendral(all);
      EXPECT_EQ(single.out, every.out) << document.label << " " << command[0];
      EXPECT_EQ(single.code, every.code) << document.label << " " << command[0];
      EXPECT_EQ(single.err, every.err) << document.label << " " << command[0];
      EXPECT_EQ(after_one, NotesWithoutBackupTimes(Export("a.nsf", true))) << document.label;
      if (command[0] == "relink") {
        EXPECT_EQ(single.code, document.code) << document.label << "\n" << single.out;
      }
    }
  }
}

// A missing database, target or document, and a bad document ID, are input
// errors on both forms of every repair: exit code 2, one line on standard
// error, nothing on standard output and nothing written.
TEST_F(CommandLineTest, RepairsOfOneDocumentAndOfAllExitAlikeOnMissingInput) {
  ASSERT_EQ(Import("a.nsf", Document(kEveryType)).code, 0);
  ASSERT_EQ(Quendral({"db", "create", "target.nsf", "--replica-id", "0BADF00DCAFEBABE"}).code, 0);
  const json before = Export("a.nsf", true);
  const std::string other = "00000000000000000000000000000099";
  const std::string old = "85256E3A:0058F1B2";
  const struct {
    std::vector<std::string> args;
    std::string error;
  } cases[] = {
      {{"fix-hidewhen", "missing.nsf", kUnid}, "cannot open database missing.nsf: "},
      {{"fix-hidewhen", "--all", "missing.nsf"}, "cannot open database missing.nsf: "},
      {{"relink", "missing.nsf", kUnid, old, "target.nsf"}, "cannot open database missing.nsf: "},
      {{"relink", "--all", "missing.nsf", old, "target.nsf"}, "cannot open database missing.nsf: "},
      {{"restore-links", "missing.nsf", kUnid}, "cannot open database missing.nsf: "},
      {{"restore-links", "--all", "missing.nsf"}, "cannot open database missing.nsf: "},
      {{"relink", "a.nsf", kUnid, old, "gone.nsf"}, "cannot open database gone.nsf: "},
      {{"relink", "--all", "a.nsf", old, "gone.nsf"}, "cannot open database gone.nsf: "},
      {{"fix-hidewhen", "a.nsf", other}, "no document " + other + ": "},
      {{"relink", "a.nsf", other, old, "target.nsf"}, "no document " + other + ": "},
      {{"restore-links", "a.nsf", other}, "no document " + other + ": "},
      {{"fix-hidewhen", "--json", "a.nsf", other}, "no document " + other + ": "},
      {{"fix-hidewhen", "a.nsf", "not-a-unid"}, "bad document ID not-a-unid: "},
  };
  for (const auto& c : cases) {
    const CommandResult run = Quendral(c.args);
    EXPECT_EQ(run.code, 2) << c.args[0] << " " << c.args[1];
    EXPECT_EQ(run.out, "") << c.args[0] << " " << c.args[1];
    EXPECT_EQ(run.err.rfind("quendral: " + c.error, 0), 0u) << run.err;
    EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
  }
  EXPECT_EQ(Export("a.nsf", true), before);
}

// The exported functions, which the library's callers run, and the tool's
// form for one document leave the same bytes in the database.
TEST_F(CommandLineTest, ExportedRepairsAndTheToolsOneDocumentFormWriteTheSameBytes) {
  const json& links = kEveryType[3];
  const json& body = kEveryType[5];
  const json subject = {{"name", "Subject"}, {"type", "text"}, {"values", {"a"}}};
  const std::string old = "85256E3A:0058F1B2";
  const struct {
    const char* label;
    json items;
  } documents[] = {
      {"hidden paragraphs", json::array({subject, body})},
      {"links", json::array({links, subject})},
      {"every type", kEveryType},
      {"nothing to do", json::array({subject})},
  };
  ASSERT_EQ(Quendral({"db", "create", "target.nsf", "--replica-id", "0BADF00DCAFEBABE"}).code, 0);
  for (const auto& document : documents) {
    for (const bool relink : {false, true}) {
      ASSERT_EQ(Import("library.nsf", Document(document.items), true).code, 0);
      ASSERT_EQ(Import("tool.nsf", Document(document.items), true).code, 0);
      const int library =
          relink ? ChangeServerInLinks("", "library.nsf", kUnid, old.c_str(), "target.nsf")
                 : FixRichTextFields("", "library.nsf", kUnid);
      EXPECT_EQ(library, 0) << document.label;
      const CommandResult tool =
          Quendral(relink ? std::vector<std::string>{"relink", "tool.nsf", kUnid, old, "target.nsf"}
                          : std::vector<std::string>{"fix-hidewhen", "tool.nsf", kUnid});
      EXPECT_EQ(tool.code, 0) << tool.err;
      EXPECT_EQ(NotesWithoutBackupTimes(Export("tool.nsf", true)),
                NotesWithoutBackupTimes(Export("library.nsf", true)))
          << document.label << (relink ? ", relink" : ", fix-hidewhen");
    }
  }
}

TEST_F(CommandLineTest, VersionHelpAndUsageErrorsExitAsDocumented) {
  CommandResult run = Quendral({"--version"});
  EXPECT_EQ(run.code, 0);
  EXPECT_EQ(run.out.rfind("quendral 1.2.0\nexpat ", 0), 0u) << run.out;
  run = Quendral({"--help"});
  EXPECT_EQ(run.code, 0);
  EXPECT_NE(run.out.find("Exit codes:\n  0  done\n"), std::string::npos) << run.out;
  EXPECT_EQ(Quendral({"db", "list", "--no-such-option"}).code, 2);
  EXPECT_EQ(Quendral({}).code, 2);
}

TEST_F(CommandLineTest, MissingDataDirectoryIsNamedWithHowToNameAnother) {
  data_ /= "missing";
  const std::vector<std::vector<std::string>> commands = {{"db", "list"},
                                                          {"show", "a.nsf", kUnid},
                                                          {"links", "a.nsf", kUnid},
                                                          {"db", "create", "a.nsf"}};
  for (const auto& command : commands) {
    const CommandResult run = Quendral(command);
    EXPECT_EQ(run.code, 2) << command[0];
    EXPECT_NE(run.err.find("no data directory " + data_.string()), std::string::npos) << run.err;
    EXPECT_NE(run.err.find("--data DIR or NOTES_DATA_DIR"), std::string::npos) << run.err;
  }
  EXPECT_FALSE(fs::exists(data_));
}

TEST_F(CommandLineTest, ReadingCommandsPrintJson) {
  json items = kEveryType;
  items.push_back({{"name", "Status"}, {"type", "text"}, {"values", {"Closed"}}});
  ASSERT_EQ(Import("a.nsf", Document(items)).code, 0);
  const std::vector<std::pair<std::vector<std::string>, json>> cases = {
      {{"db", "list", "--json"},
       {{"databases",
         {{{"path", "a.nsf"},
           {"replica_id", "85256E3A:0058F1B2"},
           {"title", "Sales"},
           {"note_count", 1}}}}}},
      {{"show", "a.nsf", kUnid, "--json"},
       {{"paragraphs", {{{"text", "Visible"}, {"hidden", false}}}}}},
      {{"show", "a.nsf", kUnid, "--json", "--all"},
       {{"paragraphs",
         {{{"text", "Visible"}, {"hidden", false}}, {{"text", "Secret"}, {"hidden", true}}}}}},
      {{"links", "a.nsf", kUnid, "--json"},
       {{"link_tables", {{{"name", "$Links"}, {"links", kEveryType[3]["links"]}}}}}},
      {{"item", "get", "a.nsf", kUnid, "Subject", "--json"},
       {{"name", "Subject"}, {"text", "a;b"}}},
      {{"eval", "--json", "1 : 2.5"}, {{"values", {"1", "2.5"}}}},
  };
  for (const auto& [command, expected] : cases) {
    const CommandResult run = Quendral(command);
    EXPECT_EQ(run.code, 0) << run.err;
    EXPECT_EQ(json::parse(run.out, nullptr, false), expected) << command[0] << "\n" << run.out;
  }
}

TEST_F(CommandLineTest, WholeDatabaseCommandsReportSummariesWithTheirExitCodes) {
  ASSERT_EQ(Import("a.nsf", Document(kEveryType)).code, 0);
  ASSERT_EQ(Quendral({"db", "create", "target.nsf", "--replica-id", "0BADF00DCAFEBABE"}).code, 0);
  CommandResult run = Quendral({"fix-hidewhen", "--all", "--json", "a.nsf"});
  EXPECT_EQ(run.code, 0) << run.err;
  EXPECT_EQ(json::parse(run.out),
            json::parse(R"({"database": "a.nsf", "documents": 1, "selected": 1, "changed": 1,
                            "unchanged": 0, "conflicts": 0, "failed": 0, "dry_run": false})"));
  run = Quendral({"relink", "--all", "a.nsf", "85256E3A:0058F1B2", "target.nsf"});
  EXPECT_EQ(run.code, 0) << run.err;
  EXPECT_EQ(run.out, "a.nsf: 1 taken, 1 repaired, 0 unchanged, 0 conflicts, 0 failed\n");
  run = Quendral({"restore-links", "--dry-run", "--json", "a.nsf", kUnid});
  EXPECT_EQ(run.code, 0) << run.err;
  EXPECT_EQ(json::parse(run.out)["changed"], 1);
  EXPECT_EQ(json::parse(run.out)["without_backup"], 0);
  run = Quendral({"audit", "--json", "--select", "Status = \"Closed\"", "a.nsf"});
  EXPECT_EQ(run.code, 0) << run.err;
  EXPECT_EQ(json::parse(run.out)["totals"],
            json::parse(R"({"databases": 1, "documents": 0, "hidden": 0, "broken_links": 0})"));
}

// A formula that cannot be evaluated is reported with the engine's reason,
// never taken for false.
TEST_F(CommandLineTest, FormulasThatFailSayWhy) {
  const json items = json::array(
      {{{"name", "Count"}, {"type", "number"}, {"values", {1}}},
       {{"name", "Body"},
        {"type", "richtext"},
        {"paragraphs", json::array({{{"text", "Secret"}, {"hide_when", "Count / 0 = 1"}}})}}});
  ASSERT_EQ(Import("f.nsf", Document(items)).code, 0);
  const std::string reason = "The formula could not be evaluated: Division by zero at position 0";
  CommandResult run = Quendral({"audit", "--json", "f.nsf"});
  EXPECT_EQ(run.code, 0) << run.err;
  EXPECT_NE(run.out.find("\"hides\": null"), std::string::npos) << run.out;
  EXPECT_NE(run.out.find("\"reason\": \"" + reason + "\""), std::string::npos) << run.out;
  run = Quendral(
      {"fix-hidewhen", "--all", "--dry-run", "--json", "--select", "Count / 0 = 1", "f.nsf"});
  EXPECT_EQ(run.code, 2) << run.err;
  EXPECT_NE(run.err.find("the selection formula cannot be evaluated: Division by zero"),
            std::string::npos)
      << run.err;
}

// What only the live platform knows cannot select, nor be evaluated here.
TEST_F(CommandLineTest, FormulasNeedingTheLivePlatformSayWhyAndExitTwo) {
  ASSERT_EQ(Import("a.nsf", Document(kEveryType)).code, 0);
  const std::string lookup = "@DbLookup(\"\"; \"\"; \"V\"; 1; 1) = 1";
  for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
           {"eval", lookup},
           {"audit", "--select", lookup, "a.nsf"},
           {"fix-hidewhen", "--all", "--dry-run", "--select", lookup, "a.nsf"},
       }) {
    const CommandResult run = Quendral(args);
    EXPECT_EQ(run.code, 2) << args[0];
    EXPECT_NE(run.err.find("@DbLookup needs a live database view"), std::string::npos) << run.err;
  }
}

// Each database on one worker, reported as one worker reports them; a
// database that cannot be opened is named at the end and stops no other.
TEST_F(CommandLineTest, ParallelAuditsReportAsOneJobDoes) {
  std::vector<std::string> paths;
  for (int i = 0; i < 8; ++i) {
    paths.push_back("db" + std::to_string(i) + ".nsf");
    ASSERT_EQ(Import(paths.back(), Document(kEveryType)).code, 0);
  }
  paths.insert(paths.begin() + 4, "missing.nsf");
  for (const char* format : {"--json", "--quiet"}) {
    std::vector<std::string> args = {"audit", format, "--jobs", "1"};
    args.insert(args.end(), paths.begin(), paths.end());
    const CommandResult one = Quendral(args);
    args[3] = "2";
    const CommandResult two = Quendral(args);
    EXPECT_EQ(two.out, one.out) << format;
    EXPECT_EQ(two.err, one.err) << format;
    EXPECT_EQ(two.code, one.code) << format;
    EXPECT_NE(one.code, 0);
    EXPECT_NE(one.err.find("cannot open database missing.nsf"), std::string::npos) << one.err;
    EXPECT_NE(one.out.find("db7.nsf"), std::string::npos);
  }
  const json report = json::parse(Quendral({"audit", "--json", "--all-databases"}).out);
  EXPECT_EQ(report["totals"]["databases"], 8);
}

TEST_F(CommandLineTest, WholeDatabaseUsageErrorsExitTwoBeforeAnythingIsRead) {
  for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
           {"fix-hidewhen", "--all", "--select", "Status = ", "missing.nsf"},
           {"audit", "--select", "(", "missing.nsf"},
           {"fix-hidewhen", "--all", "missing.nsf", kUnid},
           {"fix-hidewhen", "missing.nsf"},
           {"relink", "--all", "missing.nsf", "85256E3A:0058F1B2"},
           {"restore-links", "missing.nsf"},
       }) {
    const CommandResult run = Quendral(args);
    EXPECT_EQ(run.code, 2) << args[0] << " " << args[1];
    EXPECT_EQ(run.err.find("cannot open"), std::string::npos) << run.err;
  }
  const CommandResult run = Quendral({"fix-hidewhen", "--all", "--select", "1 +", "missing.nsf"});
  EXPECT_NE(run.err.find("position 3"), std::string::npos) << run.err;
}

}  // namespace
}  // namespace quendral::cli
