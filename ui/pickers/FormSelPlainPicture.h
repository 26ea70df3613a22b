#pragma once
// The pickers that show one picture by a fixed rule and choose no cell: tilesets, title and game
// over screens, frames, parallax and battle backgrounds, and pictures. The system graphic, monster
// and battle animation pickers build on the same window.

#include "ui/pickers/FormSelMaterial.h"

namespace tess {

enum class TPreviewRule {
  TopLeft,  // 1:1 from the top-left, clipped to the preview
  Halved,   // the top-left of twice the preview's size, halved into it
  Fit,      // scaled down to fit when larger, never up, centred
  Centred,  // 1:1 centred, on the picture's own background
};

class TFormSelPlainPicture : public TFormSelMaterial {
  Q_OBJECT
 protected:
  TFormSelPlainPicture(QWidget* owner, const char* caption, const char* folder, int width, int height,
                       TPreviewRule rule);
  void DrawPreview(TCorvidBoard& board) override;

 private:
  TPreviewRule rule_;
};

// Draws a picture onto a board by a rule.
void DrawByRule(TCorvidBoard& board, TCorvidSheet& sheet, TPreviewRule rule);

class TFormSelChipSet : public TFormSelPlainPicture {
  Q_OBJECT
 public:
  explicit TFormSelChipSet(QWidget* owner = nullptr);
};

class TFormSelTitle : public TFormSelPlainPicture {
  Q_OBJECT
 public:
  explicit TFormSelTitle(QWidget* owner = nullptr);
};

class TFormSelGameOver : public TFormSelPlainPicture {
  Q_OBJECT
 public:
  explicit TFormSelGameOver(QWidget* owner = nullptr);
};

class TFormSelAccessory : public TFormSelPlainPicture {
  Q_OBJECT
 public:
  explicit TFormSelAccessory(QWidget* owner = nullptr);
};

class TFormSelPanorama : public TFormSelPlainPicture {
  Q_OBJECT
 public:
  explicit TFormSelPanorama(QWidget* owner = nullptr);
};

class TFormSelBackdrop : public TFormSelPlainPicture {
  Q_OBJECT
 public:
  explicit TFormSelBackdrop(QWidget* owner = nullptr);
};

class TFormSelPicture : public TFormSelPlainPicture {
  Q_OBJECT
 public:
  explicit TFormSelPicture(QWidget* owner = nullptr);
};

}  // namespace tess
