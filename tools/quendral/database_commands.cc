// db create, db import, db export, db list.
#include <cstring>
#include <fstream>
#include <iostream>
#include <memory>
#include <optional>

#include "database_json/image.h"
#include "database_json/replica_text.h"
#include "notes/replica_id.h"
#include "platform/notes/api/database_file.h"
#include "platform/notes/api/ln_universal_id.h"
#include "report/json_text.h"
#include "tools/quendral/command_error.h"
#include "tools/quendral/command_table.h"
#include "tools/quendral/commands.h"
#include "tools/quendral/tool_session.h"

namespace quendral::cli {
namespace {

namespace fs = std::filesystem;
namespace store = platform::store;
using database_json::FormatError;
using database_json::JsonImageWriter;
using database_json::RandomReplicaId;
using database_json::ReadJsonImage;
using database_json::ReplicaIdFromText;

// Where a new database goes: `path` relative to the local data directory,
// "\" or "/" separated, never leaving it.
fs::path NewDatabaseFile(const ToolSession& session, const std::string& path) {
  std::string portable = path;
  for (char& c : portable) {
    if (c == '\\') {
      c = '/';
    }
  }
  const fs::path relative = fs::path(portable).lexically_normal();
  if (relative.empty() || relative.is_absolute() || relative.has_root_name() ||
      *relative.begin() == ".." || relative.filename().empty()) {
    throw CommandError("database path " + path + " must lie inside the data directory");
  }
  return session.ServerDirectory("") / relative;
}

void CreateFile(const fs::path& file, const store::DatabaseImage& image, bool replace,
                const std::string& path) {
  std::error_code ignored;
  fs::create_directories(file.parent_path(), ignored);
  CheckStatus(store::CreateDatabaseFile(file, image, replace), "cannot create database " + path);
}

// Imports the image read from `in` into a new database file, note by note.
// Returns the number of notes.
std::size_t ImportImage(std::istream& in, const std::string& source, const fs::path& file,
                        bool replace, const std::string& path) {
  std::error_code ignored;
  fs::create_directories(file.parent_path(), ignored);
  std::unique_ptr<store::DatabaseFileWriter> writer;
  const std::string cannot = "cannot create database " + path;
  CheckStatus(store::DatabaseFileWriter::Begin(file, replace, &writer), cannot);
  std::size_t notes = 0;
  const store::DatabaseImage heading = ReadJsonImage(in, source, [&](const store::NoteImage& note) {
    const platform::STATUS status = writer->Add(note);
    if (status == platform::kErrInvalidArgument) {
      throw FormatError("its unid or profile is given twice");
    }
    CheckStatus(status, cannot);
    ++notes;
  });
  const platform::STATUS finished =
      writer->Finish(heading.title, heading.replica_id, heading.access_list);
  if (finished == platform::kErrInvalidArgument) {
    throw CommandError("its access list names someone twice");
  }
  CheckStatus(finished, cannot);
  return notes;
}

struct CreateOptions {
  std::string path, replica, title;
};

int Create(const CreateOptions& o, Prepared& prepared) {
  store::DatabaseImage image;
  image.title = o.title;
  image.replica_id = o.replica.empty() ? RandomReplicaId() : ReplicaIdFromText(o.replica);
  CreateFile(NewDatabaseFile(*prepared.session, o.path), image, false, o.path);
  *prepared.context.out << "created " << o.path << " "
                        << FormatReplicaIdText(image.replica_id, true) << "\n";
  return 0;
}

void AddCreate(CLI::App& db, CommandTable& table) {
  auto o = std::make_shared<CreateOptions>();
  auto* command = table.Add(db, {.name = "create",
                                 .description = "Create an empty database",
                                 .setup = Setup::kDataDirectory,
                                 .run = [o](Prepared& prepared) { return Create(*o, prepared); }});
  command->add_option("PATH", o->path, "Database path inside the data directory")->required();
  command->add_option("--replica-id", o->replica, "Replica ID (16 hex digits); random when absent");
  command->add_option("--title", o->title, "Database title");
}

struct ImportOptions {
  std::string path, source;
  bool force = false;
};

int Import(const ImportOptions& o, Prepared& prepared) {
  const fs::path file = NewDatabaseFile(*prepared.session, o.path);
  std::size_t notes = 0;
  if (o.source == "-") {
    notes = ImportImage(std::cin, o.source, file, o.force, o.path);
  } else {
    std::ifstream in(o.source, std::ios::binary);
    if (!in) {
      throw CommandError("cannot read " + o.source);
    }
    notes = ImportImage(in, o.source, file, o.force, o.path);
  }
  *prepared.context.out << "imported " << notes << " notes into " << o.path << "\n";
  return 0;
}

void AddImport(CLI::App& db, CommandTable& table) {
  auto o = std::make_shared<ImportOptions>();
  auto* command = table.Add(db, {.name = "import",
                                 .description = "Create a database from JSON",
                                 .setup = Setup::kDataDirectory,
                                 .run = [o](Prepared& prepared) { return Import(*o, prepared); }});
  command->add_option("PATH", o->path, "Database path inside the data directory")->required();
  command->add_option("FILE", o->source, "JSON file, or - for standard input")->required();
  command->add_flag("--force", o->force, "Replace an existing database");
}

struct ExportOptions {
  std::string path, server, unid;
  bool raw = false;
};

int Export(const ExportOptions& o, Prepared& prepared) {
  UNIVERSALNOTEID wanted{};
  if (!o.unid.empty() && !LNUniversalID::Parse(o.unid, &wanted)) {
    throw CommandError("bad document ID " + o.unid);
  }
  // Printed note by note; with --unid, the one note is printed once
  // found, so that a missing one prints nothing.
  std::vector<platform::formula::AccessEntry> access_list;
  JsonImageWriter writer(*prepared.context.out, o.raw, o.unid.empty() ? &access_list : nullptr);
  std::optional<store::NoteImage> found;
  store::DatabaseInfo info;
  CheckStatus(store::ReadDatabaseNotes(
                  prepared.session->DatabaseFile(o.path, o.server), &info,
                  [&](const store::NoteImage& note) {
                    if (o.unid.empty()) {
                      writer.Note(note);
                    } else if (std::memcmp(&note.unid, &wanted, sizeof wanted) == 0) {
                      found = note;
                    }
                    return platform::kNoError;
                  },
                  &access_list),
              "cannot read database " + o.path);
  if (!o.unid.empty()) {
    if (!found) {
      throw CommandError("no note " + o.unid + " in " + o.path);
    }
    writer.Note(*found);
  }
  writer.Finish(info.title, info.replica_id);
  return 0;
}

void AddExport(CLI::App& db, CommandTable& table) {
  auto o = std::make_shared<ExportOptions>();
  auto* command = table.Add(db, {.name = "export",
                                 .description = "Print a database as JSON",
                                 .setup = Setup::kDataDirectory,
                                 .run = [o](Prepared& prepared) { return Export(*o, prepared); }});
  command->add_option("PATH", o->path, "Database path")->required();
  command->add_option("--server", o->server, "Server name (default: this machine)");
  command->add_option("--unid", o->unid, "Only the note with this universal ID");
  command->add_flag("--raw", o->raw, "Add every item's exact bytes");
}

// {"databases": [{"path", "replica_id", "title", "note_count"}, ...]}
nlohmann::json ListingsJson(const std::vector<store::DatabaseListing>& listings) {
  nlohmann::json databases = nlohmann::json::array();
  for (const store::DatabaseListing& listing : listings) {
    databases.push_back({{"path", listing.path.generic_string()},
                         {"replica_id", FormatReplicaIdText(listing.replica_id, true)},
                         {"title", listing.title},
                         {"note_count", listing.note_count}});
  }
  return {{"databases", databases}};
}

struct ListOptions {
  std::string server;
  bool json = false;
};

int List(const ListOptions& o, Prepared& prepared) {
  std::vector<store::DatabaseListing> listings;
  CheckStatus(store::ListDatabases(prepared.session->ServerDirectory(o.server), &listings),
              "cannot list databases");
  if (o.json) {
    *prepared.context.out << report::JsonText(ListingsJson(listings)) << "\n";
    return 0;
  }
  for (const store::DatabaseListing& listing : listings) {
    *prepared.context.out << listing.path.generic_string() << "\t"
                          << FormatReplicaIdText(listing.replica_id, true) << "\t" << listing.title
                          << "\t" << listing.note_count << "\n";
  }
  return 0;
}

void AddList(CLI::App& db, CommandTable& table) {
  auto o = std::make_shared<ListOptions>();
  auto* command = table.Add(db, {.name = "list",
                                 .description = "List the databases of a server",
                                 .setup = Setup::kDataDirectory,
                                 .run = [o](Prepared& prepared) { return List(*o, prepared); }});
  command->add_option("--server", o->server, "Server name (default: this machine)");
  command->add_flag("--json", o->json,
                    "Print JSON: databases, each with path, replica_id, title, note_count");
}

}  // namespace

void AddDatabaseCommands(CLI::App& app, CommandTable& table) {
  auto* db = app.add_subcommand("db", "Create, import, export and list databases");
  db->require_subcommand(1);
  AddCreate(*db, table);
  AddImport(*db, table);
  AddExport(*db, table);
  AddList(*db, table);
}

}  // namespace quendral::cli
