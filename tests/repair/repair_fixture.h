// A data directory of its own for each repair test, with databases written
// whole from images, and the helpers to build and read their items.
#ifndef QUENDRAL_TESTS_REPAIR_REPAIR_FIXTURE_H_
#define QUENDRAL_TESTS_REPAIR_REPAIR_FIXTURE_H_

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "platform/notes/api/database_file.h"
#include "platform/notes/richtext/paragraphs.h"

namespace quendral::fixtures {

class RepairTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Writes database `path` holding one document with `items`; returns the
  // document's universal-ID text.
  std::string CreateDocument(const std::string& path, const TIMEDATE& replica_id,
                             std::vector<platform::store::ItemImage> items);
  // The document as it is stored now.
  platform::store::NoteImage StoredNote(const std::string& path, const std::string& unid) const;
  const platform::store::ItemImage* FindItem(const platform::store::NoteImage& note,
                                             const std::string& name) const;

  std::filesystem::path data_directory_;
};

std::vector<std::uint8_t> Compiled(const std::string& formula);
platform::richtext::Paragraph TextParagraph(const std::string& text);
platform::richtext::Paragraph HiddenParagraph(const std::string& text,
                                              std::vector<std::uint8_t> hide_when_area);
platform::store::ItemImage RichTextItem(
    const std::string& name, const std::vector<platform::richtext::Paragraph>& paragraphs);
platform::store::ItemImage TextItem(const std::string& name, const std::vector<std::string>& texts);

}  // namespace quendral::fixtures

#endif  // QUENDRAL_TESTS_REPAIR_REPAIR_FIXTURE_H_
