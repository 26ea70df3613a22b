#include "cli/TextCommands.h"

#include <filesystem>
#include <memory>
#include <ostream>

#include "core/CountText.h"
#include "core/PathUtils.h"
#include "core/Stream.h"
#include "database/DataBaseObj.h"
#include "maps/LD_Map.h"
#include "maps/LD_MapTree.h"
#include "platform/TextCodec.h"
#include "textform/ProjectText.h"
#include "textform/TextForm.h"

namespace tess::cli {

namespace {

// The database and map tree that name what a file's script lines refer to: those beside the file,
// else those of the current folder or of the one project folder inside it (git runs a textconv
// driver at the top of the checkout, on a copy of the file elsewhere). Either may be missing; the
// names then show as unknown.
struct TNamesSource {
  std::unique_ptr<TLcfDataBase> db;
  std::unique_ptr<TLcfMapTree> tree;

  explicit TNamesSource(const std::string& file) {
    const std::string beside = std::filesystem::path(file).parent_path().string();
    std::vector<std::string> folders = {beside.empty() ? std::string(".") : beside, std::string(".")};
    std::vector<std::string> projects;
    for (const std::string& name : ListFolder("."))
      if (IsFolder(name) && FindNameNoCase(name, kDataBaseFileName)) projects.push_back(name);
    if (projects.size() == 1) folders.push_back(projects[0]);
    for (const std::string& folder : folders) {
      if (!db) {
        try {
          auto loaded = std::make_unique<TLcfDataBase>();
          loaded->LoadFromMemory(ReadWholeFile(PathInFolder(folder, kDataBaseFileName)), true);
          db = std::move(loaded);
        } catch (const ETessError&) {
        }
      }
      if (!tree) {
        try {
          auto loaded = std::make_unique<TLcfMapTree>();
          loaded->LoadFromBytes(ReadWholeFile(PathInFolder(folder, kMapTreeFileName)));
          tree = std::move(loaded);
        } catch (const ETessError&) {
        }
      }
    }
  }
};

void Report(const TProjectTextReport& report, const char* verb, std::ostream& out, std::ostream& err) {
  out << verb << " " << CountText(report.files, "text file", "text files") << ": " << report.written.size()
      << " written, " << report.unchanged << " unchanged";
  if (!report.removed.empty()) out << ", " << report.removed.size() << " removed";
  out << "\n";
  for (const std::string& name : report.written) out << "  written " << name << "\n";
  for (const std::string& name : report.removed) out << "  removed " << name << "\n";
  for (const std::string& failure : report.failures) err << "tessaly-cli: " << failure << "\n";
}

}  // namespace

int Text(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  if (args.size() != 1) {
    err << "usage: tessaly-cli text FILE\n";
    return 2;
  }
  const Bytes data = ReadWholeFile(args[0]);
  TNamesSource names(args[0]);
  try {
    out << FileToText(data, TextCodec::Current().Name(), {names.db.get(), names.tree.get()});
  } catch (const ETessError& e) {
    err << "tessaly-cli: " << args[0] << ": " << e.Plain() << "\n";
    return 1;
  }
  return 0;
}

int Dump(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  if (args.size() != 2) {
    err << "usage: tessaly-cli dump PROJECT_DIR OUT_DIR\n";
    return 2;
  }
  const TProjectTextReport report = DumpProject(args[0], args[1], TextCodec::Current().Name());
  Report(report, "dumped", out, err);
  return report.Ok() ? 0 : 1;
}

int Load(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  if (args.size() != 2) {
    err << "usage: tessaly-cli load TEXT_DIR PROJECT_DIR\n";
    return 2;
  }
  const TProjectTextReport report = LoadProject(args[0], args[1]);
  Report(report, "loaded", out, err);
  return report.Ok() ? 0 : 1;
}

}  // namespace tess::cli
