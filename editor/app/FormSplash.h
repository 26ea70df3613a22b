#pragma once
// The splash window shown at start: a 512 x 256 picture without a border, centred on the screen,
// on top of other windows, closing itself after 2500 ms.

#include <QWidget>

namespace tess {

class TFormSplash : public QWidget {
  Q_OBJECT
 public:
  static constexpr int kShowMilliseconds = 2500;
  explicit TFormSplash(QWidget* parent = nullptr);
  // The picture the window shows, drawn in code.
  static QPixmap Picture();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;

 private:
  QPixmap picture_;
};

}  // namespace tess
