#include "report/recorded_source.h"

#include <nlohmann/json.hpp>
#include <string_view>
#include <vector>

namespace quendral::report {
namespace {

using nlohmann::json;

// A record is written as plain bytes: numbers as they are in memory (it is
// read back by the process that wrote it), texts behind their length, and
// the rare extra keys of an entry as MessagePack.
class RecordWriter {
 public:
  explicit RecordWriter(SpillBuffer& out) : out_(out) {}

  template <class Number>
  void Put(Number number) {
    out_.Write({reinterpret_cast<const char*>(&number), sizeof number});
  }
  void Put(std::string_view text) {
    Put(static_cast<std::uint64_t>(text.size()));
    out_.Write(text);
  }
  void Put(const json& extra) {
    if (extra.is_null()) {
      Put(std::string_view());
      return;
    }
    const std::vector<std::uint8_t> bytes = json::to_msgpack(extra);
    Put(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
  }

  void Put(const DocumentFindings& document) {
    Put(std::string_view(document.unid));
    Put(document.extra);
    Put(static_cast<std::uint64_t>(document.hidden.size()));
    for (const HiddenParagraph& paragraph : document.hidden) {
      Put(std::string_view(paragraph.item));
      Put(std::string_view(paragraph.formula));
      Put(static_cast<std::int8_t>(paragraph.hides ? *paragraph.hides : -1));
      Put(paragraph.enabled);
      Put(paragraph.extra);
    }
    Put(static_cast<std::uint64_t>(document.links.size()));
    for (const LinkFinding& link : document.links) {
      Put(std::string_view(link.item));
      Put(link.index);
      Put(std::string_view(link.replica_id));
      Put(std::string_view(link.note_unid));
      Put(link.status);
      Put(link.extra);
    }
    Put(static_cast<std::uint64_t>(document.backups.size()));
    for (const std::string& backup : document.backups) {
      Put(std::string_view(backup));
    }
  }

 private:
  SpillBuffer& out_;
};

class RecordReader {
 public:
  explicit RecordReader(SpillBuffer& in) : in_(in) {}

  // False at the end of the record.
  template <class Number>
  bool Get(Number* number) {
    return in_.Read(reinterpret_cast<char*>(number), sizeof *number);
  }
  std::string Text() {
    std::uint64_t size = 0;
    Get(&size);
    std::string text(size, '\0');
    in_.Read(text.data(), size);
    return text;
  }
  json Extra() {
    const std::string bytes = Text();
    return bytes.empty() ? json() : json::from_msgpack(bytes);
  }
  template <class Number>
  Number Value() {
    Number number{};
    Get(&number);
    return number;
  }

  DocumentFindings Document() {
    DocumentFindings document;
    document.unid = Text();
    document.extra = Extra();
    document.hidden.resize(Value<std::uint64_t>());
    for (HiddenParagraph& paragraph : document.hidden) {
      paragraph.item = Text();
      paragraph.formula = Text();
      if (const auto hides = Value<std::int8_t>(); hides >= 0) {
        paragraph.hides = hides == 1;
      }
      paragraph.enabled = Value<bool>();
      paragraph.extra = Extra();
    }
    document.links.resize(Value<std::uint64_t>());
    for (LinkFinding& link : document.links) {
      link.item = Text();
      link.index = Value<std::int64_t>();
      link.replica_id = Text();
      link.note_unid = Text();
      link.status = KnownStatus(Text());
      link.extra = Extra();
    }
    document.backups.resize(Value<std::uint64_t>());
    for (std::string& backup : document.backups) {
      backup = Text();
    }
    return document;
  }

 private:
  // One of the statuses of audit_report.h, whose texts outlive the record.
  static std::string_view KnownStatus(const std::string& text) {
    for (std::string_view status : {kLinkOk, kDatabaseNotFound, kDocumentNotFound}) {
      if (text == status) {
        return status;
      }
    }
    return kDatabaseNotFound;
  }

  SpillBuffer& in_;
};

enum class Call : std::uint8_t { kBegin, kDocument, kEnd, kFailed };

}  // namespace

void RecordedSource::BeginSource(const AuditSource& source) {
  RecordWriter writer(held_);
  writer.Put(Call::kBegin);
  writer.Put(std::string_view(source.path));
  writer.Put(std::string_view(source.replica_id));
}

void RecordedSource::Document(const DocumentFindings& findings) {
  RecordWriter writer(held_);
  writer.Put(Call::kDocument);
  writer.Put(findings);
}

void RecordedSource::EndSource(std::int64_t documents) {
  RecordWriter writer(held_);
  writer.Put(Call::kEnd);
  writer.Put(documents);
}

void RecordedSource::FailedSource(const std::string& path, const std::string& reason) {
  RecordWriter writer(held_);
  writer.Put(Call::kFailed);
  writer.Put(std::string_view(path));
  writer.Put(std::string_view(reason));
}

void RecordedSource::Replay(AuditSink& sink) {
  held_.Rewind();
  RecordReader reader(held_);
  Call call{};
  while (reader.Get(&call)) {
    if (call == Call::kBegin) {
      std::string path = reader.Text();
      sink.BeginSource({std::move(path), reader.Text()});
    } else if (call == Call::kDocument) {
      sink.Document(reader.Document());
    } else if (call == Call::kEnd) {
      sink.EndSource(reader.Value<std::int64_t>());
    } else {
      std::string path = reader.Text();
      sink.FailedSource(path, reader.Text());
    }
  }
  held_.Clear();
}

}  // namespace quendral::report
