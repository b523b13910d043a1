#include "dxl/export_root.h"

#include <expat.h>

#include <array>
#include <fstream>
#include <vector>

#include "dxl/stream_rewriter.h"

namespace quendral::dxl {
namespace {

// The elements an export may have as its root: the database and the notes,
// documents and design elements alike.
constexpr std::array<std::string_view, 10> kRootElements = {
    "database", "document", "note",   "form",     "subform",
    "page",     "view",     "folder", "frameset", "navigator",
};

constexpr char kSeparator = '\x01';  // never part of an XML name
constexpr std::size_t kChunkSize = std::size_t{64} * 1024;

struct RootSearch {
  XML_Parser parser = nullptr;
  RootKind kind = RootKind::kOther;
  bool found = false;
};

void XMLCALL FirstElement(void* user_data, const XML_Char* name, const XML_Char**) {
  auto& search = *static_cast<RootSearch*>(user_data);
  const std::string_view text(name);
  const std::size_t separator = text.find(kSeparator);
  search.kind = separator == std::string_view::npos
                    ? ClassifyRoot({}, text)
                    : ClassifyRoot(text.substr(0, separator), text.substr(separator + 1));
  search.found = true;
  XML_StopParser(search.parser, XML_FALSE);
}

}  // namespace

RootKind ClassifyRoot(std::string_view namespace_uri, std::string_view name) {
  if (namespace_uri == kDxlNamespace) {
    return RootKind::kDxl;
  }
  for (const std::string_view element : kRootElements) {
    if (namespace_uri.empty() && name == element) {
      return RootKind::kDxlWithoutNamespace;
    }
  }
  return RootKind::kOther;
}

RootKind ReadRootKind(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  XML_Parser parser = XML_ParserCreateNS(nullptr, kSeparator);
  if (!in || parser == nullptr) {
    if (parser != nullptr) {
      XML_ParserFree(parser);
    }
    return RootKind::kOther;
  }
  RootSearch search{parser};
  XML_SetUserData(parser, &search);
  XML_SetStartElementHandler(parser, FirstElement);
  std::vector<char> chunk(kChunkSize);
  while (!search.found) {
    in.read(chunk.data(), static_cast<std::streamsize>(chunk.size()));
    const auto length = static_cast<int>(in.gcount());
    const bool final = !in;
    if (XML_Parse(parser, chunk.data(), length, final) != XML_STATUS_OK || final) {
      break;
    }
  }
  XML_ParserFree(parser);
  return search.found ? search.kind : RootKind::kOther;
}

}  // namespace quendral::dxl
