#pragma once
// A parameter thumbnail of the hero and class pages: the curve as 99 one-pixel bars on a 99 x 54
// graph, captioned "Now:" and the figure the page gives.

#include <QWidget>

namespace tess {

class TParameterThumbnail final : public QWidget {
  Q_OBJECT
 public:
  TParameterThumbnail(int parameter, const QString& caption, QWidget* parent = nullptr);

  // The 99 values of the curve and the "Now:" figure.
  void Show(const uint16_t* values, int now);
  int Now() const { return now_; }
  QString NowText() const;

 signals:
  void clicked();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  int parameter_;
  QString caption_;
  uint16_t values_[99] = {};
  int now_ = 0;
};

}  // namespace tess
