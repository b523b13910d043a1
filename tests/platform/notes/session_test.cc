// Reaching databases through a session: servers, paths and replica IDs.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>

#include "platform/notes/notes_test_support.h"
#include "support/environment_override.h"

namespace quendral::platform {
namespace {

using fixtures::SessionOn;
using fixtures::TemporaryDirectory;

// The two replica-ID texts callers use: 16 hex digits, optionally with a
// colon after the eighth; the first eight digits are word 1.
TIMEDATE ParseReplicaText(const std::string& text) {
  std::string digits = text;
  if (digits.size() == 17 && digits[8] == ':') {
    digits.erase(8, 1);
  }
  TIMEDATE replica{};
  EXPECT_EQ(std::sscanf(digits.c_str(), "%8x%8x", &replica.Innards[1], &replica.Innards[0]), 2);
  return replica;
}

class SessionTest : public ::testing::Test {
 protected:
  void SetUp() override {
    fixtures::WriteDatabase(data_.path() / "apps" / "names.nsf", TIMEDATE{{0x0058F1B2, 0x85256E3A}},
                            {});
    fixtures::WriteDatabase(data_.path() / "local" / "other.nsf", TIMEDATE{{5, 5}}, {});
    std::ofstream(data_.path() / "servers.json") << R"({"Local": "local"})";
  }

  TemporaryDirectory data_;
};

TEST_F(SessionTest, BothReplicaTextFormsOpenTheSameDatabase) {
  SessionOn session(data_.path());
  for (const char* text : {"85256E3A:0058F1B2", "85256E3A0058F1B2"}) {
    LNDatabase db;
    ASSERT_EQ(session->GetDatabase(ParseReplicaText(text), &db, ""), 0u) << text;
    ASSERT_EQ(db.Open(), 0u);
    TIMEDATE replica{};
    ASSERT_EQ(db.GetReplicaID(&replica), 0u);
    EXPECT_EQ(replica.Innards[1], 0x85256E3Au);
    EXPECT_EQ(replica.Innards[0], 0x0058F1B2u);
    EXPECT_EQ(db.GetFilePath(), LNString((data_.path() / "apps" / "names.nsf").string()));
  }
  LNDatabase db;
  EXPECT_EQ(session->GetDatabase(TIMEDATE{{0x0058F1B2, 0}}, &db, ""), kErrReplicaNotFound);
}

TEST_F(SessionTest, ServerNamesChooseTheDirectory) {
  SessionOn session(data_.path());
  LNDatabase db;
  EXPECT_EQ(session->GetDatabase("apps\\names.nsf", &db, ""), 0u);
  EXPECT_EQ(session->GetDatabase("other.nsf", &db, ""), kErrDatabaseNotFound);
  EXPECT_EQ(session->GetDatabase("other.nsf", &db, "LOCAL"), 0u);
  EXPECT_EQ(session->GetDatabase("other.nsf", &db, "Nowhere/Acme"), kErrUnknownServer);
  EXPECT_EQ(session->GetDatabase(TIMEDATE{{5, 5}}, &db, "local"), 0u);
  EXPECT_EQ(session->GetDatabase("../x.nsf", &db, "Local"), kErrPathOutsideDataDirectory);
}

TEST_F(SessionTest, DatabasesNeedAnInitializedSession) {
  LNNotesSession session;
  EXPECT_FALSE(session.IsInitialized());
  session.SetDataDirectory(data_.path().string());
  LNDatabase db;
  EXPECT_EQ(session.GetDatabase("apps/names.nsf", &db), kErrSessionNotInitialized);
  ASSERT_EQ(session.Initialize(230, 0, nullptr, 1, nullptr), 0u);
  EXPECT_TRUE(session.IsInitialized());
  EXPECT_EQ(session.GetDatabase("apps/names.nsf", &db), 0u);
  EXPECT_EQ(session.Term(0), 0u);
  EXPECT_FALSE(session.IsInitialized());
  // The bound database outlives the session's end.
  EXPECT_EQ(db.Open(), 0u);
  LNString title;
  EXPECT_EQ(db.GetTitle(&title), 0u);
  EXPECT_EQ(title, LNString("Test database"));
}

TEST_F(SessionTest, DataDirectoryComesFromTheEnvironmentUnlessSet) {
  quendral::fixtures::EnvironmentOverride variable("NOTES_DATA_DIR", data_.path().string().c_str());
  LNNotesSession from_environment;
  ASSERT_EQ(from_environment.Initialize(), 0u);
  EXPECT_EQ(from_environment.GetDataDirectory(), LNString(data_.path().string()));
  LNNotesSession explicit_directory;
  explicit_directory.SetDataDirectory("/elsewhere");
  ASSERT_EQ(explicit_directory.Initialize(), 0u);
  EXPECT_EQ(explicit_directory.GetDataDirectory(), LNString("/elsewhere"));
}

TEST_F(SessionTest, UserNameDefaultsToTheLoginName) {
  LNNotesSession session;
  EXPECT_FALSE(session.GetUserName().IsNull());
  session.SetUserName("CN=Anne/O=Acme");
  session.SetUserRoles({"[Admin]"});
  EXPECT_EQ(session.GetUserName(), LNString("CN=Anne/O=Acme"));
  EXPECT_EQ(session.GetUserRoles(), std::vector<std::string>{"[Admin]"});
}

}  // namespace
}  // namespace quendral::platform
