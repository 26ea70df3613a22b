#include "cli/CliCommands.h"

#include <QString>
#include <filesystem>
#include <ostream>
#include <string_view>

#include "cli/DungeonCommand.h"
#include "cli/EventsCommand.h"
#include "cli/FileKinds.h"
#include "cli/FixupCommand.h"
#include "cli/PackCommand.h"
#include "cli/PlayCommand.h"
#include "cli/ProgramFolder.h"
#include "cli/ProjectPictures.h"
#include "cli/RenderMapCommand.h"
#include "cli/SearchCommand.h"
#include "cli/TextCommands.h"
#include "core/AtomicFile.h"
#include "core/ChunkDump.h"
#include "core/Errors.h"
#include "core/LhaArchive.h"
#include "core/Stream.h"
#include "core/Unlha.h"
#include "core/Version.h"
#include "database/DataBaseObj.h"
#include "media/PictureFile.h"
#include "platform/CodePageGuess.h"
#include "platform/RuntimePackage.h"
#include "platform/Settings.h"
#include "platform/TextCodec.h"
#include "project/ProjectCheck.h"
#include "project/ProjectCreation.h"
#include "project/ProjectNames.h"

namespace tess::cli {

namespace {

constexpr size_t kShownMagic = 32;

// What a load of a file of the given kind found wrong: "damaged map at byte 93 (map events >
// event 1 > chunk 2): 4 bytes follow the end of the record." The caller names the file.
std::string DamageText(const TFileKind& kind, const ETessError& e) {
  std::string text = std::string("damaged ") + kind.name;
  if (const auto* damage = dynamic_cast<const EDamagedData*>(&e)) {
    const std::string detail = damage->Detail();  // "damaged at byte N (path): problem."
    const std::string lead = "damaged ";
    return text + " " + (detail.rfind(lead, 0) == 0 ? detail.substr(lead.size()) : detail);
  }
  return text + ": " + e.Plain();
}

int Chunks(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  if (args.size() != 1) {
    err << "usage: tessaly-cli chunks FILE\n";
    return 2;
  }
  const Bytes data = ReadWholeFile(args[0]);
  const TFileKind* kind = FindFileKind(data);
  TChunkDump dump = kind ? DumpChunks(data, kind->layout) : DumpChunks(data);
  out << dump.text;
  // A file whose chunks are whole may still hold what its model cannot take (a count that
  // disagrees with its list, a record that ends early inside a chunk).
  if (dump.damage.empty() && kind) {
    try {
      kind->describe(data);
    } catch (const ETessError& e) {
      dump.damage = DamageText(*kind, e);
    }
  }
  if (dump.damage.empty()) return 0;
  err << "tessaly-cli: " << args[0] << ": " << dump.damage << "\n";
  return 1;
}

int Check(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  std::string project, runtimePackage;
  bool usage = false, runtimePackageNamed = false;
  for (size_t i = 0; i < args.size(); ++i) {
    if (args[i] == "--rtp-folder" && i + 1 < args.size())
      runtimePackage = args[++i], runtimePackageNamed = true;
    else if (args[i].rfind("--", 0) != 0 && project.empty())
      project = args[i];
    else
      usage = true;
  }
  if (usage || project.empty()) {
    err << "usage: tessaly-cli check PROJECT_DIR [--rtp-folder PATH]\n";
    return 2;
  }
  if (!runtimePackageNamed) {
    TSettings settings;
    runtimePackage = RuntimePackageFolder(settings, EditorFolder());
  } else if (!NamedRuntimePackageExists(runtimePackage, err)) {
    return 1;
  }
  TProjectPictures pictures;
  std::vector<TProjectProblem> problems = CheckProject(project, pictures.Visitor());
  for (TProjectProblem& p : pictures.Check(project, runtimePackage)) problems.push_back(std::move(p));
  for (const TProjectProblem& p : problems) out << p.file << ": " << p.message << "\n";
  if (problems.empty()) {
    out << "ok\n";
    return 0;
  }
  out << problems.size() << (problems.size() == 1 ? " problem\n" : " problems\n");
  return 1;
}

// Runs the game disk's archiver on a command line given as words, e.g.
//   archive a -+ -r2 -d "Game.lzh" @Response.lst
int Archive(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  if (args.empty()) {
    err << "usage: tessaly-cli archive a [-r2] [-d] ARCHIVE NAME... | @LIST\n";
    return 2;
  }
  std::string line;
  for (const std::string& a : args) {
    // Words with blanks travel quoted, as the archiver's own command line has them.
    const bool quote = a.find(' ') != std::string::npos && a.find('"') == std::string::npos;
    line += (line.empty() ? "" : " ") + (quote ? "\"" + a + "\"" : a);
  }
  std::vector<char> log(1 << 16);
  const int result = Unlha(line, log.data(), log.size());
  // A name that matched nothing is passed over, so that the rest is still packed; the command
  // still fails, since what it was asked to pack is not all there.
  const bool skipped = std::string_view(log.data()).find("Skipped ") != std::string_view::npos;
  (result == kUnlhaOk && !skipped ? out : err) << log.data();
  return result == kUnlhaOk && !skipped ? 0 : 1;
}

int ArchiveList(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  if (args.size() != 1) {
    err << "usage: tessaly-cli archive-list ARCHIVE\n";
    return 2;
  }
  const Bytes archive = ReadWholeFile(args[0], kMaxArchiveSize);
  try {
    for (const TLhaEntry& e : ReadLhaDirectory(archive)) {
      out << e.method << " " << e.originalSize << " " << e.packedSize << " " << e.path << (e.directory ? "/" : "")
          << "\n";
      try {
        ExtractLhaEntry(archive, e);  // checks the data and its CRC
      } catch (const EDamagedArchive&) {
        throw;
      } catch (const EReadError& damage) {
        throw EDamagedArchive("the packed data of " + e.path + " are damaged (" + damage.what() + ")", e.headerOffset);
      }
    }
  } catch (const EReadError& damage) {
    err << "tessaly-cli: " << args[0] << ": " << damage.what() << "\n";
    return 1;
  }
  return 0;
}

int Convert(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  if (args.size() != 2) {
    err << "usage: tessaly-cli convert IN OUT\n";
    return 2;
  }
  TBitmap picture;
  try {
    LoadPictureFile(picture, args[0]);
  } catch (const ETessError& e) {
    err << "tessaly-cli: " << args[0] << ": " << e.Plain() << "\n";
    return 1;
  }
  SavePictureFile(picture, args[1]);
  return 0;
}

// Reads a file and finds its kind; reports a file of no known kind on err.
const TFileKind* KindOfFile(const std::string& path, Bytes& data, std::ostream& err) {
  data = ReadWholeFile(path);
  const TFileKind* kind = FindFileKind(data);
  if (!kind) {
    // Never the raw bytes: they may hold anything, terminal controls included.
    std::optional<std::string> magic = ReadMagic(data);
    err << "tessaly-cli: " << path << ": unknown kind of file";
    if (magic && !magic->empty() && magic->size() <= kShownMagic)
      err << " (magic \"" << ShownBytes(*magic) << "\")";
    else
      err << " (it starts with \""
          << ShownBytes(
                 std::string(data.begin(), data.begin() + static_cast<ptrdiff_t>(std::min(data.size(), kShownMagic))))
          << (data.size() > kShownMagic ? "\"...)" : "\")");
    err << "\n";
  }
  return kind;
}

int Info(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  if (args.size() != 1) {
    err << "usage: tessaly-cli info FILE\n";
    return 2;
  }
  Bytes data;
  const TFileKind* kind = KindOfFile(args[0], data, err);
  if (!kind) return 1;
  try {
    std::string summary = kind->describe(data);
    out << kind->name << ", " << data.size() << " bytes: " << summary << "\n";
  } catch (const ETessError& e) {
    err << "tessaly-cli: " << args[0] << ": " << DamageText(*kind, e) << "\n";
    return 1;
  }
  return 0;
}

int RoundTrip(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  if (args.size() != 2) {
    err << "usage: tessaly-cli roundtrip IN OUT\n";
    return 2;
  }
  Bytes data;
  const TFileKind* kind = KindOfFile(args[0], data, err);
  if (!kind) return 1;
  Bytes saved;
  try {
    saved = kind->roundTrip(data);
  } catch (const ETessError& e) {
    err << "tessaly-cli: " << args[0] << ": " << DamageText(*kind, e) << "\n";
    return 1;
  }
  WriteFileAtomic(args[1], saved);
  return 0;
}

// Makes a project as the new-project dialog does: DIR's parent is the base folder and its last
// part the folder name. The templates are taken from the editor's folder, by default the app
// folder beside this program's folder in the build tree.
int New(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  const char* usage = "usage: tessaly-cli new DIR [--title TITLE] [--app-folder PATH]\n";
  std::string dir, title = kDefaultGameTitle, appFolder;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    const bool hasValue = i + 1 < args.size();
    if (a == "--title" && hasValue) {
      title = args[++i];
    } else if (a == "--app-folder" && hasValue) {
      appFolder = args[++i];
    } else if (a.rfind("--", 0) != 0 && dir.empty()) {
      dir = a;
    } else {
      err << usage;
      return 2;
    }
  }
  if (dir.empty()) {
    err << usage;
    return 2;
  }
  std::filesystem::path folder = std::filesystem::absolute(dir).lexically_normal();
  if (!folder.has_filename()) folder = folder.parent_path();
  const std::string name = folder.filename().string();
  if (name.empty() || name == "." || name == "..") {
    err << usage;
    return 2;
  }
  const QString shownTitle = QString::fromLocal8Bit(title);
  QString refused;
  if (!TextCodec::Current().CanEncode(shownTitle, &refused)) {
    err << "tessaly-cli: the character \"" << refused.toStdString() << "\" of the title cannot be stored in "
        << TextCodec::Current().Name() << "; choose another with --encoding\n";
    return 2;
  }
  if (QString::fromLocal8Bit(name).size() > kMaxProjectNameLength || shownTitle.size() > kMaxProjectNameLength) {
    err << "tessaly-cli: the folder name and the game title take at most " << kMaxProjectNameLength << " characters\n";
    return 2;
  }
  if (appFolder.empty()) appFolder = EditorFolder();

  std::string why;
  try {
    const std::string project = CreateNewProject(folder.parent_path().string(), name,
                                                 TextCodec::Current().FromUnicode(shownTitle), appFolder, &why);
    out << "created " << project << "\n";
    return 0;
  } catch (const ETessError& e) {
    err << "tessaly-cli: " << e.what() << "\n";
    if (!why.empty()) err << "tessaly-cli: " << why << "\n";
    return 1;
  }
}

// The database template new projects start from: a database in the reset state.
int NewDatabase(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  if (args.size() != 1) {
    err << "usage: tessaly-cli new-database FILE\n";
    return 2;
  }
  TLcfDataBase database;
  database.ResetDatabase();
  WriteFileAtomic(args[0], database.SaveToMemory(TCatalogVarData::Mode::Copy));
  return 0;
}

// One column: each command's usage with every option, and what it does indented below it.
void Help(std::ostream& out) {
  out << "Usage: tessaly-cli COMMAND [ARGS]\n\n"
         "Looks at and converts the files of Tessaly game projects.\n\nCommands:\n";
  for (const TCliCommand& c : Commands()) out << "  " << c.usage << "\n      " << c.summary << "\n";
  out << "\nOptions:\n  --help\n      this text\n  --version\n      the version\n"
         "  --encoding NAME\n      the code page of the project's text (windows-1252 by default):";
  for (const TCodePage& page : CandidateCodePages()) out << " " << page.name;
  out << "\n";
}

}  // namespace

const std::vector<TCliCommand>& Commands() {
  static const std::vector<TCliCommand> commands = {
      {"chunks", "chunks FILE", "the magic string and raw chunk tree of a chunk-encoded file", Chunks},
      {"check", "check PROJECT_DIR [--rtp-folder PATH]",
       "loads a whole project and its pictures; lists files that fail and references to nothing", Check},
      {"events", "events PROJECT_DIR [--map N] [--common] [--troops]",
       "every event script as the editor shows it, under a line naming its map, event and page", Events},
      {"search",
       "search PROJECT_DIR (--switch N | --variable N | --event-name NAME | --text TEXT) [--scope map:N|common|all] "
       "[--where]",
       "the Event Search window's result lines (all maps and the common events unless --scope says otherwise; "
       "--where: map, event, page and line columns); exit status 1 when nothing matched, 3 when a map could not "
       "be read",
       Search},
      {"archive", "archive a [-r2] [-d] ARCHIVE NAME... | @LIST",
       "pack files into an LHA archive as the game disk does", Archive},
      {"archive-list", "archive-list ARCHIVE", "list and check the entries of an LHA archive", ArchiveList},
      {"pack", "pack PROJECT_DIR DEST_DIR [--with-rtp] [--rtp-folder PATH] [--force]",
       "make the game disk of a project into a folder (--rtp-folder implies --with-rtp); a project that fails "
       "check is not packed unless --force is given",
       Pack},
      {"render-map",
       "render-map PROJECT_DIR MAP_ID OUT.png [--zoom 1|2|4|8] [--frame N] [--layers lower,upper,events] "
       "[--rtp-folder PATH]",
       "draw a whole map as one picture as the editor draws it (1/1 by default; --frame: animation ticks)", RenderMap},
      {"fixup", "fixup PROJECT_DIR MAP_ID [--out OUT.lmu] [--ctrl] [--rtp-folder PATH]",
       "re-shape a map's water and autotiles from their neighbours as the pen would (--ctrl: the edge is a border)",
       Fixup},
      {"dungeon", "dungeon PROJECT_DIR MAP_ID [--seed N] [--rtp-folder PATH]",
       "regenerate a random dungeon map in place, as Generate Dungeon does (a fresh seed unless given)", Dungeon},
      {"play",
       "play FILE [--volume V] [--tempo T] [--balance B] [--fade-in MS] [--sound] [--seconds S] [--render OUT.wav]",
       "play a music or sound file (--sound: as a sound effect; --render: into a wave file, no device needed)", Play},
      {"convert", "convert IN OUT", "reads a BMP, PNG or XYZ picture and writes it as OUT's extension says", Convert},
      {"info", "info FILE", "the kind of a chunk-encoded file and a short summary", Info},
      {"roundtrip", "roundtrip IN OUT", "load IN with the editor's models and save it as OUT", RoundTrip},
      {"new", "new DIR [--title TITLE] [--app-folder PATH]",
       "make a new project in DIR as the editor's New Project does (the templates from --app-folder, by default "
       "the editor's folder; the title in the code page NAME, windows-1252 unless named)",
       New},
      {"new-database", "new-database FILE", "write a database in the reset state (the new-project template)",
       NewDatabase},
      {"text", "text FILE",
       "the text form (JSON) of a database, map tree or map file on standard output; git's textconv driver", Text},
      {"dump", "dump PROJECT_DIR OUT_DIR",
       "write the whole project as text: database/ (a file per part), maptree.json, maps/Map0001.json ...", Dump},
      {"load", "load TEXT_DIR PROJECT_DIR",
       "write a dumped project's binaries back where their bytes differ; nothing when any text fails", Load},
  };
  return commands;
}

namespace {

// Takes --encoding NAME (or --encoding=NAME) out of words, wherever it stands, and makes that code
// page the one every command reads and writes text in. False, with the message on err, when the
// name is missing or no code page the editor offers.
bool TakeEncoding(std::vector<std::string>& words, std::ostream& err) {
  std::string name = CandidateCodePages().front().name;
  for (size_t i = 0; i < words.size();) {
    std::string given;
    if (words[i] == "--encoding") {
      if (i + 1 == words.size()) {
        err << "tessaly-cli: --encoding takes the name of a code page\n";
        return false;
      }
      given = words[i + 1];
      words.erase(words.begin() + i, words.begin() + i + 2);
    } else if (words[i].rfind("--encoding=", 0) == 0) {
      given = words[i].substr(11);
      words.erase(words.begin() + i);
    } else {
      ++i;
      continue;
    }
    name = FindCodePage(given);
    if (name.empty()) {
      err << "tessaly-cli: unknown encoding \"" << given << "\"; one of:";
      for (const TCodePage& page : CandidateCodePages()) err << " " << page.name;
      err << "\n";
      return false;
    }
  }
  TextCodec::SetCurrent(name);
  return true;
}

}  // namespace

int RunCli(const std::vector<std::string>& given, std::ostream& out, std::ostream& err) {
  std::vector<std::string> words = given;
  if (!TakeEncoding(words, err)) return 2;
  if (words.empty() || words[0] == "--help" || words[0] == "-h" || words[0] == "help") {
    Help(words.empty() ? err : out);
    return words.empty() ? 2 : 0;
  }
  if (words[0] == "--version") {
    out << "tessaly-cli " << kVersionText << "\n";
    return 0;
  }
  for (const TCliCommand& c : Commands()) {
    if (words[0] != c.name) continue;
    try {
      return c.run(std::vector<std::string>(words.begin() + 1, words.end()), out, err);
    } catch (const std::bad_alloc&) {
      err << "tessaly-cli: Insufficient memory.\n";
      return 1;
    } catch (const std::exception& e) {
      err << "tessaly-cli: " << e.what() << "\n";
      return 1;
    }
  }
  err << "tessaly-cli: unknown command \"" << words[0] << "\"; try --help\n";
  return 2;
}

}  // namespace tess::cli
