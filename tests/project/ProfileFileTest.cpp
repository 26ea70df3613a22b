#include <gtest/gtest.h>

#include <functional>

#include "core/Errors.h"
#include "project/ProfileFile.h"
#include "tests/TempDir.h"

using namespace tess;
using namespace tess::test;

TEST(ProfileFile, WritesChangeOnlyTheirLine) {
  const std::string foreign =
      "; written by the runtime\r\n"
      "[Other]\r\n"
      "GameTitle=not this one\r\n"
      "\r\n"
      "[tess_rt]\r\n"
      "GameTitle = Old Title\r\n"
      "FullPackageFlag=1\r\n"
      "\r\n"
      "[Last]\r\n"
      "junk without equals\r\n";
  const struct {
    const char* name;
    std::string before;
    std::function<void(TProfileFile&)> change;
    std::string after;
  } cases[] = {
      {"replace keeps the key's spelling", foreign,
       [](TProfileFile& f) { f.WriteString("TESS_RT", "GAMETITLE", "New \x82\xA0"); },
       "; written by the runtime\r\n[Other]\r\nGameTitle=not this one\r\n\r\n[tess_rt]\r\nGameTitle=New \x82\xA0\r\n"
       "FullPackageFlag=1\r\n\r\n[Last]\r\njunk without equals\r\n"},
      {"new key after the section's last line", foreign,
       [](TProfileFile& f) { f.WriteInteger("TESS_RT", "MapEditMode", 2); },
       "; written by the runtime\r\n[Other]\r\nGameTitle=not this one\r\n\r\n[tess_rt]\r\nGameTitle = Old Title\r\n"
       "FullPackageFlag=1\r\nMapEditMode=2\r\n\r\n[Last]\r\njunk without equals\r\n"},
      {"delete", foreign, [](TProfileFile& f) { f.DeleteKey("Tess_Rt", "fullpackageflag"); },
       "; written by the runtime\r\n[Other]\r\nGameTitle=not this one\r\n\r\n[tess_rt]\r\nGameTitle = Old Title\r\n"
       "\r\n[Last]\r\njunk without equals\r\n"},
      {"delete a missing key", foreign, [](TProfileFile& f) { f.DeleteKey("TESS_RT", "MapEditZoom"); }, foreign},
      {"new section, file without a last line break", "[A]\r\nx=1",
       [](TProfileFile& f) { f.WriteString("Setup", "DiskNumber", "0"); },
       "[A]\r\nx=1\r\n\r\n[Setup]\r\nDiskNumber=0\r\n"},
      {"a file of LF lines stays so", "[TESS_RT]\nGameTitle=A\n",
       [](TProfileFile& f) { f.WriteBool("TESS_RT", "FullPackageFlag", true); },
       "[TESS_RT]\nGameTitle=A\nFullPackageFlag=1\n"},
      {"new file", "", [](TProfileFile& f) { f.WriteString("TESS_RT", "GameTitle", "Untitled"); },
       "[TESS_RT]\r\nGameTitle=Untitled\r\n"},
  };
  TTempDir dir("profile");
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string path = dir / "TESS_RT.ini";
    std::filesystem::remove(path);
    if (!c.before.empty()) WriteText(path, c.before);
    TProfileFile file(path);
    c.change(file);
    file.Save();
    EXPECT_EQ(ReadText(path), c.after);
    EXPECT_EQ(TProfileFile(path).Text(), c.after);
  }
}

TEST(ProfileFile, ReadsWithoutRegardToCase) {
  TTempDir dir("profile-read");
  WriteText(dir / "tess_rt.INI",
            "[TESS_RT]\r\n"
            "  GameTitle =  \"  Quoted  \" \r\n"
            "MapEditMode=2\r\nMapEditZoom= 7 \r\nBad=x1\r\nHuge=2147483648\r\nNeg=-3\r\nPlus=+4\r\nEmpty=\r\n"
            ";Comment=1\r\n[Next]\r\nOnlyHere=1\r\n");
  TProfileFile f(dir / "TESS_RT.ini");
  EXPECT_EQ(f.Path(), dir / "tess_rt.INI");
  EXPECT_EQ(f.ReadString("tess_rt", "gametitle", "?"), "  Quoted  ");
  const struct {
    const char* key;
    int value;
  } ints[] = {{"MapEditMode", 2}, {"mapeditzoom", 7}, {"Bad", -1},     {"Huge", -1},     {"Neg", -3},
              {"Plus", 4},        {"Empty", -1},      {"Comment", -1}, {"OnlyHere", -1}, {"Missing", -1}};
  for (const auto& c : ints) EXPECT_EQ(f.ReadInteger("TESS_RT", c.key, -1), c.value) << c.key;
  EXPECT_TRUE(f.ReadBool("TESS_RT", "MapEditMode", false));
  EXPECT_FALSE(f.KeyExists("TESS_RT", "Comment"));
  EXPECT_TRUE(f.KeyExists("NEXT", "onlyhere"));

  // Saving writes the file under its own name; no second file appears.
  f.WriteString("TESS_RT", "GameTitle", "Mine");
  f.Save();
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path), std::filesystem::directory_iterator()), 1);
  EXPECT_EQ(TProfileFile(dir / "TESS_RT.ini").ReadString("TESS_RT", "GameTitle", ""), "Mine");
}

TEST(ProfileFile, FailedSaveRaisesAndKeepsTheOldFile) {
  TTempDir dir("profile-fail");
  TProfileFile f(dir / "missing folder/TESS_RT.ini");
  f.WriteString("TESS_RT", "GameTitle", "x");
  EXPECT_THROW(f.Save(), EFileError);
}
