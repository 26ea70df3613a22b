#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <random>

#include "core/AtomicFile.h"
#include "core/Errors.h"
#include "core/Lh5Codec.h"
#include "core/LhaArchive.h"
#include "core/Unlha.h"

using namespace tess;
namespace fs = std::filesystem;

namespace {

struct TempDir {
  fs::path path;
  explicit TempDir(const std::string& tag) {
    path = fs::temp_directory_path() / ("tess-lha-" + tag + "-" + std::to_string(::getpid()));
    fs::remove_all(path);
    fs::create_directories(path);
  }
  ~TempDir() { fs::remove_all(path); }
};

Bytes RandomBytes(size_t n, uint32_t seed) {
  std::mt19937 rng(seed);
  Bytes b(n);
  for (auto& x : b) x = static_cast<uint8_t>(rng());
  return b;
}

// Text made of words, the kind of data that compresses well.
Bytes WordText(size_t n, uint32_t seed) {
  static const char* words[] = {"hero ",   "slime ",    "potion ", "the ",    "castle ", "Map0001 ", "\r\n",
                                "switch ", "variable ", "event ",  "battle ", "of ",     "and "};
  std::mt19937 rng(seed);
  Bytes b;
  while (b.size() < n) {
    const char* w = words[rng() % 13];
    b.insert(b.end(), w, w + std::strlen(w));
  }
  b.resize(n);
  return b;
}

// Pictures and tables: short runs, repeated rows and every byte value.
Bytes BinaryData(size_t n) {
  Bytes b(n);
  for (size_t i = 0; i < n; ++i) b[i] = static_cast<uint8_t>((i % 480) < 32 ? 0 : (i * 7 / 3) ^ (i >> 9));
  return b;
}

void WriteFile(const fs::path& p, const Bytes& data) {
  fs::create_directories(p.parent_path());
  std::ofstream(p, std::ios::binary).write(reinterpret_cast<const char*>(data.data()), data.size());
}

Bytes ReadFile(const fs::path& p) { return ReadWholeFile(p.string()); }

bool HaveLhasa() { return std::system("command -v lha > /dev/null 2>&1") == 0; }

int Shell(const std::string& command) { return std::system(command.c_str()); }

}  // namespace

TEST(Lh5Codec, RoundTripsEveryKindOfData) {
  Bytes repeatedBlock = RandomBytes(8191, 7);
  Bytes twice = repeatedBlock;
  twice.insert(twice.end(), repeatedBlock.begin(), repeatedBlock.end());  // matches at the farthest distance
  const struct {
    const char* name;
    Bytes data;
  } cases[] = {
      {"empty", {}},
      {"one byte", {42}},
      {"one symbol only", {'a', 'a'}},
      {"short repeat", Bytes{'a', 'b', 'c', 'a', 'b', 'c', 'a', 'b', 'c', 'a'}},
      {"long run", Bytes(300000, 0x55)},
      {"farthest distance", twice},
      {"random, many blocks", RandomBytes(200000, 1)},
      {"text", WordText(300000, 2)},
      {"binary", BinaryData(200000)},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const Bytes packed = Lh5Compress(c.data.data(), c.data.size());
    EXPECT_EQ(Lh5Decompress(packed.data(), packed.size(), c.data.size(), c.data.size()), c.data);
  }
  // The compressor must actually find the far matches and the runs.
  const Bytes packedTwice = Lh5Compress(twice.data(), twice.size());
  EXPECT_LT(packedTwice.size(), repeatedBlock.size() + 200);
  const Bytes run(300000, 0x55);
  EXPECT_LT(Lh5Compress(run.data(), run.size()).size(), 200u);
}

TEST(Lh5Codec, DamagedStreamsFailCleanly) {
  const Bytes text = WordText(20000, 3);
  const Bytes packed = Lh5Compress(text.data(), text.size());
  // Every truncation and many single-bit flips either fail with a read error or decode to bytes
  // that the CRC then rejects; none crashes or runs past the output size.
  for (size_t cut = 0; cut < packed.size(); cut += 97) {
    EXPECT_THROW(Lh5Decompress(packed.data(), cut, text.size(), text.size()), EReadError);
  }
  std::mt19937 rng(9);
  for (int i = 0; i < 300; ++i) {
    Bytes damaged = packed;
    damaged[rng() % damaged.size()] ^= static_cast<uint8_t>(1u << (rng() % 8));
    try {
      Bytes out = Lh5Decompress(damaged.data(), damaged.size(), text.size(), text.size());
      EXPECT_EQ(out.size(), text.size());
    } catch (const EReadError&) {
    }
  }
  // A size the caller does not allow is refused before decoding.
  EXPECT_THROW(Lh5Decompress(packed.data(), packed.size(), size_t{1} << 31, size_t{1} << 20), EReadError);
}

TEST(LhaArchive, WritesAndReadsEntries) {
  TMemoryStream out;
  TLhaWriter writer(out);
  const Bytes text = WordText(50000, 4);
  const Bytes noise = RandomBytes(5000, 5);
  writer.AddDirectory("CharSet", 1000);
  writer.AddFile("CharSet/Hero.png", text, 2000);
  writer.AddFile("TESS_RT.ini", noise, 3000);  // does not compress: stored
  writer.AddFile("empty", Bytes{}, 4000);
  writer.AddFile(std::string(217, 'n'), text, 5000);  // a header of 256 bytes takes a pad byte
  writer.Finish();
  const Bytes archive = out.TakeData();
  const auto entries = ReadLhaDirectory(archive);
  ASSERT_EQ(entries.size(), 5u);
  const struct {
    const char* path;
    const char* method;
    bool directory;
    uint32_t mtime;
  } expected[] = {{"CharSet", "-lhd-", true, 1000},
                  {"CharSet/Hero.png", "-lh5-", false, 2000},
                  {"TESS_RT.ini", "-lh0-", false, 3000},
                  {"empty", "-lh0-", false, 4000}};
  for (size_t i = 0; i < 4; ++i) {
    EXPECT_EQ(entries[i].path, expected[i].path);
    EXPECT_EQ(entries[i].method, expected[i].method);
    EXPECT_EQ(entries[i].directory, expected[i].directory);
    EXPECT_EQ(entries[i].mtime, expected[i].mtime);
    EXPECT_EQ(entries[i].level, 2);
  }
  EXPECT_EQ(archive[entries[4].headerOffset], 1);  // 257 bytes, low byte 1
  EXPECT_EQ(ExtractLhaEntry(archive, entries[1]), text);
  EXPECT_EQ(ExtractLhaEntry(archive, entries[2]), noise);
  EXPECT_EQ(ExtractLhaEntry(archive, entries[4]), text);

  // Damaged archives: a changed header byte fails its CRC, a changed data byte the data CRC, a cut
  // archive its size checks.
  Bytes header = archive;
  header[entries[1].headerOffset + 30] ^= 1;
  EXPECT_THROW(ReadLhaDirectory(header), EReadError);
  Bytes data = archive;
  data[entries[2].dataOffset + 10] ^= 1;
  EXPECT_THROW(ExtractLhaEntry(data, ReadLhaDirectory(data)[2]), EReadError);
  for (size_t cut : {size_t{5}, entries[1].dataOffset + 3, archive.size() - 1}) {
    Bytes shortened(archive.begin(), archive.begin() + static_cast<std::ptrdiff_t>(cut));
    EXPECT_THROW(ReadLhaDirectory(shortened), EReadError);
  }
}

TEST(LhaArchive, LhasaReadsEveryMethodAndThePaddedHeader) {
  if (!HaveLhasa()) GTEST_SKIP() << "lhasa is not installed";
  TempDir dir("methods");
  TMemoryStream out;
  TLhaWriter writer(out);
  const std::map<std::string, Bytes> files = {
      {"random.bin", RandomBytes(1 << 20, 6)},     // forced through -lh5-
      {"stored.bin", RandomBytes(1000, 8)},        // stored
      {std::string(217, 'n'), WordText(5000, 9)},  // header of 256 bytes plus the pad byte
      {"Folder/text.txt", WordText(1 << 20, 10)},
      {"two.bin", Bytes{'a', 'a'}},      // forced: a block of one literal symbol, no table
      {"zeros.bin", Bytes(5 << 20, 0)},  // later blocks hold one match symbol and one position
  };
  writer.AddDirectory("Folder", 0);
  for (const auto& [name, data] : files)
    writer.AddFile(name, data, 1600000000,
                   name == "random.bin" || name == "two.bin" ? TLhaMethod::Lh5 : TLhaMethod::Auto);
  writer.Finish();
  const fs::path archive = dir.path / "m.lzh";
  WriteFile(archive, out.Data());
  EXPECT_EQ(Shell("lha t '" + archive.string() + "' > /dev/null"), 0);
  ASSERT_EQ(Shell("cd '" + dir.path.string() + "' && lha xq m.lzh"), 0);
  for (const auto& [name, data] : files) EXPECT_EQ(ReadFile(dir.path / name), data) << name;
  struct stat st;
  ASSERT_EQ(::stat((dir.path / "random.bin").c_str(), &st), 0);
  EXPECT_EQ(st.st_mtime, 1600000000);  // the level-2 header's time stamp
}

// A project and a runtime package laid out as the game disk packs them.
class UnlhaTest : public ::testing::Test {
 protected:
  TempDir dir{"unlha"};
  fs::path project = dir.path / "Projects" / "My Game";
  fs::path rtp = dir.path / "RTP";
  fs::path work = dir.path / "work";
  std::map<std::string, Bytes> expected;  // archive path -> content

  void SetUp() override {
    fs::create_directories(work);
    Put(rtp, "CharSet/Hero.bmp", BinaryData(30000));
    Put(rtp, "CharSet/Slime.bmp", BinaryData(20000));
    Put(rtp, "Music/Theme.mid", RandomBytes(1 << 20, 11));
    Put(rtp, "System/Empty.png", {});
    Put(project, "CharSet/Hero.bmp", WordText(1000, 12));  // the project's own copy wins
    Put(project, "Picture/Notes.txt", WordText(1 << 20, 13));
    Put(project, "Picture/Deep/Inner/pic.xyz", BinaryData(70000));
    Put(project, "TESS_RT.exe", BinaryData(100000));
    Put(project, "TESS_RT.ldb", RandomBytes(3000, 14));
    Put(project, "tess_rt.INI", WordText(200, 15));  // found whatever its case
    Put(project, "TESS_RT.lmt", WordText(500, 16));
    Put(project, "Map0001.lmu", WordText(40000, 17));
    Put(project, "MAP0002.LMU", WordText(40000, 18));
    WriteFile(project / "Map01.lmu", WordText(10, 19));           // not matched by the wildcard
    WriteFile(project / "Notes" / "todo.txt", WordText(10, 20));  // not named
    // Left by a save that died: never packed, whether under a packed folder or a wildcard.
    WriteFile(project / "Picture" / ".Notes.txt.tess-save-Ab12Cd", WordText(10, 21));
    WriteFile(project / ".Map0001.lmu.tess-save-Xy34Zw", WordText(10, 22));
    for (const char* folder : {"Backdrop", "Sound"}) {
      fs::create_directories(project / folder);
      fs::create_directories(rtp / folder);
    }
  }

  void Put(const fs::path& root, const std::string& rel, const Bytes& data) {
    WriteFile(root / rel, data);
    expected[rel] = data;
  }

  std::string ResponseFile(bool withRtp) {
    std::string text;
    const char* folders[] = {"Backdrop", "CharSet", "Music", "Picture", "Sound", "System"};
    if (withRtp) {
      text += "\"" + rtp.string() + "/\"\r\n";
      for (const char* f : folders) text += std::string(f) + "\r\n";
    }
    text += "\"" + project.string() + "/\"\r\n";
    for (const char* f : {"Backdrop", "CharSet", "Picture", "Sound"}) text += std::string(f) + "\r\n";
    text += "TESS_RT.exe\r\nTESS_RT.ldb\r\nTESS_RT.ini\r\nTESS_RT.lmt\r\nMap????.lmu\r\n";
    if (withRtp) text += "\"" + rtp.string() + "/\"\r\n";
    const fs::path list = work / "Response.lst";
    std::ofstream(list, std::ios::binary) << text;
    return list.string();
  }
};

TEST_F(UnlhaTest, GameDiskArchivePassesLhasaAndExtractsIdentically) {
  if (!HaveLhasa()) GTEST_SKIP() << "lhasa is not installed";
  const fs::path archive = work / "My Game.lzh";
  char output[4096];
  const std::string command = "a -+ -r2 -d \"" + archive.string() + "\" @" + ResponseFile(true);
  ASSERT_EQ(Unlha(command, output, sizeof output), kUnlhaOk) << output;

  EXPECT_EQ(Shell("lha t '" + archive.string() + "' > /dev/null"), 0);
  const fs::path out = dir.path / "out";
  fs::create_directories(out);
  ASSERT_EQ(Shell("cd '" + out.string() + "' && lha xq '" + archive.string() + "'"), 0);

  size_t inputBytes = 0, files = 0;
  for (const auto& [rel, data] : expected) {
    SCOPED_TRACE(rel);
    ASSERT_TRUE(fs::is_regular_file(out / rel));
    EXPECT_EQ(ReadFile(out / rel), data);
    inputBytes += data.size();
  }
  for (const auto& e : fs::recursive_directory_iterator(out)) files += e.is_regular_file();
  EXPECT_EQ(files, expected.size());                // one Hero.bmp: the project's replaced the package's
  EXPECT_TRUE(fs::is_directory(out / "Backdrop"));  // empty folders travel as folder entries
  EXPECT_FALSE(fs::exists(out / "Map01.lmu"));
  EXPECT_FALSE(fs::exists(out / "Notes"));
  EXPECT_LT(fs::file_size(archive), inputBytes * 3 / 4);
  // The package lacks a Picture folder: passed over and logged, as older packages lack newer folders.
  EXPECT_NE(std::string(output).find("Added   Map0001.lmu"), std::string::npos);
  EXPECT_NE(std::string(output).find("Skipped Picture"), std::string::npos);
}

TEST_F(UnlhaTest, UpdatesAnExistingArchive) {
  const fs::path archive = work / "a.lzh";
  const std::string a = archive.string();
  ASSERT_EQ(Unlha("a -+ -r2 -d \"" + a + "\" @" + ResponseFile(false), nullptr, 0), kUnlhaOk);
  const size_t before = ReadLhaDirectory(ReadFile(archive)).size();
  // Adding the package afterwards keeps every project entry and adds the package's; names already
  // present are replaced, so the package's Hero.bmp now wins.
  ASSERT_EQ(Unlha("a -r2 \"" + a + "\" \"" + rtp.string() + "/\" CharSet", nullptr, 0), kUnlhaOk);
  const Bytes bytes = ReadFile(archive);
  const auto entries = ReadLhaDirectory(bytes);
  EXPECT_EQ(entries.size(), before + 1);  // Slime.bmp
  for (const TLhaEntry& e : entries) EXPECT_EQ(e.path.find(kSaveTempMark), std::string::npos) << e.path;
  for (const TLhaEntry& e : entries)
    if (e.path == "CharSet/Hero.bmp") {
      EXPECT_EQ(ExtractLhaEntry(bytes, e), BinaryData(30000));
    }
  if (HaveLhasa()) {
    EXPECT_EQ(Shell("lha t '" + a + "' > /dev/null"), 0);
  }

  // Updated through a link, the archive keeps its permissions and the link stays a link.
  ::chmod(a.c_str(), 0640);
  const fs::path link = work / "link.lzh";
  fs::create_symlink(archive, link);
  ASSERT_EQ(Unlha("a \"" + link.string() + "\" \"" + project.string() + "/\" TESS_RT.lmt", nullptr, 0), kUnlhaOk);
  EXPECT_TRUE(fs::is_symlink(link));
  struct stat st;
  ASSERT_EQ(::stat(a.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0640u);
  EXPECT_EQ(ReadLhaDirectory(ReadFile(archive)).size(), entries.size());  // TESS_RT.lmt replaced
}

TEST_F(UnlhaTest, FailuresReportAndLeaveNoArchive) {
  const std::string a = (work / "bad.lzh").string();
  const struct {
    std::string command;
    int result;
  } cases[] = {
      {"x \"" + a + "\" file", kUnlhaBadCommand},
      {"a -q \"" + a + "\" file", kUnlhaBadCommand},
      {"a", kUnlhaBadCommand},
      {"a \"" + a + "\" @" + (work / "none.lst").string(), kUnlhaNotFound},
      {"a -r2 \"" + a + "\" \"" + project.string() + "/\" ../../RTP/CharSet", kUnlhaBadCommand},
      {"a \"" + (work / "no folder" / "x.lzh").string() + "\" \"" + project.string() + "/\" TESS_RT.ini",
       kUnlhaWriteError},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.command);
    char output[16];
    EXPECT_EQ(Unlha(c.command, output, sizeof output), c.result);
    EXPECT_LT(std::strlen(output), sizeof output);  // cut to the buffer, always terminated
    EXPECT_FALSE(fs::exists(a));
  }
  // No temporary archive is left behind.
  EXPECT_EQ(std::distance(fs::directory_iterator(work), fs::directory_iterator()), 0);

  // A damaged archive is not overwritten.
  WriteFile(a, Bytes{'n', 'o', 't', ' ', 'l', 'z', 'h'});
  EXPECT_EQ(Unlha("a \"" + a + "\" \"" + project.string() + "/\" TESS_RT.ini", nullptr, 0), kUnlhaReadError);
  EXPECT_EQ(ReadFile(a).size(), 7u);
}

// Symbolic links in a packed folder: those that lead outside it, or back into a folder that holds
// them, are refused with their names; those that stay inside are packed as what they lead to.
TEST_F(UnlhaTest, LinksLeavingTheFolderAreRefusedByName) {
  WriteFile(dir.path / "secret.txt", WordText(10, 30));
  WriteFile(dir.path / "Other Game" / "TESS_RT.ldb", WordText(10, 31));
  const std::string a = (work / "links.lzh").string();
  const struct {
    const char* link;   // below the project
    fs::path target;    // what it leads to
    const char* named;  // in the refusal, or nullptr: packed
  } cases[] = {
      {"Picture/shadow.txt", dir.path / "secret.txt",
       "Symbolic links lead outside the folder being packed: "
       "Picture/shadow.txt"},
      {"Picture/Other", dir.path / "Other Game", "outside the folder being packed: Picture/Other"},
      {"Picture/Deep/up", "..", "lead back into a folder that holds them: Picture/Deep/up"},
      {"Picture/Deep/here", ".", "lead back into a folder that holds them: Picture/Deep/here"},
      {"Picture/Deep/Inner/loop", "../../..", "lead back into a folder that holds them: Picture/Deep/Inner/loop"},
      {"Picture/same.xyz", "Deep/Inner/pic.xyz", nullptr},
      {"Picture/Alias", "../CharSet", nullptr},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.link);
    const fs::path link = project / c.link;
    fs::create_symlink(c.target, link);
    std::vector<char> output(1 << 16);
    const int result = Unlha("a -r2 \"" + a + "\" @" + ResponseFile(false), output.data(), output.size());
    if (c.named) {
      EXPECT_EQ(result, kUnlhaBadCommand);
      EXPECT_NE(std::string(output.data()).find(c.named), std::string::npos) << output.data();
      EXPECT_FALSE(fs::exists(a));
    } else {
      ASSERT_EQ(result, kUnlhaOk) << output.data();
      const Bytes bytes = ReadFile(a);
      std::map<std::string, Bytes> packed;
      for (const TLhaEntry& e : ReadLhaDirectory(bytes)) packed[e.path] = ExtractLhaEntry(bytes, e);
      if (std::string(c.link) == "Picture/same.xyz") {
        EXPECT_EQ(packed["Picture/same.xyz"], expected["Picture/Deep/Inner/pic.xyz"]);
      } else {
        EXPECT_EQ(packed["Picture/Alias/Hero.bmp"], expected["CharSet/Hero.bmp"]);
      }
      fs::remove(a);
    }
    fs::remove(link);
  }
  // Names are read below their folder: absolute paths are refused as parent references are.
  char output[256];
  EXPECT_EQ(Unlha("a \"" + a + "\" \"" + project.string() + "/\" " + (dir.path / "secret.txt").string(), output,
                  sizeof output),
            kUnlhaBadCommand);
  EXPECT_NE(std::string(output).find("Names may not be absolute paths"), std::string::npos) << output;
}

// However long the log grows, its end, where a failure names its file, is kept.
TEST_F(UnlhaTest, AFailureIsNamedAfterThousandsOfEntries) {
  std::string text = "\"" + project.string() + "/\"\r\n";
  for (int i = 0; i < 3000; ++i) text += "Missing" + std::to_string(i) + ".png\r\n";
  text += "Picture/leak.txt\r\n";
  fs::create_symlink(dir.path / "secret.txt", project / "Picture" / "leak.txt");
  WriteFile(dir.path / "secret.txt", WordText(10, 30));
  const fs::path list = work / "Long.lst";
  std::ofstream(list, std::ios::binary) << text;
  std::vector<char> output(1 << 16);
  EXPECT_EQ(Unlha("a \"" + (work / "long.lzh").string() + "\" @" + list.string(), output.data(), output.size()),
            kUnlhaBadCommand);
  const std::string shown = output.data();
  EXPECT_NE(shown.find("Skipped Missing0.png"), std::string::npos);
  EXPECT_NE(shown.find("Picture/leak.txt"), std::string::npos);
  EXPECT_LT(shown.size(), output.size());
}
