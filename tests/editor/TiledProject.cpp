#include "TiledProject.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QMouseEvent>
#include <filesystem>
#include <random>

#include "database/DataBaseObj.h"
#include "editor/maps/FormMapViewer.h"
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

const QRgb kLight = qRgb(255, 255, 128), kDark = qRgb(32, 32, 32);

// The colours seen going into a framed rectangle from the middle of each edge, depth 0..5, four
// edges a depth, with what the map itself shows at those pixels.
struct TFrameSample {
  std::vector<QRgb> seen, map;
};
TFrameSample SampleFrame(const TFormMapViewer& view, const QRect& r) {
  const QImage shown = view.viewport()->grab().toImage().convertToFormat(QImage::Format_RGB32);
  const QImage board = view.MapImage().convertToFormat(QImage::Format_RGB32);
  const QPoint origin = view.MapClientRect().topLeft();
  TFrameSample s;
  const QPoint mid = r.center();
  for (int d = 0; d < 6; ++d)
    for (QPoint p : {QPoint(mid.x(), r.top() + d), QPoint(mid.x(), r.bottom() - d), QPoint(r.left() + d, mid.y()),
                     QPoint(r.right() - d, mid.y())}) {
      s.seen.push_back(shown.pixel(p));
      s.map.push_back(board.pixel(p - origin));
    }
  return s;
}

}  // namespace

void SendMouse(QWidget* target, QEvent::Type type, Qt::MouseButton button, Qt::MouseButtons held, QPoint at) {
  QMouseEvent e(type, at, target->mapToGlobal(at), button, held, Qt::NoModifier);
  QApplication::sendEvent(target, &e);
}

void ExpectAreaFrame(const TFormMapViewer& view, const QRect& r) {
  const TFrameSample s = SampleFrame(view, r);
  for (size_t i = 0; i < s.seen.size(); ++i) {
    const size_t depth = i / 4;
    SCOPED_TRACE(testing::Message() << "depth " << depth << " edge " << i % 4);
    const QRgb expected = depth == 0 || depth == 4 ? kLight : depth == 1 || depth == 5 ? kDark : s.map[i];
    EXPECT_EQ(s.seen[i], expected);
  }
}

bool NoFrameAround(const TFormMapViewer& view, const QRect& r) {
  const TFrameSample s = SampleFrame(view, r);
  return s.seen == s.map;
}

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

void TTiledMap::Make(int w, int h) {
  MakeTiledProject(folder, w, h);
  SetProjectFolder(folder);
  SetCurrentRuntimePackageFolder("");
  map.LoadFromProject(folder, 1);
  tileset.chipSetFile = "Noise";
  graphic.SetTileset(&tileset);
}

void Settle() {
  for (int i = 0; i < 3; ++i) QApplication::processEvents();
}

}  // namespace tess::test
