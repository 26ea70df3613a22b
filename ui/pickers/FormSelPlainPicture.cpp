#include "ui/pickers/FormSelPlainPicture.h"

#include "core/MaterialFiles.h"

namespace tess {

namespace {

// The area the fitted pictures (parallax backgrounds, pictures) are shown in.
constexpr int kFitWidth = 320;
constexpr int kFitHeight = 240;

}  // namespace

void DrawByRule(TCorvidBoard& board, TCorvidSheet& sheet, TPreviewRule rule) {
  const int w = sheet.Width(), h = sheet.Height();
  if (w <= 0 || h <= 0) return;
  switch (rule) {
    case TPreviewRule::TopLeft:
      board.DrawSheet(0, 0, sheet.BoundsRect(), sheet);
      break;
    case TPreviewRule::Halved:
      board.StretchSheet(Bounds(0, 0, board.Width(), board.Height()), sheet,
                         Bounds(0, 0, 2 * board.Width(), 2 * board.Height()));
      break;
    case TPreviewRule::Fit:
      board.StretchSheet(FitRect(w, h, board.Width(), board.Height()), sheet, sheet.BoundsRect());
      break;
    case TPreviewRule::Centred:
      board.Fill(SheetBackground(sheet));
      board.DrawSheet((board.Width() - w) / 2, (board.Height() - h) / 2, sheet.BoundsRect(), sheet);
      break;
  }
}

TFormSelPlainPicture::TFormSelPlainPicture(QWidget* owner, const char* caption, const char* folder, int width,
                                           int height, TPreviewRule rule)
    : TFormSelMaterial(owner, TSetup(caption, folder).Preview(width, height)), rule_(rule) {}

void TFormSelPlainPicture::DrawPreview(TCorvidBoard& board) { DrawByRule(board, PreviewSheet(), rule_); }

TFormSelChipSet::TFormSelChipSet(QWidget* owner)
    : TFormSelPlainPicture(owner, "Select Tileset", "ChipSet", 240, 128, TPreviewRule::Halved) {}

TFormSelTitle::TFormSelTitle(QWidget* owner)
    : TFormSelPlainPicture(owner, "Select Title Screen", "Title", 320, 240, TPreviewRule::TopLeft) {}

TFormSelGameOver::TFormSelGameOver(QWidget* owner)
    : TFormSelPlainPicture(owner, "Select Game Over Screen", "GameOver", 320, 240, TPreviewRule::TopLeft) {}

TFormSelAccessory::TFormSelAccessory(QWidget* owner)
    : TFormSelPlainPicture(owner, "Select Frame", "Frame", 320, 240, TPreviewRule::TopLeft) {}

TFormSelPanorama::TFormSelPanorama(QWidget* owner)
    : TFormSelPlainPicture(owner, "Select Parallax Background", "Panorama", kFitWidth, kFitHeight, TPreviewRule::Fit) {}

TFormSelBackdrop::TFormSelBackdrop(QWidget* owner)
    : TFormSelPlainPicture(owner, "Select Battle Background", "Backdrop", 320, 256, TPreviewRule::TopLeft) {}

TFormSelPicture::TFormSelPicture(QWidget* owner)
    : TFormSelPlainPicture(owner, "Select Image File", "Picture", kFitWidth, kFitHeight, TPreviewRule::Fit) {}

}  // namespace tess
