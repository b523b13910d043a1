#include "dxl/export_repairs.h"

#include <algorithm>
#include <functional>
#include <memory>

#include "dxl/attribute_text.h"
#include "dxl/binary_rich_text.h"
#include "dxl/export_walker.h"
#include "dxl/link_table.h"

namespace quendral::dxl {
namespace {

// Counts the notes a repair looks at and changes, and gathers what kept a
// note from being repaired whole into one failure of that note.
class RepairVisitor : public ExportVisitor {
 public:
  RepairVisitor(StreamRewriter& rewriter, RepairCounts& counts)
      : rewriter_(rewriter), counts_(counts) {}

  void OnNoteStart(const NoteFacts&) override {
    replacements_before_ = rewriter_.replacements();
    problems_.clear();
  }
  void OnNoteEnd(const NoteFacts& note) override {
    ++counts_.notes;
    if (rewriter_.replacements() > replacements_before_) {
      ++counts_.changed_notes;
    }
    if (!problems_.empty()) {
      counts_.failures.push_back({note.unid, problems_});
    }
  }

 protected:
  void Replace(Span span, std::string_view text) {
    if (rewriter_.Replace(span, text)) {
      ++counts_.changes;
    }
  }

  // Something of the note is left as it was, and why.
  void Fail(std::string_view problem) {
    problems_ += (problems_.empty() ? "" : "; ") + std::string(problem);
  }

  // Writes the changes of the item data's Base64 text (`data.layout`): its
  // characters are ASCII, one code unit each.
  void ReplaceDigits(const ItemData& data, const std::vector<Base64Edit>& edits) {
    const std::size_t unit = CodeUnitSize(rewriter_.encoding());
    for (const Base64Edit& edit : edits) {
      rewriter_.Replace({data.span.begin + edit.begin * unit, data.span.begin + edit.end * unit},
                        edit.text);
    }
  }

  StreamRewriter& rewriter_;
  RepairCounts& counts_;

 private:
  std::uint64_t replacements_before_ = 0;
  std::string problems_;
};

class HideWhenFixer : public RepairVisitor {
 public:
  HideWhenFixer(StreamRewriter& rewriter, RepairCounts& counts, const HideWhenOptions& options)
      : RepairVisitor(rewriter, counts), options_(options) {}

  void OnHideWhen(const NoteFacts&, const HideWhen& formula) override {
    if (formula.on_action && !options_.actions) {
      return;
    }
    if (formula.enabled && !formula.Neutral()) {
      Replace(formula.text, "0");
    }
  }

  void OnItemData(const NoteFacts&, const ItemData& data) override {
    if (!IsBinaryRichText(data.type)) {
      return;
    }
    if (!data.layout) {
      Fail(data.item + ": " + kNotPlainBase64 + "; left as it was");
      return;
    }
    const BinaryRichText rich_text = NeutraliseBinaryRichText(*data.layout, &memo_);
    if (!rich_text.problem.empty()) {
      Fail(data.item + ": " + rich_text.problem + "; left as it was");
      return;
    }
    std::int64_t overwritten = 0;
    for (const BinaryHideWhen& hide_when : rich_text.hide_whens) {
      if (hide_when.repair == AreaRepair::kOverwritten) {
        ++overwritten;
      } else if (hide_when.repair == AreaRepair::kTooShort) {
        Fail(data.item + ": the hide-when formula of paragraph definition " +
             std::to_string(hide_when.paragraph_definition_id) + " (" +
             std::to_string(hide_when.bytes) + " bytes) is " + kTooShortReason);
      }
    }
    ReplaceDigits(data, rich_text.edits);
    counts_.changes += overwritten;
  }

 private:
  const HideWhenOptions& options_;
  HideWhenMemo memo_;
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

  void OnItemData(const NoteFacts&, const ItemData& data) override {
    if (!IsLinkTableItem(data.item, data.type)) {
      return;
    }
    LinkTable table;
    if (!data.layout || !table.Decode(*data.layout)) {
      Fail("its " + data.item + " item could not be read; left as it was");
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
    ReplaceDigits(data, table.Edits());
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

bool FixHideWhenInExport(std::istream& in, const RepairOutput& output,
                         const HideWhenOptions& options, RepairCounts* counts, Refusal* refusal) {
  return Walk(in, output, options.all_notes, refusal, [counts, &options](StreamRewriter& rewriter) {
    return std::make_unique<HideWhenFixer>(rewriter, *counts, options);
  });
}

bool RelinkExport(std::istream& in, const RepairOutput& output, const RelinkOptions& options,
                  RepairCounts* counts, Refusal* refusal) {
  return Walk(in, output, options.all_notes, refusal, [counts, &options](StreamRewriter& rewriter) {
    return std::make_unique<LinkRetargeter>(rewriter, *counts, options);
  });
}

}  // namespace quendral::dxl
