#pragma once
// "Select Sprite": a character sheet of the CharSet folder and one of its eight characters. The
// preview shows each character standing, facing down, doubled into a 48 x 64 slot.

#include "ui/pickers/FormSelMaterial.h"

namespace tess {

class TFormSelChar : public TFormSelMaterial {
  Q_OBJECT
 public:
  explicit TFormSelChar(QWidget* owner = nullptr);

 protected:
  void DrawPreview(TCorvidBoard& board) override;
};

// The eight characters of a sheet, each the frame of a facing and pattern, doubled into the 48 x
// 64 slots of a 192 x 128 board on the sheet's background.
void DrawCharacterSlots(TCorvidBoard& board, TCorvidSheet& sheet, int facing, int pattern);
// The slots: 48 x 64, four across, eight.
TCellGrid CharacterSlots();

}  // namespace tess
