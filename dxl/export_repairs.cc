#include "dxl/export_repairs.h"

#include <algorithm>
#include <functional>
#include <memory>

#include "dxl/attribute_text.h"
#include "dxl/export_walker.h"
#include "dxl/link_table.h"

namespace quendral::dxl {
namespace {

// Counts the notes a repair looks at and changes.
class RepairVisitor : public ExportVisitor {
 public:
  RepairVisitor(StreamRewriter& rewriter, RepairCounts& counts)
      : rewriter_(rewriter), counts_(counts) {}

  void OnNoteStart(const NoteFacts&) override { replacements_before_ = rewriter_.replacements(); }
  void OnNoteEnd(const NoteFacts&) override {
    ++counts_.notes;
    if (rewriter_.replacements() > replacements_before_) {
      ++counts_.changed_notes;
    }
  }

 protected:
  void Replace(Span span, std::string_view text) {
    if (rewriter_.Replace(span, text)) {
      ++counts_.changes;
    }
  }

  StreamRewriter& rewriter_;
  RepairCounts& counts_;

 private:
  std::uint64_t replacements_before_ = 0;
};

class HideWhenFixer : public RepairVisitor {
 public:
  using RepairVisitor::RepairVisitor;

  void OnHideWhen(const NoteFacts&, const HideWhen& formula) override {
    if (formula.enabled && !formula.Neutral()) {
      Replace(formula.text, "0");
    }
  }
};

struct Edit {
  Span span;
  std::string text;
};

class LinkRetargeter : public RepairVisitor {
 public:
  LinkRetargeter(StreamRewriter& rewriter, RepairCounts& counts, const RelinkOptions& options)
      : RepairVisitor(rewriter, counts), options_(options) {}

  void OnLink(const NoteFacts&, const LinkElement& link) override {
    const auto replica = NormaliseReplicaId(link.database);
    if (!replica || !options_.old_replicas.contains(*replica)) {
      return;
    }
    if (*replica == options_.target && !options_.target_server) {
      return;
    }
    const std::string tag = rewriter_.Bytes(link.tag);
    std::vector<Edit> edits = LinkEdits(tag, link.tag.begin);
    std::sort(edits.begin(), edits.end(),
              [](const Edit& a, const Edit& b) { return a.span.begin < b.span.begin; });
    bool changed = false;
    for (const Edit& edit : edits) {
      changed = rewriter_.Replace(edit.span, edit.text) || changed;
    }
    if (changed) {
      ++counts_.changes;
    }
  }

  void OnItemData(const NoteFacts& note, const ItemData& data) override {
    if (data.item != kLinkTableItem || data.type != kLinkTableType) {
      return;
    }
    LinkTable table;
    if (!data.verbatim || !table.Decode(data.text)) {
      counts_.failures.push_back({note.unid, "its $Links item could not be read; left as it was"});
      return;
    }
    std::int64_t retargeted = 0;
    for (std::size_t i = 0; i < table.entries().size(); ++i) {
      const std::string& replica = table.entries()[i].replica_id;
      if (!options_.old_replicas.contains(replica) || replica == options_.target) {
        continue;
      }
      table.SetReplicaId(i, options_.target);
      ++retargeted;
    }
    if (retargeted == 0) {
      return;
    }
    ReplaceDifference(data, table.Encode());
    counts_.changes += retargeted;
  }

 private:
  // The edits of one link's start tag (`tag`, at input offset `offset`).
  std::vector<Edit> LinkEdits(const std::string& tag, std::uint64_t offset) const {
    const TextEncoding encoding = rewriter_.encoding();
    const std::vector<AttributeSpan> attributes = FindAttributes(tag, encoding);
    const auto named = [&attributes](std::string_view name) {
      return std::find_if(attributes.begin(), attributes.end(),
                          [name](const AttributeSpan& a) { return a.name == name; });
    };
    std::vector<Edit> edits;
    const auto database = named("database");
    if (database == attributes.end()) {
      return {};
    }
    edits.push_back(
        {{offset + database->value_begin, offset + database->value_end}, options_.target});
    if (!options_.target_server) {
      return edits;
    }
    const auto server = named("server");
    const char quote = server != attributes.end() ? server->quote : database->quote;
    const std::string value =
        EscapeAttributeValue(*options_.target_server, quote, ReferenceFormOf(tag, encoding));
    if (server != attributes.end()) {
      edits.push_back({{offset + server->value_begin, offset + server->value_end}, value});
    } else {
      // After the database attribute's closing quote.
      const std::uint64_t at = offset + database->value_end + CodeUnitSize(encoding);
      edits.push_back({{at, at}, std::string(" server=") + quote + value + quote});
    }
    return edits;
  }

  // Replaces only the digits that differ between the old and the new text
  // of the same length; both are ASCII, one code unit per character.
  void ReplaceDifference(const ItemData& data, const std::string& text) {
    std::size_t first = 0;
    while (first < text.size() && text[first] == data.text[first]) {
      ++first;
    }
    std::size_t last = text.size();
    while (last > first && text[last - 1] == data.text[last - 1]) {
      --last;
    }
    const std::size_t unit = CodeUnitSize(rewriter_.encoding());
    rewriter_.Replace({data.span.begin + first * unit, data.span.begin + last * unit},
                      std::string_view(text).substr(first, last - first));
  }

  const RelinkOptions& options_;
};

bool Walk(std::istream& in, const RepairOutput& output, bool all_notes, Refusal* refusal,
          const std::function<std::unique_ptr<ExportVisitor>(StreamRewriter&)>& make_visitor) {
  StreamRewriter rewriter(output.out);
  rewriter.set_change_log(output.change_log);
  const std::unique_ptr<ExportVisitor> visitor = make_visitor(rewriter);
  return WalkExport(in, rewriter, *visitor, all_notes, refusal);
}

}  // namespace

bool FixHideWhenInExport(std::istream& in, const RepairOutput& output, bool all_notes,
                         RepairCounts* counts, Refusal* refusal) {
  return Walk(in, output, all_notes, refusal, [counts](StreamRewriter& rewriter) {
    return std::make_unique<HideWhenFixer>(rewriter, *counts);
  });
}

bool RelinkExport(std::istream& in, const RepairOutput& output, const RelinkOptions& options,
                  RepairCounts* counts, Refusal* refusal) {
  return Walk(in, output, options.all_notes, refusal, [counts, &options](StreamRewriter& rewriter) {
    return std::make_unique<LinkRetargeter>(rewriter, *counts, options);
  });
}

}  // namespace quendral::dxl
