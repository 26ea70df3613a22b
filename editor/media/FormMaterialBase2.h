#pragma once
// "Preview": the picture being imported, for choosing its transparent colour. A click on the
// picture chooses the palette entry of the pixel under the mouse; the chosen colour blinks. Zoom
// steps through 1 to 4; the middle button drags the view.

#include <QDialog>
#include <QImage>

#include "media/Bitmap.h"

class QLabel;
class QPushButton;
class QScrollArea;
class QTimer;

namespace tess {

class TTransparentPicture;

class TFormMaterialBase2 : public QDialog {
  Q_OBJECT
 public:
  TFormMaterialBase2(const TBitmap& picture, QWidget* owner);

  int ChosenIndex() const { return chosen_; }
  void SetChosenIndex(int index);
  int Zoom() const { return zoom_; }
  void SetZoom(int zoom);  // 1..4
  // The picture as shown now (the chosen colour in its blink phase or not), unzoomed.
  const QImage& Shown() const { return shown_; }
  // The palette index of the pixel at a point of the picture's widget at the current zoom; -1
  // outside the picture.
  int IndexAt(const QPoint& point) const;
  // Switches the chosen colour between its own and its blink colour (the timer's tick).
  void Blink();

 private:
  friend class TTransparentPicture;
  void UpdateShown();
  void ShowHelp();

  TBitmap picture_;
  QImage shown_;
  int chosen_ = 0;
  int zoom_ = 1;
  bool blinkPhase_ = false;
  QScrollArea* scroll_;
  TTransparentPicture* view_;
  QLabel* status_;
  QPushButton* zoomIn_;
  QPushButton* zoomOut_;
  QTimer* blinkTimer_;
};

}  // namespace tess
