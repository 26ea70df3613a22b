#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <functional>

#include "core/AtomicFile.h"
#include "media/LibpngPeer.h"
#include "media/MaterialManager.h"
#include "media/PictureFile.h"
#include "tests/TestFolder.h"

using namespace tess;
namespace fs = std::filesystem;

namespace {

int FolderIndex(const std::string& name) { return ResourceFolderIndex(name); }

TBitmap Indexed(int w, int h, uint8_t fill = 3) {
  TBitmap b(w, h, TPixelFormat::Indexed8);
  for (int i = 0; i < 256; ++i) b.Palette().push_back(TRgb{static_cast<uint8_t>(i), 0, static_cast<uint8_t>(255 - i)});
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) b.Row(y)[x] = static_cast<uint8_t>(fill + (x + y) % 7);
  return b;
}

// True colour with `colours` colours, and alpha samples when asked (every third pixel transparent).
Bytes TrueColourPng(int w, int h, int colours, int alphaValue = -1) {
  const int channels = alphaValue >= 0 ? 4 : 3;
  std::vector<uint8_t> rows(static_cast<size_t>(w) * h * channels);
  for (int i = 0; i < w * h; ++i) {
    const int c = i % colours;
    uint8_t* p = rows.data() + i * channels;
    p[0] = static_cast<uint8_t>(c), p[1] = static_cast<uint8_t>(c * 7), p[2] = static_cast<uint8_t>(c / 3 + 9);
    if (channels == 4) p[3] = i % 3 == 0 ? static_cast<uint8_t>(alphaValue) : 255;
  }
  peer::TLibpngWrite o;
  o.colourType = channels == 4 ? PNG_COLOR_TYPE_RGBA : PNG_COLOR_TYPE_RGB;
  Bytes out;
  EXPECT_TRUE(peer::LibpngWriteRaw(out, w, h, rows.data(), static_cast<size_t>(w) * channels, {}, o));
  return out;
}

class MaterialImport : public ::testing::Test {
 protected:
  MaterialImport() : project_(folder_.Sub("Game")), rtp_(folder_.Sub("RTP")), manager_(project_, rtp_) {
    folder_.Sub("Game/CharSet");
    folder_.Sub("RTP/CharSet");
  }

  std::string Source(const std::string& name, const TBitmap& picture) {
    const std::string path = folder_.Sub("in") + name;
    SavePictureFile(picture, path);
    return path;
  }
  std::string SourceBytes(const std::string& name, const Bytes& data) {
    const std::string path = folder_.Sub("in") + name;
    WriteFileAtomic(path, data);
    return path;
  }
  // The imported name, or the message of what refused it.
  std::string Outcome(const std::function<std::optional<std::string>()>& run) {
    try {
      const std::optional<std::string> name = run();
      return name ? *name : "(cancelled)";
    } catch (const std::exception& e) {
      return e.what();
    }
  }
  std::string Import(const std::string& folder, const std::string& source, TImportFormat format = TImportFormat::Png) {
    return Outcome([&] { return manager_.Import(FolderIndex(folder), source, format, choices_); });
  }

  tess::test::TTestFolder folder_;
  std::string project_, rtp_;
  TMaterialManager manager_;
  TMaterialManager::TImportChoices choices_{[this](int colours) {
                                              askedColours_ = colours;
                                              return convert_;
                                            },
                                            [this](const TBitmap&) { return transparent_; }};
  bool convert_ = false;
  int askedColours_ = -1;
  std::optional<int> transparent_ = 0;
};

}  // namespace

TEST_F(MaterialImport, SizeAndDepthRulesOfEachFolder) {
  const struct {
    const char* folder;
    int w, h;
    bool imports;
  } cases[] = {
      {"Backdrop", 320, 200, true},      {"Backdrop", 320, 160, true},       {"Backdrop", 320, 159, false},
      {"Backdrop", 319, 240, false},     {"Battle", 480, 480, true},         {"Battle", 481, 100, false},
      {"Battle", 100, 481, false},       {"Battle2", 960, 960, true},        {"Battle2", 961, 10, false},
      {"BattleCharSet", 144, 384, true}, {"BattleCharSet", 145, 384, false}, {"BattleCharSet", 144, 383, false},
      {"BattleWeapon", 192, 512, true},  {"BattleWeapon", 192, 511, false},  {"CharSet", 288, 256, true},
      {"CharSet", 288, 257, false},      {"ChipSet", 480, 256, true},        {"ChipSet", 479, 256, false},
      {"FaceSet", 192, 192, true},       {"FaceSet", 191, 192, false},       {"Frame", 320, 240, true},
      {"GameOver", 320, 241, false},     {"Monster", 16, 16, true},          {"Monster", 200, 240, true},
      {"Monster", 15, 100, false},       {"Monster", 201, 100, false},       {"Monster", 100, 15, false},
      {"Monster", 100, 241, false},      {"Panorama", 80, 80, true},         {"Panorama", 640, 480, true},
      {"Panorama", 79, 100, false},      {"Panorama", 100, 481, false},      {"Picture", 640, 480, true},
      {"Picture", 641, 480, false},      {"System", 160, 80, true},          {"System", 160, 81, false},
      {"System2", 80, 96, true},         {"System2", 81, 96, false},         {"Title", 320, 240, true},
      {"Title", 320, 200, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.folder) + " " + std::to_string(c.w) + "x" + std::to_string(c.h));
    const std::string source = Source("Pic.bmp", Indexed(c.w, c.h));
    EXPECT_EQ(Import(c.folder, source), c.imports ? "Pic" : kInvalidImageSize);
    // The readers that check a picture against its folder hold it to the same rule.
    const std::string problem = PictureRuleProblem(*FindPictureFolder(c.folder), Indexed(c.w, c.h));
    EXPECT_EQ(problem.empty(), c.imports) << problem;
    EXPECT_EQ(fs::exists(project_ + c.folder + "/Pic.png"), c.imports);
    fs::remove(project_ + c.folder + "/Pic.png");
  }
  EXPECT_EQ(PictureRuleProblem(*FindPictureFolder("Backdrop"), Indexed(319, 240)),
            "the picture is 319 x 240 pixels; Backdrop takes a width of 320 and a height of at least 160");
  EXPECT_EQ(FindPictureFolder("Music"), nullptr);
  // Colour depth comes before size: a 24-bit picture of many colours fails on depth, fitting or not.
  TBitmap rgb(320, 240, TPixelFormat::Rgb24);
  for (int y = 0; y < 240; ++y)
    for (int x = 0; x < 320; ++x) {
      uint8_t* p = rgb.Row(y) + 3 * x;
      p[0] = static_cast<uint8_t>(x), p[1] = static_cast<uint8_t>(y), p[2] = static_cast<uint8_t>(x ^ y);
    }
  EXPECT_EQ(Import("Title", Source("Many.png", rgb)), kInvalidColorDepth);
  EXPECT_EQ(Import("CharSet", Source("Many.png", rgb)), kInvalidColorDepth);
  EXPECT_EQ(Import("CharSet", TESS_SOURCE_DIR "/fuzz/corpus/bmp/i4.bmp"), kInvalidColorDepth);  // 4 bits
  EXPECT_EQ(askedColours_, -1);  // none of them could have been converted
  EXPECT_FALSE(fs::exists(project_ + "Title/Many.png"));
}

TEST_F(MaterialImport, TrueColourPicturesOfFewColoursAreConvertedWhenTheAuthorAgrees) {
  const std::string rgb = SourceBytes("Hero.png", TrueColourPng(288, 256, 40));
  EXPECT_EQ(Import("CharSet", rgb), kInvalidColorDepth);  // refused
  EXPECT_EQ(askedColours_, 40);
  EXPECT_FALSE(fs::exists(project_ + "CharSet/Hero.png"));

  convert_ = true;
  EXPECT_EQ(Import("CharSet", rgb), "Hero");
  TBitmap stored, original;
  LoadPictureFile(stored, project_ + "CharSet/Hero.png");
  LoadPictureFile(original, rgb);
  ASSERT_EQ(stored.Format(), TPixelFormat::Indexed8);
  for (int y = 0; y < 256; y += 5)
    for (int x = 0; x < 288; x += 3) ASSERT_EQ(stored.Pixel(x, y), original.Pixel(x, y)) << x << "," << y;

  // With alpha of only 0 and 255 the transparent pixels land on index 0 and the colours after it.
  const std::string rgba = SourceBytes("Ghost.png", TrueColourPng(288, 256, 254, 0));
  EXPECT_EQ(Import("CharSet", rgba), "Ghost");
  EXPECT_EQ(askedColours_, 254);
  LoadPictureFile(stored, project_ + "CharSet/Ghost.png");
  for (int i = 0; i < 288 * 256; i += 7) {
    const int x = i % 288, y = i / 288;
    if (i % 3 == 0) {
      ASSERT_EQ(stored.Row(y)[x], 0) << i;
    } else {
      ASSERT_NE(stored.Row(y)[x], 0) << i;
      const int c = i % 254;
      ASSERT_EQ(stored.Pixel(x, y), (TRgb{uint8_t(c), uint8_t(c * 7), uint8_t(c / 3 + 9)})) << i;
    }
  }

  // Partial transparency, more than 255 colours beside transparency, and a wrong size are refused
  // without asking.
  askedColours_ = -1;
  EXPECT_EQ(Import("CharSet", SourceBytes("Glass.png", TrueColourPng(288, 256, 10, 128))), kInvalidColorDepth);
  EXPECT_EQ(Import("CharSet", SourceBytes("Rich.png", TrueColourPng(288, 256, 256, 0))), kInvalidColorDepth);
  EXPECT_EQ(Import("CharSet", SourceBytes("Small.png", TrueColourPng(100, 100, 10))), kInvalidImageSize);
  EXPECT_EQ(askedColours_, -1);
  // 256 colours without transparency fit exactly.
  EXPECT_EQ(Import("CharSet", SourceBytes("Full.png", TrueColourPng(288, 256, 256))), "Full");
}

TEST_F(MaterialImport, TransparentColourChoiceSwapsIndexAndPalette) {
  TBitmap b = Indexed(288, 256, 0);
  b.Row(0)[0] = 5;
  b.Row(0)[1] = 0;
  b.Row(0)[2] = 9;
  transparent_ = 5;
  EXPECT_EQ(Import("CharSet", Source("Hero.bmp", b)), "Hero");
  TBitmap stored;
  LoadPictureFile(stored, project_ + "CharSet/Hero.png");
  EXPECT_EQ(stored.Palette()[0], b.Palette()[5]);
  EXPECT_EQ(stored.Palette()[5], b.Palette()[0]);
  EXPECT_EQ(stored.Row(0)[0], 0);
  EXPECT_EQ(stored.Row(0)[1], 5);
  EXPECT_EQ(stored.Row(0)[2], 9);
  for (int y = 0; y < 256; ++y)
    for (int x = 0; x < 288; ++x) ASSERT_EQ(stored.Pixel(x, y), b.Pixel(x, y));

  // Cancel in the chooser writes nothing; folders without the chooser keep index 0 as it is.
  transparent_ = std::nullopt;
  EXPECT_EQ(Import("CharSet", Source("Other.bmp", b)), "(cancelled)");
  EXPECT_FALSE(fs::exists(project_ + "CharSet/Other.png"));
  EXPECT_EQ(Import("Title", Source("Screen.bmp", Indexed(320, 240, 0))), "Screen");

  EXPECT_EQ(BlinkColour({200, 50, 100}), (TRgb{180, 80, 80}));
  EXPECT_EQ(BlinkColour({0, 255, 101}), (TRgb{80, 235, 81}));
}

TEST_F(MaterialImport, WritesTheChosenFormatReplacingTheMaterialAndNeverOntoItsSource) {
  WriteFileAtomic(project_ + "CharSet/Hero.bmp", std::string("old bitmap"));
  WriteFileAtomic(project_ + "CharSet/Hero.png", std::string("old png"));
  const std::string source = Source("Hero.bmp", Indexed(288, 256));
  EXPECT_EQ(Import("CharSet", source, TImportFormat::Png), "Hero");
  EXPECT_EQ(PictureFormatOfData(ReadWholeFile(project_ + "CharSet/Hero.png").data(), 8), TPictureFormat::Png);
  // The earlier version in another format would hide the new one.
  EXPECT_FALSE(fs::exists(project_ + "CharSet/Hero.bmp"));
  EXPECT_EQ(Import("CharSet", source, TImportFormat::Xyz), "Hero");
  EXPECT_EQ(PictureFormatOfData(ReadWholeFile(project_ + "CharSet/Hero.xyz").data(), 8), TPictureFormat::Xyz);
  EXPECT_FALSE(fs::exists(project_ + "CharSet/Hero.png"));

  // A folder spelt differently on disk is the one written to.
  fs::rename(project_ + "CharSet", project_ + "charset");
  EXPECT_EQ(Import("CharSet", source), "Hero");
  EXPECT_TRUE(fs::exists(project_ + "charset/Hero.png"));
  EXPECT_FALSE(fs::exists(project_ + "CharSet"));

  // The material itself, by its own name or another path to it, is refused and left whole.
  const std::string self = project_ + "charset/Hero.png";
  const Bytes before = ReadWholeFile(self);
  fs::create_symlink(project_ + "charset", folder_.Path() + "link");
  for (const std::string& path : {self, folder_.Path() + "link/Hero.png", project_ + "charset/../charset/Hero.png"}) {
    SCOPED_TRACE(path);
    EXPECT_NE(Import("CharSet", path).find("itself"), std::string::npos);
    EXPECT_EQ(ReadWholeFile(self), before);
  }

  // A damaged picture fails before anything is written; the material stays as it was.
  EXPECT_EQ(Import("CharSet", SourceBytes("Hero.png", Bytes{0x89, 'P', 'N', 'G', 1, 2, 3})), "Stream read error.");
  EXPECT_EQ(ReadWholeFile(self), before);
}

TEST_F(MaterialImport, MediaFilesAreCopiedAsTheyAre) {
  const std::string song = SourceBytes("Town.mid", Bytes{'M', 'T', 'h', 'd', 0, 1, 2});
  ::chmod(song.c_str(), 0444);
  folder_.Sub("Game/Music");
  WriteFileAtomic(project_ + "Music/Town.mid", std::string("older"));
  EXPECT_EQ(Import("Music", song), "Town");
  EXPECT_EQ(ReadWholeFile(project_ + "Music/Town.mid"), ReadWholeFile(song));
  struct stat st {};
  ASSERT_EQ(::stat((project_ + "Music/Town.mid").c_str(), &st), 0);
  EXPECT_TRUE(st.st_mode & S_IWUSR);  // a read-only source gives a writable copy
  // Movies and sounds go into folders that did not exist yet.
  EXPECT_EQ(Import("Movie", SourceBytes("Intro.avi", Bytes(100000, 7))), "Intro");
  EXPECT_EQ(ReadWholeFile(project_ + "Movie/Intro.avi").size(), 100000u);
  // Onto itself: refused and not truncated.
  EXPECT_NE(Import("Movie", project_ + "Movie/Intro.avi").find("itself"), std::string::npos);
  EXPECT_EQ(ReadWholeFile(project_ + "Movie/Intro.avi").size(), 100000u);
  EXPECT_NE(Import("Sound", folder_ / "in/Nothing.wav").find("Nothing.wav"), std::string::npos);
  EXPECT_FALSE(fs::exists(project_ + "Sound"));
}

TEST_F(MaterialImport, ExportAndDelete) {
  SavePictureFile(Indexed(288, 256), project_ + "CharSet/Hero.png");
  SavePictureFile(Indexed(288, 256, 40), rtp_ + "CharSet/People.png");
  const int charSet = FolderIndex("CharSet");
  EXPECT_EQ(manager_.Entries(charSet), (std::vector<std::string>{"Hero", "People <RTP>"}));

  // The chosen extension decides the format.
  const std::string out = folder_.Sub("out");
  manager_.Export(charSet, "Hero", out + "x.xyz");
  manager_.Export(charSet, "People <RTP>", out + "People.bmp");
  EXPECT_EQ(PictureFormatOfData(ReadWholeFile(out + "x.xyz").data(), 8), TPictureFormat::Xyz);
  EXPECT_EQ(PictureFormatOfData(ReadWholeFile(out + "People.bmp").data(), 8), TPictureFormat::Bmp);
  TBitmap back;
  LoadPictureFile(back, out + "x.xyz");
  EXPECT_EQ(back.Pixel(7, 9), Indexed(288, 256).Pixel(7, 9));
  EXPECT_THROW(manager_.Export(charSet, "Hero", project_ + "CharSet/Hero.png"), EFileError);
  EXPECT_THROW(manager_.Export(charSet, "Nobody", out + "n.png"), EFileError);
  WriteFileAtomic(folder_.Sub("Game/Sound") + "Step.wav", std::string("RIFF...."));
  manager_.Export(FolderIndex("Sound"), "Step", out + "copy.wav");
  EXPECT_EQ(ReadWholeFile(out + "copy.wav"), ReadWholeFile(project_ + "Sound/Step.wav"));

  // A runtime package material can be exported but never deleted.
  std::vector<std::string> asked;
  auto confirm = [&](bool answer) {
    return [&asked, answer](const std::string& name) {
      asked.push_back(name);
      return answer;
    };
  };
  using R = TMaterialManager::TDeleteResult;
  EXPECT_EQ(manager_.Delete(charSet, "People <RTP>", confirm(true)), R::RuntimePackage);
  EXPECT_TRUE(fs::exists(rtp_ + "CharSet/People.png"));
  EXPECT_EQ(manager_.Delete(charSet, "Hero", confirm(false)), R::Cancelled);
  EXPECT_TRUE(fs::exists(project_ + "CharSet/Hero.png"));
  EXPECT_EQ(manager_.Delete(charSet, "Hero", confirm(true)), R::Deleted);
  EXPECT_FALSE(fs::exists(project_ + "CharSet/Hero.png"));
  EXPECT_EQ(asked, (std::vector<std::string>{"Hero.png", "Hero.png"}));
  EXPECT_EQ(manager_.Delete(charSet, "Hero", confirm(true)), R::NotFound);
}
