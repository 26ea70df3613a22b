#include "editor/database/MonsterGraphic.h"

#include <map>
#include <utility>

#include "core/MaterialFiles.h"
#include "media/CorvidSheet.h"

namespace tess {

QImage MonsterImage(const std::string& name, int hue) {
  static std::map<std::pair<std::string, int>, QImage> cache;
  const auto key = std::pair{name, hue};
  if (auto it = cache.find(key); it != cache.end()) return it->second;
  QImage image;
  const std::string file =
      name.empty() ? std::string() : FindExistingMaterialFile(name, "Monster", PictureExtensions());
  if (!file.empty()) {
    TCorvidSheet sheet;
    sheet.autoSize = true;  // the sheet takes the picture's size
    sheet.LoadFromFile(file, false);
    if (sheet.Width() > 0 && sheet.Height() > 0) {
      if (hue % 360 != 0) sheet.RotateHue(hue);
      image = QImage(sheet.Width(), sheet.Height(), QImage::Format_Indexed8);
      QList<QRgb> colours(256);
      for (int i = 0; i < 256; ++i) {
        const TPaletteEntry& p = sheet.palette[static_cast<size_t>(i)];
        colours[i] = i == 0 ? qRgba(0, 0, 0, 0) : qRgb(p.red, p.green, p.blue);
      }
      image.setColorTable(colours);
      for (int y = 0; y < sheet.Height(); ++y) std::copy(sheet.Row(y), sheet.Row(y) + sheet.Width(), image.scanLine(y));
    }
  }
  // Many names, one picture each: the cache stays small for real projects.
  if (cache.size() > 512) cache.clear();
  cache.emplace(key, image);
  return image;
}

}  // namespace tess
