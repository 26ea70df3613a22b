#pragma once
// The 320 x 240 battle screen as the troop and battle layout pages draw it: the battle background
// of the Backdrop folder, a troop's members at their places (stored, or computed under automatic
// alignment), windows drawn from the system graphic, and a hero's battler (the first cell of a pose row of a
// BattleCharSet sheet). Pictures are read once per name while the editor runs; one that cannot be read is a null image.

#include <QImage>
#include <QPoint>
#include <string>

#include "database/LD_MonGroup.h"

class QPainter;

namespace tess {

class TLcfDataBase;

inline constexpr int kBattleScreenWidth = 320, kBattleScreenHeight = 240;
inline constexpr int kBattlerCell = 48;

QImage BackdropImage(const std::string& name);
// The system graphic (System folder) windows are drawn from.
QImage SystemGraphicImage(const std::string& name);
// The 48 x 48 cell at the start of row `row` of a BattleCharSet sheet.
QImage BattlerCellImage(const std::string& sheet, int row);

// How a troop of the database is aligned: the battle layout, the system record's preview terrain,
// the monsters' graphic sizes.
TAlignmentContext TroopAlignment(const TLcfDataBase& db);
// The centre of a member on the screen: under automatic alignment the computed place, else the
// stored one.
QPoint MemberCentre(const TLcfMonGroupItem& troop, int index, const TAlignmentContext& alignment);
// The rectangle a member's graphic covers (32 x 32 when its picture cannot be read).
QRect MemberRect(const TLcfDataBase& db, const TLcfMonGroupItem& troop, int index, const TAlignmentContext& alignment);
// Draws the members in list order (transparent monsters at 160, invisible members at 80 of 255),
// the member at `selected` framed.
void DrawTroop(QPainter& painter, const TLcfDataBase& db, const TLcfMonGroupItem& troop,
               const TAlignmentContext& alignment, int selected = -1);

}  // namespace tess
