#include "TiledProject.h"

#include <QApplication>
#include <filesystem>
#include <random>

#include "database/DataBaseObj.h"
#include "maps/LD_Map.h"
#include "media/Bitmap.h"
#include "media/PictureFile.h"

namespace tess::test {

namespace {

TBitmap NoiseTileset() {
  TBitmap b(480, 256, TPixelFormat::Indexed8);
  for (int i = 0; i < 256; ++i)
    b.Palette().push_back(TRgb{static_cast<uint8_t>((i & 31) << 3), static_cast<uint8_t>((i >> 5) << 5),
                               static_cast<uint8_t>(255 - (i << 2))});
  std::mt19937 rng(11);
  for (int y = 0; y < 256; ++y)
    for (int x = 0; x < 480; ++x) b.Row(y)[x] = static_cast<uint8_t>(rng() % 256);
  return b;
}

}  // namespace

void FillMap(TLcfMap& map, int w, int h) {
  map.SetWidth(w);
  map.SetHeight(h);
  std::mt19937 rng(3);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      int id = 5010 + static_cast<int>(rng() % 100);
      if (y == h - 2) id = static_cast<int>(rng() % 3) * 1000 + static_cast<int>(rng() % 47);
      if (y == h - 1) id = 4000 + 50 * static_cast<int>(rng() % 12) + static_cast<int>(rng() % 47);
      map.lower.SetCell(x, y, id);
      map.upper.SetCell(x, y, (x + y) % 3 == 0 ? 10001 + static_cast<int>(rng() % 140) : 10000);
    }
}

void MakeTiledProject(const std::string& folder, int w, int h) {
  std::filesystem::create_directories(folder + "ChipSet");
  SavePictureFile(NoiseTileset(), folder + "ChipSet/Noise.png");
  TLcfDataBase db;
  db.ResetDatabase();
  db.system.formatVersion = 2003;
  db.tilesets.SetCount(1);
  db.tilesets.FindById(1)->chipSetFile = "Noise";
  db.SaveToFile(folder + "TESS_RT.ldb");
  TLcfMap map;
  FillMap(map, w, h);
  map.SaveToProject(folder, 1);
}

void Settle() {
  for (int i = 0; i < 3; ++i) QApplication::processEvents();
}

}  // namespace tess::test
