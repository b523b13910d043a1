#include "dxl/stream_rewriter.h"

#include <expat.h>

#include <algorithm>
#include <cstring>
#include <istream>
#include <ostream>

#include "dxl/attribute_text.h"
#include "dxl/export_root.h"
#include "platform/base/ascii.h"

namespace quendral::dxl {
namespace {

// Element names come as "namespace<separator>local"; XML forbids this
// character in any name.
constexpr char kNamespaceSeparator = '\x01';
constexpr std::size_t kChunkSize = std::size_t{256} << 10;
// Output is gathered into writes of about this size: the pieces between
// replacements are small, and each would otherwise be a write of its own.
constexpr std::size_t kOutputBlock = std::size_t{1} << 20;
// The parser holds a tag, comment or declaration whole until it ends, and
// reads it again from its start with every chunk. Exports have none longer
// than a few kilobytes; a longer one is refused before it costs much memory
// or time.
constexpr std::uint64_t kLongestMarkup = std::uint64_t{8} << 20;
// Each open element costs the parser a hundred bytes or more; exports nest
// a few dozen deep, and a file of nothing but start tags would otherwise
// cost many times its size.
constexpr int kDeepestNesting = 10000;
// The parser's own guard against entities that expand to far more than the
// document: a second line behind the refusal of every entity declaration.
constexpr float kMaximumAmplification = 100.0F;
constexpr unsigned long long kAmplificationThreshold = 1ULL << 20;

StreamRewriter& RewriterOf(void* user_data) { return *static_cast<StreamRewriter*>(user_data); }

void XMLCALL StartElement(void* user_data, const XML_Char* name, const XML_Char** attributes) {
  RewriterOf(user_data).OnStart(name, attributes);
}

void XMLCALL EndElement(void* user_data, const XML_Char* name) {
  RewriterOf(user_data).OnEnd(name);
}

void XMLCALL CharacterData(void* user_data, const XML_Char* text, int length) {
  StreamRewriter& rewriter = RewriterOf(user_data);
  rewriter.MarkEvent();
  rewriter.OnText(std::string_view(text, static_cast<std::size_t>(length)));
}

void XMLCALL OtherMarkup(void* user_data, const XML_Char*, int) {
  RewriterOf(user_data).MarkEvent();
}

// Exports use the five entities XML defines and character references, and
// nothing else: a declared entity could only be a trap (a chain of ten
// thousand, a billion laughs), and its text would be reported at offsets
// that are not in the file.
void XMLCALL EntityDeclaration(void* user_data, const XML_Char*, int, const XML_Char*, int,
                               const XML_Char*, const XML_Char*, const XML_Char*, const XML_Char*) {
  RewriterOf(user_data).Refuse("the export declares entities; exports never do");
}

// A default value gives an element an attribute its tag does not hold,
// which no repair could find, nor change, in the file.
void XMLCALL AttributeDeclaration(void* user_data, const XML_Char*, const XML_Char*,
                                  const XML_Char*, const XML_Char* default_value, int) {
  StreamRewriter& rewriter = RewriterOf(user_data);
  rewriter.MarkEvent();
  if (default_value != nullptr) {
    rewriter.Refuse("the export declares default attribute values; exports never do");
  }
}

// A reference to an entity the document does not declare, which the parser
// lets pass when the document has a DTD it does not read.
void XMLCALL SkippedEntity(void* user_data, const XML_Char* name, int parameter_entity) {
  RewriterOf(user_data).Refuse(std::string("the export refers to the entity ") +
                               (parameter_entity != 0 ? "%" : "&") + name +
                               ";, which exports never do");
}

void XMLCALL XmlDeclaration(void* user_data, const XML_Char*, const XML_Char* encoding, int) {
  StreamRewriter& rewriter = RewriterOf(user_data);
  rewriter.MarkEvent();
  rewriter.CheckDeclaredEncoding(encoding);
}

void GuardAgainstEntities(XML_Parser parser) {
  XML_SetEntityDeclHandler(parser, EntityDeclaration);
  XML_SetAttlistDeclHandler(parser, AttributeDeclaration);
  XML_SetSkippedEntityHandler(parser, SkippedEntity);
  // So that a parameter entity reference in the DTD is reported as skipped;
  // with no handler for external entities, none is ever read.
  XML_SetParamEntityParsing(parser, XML_PARAM_ENTITY_PARSING_UNLESS_STANDALONE);
#if defined(XML_DTD) && \
    (XML_MAJOR_VERSION > 2 || (XML_MAJOR_VERSION == 2 && XML_MINOR_VERSION >= 4))
  XML_SetBillionLaughsAttackProtectionMaximumAmplification(parser, kMaximumAmplification);
  XML_SetBillionLaughsAttackProtectionActivationThreshold(parser, kAmplificationThreshold);
#endif
}

struct QualifiedName {
  std::string_view space;  // empty: no namespace
  std::string_view local;
};

QualifiedName SplitName(const char* name) {
  const std::string_view text(name);
  const std::size_t separator = text.find(kNamespaceSeparator);
  if (separator == std::string_view::npos) {
    return {{}, text};
  }
  return {text.substr(0, separator), text.substr(separator + 1)};
}

// Under a root without a namespace, the elements without one are the
// export's own.
bool IsDxl(const QualifiedName& name, bool bare_root) {
  return name.space == kDxlNamespace || (bare_root && name.space.empty());
}

}  // namespace

std::string Refusal::Text() const {
  if (line == 0) {
    return reason;
  }
  return "line " + std::to_string(line) + ", column " + std::to_string(column) + ": " + reason;
}

std::optional<std::string_view> StartTag::Attribute(std::string_view name) const {
  for (const char** pair = attributes; pair != nullptr && *pair != nullptr; pair += 2) {
    if (name == pair[0]) {
      return std::string_view(pair[1]);
    }
  }
  return std::nullopt;
}

struct StreamRewriter::Parser {
  XML_Parser handle = XML_ParserCreateNS(nullptr, kNamespaceSeparator);
  ~Parser() {
    if (handle != nullptr) {
      XML_ParserFree(handle);
    }
  }
};

StreamRewriter::StreamRewriter(std::ostream* out)
    : out_(out), parser_(std::make_unique<Parser>()) {}

StreamRewriter::~StreamRewriter() = default;

bool StreamRewriter::Run(std::istream& in, ElementListener& listener, Refusal* refusal) {
  listener_ = &listener;
  XML_Parser parser = parser_->handle;
  if (parser == nullptr) {
    *refusal = Refusal{"out of memory"};
    return false;
  }
  XML_SetUserData(parser, this);
  XML_SetElementHandler(parser, StartElement, EndElement);
  XML_SetCharacterDataHandler(parser, CharacterData);
  XML_SetXmlDeclHandler(parser, XmlDeclaration);
  XML_SetDefaultHandlerExpand(parser, OtherMarkup);
  GuardAgainstEntities(parser);
  std::vector<char> chunk(kChunkSize);
  bool first = true;
  for (;;) {
    in.read(chunk.data(), static_cast<std::streamsize>(chunk.size()));
    const auto length = static_cast<std::size_t>(in.gcount());
    if (in.bad()) {
      *refusal = Refusal{"cannot be read"};
      return false;
    }
    const bool final = length < chunk.size();
    if (first) {
      encoding_ = DetectEncoding(std::string_view(chunk.data(), std::min<std::size_t>(length, 4)));
    }
    first = false;
    buffer_.append(chunk.data(), length);
    // A stop in the last buffer is not an error to every version of the
    // parser, so a refusal counts whatever it returns.
    if (XML_Parse(parser, chunk.data(), static_cast<int>(length), final) != XML_STATUS_OK ||
        refusal_) {
      const XML_Error error = XML_GetErrorCode(parser);
      if (!refusal_) {
        const bool encoding =
            error == XML_ERROR_UNKNOWN_ENCODING || error == XML_ERROR_INCORRECT_ENCODING;
        Fail(encoding ? std::string("not UTF-8 or UTF-16: ") + XML_ErrorString(error)
                      : std::string("not well-formed XML: ") + XML_ErrorString(error));
      }
      *refusal = *refusal_;
      return false;
    }
    if (!final && buffer_begin_ + buffer_.size() - parsed_end_ > kLongestMarkup) {
      *refusal = Refusal{"a tag, comment or declaration longer than " +
                             std::to_string(kLongestMarkup >> 20) + " MB; exports hold none",
                         XML_GetCurrentLineNumber(parser),
                         XML_GetCurrentColumnNumber(parser) + std::uint64_t{1}};
      return false;
    }
    Settle(final);
    if (final) {
      break;
    }
  }
  if (out_ != nullptr) {
    FlushOutput();
  }
  if (out_ != nullptr && !out_->flush()) {
    *refusal = Refusal{"cannot be written"};
    return false;
  }
  return true;
}

void StreamRewriter::Refuse(std::string reason) {
  Fail(std::move(reason));
  XML_StopParser(parser_->handle, XML_FALSE);
}

void StreamRewriter::Fail(std::string reason) {
  if (refusal_) {
    return;
  }
  XML_Parser parser = parser_->handle;
  refusal_ = Refusal{std::move(reason), XML_GetCurrentLineNumber(parser),
                     XML_GetCurrentColumnNumber(parser) + std::uint64_t{1}};
}

std::string StreamRewriter::Bytes(Span span) const {
  const std::uint64_t buffer_end = buffer_begin_ + buffer_.size();
  if (span.begin < buffer_begin_ || span.end > buffer_end || span.end < span.begin) {
    return {};
  }
  return buffer_.substr(span.begin - buffer_begin_, span.end - span.begin);
}

void StreamRewriter::Hold(std::uint64_t offset) { held_ = std::max(offset, emitted_); }

void StreamRewriter::Release() { held_.reset(); }

bool StreamRewriter::Replace(Span span, std::string_view text) {
  const std::uint64_t buffer_end = buffer_begin_ + buffer_.size();
  if (span.begin < emitted_ || span.end < span.begin || span.end > buffer_end) {
    Refuse("replacement out of order");
    return false;
  }
  std::string replacement = EncodeText(text, encoding_);
  if (Bytes(span) == replacement) {
    return false;
  }
  Emit(span.begin);
  Write(replacement.data(), replacement.size());
  emitted_ = span.end;
  ++replacements_;
  if (change_log_ != nullptr) {
    change_log_->push_back({span, std::move(replacement)});
  }
  return true;
}

void StreamRewriter::MarkEvent() { parsed_end_ = std::max(parsed_end_, CurrentEvent().end); }

Span StreamRewriter::CurrentEvent() const {
  XML_Parser parser = parser_->handle;
  const auto begin = static_cast<std::uint64_t>(XML_GetCurrentByteIndex(parser));
  return {begin, begin + static_cast<std::uint64_t>(XML_GetCurrentByteCount(parser))};
}

void StreamRewriter::OnStart(const char* name, const char** attributes) {
  MarkEvent();
  // The parser may still report the rest of a token after being stopped.
  if (refusal_) {
    return;
  }
  const QualifiedName qualified = SplitName(name);
  if (depth_++ == 0) {
    const RootKind root = ClassifyRoot(qualified.space, qualified.local);
    if (root == RootKind::kOther) {
      Refuse("the root element <" + std::string(qualified.local) +
             "> is not in the DXL namespace " + kDxlNamespace);
      return;
    }
    bare_root_ = root == RootKind::kDxlWithoutNamespace;
  }
  if (depth_ > kDeepestNesting) {
    Refuse("elements nested more than " + std::to_string(kDeepestNesting) +
           " deep; exports hold none");
    return;
  }
  const Span span = CurrentEvent();
  const std::string_view bytes =
      std::string_view(buffer_).substr(span.begin - buffer_begin_, span.end - span.begin);
  if (const auto entity = UndefinedEntityReference(bytes, encoding_)) {
    Refuse("the export refers to the entity &" + *entity + ";, which exports never do");
    return;
  }
  listener_->OnStart(StartTag{qualified.local, IsDxl(qualified, bare_root_), attributes, span});
}

void StreamRewriter::OnEnd(const char* name) {
  MarkEvent();
  if (refusal_) {
    return;
  }
  --depth_;
  const QualifiedName qualified = SplitName(name);
  // The end of "<x/>" is reported as a token of no bytes; it lies where the
  // start tag ends.
  Span span = CurrentEvent();
  if (span.end == span.begin) {
    span = Span{parsed_end_, parsed_end_};
  }
  listener_->OnEnd(EndTag{qualified.local, IsDxl(qualified, bare_root_), span});
}

void StreamRewriter::CheckDeclaredEncoding(const char* encoding) {
  if (encoding == nullptr) {
    return;
  }
  for (const char* accepted : {"UTF-8", "UTF-16", "UTF-16LE", "UTF-16BE"}) {
    if (base::EqualsIgnoringAsciiCase(encoding, accepted)) {
      return;
    }
  }
  Refuse(std::string("not UTF-8 or UTF-16: declared encoding ") + encoding);
}

void StreamRewriter::Emit(std::uint64_t upto) {
  if (upto <= emitted_) {
    return;
  }
  Write(buffer_.data() + (emitted_ - buffer_begin_), upto - emitted_);
  emitted_ = upto;
}

void StreamRewriter::Write(const char* data, std::size_t size) {
  if (out_ == nullptr) {
    return;
  }
  output_.append(data, size);
  if (output_.size() >= kOutputBlock) {
    FlushOutput();
  }
}

void StreamRewriter::FlushOutput() {
  out_->write(output_.data(), static_cast<std::streamsize>(output_.size()));
  output_.clear();
}

// Passes on what no later event can change and forgets what is passed on.
void StreamRewriter::Settle(bool final) {
  const std::uint64_t buffer_end = buffer_begin_ + buffer_.size();
  std::uint64_t keep = final ? buffer_end : parsed_end_;
  if (held_ && !final) {
    keep = std::min(keep, *held_);
  }
  Emit(keep);
  const std::uint64_t drop = std::min(keep, emitted_) - buffer_begin_;
  buffer_.erase(0, drop);
  buffer_begin_ += drop;
}

}  // namespace quendral::dxl
