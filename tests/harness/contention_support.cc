#include <chrono>
#include <istream>
#include <ostream>
#include <thread>

#include "harness/contention.h"
#include "harness/database_states.h"
#include "module/repairs.h"
#include "platform/notes/api/item_values.h"
#include "platform/notes/api/ln.h"
#include "support/environment_override.h"

namespace quendral::harness {
namespace {

namespace fs = std::filesystem;
namespace store = platform::store;

constexpr char kSubject[] = "Subject";

std::size_t Draw(std::size_t count, std::mt19937& random) {
  return std::uniform_int_distribution<std::size_t>(0, count - 1)(random);
}

void Record(const FrameOutcome& outcome, Work* work) {
  work->saved = outcome.saved;
  work->status = outcome.result == kFrameSucceeded ? 0 : outcome.status;
}

// Opens the document, waits a moment so that others may save it meanwhile,
// and saves it with a new subject.
void SetSubject(const std::string& id, std::mt19937& random, Work* work) {
  LNSetThrowAllErrorsGlobal(0);
  LNNotesSession session;
  LNDatabase database;
  LNDocument document;
  LNText subject;
  UNIVERSALNOTEID unid{};
  LNSTATUS status = session.Initialize();
  if (status == 0) {
    status = session.GetDatabase(kDatabase, &database);
  }
  if (status == 0) {
    status = database.Open();
  }
  if (status == 0) {
    status = LNUniversalID(LNString(id)).GetUniversalID(&unid);
  }
  if (status == 0) {
    status = database.GetDocument(unid, &document);
  }
  if (status == 0) {
    status = document.Open(0);
  }
  std::this_thread::sleep_for(std::chrono::microseconds(Draw(2000, random)));
  if (status == 0) {
    status = document.GetItem(kSubject, &subject);
  }
  if (status == 0) {
    status = subject.SetValue(LNString(work->token), 1);
  }
  if (status == 0) {
    status = document.Save(0);
  }
  work->saved = status == 0;
  work->sequence = work->saved ? document.GetSequenceNumber() : 0;
  if (status == 0) {
    status = database.Close();
  }
  work->status = status;
}

const store::ItemImage* FindItem(const store::NoteImage& note, std::string_view name) {
  for (const store::ItemImage& item : note.items) {
    if (item.name == name) {
      return &item;
    }
  }
  return nullptr;
}

std::size_t CountBackups(const store::NoteImage& note, const store::ItemImage& table) {
  std::size_t count = 0;
  for (const store::ItemImage& item : note.items) {
    count += item.name.starts_with("$Links_Backup_") && item.value == table.value ? 1 : 0;
  }
  return count;
}

bool SameValue(const store::ItemImage* a, const store::ItemImage* b) {
  return a != nullptr && b != nullptr && a->type == b->type && a->value == b->value;
}

std::string SubjectText(const store::NoteImage& note) {
  const store::ItemImage* item = FindItem(note, kSubject);
  std::vector<std::string> texts;
  if (item == nullptr ||
      platform::values::DecodeTextList(item->value.data(), item->value.size(), &texts) !=
          platform::kNoError ||
      texts.size() != 1) {
    return "";
  }
  return texts[0];
}

// What the log says of one document, checked against it.
std::string DocumentProblem(const RepairedStates& states, const std::vector<Work>& log,
                            std::size_t index, const store::NoteImage& actual) {
  const store::NoteImage& before = states.before.notes[index];
  std::size_t saves = 0;
  bool fixed = false;
  bool relinked = false;
  const Work* last_set = nullptr;
  std::vector<std::uint32_t> set_sequences;
  for (const Work& work : log) {
    if (work.document != index || !work.saved) {
      continue;
    }
    ++saves;
    fixed |= work.kind == WorkKind::kFixHideWhen;
    relinked |= work.kind == WorkKind::kRelink;
    if (work.kind == WorkKind::kSetItem) {
      for (std::uint32_t sequence : set_sequences) {
        if (sequence == work.sequence) {
          return "two saves both made sequence " + std::to_string(sequence);
        }
      }
      set_sequences.push_back(work.sequence);
      if (last_set == nullptr || work.sequence > last_set->sequence) {
        last_set = &work;
      }
    }
  }
  const std::string name = "document " + std::to_string(index) + ": ";
  if (actual.sequence != before.sequence + saves) {
    return name + "sequence " + std::to_string(actual.sequence) + " after " +
           std::to_string(saves) + " saves from " + std::to_string(before.sequence);
  }
  const std::string subject = last_set != nullptr ? last_set->token : SubjectText(before);
  if (SubjectText(actual) != subject) {
    return name + "subject \"" + SubjectText(actual) + "\", not \"" + subject + "\"";
  }
  const store::NoteImage& body = fixed ? states.fixed.notes[index] : before;
  if (!SameValue(FindItem(actual, "Body"), FindItem(body, "Body"))) {
    return name + (fixed ? "the repaired body is not stored" : "the body changed unasked");
  }
  const store::NoteImage& links = relinked ? states.relinked.notes[index] : before;
  if (!SameValue(FindItem(actual, "$Links"), FindItem(links, "$Links"))) {
    return name + (relinked ? "the retargeted links are not stored" : "the links changed unasked");
  }
  const std::size_t backups = CountBackups(actual, *FindItem(before, "$Links"));
  const bool retargeted = !SameValue(FindItem(before, "$Links"), FindItem(links, "$Links"));
  if (backups != (retargeted ? 1u : 0u) || actual.items.size() != before.items.size() + backups) {
    return name + std::to_string(backups) + " link backups among " +
           std::to_string(actual.items.size()) + " items";
  }
  return "";
}

store::DatabaseImage RepairedEverywhere(const fs::path& pristine, const fs::path& scratch,
                                        WorkKind kind) {
  CopyDataDirectory(pristine, scratch);
  quendral::fixtures::EnvironmentOverride data("NOTES_DATA_DIR", scratch.string().c_str());
  for (const std::string& id : DocumentIds(scratch)) {
    if (kind == WorkKind::kFixHideWhen) {
      RunFixRichTextFields("", kDatabase, id.c_str());
    } else {
      RunChangeServerInLinks("", kDatabase, id.c_str(), kOldReplicaText, kTargetDatabase);
    }
  }
  store::DatabaseImage image;
  store::ReadDatabaseImage(scratch / kDatabase, &image);
  return image;
}

}  // namespace

std::vector<WorkKind> AllWorkKinds() {
  return {WorkKind::kSetItem, WorkKind::kFixHideWhen, WorkKind::kRelink};
}

std::vector<WorkKind> ExportedWorkKinds() { return {WorkKind::kFixHideWhen, WorkKind::kRelink}; }

Work DoRandomWork(const std::vector<std::string>& ids, const std::vector<WorkKind>& kinds,
                  const std::string& token, std::mt19937& random) {
  Work work;
  work.kind = kinds[Draw(kinds.size(), random)];
  work.document = Draw(ids.size(), random);
  const char* id = ids[work.document].c_str();
  switch (work.kind) {
    case WorkKind::kSetItem:
      work.token = token;
      SetSubject(id, random, &work);
      break;
    case WorkKind::kFixHideWhen:
      Record(RunFixRichTextFields("", kDatabase, id), &work);
      break;
    case WorkKind::kRelink:
      Record(RunChangeServerInLinks("", kDatabase, id, kOldReplicaText, kTargetDatabase), &work);
      break;
  }
  return work;
}

void WriteWorkLog(std::ostream& out, const std::vector<Work>& log) {
  for (const Work& work : log) {
    out << static_cast<int>(work.kind) << " " << work.document << " " << work.saved << " "
        << work.status << " " << work.sequence << " " << (work.token.empty() ? "-" : work.token)
        << "\n";
  }
}

std::vector<Work> ReadWorkLog(std::istream& in) {
  std::vector<Work> log;
  int kind = 0;
  Work work;
  while (in >> kind >> work.document >> work.saved >> work.status >> work.sequence >> work.token) {
    work.kind = static_cast<WorkKind>(kind);
    log.push_back(work);
  }
  return log;
}

WorkTally Tally(const std::vector<Work>& log) {
  WorkTally tally;
  for (const Work& work : log) {
    ++tally.operations;
    tally.saved += work.saved ? 1 : 0;
    if (work.status == platform::kErrSaveConflict) {
      ++tally.conflicts;
    } else if (work.status == platform::kErrDatabaseBusy) {
      ++tally.busy;
    } else if (work.status != 0) {
      ++tally.other_failures;
    }
  }
  return tally;
}

bool MakeRepairedStates(const fs::path& pristine, const fs::path& scratch, RepairedStates* states) {
  states->fixed = RepairedEverywhere(pristine, scratch, WorkKind::kFixHideWhen);
  states->relinked = RepairedEverywhere(pristine, scratch, WorkKind::kRelink);
  return store::ReadDatabaseImage(pristine / kDatabase, &states->before) == platform::kNoError &&
         states->fixed.notes.size() == states->before.notes.size() &&
         states->relinked.notes.size() == states->before.notes.size();
}

std::string LoggedStateProblems(const RepairedStates& states, const std::vector<Work>& log,
                                const store::DatabaseImage& actual) {
  if (actual.notes.size() != states.before.notes.size()) {
    return "notes were added or lost";
  }
  for (std::size_t index = 0; index < actual.notes.size(); ++index) {
    std::string problem = DocumentProblem(states, log, index, actual.notes[index]);
    if (!problem.empty()) {
      return problem;
    }
  }
  return "";
}

}  // namespace quendral::harness
