// What an export holds for the repairs, read from the parser's events: its
// notes, their hide-when formulas, links, link tables and item values.
//
// A note is the root element when it is not <database>, else every child of
// <database> but the database's own settings. Only documents are reported,
// unless all notes are asked for.
#ifndef QUENDRAL_DXL_EXPORT_WALKER_H_
#define QUENDRAL_DXL_EXPORT_WALKER_H_

#include <cstdint>
#include <iosfwd>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "dxl/stream_rewriter.h"
#include "platform/notes/formula/access_list.h"
#include "platform/notes/formula/value.h"

namespace quendral::dxl {

struct NoteFacts {
  std::string element;  // "document", "form", "note"...
  bool is_document = false;
  std::string unid, note_id, form;
  // The <datetime> texts of the note's info, and their dst attributes.
  std::string created, modified, accessed;
  bool created_dst = false, modified_dst = false, accessed_dst = false;
  // Paragraphs using each pardef id, counted as the note is read (when the
  // visitor wants them).
  std::map<std::string, std::int64_t> paragraphs;
};

struct HideWhen {
  std::string item;  // the rich-text item
  // A formula of an action (<action>), which hides a button, not a
  // paragraph; `action_title` is the action's title.
  bool on_action = false;
  std::string action_title;
  std::string pardef_id;
  std::string static_hide;  // the pardef's hide tokens
  bool enabled = true;
  std::string formula;  // its text
  Span text;            // the bytes between <formula> and </formula>

  // Empty, or "0" already: it hides nothing and needs no repair.
  bool Neutral() const;
};

struct LinkElement {
  std::string element;  // "doclink", "viewlink" or "databaselink"
  std::string item;
  std::string database, view, document, server;
  Span tag;
};

// An item whose value is given as <itemdata> or <rawitemdata>: its Base64
// text, which the listener may replace while it is reported.
struct ItemData {
  std::string item;
  std::string type;  // the type attribute, hexadecimal
  Span span;         // the text
  // The characters of `span` as they stand in the file, line ends
  // included, one per code unit; unset when some are not ASCII. Base64
  // written with references or in CDATA is no plain Base64 here, as the
  // repairs could not write it back.
  std::optional<std::string> layout;
};

struct ItemValue {
  std::string name;
  platform::formula::Value value;
};

class ExportVisitor {
 public:
  virtual ~ExportVisitor() = default;
  virtual void OnDatabase(const StartTag& /*tag*/) {}
  // An entry of the database's access control list, whole; it may be
  // unsound (formula::ValidAccessEntry: no name, an unknown level...).
  virtual void OnAccessEntry(const platform::formula::AccessEntry& /*entry*/) {}
  virtual void OnNoteStart(const NoteFacts& /*note*/) {}
  virtual void OnHideWhen(const NoteFacts& /*note*/, const HideWhen& /*formula*/) {}
  virtual void OnLink(const NoteFacts& /*note*/, const LinkElement& /*link*/) {}
  virtual void OnItemData(const NoteFacts& /*note*/, const ItemData& /*data*/) {}
  virtual void OnItem(const NoteFacts& /*note*/, ItemValue&& /*item*/) {}
  virtual void OnNoteEnd(const NoteFacts& /*note*/) {}
  // Whether OnItem, and NoteFacts::paragraphs, are wanted; collecting them
  // costs time.
  virtual bool WantsItems() const { return false; }
  virtual bool WantsParagraphs() const { return false; }
};

class ExportWalker : public ElementListener {
 public:
  ExportWalker(StreamRewriter& rewriter, ExportVisitor& visitor, bool all_notes)
      : rewriter_(rewriter),
        visitor_(visitor),
        all_notes_(all_notes),
        counting_paragraphs_(visitor.WantsParagraphs()) {}

  void OnStart(const StartTag& tag) override;
  void OnEnd(const EndTag& tag) override;
  void OnText(std::string_view text) override;

 private:
  enum class Role : std::uint8_t;
  Role RoleOf(const StartTag& tag) const;
  void StartNote(const StartTag& tag);
  void StartItem(const StartTag& tag);
  void StartParagraph(const StartTag& tag);
  void StartLink(const StartTag& tag);
  void StartAccessEntry(const StartTag& tag);
  void EndValue(Role role, Role parent);
  void EndItem();

  StreamRewriter& rewriter_;
  ExportVisitor& visitor_;
  bool all_notes_;
  bool counting_paragraphs_;
  std::vector<Role> open_;  // the open elements
  bool database_root_ = false;

  // The note being read, and whether it is reported.
  std::optional<NoteFacts> note_;
  bool reported_ = false;
  std::size_t note_depth_ = 0;

  std::string item_;
  std::size_t item_depth_ = 0;
  bool collecting_ = false;  // item values for OnItem
  std::optional<platform::formula::Value> value_;
  std::string text_;       // character data of the text being read
  bool capture_ = false;   // whether a value's text is being read
  bool daylight_ = false;  // the dst attribute of the <datetime> being read
  bool in_rich_text_ = false;
  bool in_paragraph_ = false;
  std::optional<std::string> last_def_;  // the pardef of the previous paragraph

  std::optional<platform::formula::AccessEntry> access_entry_;  // the one being read

  HideWhen hide_when_;  // pardef and code facts for the next formula
  bool in_formula_ = false;
  std::optional<ItemData> item_data_;
};

// Walks the export read from `in` with `visitor`; `rewriter` copies it to its
// output with the visitor's replacements.
bool WalkExport(std::istream& in, StreamRewriter& rewriter, ExportVisitor& visitor, bool all_notes,
                Refusal* refusal);

}  // namespace quendral::dxl

#endif  // QUENDRAL_DXL_EXPORT_WALKER_H_
