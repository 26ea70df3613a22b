#include "editor/database/BattleScreen.h"

#include <QPainter>
#include <map>

#include "core/MaterialFiles.h"
#include "database/DataBaseObj.h"
#include "editor/database/MonsterGraphic.h"
#include "media/CorvidSheet.h"

namespace tess {

namespace {

// A picture of a material folder, index 0 transparent when asked.
QImage ReadSheet(const std::string& name, const char* folder, bool transparent) {
  QImage image;
  const std::string file = name.empty() ? std::string() : FindExistingMaterialFile(name, folder, PictureExtensions());
  if (file.empty()) return image;
  TCorvidSheet sheet;
  sheet.autoSize = true;  // the sheet takes the picture's size
  sheet.LoadFromFile(file, false);
  if (sheet.Width() <= 0 || sheet.Height() <= 0) return image;
  image = QImage(sheet.Width(), sheet.Height(), QImage::Format_ARGB32);
  for (int y = 0; y < sheet.Height(); ++y)
    for (int x = 0; x < sheet.Width(); ++x) {
      const uint8_t index = sheet.Row(y)[x];
      const TPaletteEntry& p = sheet.palette[index];
      image.setPixel(x, y, transparent && index == 0 ? qRgba(0, 0, 0, 0) : qRgb(p.red, p.green, p.blue));
    }
  return image;
}

const QImage& Cached(const std::string& name, const char* folder, bool transparent) {
  static std::map<std::pair<std::string, std::string>, QImage> cache;
  const auto key = std::pair{std::string(folder), name};
  if (auto it = cache.find(key); it != cache.end()) return it->second;
  if (cache.size() > 256) cache.clear();
  return cache.emplace(key, ReadSheet(name, folder, transparent)).first->second;
}

}  // namespace

QImage BackdropImage(const std::string& name) { return Cached(name, "Backdrop", false); }
QImage SystemGraphicImage(const std::string& name) { return Cached(name, "System", false); }

QImage BattlerCellImage(const std::string& sheet, int row) {
  const QImage& image = Cached(sheet, "BattleCharSet", true);
  const QRect cell(0, kBattlerCell * row, kBattlerCell, kBattlerCell);
  if (image.isNull() || row < 0 || !image.rect().contains(cell)) return {};
  return image.copy(cell);
}

TAlignmentContext TroopAlignment(const TLcfDataBase& db) {
  TAlignmentContext c;
  c.battle = &db.battle;
  c.terrainId = db.system.troopPreviewTerrain;
  c.monsters = &db.monsters;
  c.graphicSize = [&db](int32_t id) {
    const TLcfMonsterItem* m = db.monsters.FindById(id);
    const QImage image = m ? MonsterImage(m->monsterFile, m->hue) : QImage();
    return TGraphicSize{image.width(), image.height()};
  };
  return c;
}

QPoint MemberCentre(const TLcfMonGroupItem& troop, int index, const TAlignmentContext& alignment) {
  const TLcfMonGroupMonsterItem* m = troop.members.ItemAt(index);
  if (!m) return {};
  // Automatic alignment places the troop whenever it is drawn; the stored places stay as they are.
  if (troop.alignment == 1)
    if (auto p = troop.AlignedPosition(index, alignment)) return {p->x, p->y};
  return {m->x, m->y};
}

namespace {

QImage MemberImage(const TLcfDataBase& db, const TLcfMonGroupItem& troop, int index) {
  const TLcfMonGroupMonsterItem* member = troop.members.ItemAt(index);
  const TLcfMonsterItem* monster = member ? db.monsters.FindById(member->monsterId) : nullptr;
  return monster ? MonsterImage(monster->monsterFile, monster->hue) : QImage();
}

QRect Around(QPoint c, QSize size) {
  return {c.x() - size.width() / 2, c.y() - size.height() / 2, size.width(), size.height()};
}

}  // namespace

QRect MemberRect(const TLcfDataBase& db, const TLcfMonGroupItem& troop, int index, const TAlignmentContext& alignment) {
  const QImage image = MemberImage(db, troop, index);
  return Around(MemberCentre(troop, index, alignment), image.isNull() ? QSize(32, 32) : image.size());
}

void DrawTroop(QPainter& painter, const TLcfDataBase& db, const TLcfMonGroupItem& troop,
               const TAlignmentContext& alignment, int selected) {
  for (int i = 0; i < troop.members.Count(); ++i) {
    const TLcfMonGroupMonsterItem* member = troop.members.ItemAt(i);
    const TLcfMonsterItem* monster = db.monsters.FindById(member->monsterId);
    const QImage image = MemberImage(db, troop, i);
    const QRect place = Around(MemberCentre(troop, i, alignment), image.isNull() ? QSize(32, 32) : image.size());
    painter.setOpacity(member->invisible ? 80 / 255.0 : monster && monster->transparent ? 160 / 255.0 : 1.0);
    if (image.isNull())
      painter.fillRect(place, QColor(128, 128, 128));
    else
      painter.drawImage(place.topLeft(), image);
    painter.setOpacity(1.0);
    if (i == selected) {
      painter.setPen(QPen(Qt::white, 1, Qt::DashLine));
      painter.drawRect(place.adjusted(0, 0, -1, -1));
    }
  }
}

}  // namespace tess
