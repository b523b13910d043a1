// A streaming pass over an XML file that copies it byte for byte, except for
// the spans its listener replaces.
//
// The XML parser (expat) reports every event with its exact byte offset and
// length in the input. The rewriter keeps the input bytes that are not yet
// passed on: those after the last reported event (a token cut by the end of a
// read chunk) and those of a span the listener holds while it decides. Memory
// therefore stays flat in the file's size. Offsets are bytes of the input, so
// a UTF-16 file is rewritten in UTF-16.
#ifndef QUENDRAL_DXL_STREAM_REWRITER_H_
#define QUENDRAL_DXL_STREAM_REWRITER_H_

#include <cstdint>
#include <iosfwd>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "dxl/text_encoding.h"

namespace quendral::dxl {

inline constexpr char kDxlNamespace[] = "http://www.lotus.com/dxl";

// Bytes [begin, end) of the input.
struct Span {
  std::uint64_t begin = 0;
  std::uint64_t end = 0;
};

// Why a file was not taken, and where (1-based; 0 when not at one place).
struct Refusal {
  std::string reason;
  std::uint64_t line = 0;
  std::uint64_t column = 0;

  std::string Text() const;  // "line L, column C: reason"
};

// One replacement made: the input span and the bytes written in its place.
struct Change {
  Span span;
  std::string replacement;
};

struct StartTag {
  std::string_view name;  // local name
  bool dxl = false;       // in the DXL namespace
  // The parser's attribute names and values (UTF-8), in pairs, null-ended.
  const char** attributes = nullptr;
  Span span;  // the whole tag

  // The value of the unprefixed attribute `name`, if the tag has it.
  std::optional<std::string_view> Attribute(std::string_view name) const;
};

struct EndTag {
  std::string_view name;
  bool dxl = false;
  Span span;  // the end tag; empty, at the end of the start tag, for "<x/>"
};

class ElementListener {
 public:
  virtual ~ElementListener() = default;
  virtual void OnStart(const StartTag& tag) = 0;
  virtual void OnEnd(const EndTag& tag) = 0;
  // Character data, UTF-8, possibly in several pieces.
  virtual void OnText(std::string_view text) = 0;
};

class StreamRewriter {
 public:
  // Writes to `out`, or nowhere when it is null (an audit, a dry run).
  explicit StreamRewriter(std::ostream* out);
  ~StreamRewriter();
  StreamRewriter(const StreamRewriter&) = delete;
  StreamRewriter& operator=(const StreamRewriter&) = delete;

  // Reads `in` to its end, reporting its events to `listener`. False with
  // `refusal` set when the input is not well-formed, not UTF-8 or UTF-16, its
  // root is not an export's (dxl/export_root.h), or the listener refused it; the output then is
  // incomplete and must be thrown away. Runs once.
  bool Run(std::istream& in, ElementListener& listener, Refusal* refusal);

  // For listeners, while an event is reported:
  TextEncoding encoding() const { return encoding_; }
  // Stops the pass with `reason`, at the current event.
  void Refuse(std::string reason);
  // The input bytes of `span`, which must lie in the current event or the
  // held span.
  std::string Bytes(Span span) const;
  // Keeps the input from `offset` (not before the current event) until
  // Release, so that Bytes and Replace may still reach it.
  void Hold(std::uint64_t offset);
  void Release();
  // Writes the UTF-8 `text`, in the input's encoding, in place of `span`.
  // Spans must come in input order and not overlap. Bytes that stay as they
  // were are no replacement: false then, and nothing is recorded.
  bool Replace(Span span, std::string_view text);

  // Where replacements (of bytes by other bytes) are recorded, if anywhere.
  void set_change_log(std::vector<Change>* log) { change_log_ = log; }
  std::uint64_t replacements() const { return replacements_; }

  // Called by the parser's handlers.
  void MarkEvent();
  void OnStart(const char* name, const char** attributes);
  void OnEnd(const char* name);
  void OnText(std::string_view text) {
    if (!refusal_) {
      listener_->OnText(text);
    }
  }
  void CheckDeclaredEncoding(const char* encoding);

 private:
  Span CurrentEvent() const;
  void Emit(std::uint64_t upto);
  void Write(const char* data, std::size_t size);
  void FlushOutput();
  void Settle(bool final);
  void Fail(std::string reason);

  struct Parser;
  ElementListener* listener_ = nullptr;
  std::ostream* out_;
  std::string output_;  // written to `out_` in blocks
  std::unique_ptr<Parser> parser_;
  TextEncoding encoding_ = TextEncoding::kUtf8;
  std::string buffer_;  // input bytes from buffer_begin_ on
  std::uint64_t buffer_begin_ = 0;
  std::uint64_t emitted_ = 0;     // input before this is passed on
  std::uint64_t parsed_end_ = 0;  // end of the last event reported
  std::optional<std::uint64_t> held_;
  std::optional<Refusal> refusal_;
  std::vector<Change>* change_log_ = nullptr;
  std::uint64_t replacements_ = 0;
  int depth_ = 0;
  bool bare_root_ = false;  // a note or database root in no namespace
};

}  // namespace quendral::dxl

#endif  // QUENDRAL_DXL_STREAM_REWRITER_H_
