#include "ui/pickers/FormSelChar.h"

#include "core/MaterialFiles.h"
#include "maps/GR_CharSet.h"

namespace tess {

TCellGrid CharacterSlots() { return {2 * kCharFrameWidth, 2 * kCharFrameHeight, 4, kCharactersPerSheet}; }

void DrawCharacterSlots(TCorvidBoard& board, TCorvidSheet& sheet, int facing, int pattern) {
  DrawSheetPieces(board, sheet, CharacterSlots(), true, [&](int k) { return CharFrameRect(k, facing, pattern); });
}

TFormSelChar::TFormSelChar(QWidget* owner)
    : TFormSelMaterial(owner, TSetup("Select Sprite", "CharSet").Preview(192, 128).Cells(CharacterSlots())) {}

void TFormSelChar::DrawPreview(TCorvidBoard& board) {
  DrawCharacterSlots(board, PreviewSheet(), kCharFacingDown, kCharPatternMiddle);
}

}  // namespace tess
