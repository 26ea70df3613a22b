#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "core/MaterialFiles.h"
#include "core/NameEncoding.h"

using namespace tess;
namespace fs = std::filesystem;

namespace {

// A single-byte code page for the tests: bytes 0xA0..0xFF are the Latin-1 letters, 0x80..0x9F read
// as nothing.
class TLatinConverter : public TNameConverter {
 public:
  std::optional<std::string> ToUtf8(const std::string& bytes) const override {
    std::string out;
    for (unsigned char c : bytes) {
      if (c < 0x80) {
        out += static_cast<char>(c);
      } else if (c < 0xA0) {
        return std::nullopt;
      } else {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
      }
    }
    return out;
  }
  std::optional<std::string> FromUtf8(const std::string& text) const override {
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
      const unsigned char c = static_cast<unsigned char>(text[i]);
      if (c < 0x80) {
        out += static_cast<char>(c);
        continue;
      }
      if ((c != 0xC2 && c != 0xC3) || i + 1 == text.size()) return std::nullopt;
      const unsigned char d = static_cast<unsigned char>(text[++i]);
      const unsigned char byte = static_cast<unsigned char>(((c & 0x03) << 6) | (d & 0x3F));
      if (byte < 0xA0) return std::nullopt;
      out += static_cast<char>(byte);
    }
    return out;
  }
};

struct TConverterScope {
  TConverterScope() { SetNameConverter(std::make_shared<TLatinConverter>()); }
  ~TConverterScope() { SetNameConverter(nullptr); }
};

struct TFolders {
  fs::path root = fs::temp_directory_path() / ("tess-names-" + std::to_string(::getpid()));
  TFolders() {
    fs::remove_all(root);
    fs::create_directories(root / "project/ChipSet");
    fs::create_directories(root / "rtp/ChipSet");
  }
  ~TFolders() { fs::remove_all(root); }
  std::string Put(const std::string& relative) const {
    const fs::path p = root / relative;
    std::ofstream(p) << "x";
    return p.string();
  }
  std::string Project() const { return (root / "project/").string(); }
  std::string Rtp() const { return (root / "rtp/").string(); }
};

}  // namespace

TEST(NameEncoding, LookupFindsUtf8ThenRawNamesInAnyCase) {
  TConverterScope scope;
  TFolders f;
  const std::string utf8 = f.Put("project/ChipSet/M\xC3\xBChle.png");
  const std::string raw = f.Put("project/ChipSet/M\xFChle.png");  // both: UTF-8 wins
  const std::string onlyRaw = f.Put(
      "project/ChipSet/Br\xFC"
      "cke.bmp");
  const std::string lower = f.Put(
      "project/ChipSet/k\xC3\xBC"
      "che.PNG");
  const std::string undecodable = f.Put("project/ChipSet/x\x81y.png");
  const std::string fromRtp = f.Put("rtp/ChipSet/T\xC3\xBCr.xyz");
  (void)raw;
  const struct {
    std::string stored, found;
  } cases[] = {
      {"M\xFChle", utf8},
      {"Br\xFC"
       "cke",
       onlyRaw},
      {"K\xFC"
       "CHE",
       lower},
      {"x\x81y", undecodable},  // the code page cannot read it: the raw bytes still find it
      {"T\xFCr", fromRtp},
      {"Gone\xFC", "Gone\xFC"},  // nothing found: the name comes back
  };
  for (const auto& c : cases)
    EXPECT_EQ(FindMaterialFile(f.Project(), f.Rtp(), c.stored, "ChipSet", PictureExtensions()), c.found)
        << ShownName(c.stored);

  // The list names every material once, by its stored name.
  const std::vector<std::string> expected{
      "Br\xFC"
      "cke",
      "k\xFC"
      "che",
      "M\xFChle", "x\x81y", "T\xFCr <RTP>"};
  EXPECT_EQ(ListMaterials(f.Project(), f.Rtp(), "ChipSet", PictureExtensions()), expected);
}

TEST(NameEncoding, MessagesAreUtf8AndMissingNamesShowTheirBytes) {
  TConverterScope scope;
  const struct {
    std::string stored, shown, missing;
  } cases[] = {
      {"Hero", "Hero", "Hero"},
      {"M\xFChle", "M\xC3\xBChle", "M\xC3\xBChle (bytes 4D FC 68 6C 65)"},
      {"x\x81y", "x\\x81y", "x\\x81y (bytes 78 81 79)"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ShownName(c.stored), c.shown);
    EXPECT_EQ(DescribeMissingName(c.stored), c.missing);
    EXPECT_TRUE(IsValidUtf8(DescribeMissingName(c.stored)));
  }
  // A folder named in UTF-8 holding a file named with the raw bytes reads as one text.
  EXPECT_EQ(ShownPath("/g/M\xC3\xBChle/Br\xFC"
                      "cke.png"),
            "/g/M\xC3\xBChle/Br\xC3\xBC"
            "cke.png");
  EXPECT_EQ(StoredPathOf("ChipSet/M\xC3\xBChle.png"), "ChipSet/M\xFChle.png");
  // Text the code page cannot hold keeps its UTF-8 name.
  EXPECT_EQ(StoredNameOf("\xE6\x97\xA5"), "\xE6\x97\xA5");
  EXPECT_EQ(DiskNameOf("M\xFChle"), "M\xC3\xBChle");
  EXPECT_EQ(DiskNameOf("M\xC3\xBChle"), "M\xC3\xBChle");
}

TEST(NameEncoding, WithoutAConverterNamesStayRaw) {
  SetNameConverter(nullptr);
  EXPECT_EQ(DiskNameCandidates("M\xFChle"), std::vector<std::string>{"M\xFChle"});
  EXPECT_EQ(StoredNameOf("M\xC3\xBChle"), "M\xC3\xBChle");
  EXPECT_EQ(ShownName("M\xFChle"), "M\\xFChle");
}
