#include "ui/pickers/FormSelBattler.h"

#include "core/MaterialFiles.h"

namespace tess {

TFormSelBattlerSheet::TFormSelBattlerSheet(QWidget* owner, const char* caption, const char* folder, int pieceSize)
    : TFormSelMaterial(
          owner, TSetup(caption, folder).Preview(4 * pieceSize, 2 * pieceSize).Cells({pieceSize, pieceSize, 4, 8})),
      pieceSize_(pieceSize) {}

void TFormSelBattlerSheet::DrawPreview(TCorvidBoard& board) {
  DrawSheetPieces(board, PreviewSheet(), Cells(), true,
                  [&](int k) { return Bounds(0, pieceSize_ * k, pieceSize_, pieceSize_); });
}

TFormSelCBAStandard::TFormSelCBAStandard(QWidget* owner)
    : TFormSelBattlerSheet(owner, "Select Pose", "BattleCharSet", 48) {}

TFormSelCBAWeapon::TFormSelCBAWeapon(QWidget* owner)
    : TFormSelBattlerSheet(owner, "Select Weapon", "BattleWeapon", 64) {}

}  // namespace tess
