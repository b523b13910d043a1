#include "platform/sqlite/sqlite_connection.h"

#include <gtest/gtest.h>

#include <string>

namespace quendral::base::sqlite {
namespace {

class SqliteConnection : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(connection_.Open(":memory:", true), SQLITE_OK);
    ASSERT_EQ(connection_.Execute("CREATE TABLE t (v NOT NULL COLLATE NOCASE)"), SQLITE_OK);
  }

  std::string TypeOf(int row) {
    Statement select;
    EXPECT_EQ(connection_.Prepare("SELECT typeof(v) FROM t WHERE rowid = ?", &select), SQLITE_OK);
    select.BindInt(1, row);
    return select.Step() == SQLITE_ROW ? select.ColumnText(0) : "";
  }

  int Count() {
    Statement count;
    EXPECT_EQ(connection_.Prepare("SELECT count(*) FROM t", &count), SQLITE_OK);
    return count.Step() == SQLITE_ROW ? static_cast<int>(count.ColumnInt(0)) : -1;
  }

  Connection connection_;
};

// Text takes part in the column's collation; a blob, empty or not, stays a
// blob and never becomes NULL.
TEST_F(SqliteConnection, TextAndBlobBindAsTheirOwnTypes) {
  Statement insert;
  ASSERT_EQ(connection_.Prepare("INSERT INTO t (v) VALUES (?)", &insert), SQLITE_OK);
  insert.BindText(1, "Key");
  ASSERT_EQ(insert.Run(), SQLITE_DONE);
  insert.BindBlob(1, "Key");
  ASSERT_EQ(insert.Run(), SQLITE_DONE);
  insert.BindBlob(1, nullptr, 0);
  ASSERT_EQ(insert.Run(), SQLITE_DONE);
  insert.BindText(1, "");
  ASSERT_EQ(insert.Run(), SQLITE_DONE);
  EXPECT_EQ(TypeOf(1), "text");
  EXPECT_EQ(TypeOf(2), "blob");
  EXPECT_EQ(TypeOf(3), "blob");
  EXPECT_EQ(TypeOf(4), "text");

  Statement find;
  ASSERT_EQ(connection_.Prepare("SELECT count(*) FROM t WHERE v = ?", &find), SQLITE_OK);
  find.BindText(1, "KEY");
  ASSERT_EQ(find.Step(), SQLITE_ROW);
  EXPECT_EQ(find.ColumnInt(0), 1);
}

TEST_F(SqliteConnection, WriteTransactionRollsBackUnlessCommitted) {
  {
    WriteTransaction outer(connection_);
    ASSERT_EQ(outer.Begin(), SQLITE_OK);
    ASSERT_EQ(connection_.Execute("INSERT INTO t VALUES ('kept')"), SQLITE_OK);
    {
      WriteTransaction inner(connection_);
      ASSERT_EQ(inner.Begin(), SQLITE_OK);
      ASSERT_EQ(connection_.Execute("INSERT INTO t VALUES ('dropped')"), SQLITE_OK);
    }
    EXPECT_EQ(Count(), 1);  // only the inner one's rows went
    ASSERT_EQ(outer.Commit(), SQLITE_OK);
  }
  {
    WriteTransaction abandoned(connection_);
    ASSERT_EQ(abandoned.Begin(), SQLITE_OK);
    ASSERT_EQ(connection_.Execute("INSERT INTO t VALUES ('dropped')"), SQLITE_OK);
  }
  EXPECT_EQ(Count(), 1);
}

// The steps are kept prepared on a connection of one thread and compiled
// afresh on a shared one; either way a step out of order fails without
// spoiling the next ones.
TEST(SqliteTransactionSteps, FailOutOfOrderAndStayUsable) {
  for (Threading threading : {Threading::kOneAtATime, Threading::kSerialized}) {
    Connection connection;
    ASSERT_EQ(connection.Open(":memory:", true, threading), SQLITE_OK);
    ASSERT_EQ(connection.Execute("CREATE TABLE t (v)"), SQLITE_OK);
    const struct {
      TransactionStep step;
      int result;
    } steps[] = {
        {TransactionStep::kCommit, SQLITE_ERROR},
        {TransactionStep::kBegin, SQLITE_OK},
        {TransactionStep::kBegin, SQLITE_ERROR},
        {TransactionStep::kCommit, SQLITE_OK},
        {TransactionStep::kRelease, SQLITE_ERROR},
        {TransactionStep::kBeginImmediate, SQLITE_OK},
        {TransactionStep::kSavepoint, SQLITE_OK},
        {TransactionStep::kRollbackToSavepoint, SQLITE_OK},
        {TransactionStep::kRelease, SQLITE_OK},
        {TransactionStep::kRollback, SQLITE_OK},
        {TransactionStep::kRollback, SQLITE_ERROR},
    };
    for (const auto& [step, result] : steps) {
      EXPECT_EQ(connection.Run(step), result) << static_cast<int>(step);
    }
    // Nothing of the rolled back transaction stayed.
    ASSERT_EQ(connection.Run(TransactionStep::kBeginImmediate), SQLITE_OK);
    ASSERT_EQ(connection.Execute("INSERT INTO t VALUES (1)"), SQLITE_OK);
    ASSERT_EQ(connection.Run(TransactionStep::kRollback), SQLITE_OK);
    Statement count;
    ASSERT_EQ(connection.Prepare("SELECT count(*) FROM t", &count), SQLITE_OK);
    ASSERT_EQ(count.Step(), SQLITE_ROW);
    EXPECT_EQ(count.ColumnInt(0), 0);
  }
}

TEST_F(SqliteConnection, ResultCodesPassThrough) {
  Statement statement;
  EXPECT_EQ(connection_.Prepare("SELECT FROM", &statement), SQLITE_ERROR);
  EXPECT_EQ(statement.get(), nullptr);
  EXPECT_EQ(connection_.Execute("INSERT INTO t VALUES (NULL)") & 0xFF, SQLITE_CONSTRAINT);
  Connection missing;
  EXPECT_EQ(missing.Open("/nonexistent-folder/none.sqlite", false), SQLITE_CANTOPEN);
  EXPECT_EQ(missing.get(), nullptr);
}

}  // namespace
}  // namespace quendral::base::sqlite
