#include <gtest/gtest.h>

#include <filesystem>

#include "../TestFolder.h"
#include "core/AtomicFile.h"
#include "core/InstallLayout.h"

using namespace tess;
using namespace tess::test;

namespace {

void Touch(const std::string& path) {
  std::filesystem::create_directories(std::filesystem::path(path).parent_path());
  WriteFileAtomic(path, std::string("x"));
}

}  // namespace

// Each program finds the templates and the manual from its own folder, in the build tree and in
// an installed tree alike.
TEST(InstallLayout, ProgramsFindTheTemplatesAndTheManualInBothLayouts) {
  TTestFolder root;
  // The build tree: the editor in app/ with its templates and manual, the tools beside it.
  Touch(root / "build/app/TESS_RT.ldb.dat");
  Touch(root / "build/app/manual/index.html");
  std::filesystem::create_directories(root / "build/cli");
  std::filesystem::create_directories(root / "build/tools/tess-rt");
  // An installation prefix.
  Touch(root / "usr/share/tessaly/TESS_RT.ldb.dat");
  Touch(root / "usr/share/doc/tessaly/manual/index.html");
  std::filesystem::create_directories(root / "usr/bin");
  // A folder holding nothing of ours.
  std::filesystem::create_directories(root / "elsewhere/bin");

  struct TCase {
    const char* program;
    const char* data;
    const char* manual;
  };
  const TCase cases[] = {
      {"build/app", "build/app/", "build/app/manual/"},
      {"build/app/", "build/app/", "build/app/manual/"},
      {"build/cli", "build/app/", "build/app/manual/"},
      {"build/tools/tess-rt", "build/app/", "build/app/manual/"},
      {"usr/bin", "usr/share/tessaly/", "usr/share/doc/tessaly/manual/"},
      {"elsewhere/bin", "elsewhere/bin/", "elsewhere/bin/manual/"},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.program);
    EXPECT_EQ(EditorDataFolder(root / c.program), root / c.data);
    EXPECT_EQ(ManualFolder(root / c.program), root / c.manual);
  }
  EXPECT_EQ(EditorDataFolder(""), "");
}
