// Opening a database from a server text and a path or replica-ID text.
#include "notes/open_database.h"

#include <gtest/gtest.h>

#include "notes/note_fixture.h"

namespace quendral::note_testing {
namespace {

class OpenNotesDatabaseTest : public NoteFixture {
 protected:
  // 0 when the database opened; then it is the fixture's (replica 1, 2).
  int OpenWith(const char* server, const char* path) {
    LNDatabase database;
    const int result = OpenNotesDatabase(session_, database, server, path);
    if (result == 0) {
      EXPECT_TRUE(database.IsOpen());
      TIMEDATE replica{};
      EXPECT_EQ(database.GetReplicaID(&replica), 0u);
      EXPECT_EQ(replica.Innards[0], 1u);
      EXPECT_EQ(replica.Innards[1], 2u);
      database.Close();
    }
    return result;
  }
};

TEST_F(OpenNotesDatabaseTest, LocalServerTextsOpenByPathAndByReplicaId) {
  for (const char* server : {"", "local", "LOCAL"}) {
    EXPECT_EQ(OpenWith(server, "helpers.nsf"), 0) << server;
    EXPECT_EQ(OpenWith(server, "00000002:00000001"), 0) << server;
    EXPECT_EQ(OpenWith(server, "0000000200000001"), 0) << server;
  }
  EXPECT_EQ(OpenWith("Local", "helpers.nsf"), 1) << "\"Local\" names a server";
}

TEST_F(OpenNotesDatabaseTest, PathWithADotAndBackslashesIsAPath) {
  std::filesystem::create_directories(data_directory_ / "apps");
  const platform::store::DatabaseImage image{"Apps", TIMEDATE{{1, 2}}, {}};
  ASSERT_EQ(platform::store::CreateDatabaseFile(data_directory_ / "apps" / "h.nsf", image, false),
            platform::kNoError);
  EXPECT_EQ(OpenWith("", "apps\\h.nsf"), 0);
}

TEST_F(OpenNotesDatabaseTest, TextsThatNameNoDatabaseFail) {
  for (const char* path : {"missing.nsf", "000000020000000", "0000000300000001", ""}) {
    EXPECT_EQ(OpenWith("", path), 1) << path;
  }
}

}  // namespace
}  // namespace quendral::note_testing
