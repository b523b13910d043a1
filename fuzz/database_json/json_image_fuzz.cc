// Database images read from JSON: any input is either refused with a
// FormatError or read into an image that exports and reads back the same;
// what is read whole is read note by note too.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>

#include "database_json/image.h"

namespace {

bool SameImage(const quendral::platform::store::DatabaseImage& a,
               const quendral::platform::store::DatabaseImage& b) {
  return quendral::database_json::JsonFromImage(a, true) ==
         quendral::database_json::JsonFromImage(b, true);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const nlohmann::json json = nlohmann::json::parse(data, data + size, nullptr, false);
  if (json.is_discarded()) {
    return 0;
  }
  quendral::platform::store::DatabaseImage image;
  try {
    image = quendral::database_json::ImageFromJson(json);
  } catch (const quendral::database_json::FormatError&) {
    return 0;
  }
  const quendral::platform::store::DatabaseImage again =
      quendral::database_json::ImageFromJson(quendral::database_json::JsonFromImage(image, true));
  if (!SameImage(image, again)) {
    std::abort();
  }
  std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
  try {
    quendral::database_json::ReadJsonImage(in, "input",
                                           [](const quendral::platform::store::NoteImage&) {});
  } catch (const quendral::database_json::FormatError&) {
    std::abort();
  }
  return 0;
}
