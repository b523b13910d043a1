// A data directory of its own for each test of the Notes document helpers,
// holding one database with one document of every item type, open through a
// session of the test's own.
#ifndef QUENDRAL_TESTS_NOTES_NOTE_FIXTURE_H_
#define QUENDRAL_TESTS_NOTES_NOTE_FIXTURE_H_

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "platform/notes/api/database_file.h"
#include "platform/notes/api/ln.h"

namespace quendral::note_testing {

class NoteFixture : public ::testing::Test {
 protected:
  // The document's items, in this order:
  //   Subject  text list "Hello"
  //   Names    text list "a", "b"
  //   Count    number list 1, 2
  //   Single   single number 7 (0x0300, a type the readers do not handle)
  //   Due      date-time list 2001-03-05T07:08:09
  //   Body     rich text of the paragraphs "First" and "Second"
  void SetUp() override;
  void TearDown() override;

  // The document as it is stored now.
  platform::store::NoteImage StoredNote() const;
  // Its stored item `name`; fails the test and gives an empty item when
  // there is none.
  platform::store::ItemImage StoredItem(const std::string& name) const;
  bool StoredHasItem(const std::string& name) const;
  // The document as the platform reads its item `name` now: a ";"-joined
  // text of any list.
  std::string ItemText(const std::string& name) const;

  std::filesystem::path data_directory_;
  LNNotesSession session_;
  LNDatabase database_;
  LNDocument document_;
  UNIVERSALNOTEID unid_{};
};

platform::store::ItemImage TextItem(const std::string& name, const std::vector<std::string>& texts);
platform::store::ItemImage NumberItem(const std::string& name, const std::vector<double>& numbers);

}  // namespace quendral::note_testing

#endif  // QUENDRAL_TESTS_NOTES_NOTE_FIXTURE_H_
