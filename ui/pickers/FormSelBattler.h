#pragma once
// The battler pickers: "Select Pose" (a sheet of the BattleCharSet folder, eight poses stacked in
// 48-pixel rows) and "Select Weapon" (a sheet of the BattleWeapon folder, eight weapons stacked in
// 64-pixel rows), each choosing one of the eight. The preview shows the first frame of each, four
// across, on the sheet's background.

#include "ui/pickers/FormSelMaterial.h"

namespace tess {

class TFormSelBattlerSheet : public TFormSelMaterial {
  Q_OBJECT
 protected:
  // pieceSize: the side of one square frame; the preview is 4 x 2 of them.
  TFormSelBattlerSheet(QWidget* owner, const char* caption, const char* folder, int pieceSize);
  void DrawPreview(TCorvidBoard& board) override;

 private:
  int pieceSize_;
};

class TFormSelCBAStandard : public TFormSelBattlerSheet {
  Q_OBJECT
 public:
  explicit TFormSelCBAStandard(QWidget* owner = nullptr);
};

class TFormSelCBAWeapon : public TFormSelBattlerSheet {
  Q_OBJECT
 public:
  explicit TFormSelCBAWeapon(QWidget* owner = nullptr);
};

}  // namespace tess
