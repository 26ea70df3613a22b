#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "core/MaterialFiles.h"
#include "core/PathUtils.h"
#include "core/ProjectFolder.h"

using namespace tess;
namespace fs = std::filesystem;

namespace {

struct TempDir {
  fs::path path;
  TempDir() {
    path = fs::temp_directory_path() / ("tess-materials-" + std::to_string(::getpid()));
    fs::remove_all(path);
    fs::create_directories(path);
  }
  ~TempDir() { fs::remove_all(path); }
};

void Touch(const fs::path& p) {
  fs::create_directories(p.parent_path());
  std::ofstream(p) << p.filename().string();
}

using Names = std::vector<std::string>;

}  // namespace

TEST(MaterialFiles, NaturalOrder) {
  const std::string nines(40, '9');
  const std::string tenTo39 = "1" + std::string(39, '0');
  const struct {
    Names in, out;
  } cases[] = {
      {{"Map9", "Map10", "map2"}, {"map2", "Map9", "Map10"}},
      {{"Monster10", "Slime", "Monster2"}, {"Monster2", "Monster10", "Slime"}},
      // Digit runs longer than any integer type compare by value.
      {{"x" + nines, "x100", "x" + tenTo39, "x99", "x4294967296"},
       {"x99", "x100", "x4294967296", "x" + tenTo39, "x" + nines}},
      {{"a" + nines + "b2", "a" + nines + "b10"}, {"a" + nines + "b2", "a" + nines + "b10"}},
      // The number is padded where the prefix ends: a blank sorts before it, an underscore after.
      {{"Map9", "Map 1", "Map_1"}, {"Map 1", "Map9", "Map_1"}},
      // Names of digits only are all prefix; leading zeros do not change the value.
      {{"20", "3", "Hero007", "Hero7", "Hero08"}, {"20", "3", "Hero007", "Hero7", "Hero08"}},
  };
  for (const auto& c : cases) {
    Names names = c.in;
    SortNatural(names);
    EXPECT_EQ(names, c.out);
  }
}

TEST(MaterialFiles, RuntimePackageMark) {
  const struct {
    const char* entry;
    bool marked;
    const char* stripped;
  } cases[] = {{"Hero <RTP>", true, "Hero"},
               {"Hero", false, "Hero"},
               {" <RTP>", true, ""},
               {"Hero<RTP>", false, "Hero<RTP>"},
               {"Hero <RTP> ", false, "Hero <RTP> "}};
  for (const auto& c : cases) {
    EXPECT_EQ(IsRuntimePackageEntry(c.entry), c.marked) << c.entry;
    EXPECT_EQ(StripRuntimePackageMark(c.entry), c.stripped) << c.entry;
  }
}

TEST(MaterialFiles, ListsProjectEntriesThenUnsharedPackageEntries) {
  TempDir dir;
  const std::string project = WithTrailingBackslash((dir.path / "Project").string());
  const std::string rtp = WithTrailingBackslash((dir.path / "RTP").string());
  Touch(dir.path / "Project/charset/Hero.png");  // the folder is found whatever its case
  Touch(dir.path / "Project/charset/Town10.BMP");
  Touch(dir.path / "Project/charset/Town9.bmp");
  Touch(dir.path / "Project/charset/Town9.xyz");  // one entry for both
  Touch(dir.path / "Project/charset/Notes.txt");
  fs::create_directories(dir.path / "Project/charset/Folder.png");
  Touch(dir.path / "RTP/CharSet/Hero.bmp");
  Touch(dir.path / "RTP/CharSet/Hero2.bmp");
  Touch(dir.path / "RTP/CharSet/town9.png");  // the project has it already
  Touch(dir.path / "RTP/Music/Theme.mid");

  EXPECT_EQ(ListMaterials(project, rtp, "CharSet", PictureExtensions()),
            (Names{"Hero", "Town9", "Town10", "Hero2 <RTP>"}));
  EXPECT_EQ(ListMaterials(project, rtp, "Music", MusicExtensions()), (Names{"Theme <RTP>"}));
  EXPECT_EQ(ListMaterials("", rtp, "CharSet", PictureExtensions()),
            (Names{"Hero <RTP>", "Hero2 <RTP>", "town9 <RTP>"}));
  EXPECT_EQ(ListMaterials(project, "", "Sound", SoundExtensions()), Names{});

  // The process-wide folders serve the short forms.
  TProcessFoldersScope folders;
  SetProjectFolder(project);
  SetCurrentRuntimePackageFolder(rtp);
  EXPECT_EQ(ListMaterials("CharSet", PictureExtensions()).size(), 4u);
  EXPECT_EQ(FindMaterialFile("Hero2", "CharSet", PictureExtensions()), rtp + "CharSet/Hero2.bmp");
}

TEST(MaterialFiles, FindsTheProjectFileFirstAndAnyCase) {
  TempDir dir;
  const std::string project = WithTrailingBackslash((dir.path / "Project").string());
  const std::string rtp = WithTrailingBackslash((dir.path / "RTP").string());
  Touch(dir.path / "Project/FaceSet/Hero.xyz");
  Touch(dir.path / "Project/FaceSet/Both.png");
  Touch(dir.path / "Project/FaceSet/Both.bmp");
  Touch(dir.path / "Project/FaceSet/hero2.PNG");
  Touch(dir.path / "Project/FaceSet/Case.bmp");
  Touch(dir.path / "Project/FaceSet/CASE.bmp");
  Touch(dir.path / "RTP/faceset/Hero.bmp");
  Touch(dir.path / "RTP/faceset/Only.png");
  const struct {
    const char* name;
    std::string found;
  } cases[] = {
      {"Hero", project + "FaceSet/Hero.xyz"},  // the project's xyz over the package's bmp
      {"Both", project + "FaceSet/Both.bmp"},  // extensions in their order
      {"Hero2", project + "FaceSet/hero2.PNG"},
      {"CASE", project + "FaceSet/CASE.bmp"},  // the exact spelling first
      {"Only", rtp + "faceset/Only.png"},
      {"Missing", "Missing"},
      {"../RTP/FaceSet/Hero", "../RTP/FaceSet/Hero"},  // a stored name never leads elsewhere
      {"", ""},
  };
  for (const auto& c : cases)
    EXPECT_EQ(FindMaterialFile(project, rtp, c.name, "FaceSet", PictureExtensions()), c.found) << c.name;
}

// The reader's lookup gives only files that are there, and never follows a name out of the folder.
TEST(MaterialFiles, ExistingFileOnlyInsideTheMaterialFolder) {
  TempDir dir;
  const std::string project = WithTrailingBackslash((dir.path / "Project").string());
  Touch(dir.path / "Project/CharSet/Hero.png");
  Touch(dir.path / "Project/Secret.png");
  SetProjectFolder(project);
  SetCurrentRuntimePackageFolder("");
  const struct {
    std::string name;
    std::string found;
  } cases[] = {
      {"Hero", project + "CharSet/Hero.png"},
      {"Missing", ""},           // FindMaterialFile gives the name back; that is no file to open
      {"../Secret", ""},         // a path separator of this system
      {"..\\Secret", ""},        // or of the other
      {project + "Secret", ""},  // an absolute path
      {".", ""},
      {"..", ""},
      {"", ""},
  };
  for (const auto& c : cases)
    EXPECT_EQ(FindExistingMaterialFile(c.name, "CharSet", PictureExtensions()), c.found) << c.name;
  SetProjectFolder("");
}

TEST(PathUtils, WildcardsAndCase) {
  const std::string manyA(60, 'a');
  const struct {
    const char* pattern;
    const char* name;
    bool match;
  } cases[] = {{"Map????.lmu", "Map0001.lmu", true},
               {"Map????.lmu", "MAP0002.LMU", true},
               {"Map????.lmu", "Map01.lmu", false},
               {"Map????.lmu", "Map00001.lmu", false},
               {"*.bmp", "a.b.BMP", true},
               {"*a*a*a*b", manyA.c_str(), false},
               {"*", "", true},
               {"?", "", false}};
  for (const auto& c : cases) EXPECT_EQ(WildcardMatchNoCase(c.pattern, c.name), c.match) << c.pattern;
  EXPECT_EQ(WithTrailingBackslash("/a"), "/a/");
  EXPECT_EQ(WithTrailingBackslash("/a/"), "/a/");
}
