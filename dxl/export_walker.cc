#include "dxl/export_walker.h"

#include <charconv>

#include "dxl/base64_text.h"
#include "dxl/datetime_text.h"
#include "repair/hide_when_area.h"

namespace quendral::dxl {

namespace formula = platform::formula;

enum class ExportWalker::Role : std::uint8_t {
  kOther,
  kDatabase,
  kNote,
  kNoteInfo,
  kCreated,  // of the note's info
  kModified,
  kAccessed,
  kAccessList,
  kAccessEntry,
  kRole,  // of an access list entry
  kItem,
  kRichText,
  kPardef,
  kAction,
  kHideWhenCode,
  kFormula,
  kParagraph,
  kBreak,
  kText,
  kNumber,
  kDateTime,
  kItemData,
  kLink,
};

namespace {

// The settings of a database that precede its notes.
bool IsDatabaseSetting(std::string_view name) {
  return name == "databaseinfo" || name == "acl" || name == "fulltextsettings" ||
         name == "launchsettings";
}

std::string AttributeOr(const StartTag& tag, std::string_view name) {
  return std::string(tag.Attribute(name).value_or(""));
}

}  // namespace

bool HideWhen::Neutral() const { return IsNeutralHideWhenText(formula); }

ExportWalker::Role ExportWalker::RoleOf(const StartTag& tag) const {
  if (!tag.dxl) {
    return Role::kOther;
  }
  const std::string_view name = tag.name;
  const std::size_t depth = open_.size();
  if (depth == 0) {
    return name == "database" ? Role::kDatabase : Role::kNote;
  }
  const Role parent = open_.back();
  if (!note_) {
    if (depth == 1 && database_root_ && name == "acl") {
      return Role::kAccessList;
    }
    if (parent == Role::kAccessList && name == "aclentry") {
      return Role::kAccessEntry;
    }
    if (parent == Role::kAccessEntry && name == "role") {
      return Role::kRole;
    }
    return depth == 1 && database_root_ && !IsDatabaseSetting(name) ? Role::kNote : Role::kOther;
  }
  if (name == "noteinfo") {
    return Role::kNoteInfo;
  }
  if (parent == Role::kNoteInfo && name == "created") {
    return Role::kCreated;
  }
  if (parent == Role::kNoteInfo && name == "modified") {
    return Role::kModified;
  }
  if (parent == Role::kNoteInfo && name == "lastaccessed") {
    return Role::kAccessed;
  }
  if (name == "item" && depth == note_depth_) {
    return Role::kItem;
  }
  if (name == "richtext") {
    return Role::kRichText;
  }
  if (name == "pardef") {
    return Role::kPardef;
  }
  if (name == "action") {
    return Role::kAction;
  }
  if (name == "code" && (parent == Role::kPardef || parent == Role::kAction) &&
      tag.Attribute("event") == "hidewhen") {
    return Role::kHideWhenCode;
  }
  if (name == "formula" && parent == Role::kHideWhenCode) {
    return Role::kFormula;
  }
  // A paragraph outside rich text, where exports put none, is passed over.
  if (name == "par" && in_rich_text_) {
    return Role::kParagraph;
  }
  if (name == "break") {
    return Role::kBreak;
  }
  if (name == "text") {
    return Role::kText;
  }
  if (name == "number") {
    return Role::kNumber;
  }
  if (name == "datetime") {
    return Role::kDateTime;
  }
  if (name == "itemdata" || name == "rawitemdata") {
    return Role::kItemData;
  }
  if (name == "doclink" || name == "viewlink" || name == "databaselink") {
    return Role::kLink;
  }
  return Role::kOther;
}

void ExportWalker::OnStart(const StartTag& tag) {
  const Role role = RoleOf(tag);
  const Role parent = open_.empty() ? Role::kOther : open_.back();
  open_.push_back(role);
  switch (role) {
    case Role::kDatabase:
      database_root_ = true;
      visitor_.OnDatabase(tag);
      break;
    case Role::kNote:
      StartNote(tag);
      break;
    case Role::kAccessEntry:
      StartAccessEntry(tag);
      break;
    case Role::kRole:
      capture_ = true;
      text_.clear();
      break;
    case Role::kNoteInfo:
      note_->unid = AttributeOr(tag, "unid");
      note_->note_id = AttributeOr(tag, "noteid");
      break;
    case Role::kItem:
      StartItem(tag);
      break;
    case Role::kRichText:
      in_rich_text_ = true;
      last_def_.reset();
      if (collecting_) {
        value_ = formula::Value::Text("");
      }
      break;
    case Role::kPardef:
      hide_when_.pardef_id = AttributeOr(tag, "id");
      hide_when_.static_hide = AttributeOr(tag, "hide");
      break;
    case Role::kAction:
      hide_when_.action_title = AttributeOr(tag, "title");
      break;
    case Role::kHideWhenCode:
      hide_when_.on_action = parent == Role::kAction;
      hide_when_.enabled = tag.Attribute("enabled") != "false";
      break;
    case Role::kFormula:
      if (!reported_) {
        break;
      }
      in_formula_ = true;
      text_.clear();
      hide_when_.text.begin = tag.span.end;
      rewriter_.Hold(tag.span.end);
      break;
    case Role::kParagraph:
      StartParagraph(tag);
      break;
    case Role::kBreak:
      if (capture_ || in_paragraph_) {
        OnText("\n");
      }
      break;
    case Role::kText:
    case Role::kNumber:
    case Role::kDateTime:
      capture_ = collecting_ || parent == Role::kCreated || parent == Role::kModified ||
                 parent == Role::kAccessed;
      daylight_ = role == Role::kDateTime && tag.Attribute("dst") == "true";
      text_.clear();
      break;
    case Role::kItemData:
      if (!reported_) {
        break;
      }
      item_data_ = ItemData{item_, AttributeOr(tag, "type"), Span{tag.span.end, 0}, {}};
      rewriter_.Hold(tag.span.end);
      break;
    case Role::kLink:
      StartLink(tag);
      break;
    default:
      break;
  }
}

void ExportWalker::StartNote(const StartTag& tag) {
  note_.emplace();
  note_->element = std::string(tag.name);
  note_->is_document =
      tag.name == "document" || (tag.name == "note" && tag.Attribute("class") == "document");
  note_->form = AttributeOr(tag, "form");
  reported_ = note_->is_document || all_notes_;
  note_depth_ = open_.size();
  if (reported_) {
    visitor_.OnNoteStart(*note_);
  }
}

void ExportWalker::StartItem(const StartTag& tag) {
  item_ = AttributeOr(tag, "name");
  collecting_ = reported_ && (visitor_.WantsItems() || (item_ == "Form" && note_->form.empty()));
  value_.reset();
}

void ExportWalker::StartParagraph(const StartTag& tag) {
  in_paragraph_ = true;
  if (!counting_paragraphs_) {
    return;
  }
  // A paragraph without a definition continues the previous one's.
  if (const auto def = tag.Attribute("def")) {
    last_def_ = std::string(*def);
  }
  if (last_def_) {
    ++note_->paragraphs[*last_def_];
  }
}

void ExportWalker::StartLink(const StartTag& tag) {
  if (!reported_) {
    return;
  }
  visitor_.OnLink(*note_, LinkElement{std::string(tag.name), item_, AttributeOr(tag, "database"),
                                      AttributeOr(tag, "view"), AttributeOr(tag, "document"),
                                      AttributeOr(tag, "server"), tag.span});
}

// The level and the privileges as the entry's attributes give them; a
// privilege it does not mention is granted when the level carries it.
void ExportWalker::StartAccessEntry(const StartTag& tag) {
  struct Privilege {
    std::string_view attribute;
    std::uint32_t bit;
    int implied_from;  // the lowest level that has it unless told otherwise
  };
  static constexpr Privilege kPrivileges[] = {
      {"createdocs", formula::kCreateDocuments, 4},
      {"deletedocs", formula::kDeleteDocuments, formula::kManagerAccess},
      {"createpersonalagents", formula::kCreatePersonalAgents, 5},
      {"createpersonalviews", formula::kCreatePersonalFoldersAndViews, 5},
      {"createsharedviews", formula::kCreateSharedFoldersAndViews, 5},
      {"createlsjavaagents", formula::kCreateScriptAgents, 5},
      {"readpublicdocs", formula::kReadPublicDocuments, 2},
      {"writepublicdocs", formula::kWritePublicDocuments, 4},
      {"replicateorcopydocs", formula::kReplicateOrCopyDocuments, 2},
  };
  formula::AccessEntry entry;
  entry.name = AttributeOr(tag, "name");
  entry.level = formula::AccessLevelOfName(AttributeOr(tag, "level"));
  for (const Privilege& privilege : kPrivileges) {
    const std::optional<std::string_view> given = tag.Attribute(privilege.attribute);
    if (given ? *given == "true" : entry.level >= privilege.implied_from) {
      entry.privileges |= privilege.bit;
    }
  }
  access_entry_ = std::move(entry);
}

void ExportWalker::OnText(std::string_view text) {
  if (capture_ || in_formula_) {
    text_ += text;
  }
  if (in_paragraph_ && collecting_ && value_ && !value_->texts.empty()) {
    value_->texts.front() += text;
  }
}

void ExportWalker::OnEnd(const EndTag& tag) {
  const Role role = open_.back();
  open_.pop_back();
  const Role parent = open_.empty() ? Role::kOther : open_.back();
  switch (role) {
    case Role::kAccessEntry:
      if (access_entry_) {
        visitor_.OnAccessEntry(*access_entry_);
      }
      access_entry_.reset();
      break;
    case Role::kRole:
      if (access_entry_) {
        access_entry_->roles.push_back(std::move(text_));
      }
      capture_ = false;
      break;
    case Role::kNote:
      if (reported_) {
        visitor_.OnNoteEnd(*note_);
      }
      note_.reset();
      reported_ = false;
      break;
    case Role::kItem:
      EndItem();
      break;
    case Role::kRichText:
      in_rich_text_ = false;
      break;
    case Role::kFormula:
      if (!in_formula_) {
        break;
      }
      in_formula_ = false;
      hide_when_.item = item_;
      hide_when_.formula = std::move(text_);
      hide_when_.text.end = tag.span.begin;
      visitor_.OnHideWhen(*note_, hide_when_);
      rewriter_.Release();
      break;
    case Role::kParagraph:
      in_paragraph_ = false;
      if (collecting_ && value_ && !value_->texts.empty()) {
        value_->texts.front() += '\n';
      }
      break;
    case Role::kText:
    case Role::kNumber:
    case Role::kDateTime:
      EndValue(role, parent);
      capture_ = false;
      break;
    case Role::kItemData:
      if (!item_data_) {
        break;
      }
      item_data_->span.end = tag.span.begin;
      item_data_->layout = AsciiText(rewriter_.Bytes(item_data_->span), rewriter_.encoding());
      visitor_.OnItemData(*note_, *item_data_);
      item_data_.reset();
      rewriter_.Release();
      break;
    default:
      break;
  }
}

void ExportWalker::EndValue(Role role, Role parent) {
  if (parent == Role::kCreated || parent == Role::kModified || parent == Role::kAccessed) {
    (parent == Role::kCreated    ? note_->created
     : parent == Role::kModified ? note_->modified
                                 : note_->accessed) = text_;
    (parent == Role::kCreated    ? note_->created_dst
     : parent == Role::kModified ? note_->modified_dst
                                 : note_->accessed_dst) = daylight_;
    return;
  }
  if (!collecting_ || in_rich_text_) {
    return;
  }
  const formula::ValueKind kind = role == Role::kText     ? formula::ValueKind::kText
                                  : role == Role::kNumber ? formula::ValueKind::kNumber
                                                          : formula::ValueKind::kDateTime;
  if (!value_) {
    value_.emplace();
    value_->kind = kind;
  }
  if (value_->kind != kind) {
    return;
  }
  if (kind == formula::ValueKind::kText) {
    value_->texts.push_back(text_);
  } else if (kind == formula::ValueKind::kNumber) {
    double number = 0;
    const auto [end, error] = std::from_chars(text_.data(), text_.data() + text_.size(), number);
    if (error == std::errc() && end == text_.data() + text_.size()) {
      value_->numbers.push_back(number);
    }
  } else {
    formula::DateTime time;
    if (ParseDateTimeText(text_, daylight_, &time)) {
      value_->datetimes.push_back(time);
    }
  }
}

void ExportWalker::EndItem() {
  if (collecting_ && value_) {
    if (item_ == "Form" && note_->form.empty() && !value_->texts.empty()) {
      note_->form = value_->texts.front();
    }
    if (visitor_.WantsItems()) {
      visitor_.OnItem(*note_, ItemValue{item_, std::move(*value_)});
    }
  }
  item_.clear();
  value_.reset();
  collecting_ = false;
}

bool WalkExport(std::istream& in, StreamRewriter& rewriter, ExportVisitor& visitor, bool all_notes,
                Refusal* refusal) {
  ExportWalker walker(rewriter, visitor, all_notes);
  return rewriter.Run(in, walker, refusal);
}

}  // namespace quendral::dxl
