// tessaly-rtpgen: draws the shared materials of the runtime package and writes them.
//
//   tessaly-rtpgen rtp FOLDER                   writes the runtime package into FOLDER
//   tessaly-rtpgen demo FOLDER [EDITOR_FOLDER]  creates the demo project in FOLDER, taking the
//                                               project templates from EDITOR_FOLDER
//   tessaly-rtpgen template-database FILE       writes the database new projects start from

#include <cstdio>
#include <exception>
#include <string>
#include <vector>

#include "core/AtomicFile.h"
#include "tools/rtpgen/DemoProject.h"
#include "tools/rtpgen/RuntimePackage.h"

namespace {

int RunRtp(const std::vector<std::string>& args) {
  if (args.size() != 1) return 2;
  int files = tess::rtp::WriteRuntimePackage(args[0]);
  std::printf("Runtime package: %d files in %s\n", files, args[0].c_str());
  return 0;
}

int RunDemo(const std::vector<std::string>& args) {
  if (args.empty() || args.size() > 2) return 2;
  // The templates lie beside the editor; by default the build's editor folder.
  const std::string editorFolder = args.size() == 2 ? args[1] : TESS_EDITOR_FOLDER;
  tess::rtp::WriteDemoProject(args[0], editorFolder);
  std::printf("Demo project \"%s\" in %s\n", tess::rtp::kDemoTitle, args[0].c_str());
  return 0;
}

int RunTemplateDatabase(const std::vector<std::string>& args) {
  if (args.size() != 1) return 2;
  tess::TLcfDataBase db;
  tess::rtp::FillStarterDatabase(db);
  tess::WriteFileAtomic(args[0], db.SaveToMemory(tess::TCatalogVarData::Mode::Copy));
  return 0;
}

struct TCommand {
  const char* name;
  const char* usage;
  int (*run)(const std::vector<std::string>& args);
};
constexpr TCommand kCommands[] = {
    {"rtp", "rtp FOLDER                   write the runtime package into FOLDER", RunRtp},
    {"demo", "demo FOLDER [EDITOR_FOLDER]  create the demo project in FOLDER (templates from EDITOR_FOLDER)", RunDemo},
    {"template-database", "template-database FILE       write the database new projects start from",
     RunTemplateDatabase},
};

int Usage() {
  std::fprintf(stderr, "Usage: tessaly-rtpgen COMMAND ...\n");
  for (const auto& c : kCommands) std::fprintf(stderr, "  %s\n", c.usage);
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) return Usage();
  std::string name = argv[1];
  std::vector<std::string> args(argv + 2, argv + argc);
  for (const auto& c : kCommands)
    if (name == c.name) try {
        int status = c.run(args);
        return status == 2 ? Usage() : status;
      } catch (const std::exception& e) {
        std::fprintf(stderr, "tessaly-rtpgen: %s\n", e.what());
        return 1;
      }
  return Usage();
}
