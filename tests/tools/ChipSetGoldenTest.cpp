// Golden pictures of shape composition: the marked tileset drawn in every water and autotile shape
// at each cell size, compared with the expected pictures stored beside this test. Run with
// TESS_UPDATE_GOLDEN=1 to write them anew after a deliberate change, and look at them.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "core/ProjectFolder.h"
#include "database/LD_ChipSet.h"
#include "maps/GR_ChipSet.h"
#include "media/BoardPicture.h"
#include "media/PictureFile.h"
#include "tests/TestFolder.h"
#include "tools/rtpgen/MarkedTileset.h"
#include "tools/rtpgen/RuntimePackage.h"

using namespace tess;

namespace {

// One row per variant, one column per shape 0..49.
struct TVariant {
  int firstId;  // shape 0 of the variant
  int counter;
};
const std::vector<TVariant>& Variants() {
  static const std::vector<TVariant> v = [] {
    std::vector<TVariant> rows;
    for (int kind = 0; kind < 3; ++kind)
      for (int frame = 0; frame < 3; ++frame) rows.push_back({1000 * kind, 24 * frame});
    for (int kind = 0; kind < 3; ++kind) rows.push_back({1000 * kind + 15 * 50, 0});  // every corner piece
    rows.push_back({4000, 0});                                                        // autotile block 0
    rows.push_back({4550, 0});                                                        // block 11
    return rows;
  }();
  return v;
}

constexpr int kGap = 2;
constexpr uint16_t kBackground = Rgb565(96, 96, 96);

TBitmap ShapeSheet(TLcfChipSetGraphic& graphic, int size) {
  const int pitch = size + kGap;
  TCorvidBoard board;
  board.SetSize(kGap + 50 * pitch, kGap + static_cast<int>(Variants().size()) * pitch);
  board.Fill(kBackground);
  graphic.SetTransparent(false);
  for (size_t row = 0; row < Variants().size(); ++row)
    for (int shape = 0; shape < 50; ++shape)
      graphic.DrawChip(board, kGap + shape * pitch, kGap + static_cast<int>(row) * pitch, size, false,
                       Variants()[row].firstId + shape, Variants()[row].counter);
  return BoardToBitmap(board);
}

}  // namespace

TEST(ChipSetGolden, EveryShapeAtEverySizeMatchesItsPicture) {
  test::TTestFolder project;
  SavePictureFile(rtp::ToBitmap(rtp::DrawMarkedTileset()), project.Sub("ChipSet") + "Marked.png");
  SetProjectFolder(project.Path());
  TLcfChipSetItem tileset;
  tileset.chipSetFile = "Marked";
  TLcfChipSetGraphic graphic;
  graphic.SetTileset(&tileset);
  ASSERT_EQ(graphic.pictureError, "");

  const std::string folder = std::string(TESS_SOURCE_DIR) + "/tests/tools/golden/";
  const bool update = std::getenv("TESS_UPDATE_GOLDEN") != nullptr;
  for (int size : {32, 16, 8, 4}) {
    SCOPED_TRACE(size);
    const TBitmap drawn = ShapeSheet(graphic, size);
    const std::string path = folder + "shapes-" + std::to_string(size) + ".png";
    if (update) {
      std::filesystem::create_directories(folder);
      SavePictureFile(drawn, path);
      continue;
    }
    TBitmap expected;
    ASSERT_NO_THROW(LoadPictureFile(expected, path)) << path;
    ASSERT_EQ(expected.Width(), drawn.Width());
    ASSERT_EQ(expected.Height(), drawn.Height());
    int differing = 0;
    for (int y = 0; y < drawn.Height(); ++y)
      for (int x = 0; x < drawn.Width(); ++x)
        if (!(expected.Pixel(x, y) == drawn.Pixel(x, y)) && differing++ < 5)
          ADD_FAILURE() << "pixel " << x << "," << y << " (shape " << (x - kGap) / (size + kGap) << ", row "
                        << (y - kGap) / (size + kGap) << ") differs";
    EXPECT_EQ(differing, 0);
  }
  SetProjectFolder("");
}
