// Database files of any content, opened and walked through the store: every
// note and item is read and every value decoded, and nothing may crash, hang
// or read past what the file holds. What cannot be read is an error status.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "platform/notes/api/database_file.h"
#include "platform/notes/api/item_values.h"
#include "repair/link_table.h"

namespace {

namespace fs = std::filesystem;
namespace store = quendral::platform::store;
namespace values = quendral::platform::values;

// One file per fuzzing process, rewritten for every input.
const fs::path& InputFile() {
  static const fs::path file =
      fs::temp_directory_path() / ("quendral-database-fuzz-" + std::to_string(::getpid()) + ".nsf");
  return file;
}

void RemoveCompanions(const fs::path& file) {
  std::error_code ignored;
  for (const char* suffix : {"", "-wal", "-shm", "-journal"}) {
    fs::path companion = file;
    fs::remove(companion += suffix, ignored);
  }
}

void DecodeValue(const store::ItemImage& item) {
  const std::uint8_t* data = item.value.data();
  const std::size_t size = item.value.size();
  std::vector<std::string> texts;
  std::vector<quendral::NoteLink> links;
  std::vector<quendral::platform::richtext::Paragraph> paragraphs;
  quendral::platform::formula::Value value;
  values::DecodeTextList(data, size, &texts);
  quendral::DecodeLinkTable({data, size}, quendral::LinkTableReading::kWholeTable, &links);
  values::DecodeRichText(data, size, &paragraphs);
  values::DecodeFormulaValue(item.type, data, size, &value);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const fs::path& file = InputFile();
  RemoveCompanions(file);
  std::ofstream(file, std::ios::binary).write(reinterpret_cast<const char*>(data), size);
  store::DatabaseImage image;
  if (store::ReadDatabaseImage(file, &image) == quendral::platform::kNoError) {
    for (const store::NoteImage& note : image.notes) {
      for (const store::ItemImage& item : note.items) {
        DecodeValue(item);
      }
    }
  }
  RemoveCompanions(file);
  return 0;
}
