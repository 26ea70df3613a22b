#include "editor/media/FormMaterialBase2.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTimer>
#include <QVBoxLayout>

#include "media/MaterialManager.h"
#include "ui/BitmapImage.h"
#include "ui/DialogButtons.h"
#include "ui/ManualPage.h"

namespace tess {

// The picture at the dialog's zoom. The left button chooses a colour; the middle one drags the
// view.
class TTransparentPicture : public QWidget {
 public:
  explicit TTransparentPicture(TFormMaterialBase2& form) : QWidget(nullptr), form_(form) { setCursor(Qt::CrossCursor); }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    painter.drawImage(rect(), form_.shown_);
  }
  void mousePressEvent(QMouseEvent* event) override {
    if (event->button() == Qt::LeftButton) {
      const int index = form_.IndexAt(event->position().toPoint());
      if (index >= 0) form_.SetChosenIndex(index);
    } else if (event->button() == Qt::MiddleButton) {
      dragFrom_ = event->globalPosition().toPoint();
      dragging_ = true;
      setCursor(Qt::ClosedHandCursor);
    }
  }
  void mouseMoveEvent(QMouseEvent* event) override {
    if (!dragging_) return;
    const QPoint now = event->globalPosition().toPoint();
    const QPoint by = dragFrom_ - now;
    dragFrom_ = now;
    QScrollArea* scroll = form_.scroll_;
    scroll->horizontalScrollBar()->setValue(scroll->horizontalScrollBar()->value() + by.x());
    scroll->verticalScrollBar()->setValue(scroll->verticalScrollBar()->value() + by.y());
  }
  void mouseReleaseEvent(QMouseEvent* event) override {
    if (event->button() != Qt::MiddleButton) return;
    dragging_ = false;
    setCursor(Qt::CrossCursor);
  }

 private:
  TFormMaterialBase2& form_;
  QPoint dragFrom_;
  bool dragging_ = false;
};

TFormMaterialBase2::TFormMaterialBase2(const TBitmap& picture, QWidget* owner) : QDialog(owner), picture_(picture) {
  setWindowTitle("Preview");
  scroll_ = new QScrollArea(this);
  scroll_->setAlignment(Qt::AlignCenter);
  scroll_->setBackgroundRole(QPalette::Dark);
  view_ = new TTransparentPicture(*this);
  scroll_->setWidget(view_);
  status_ = new QLabel(this);
  zoomIn_ = new QPushButton("Zoom In", this);
  zoomOut_ = new QPushButton("Zoom Out", this);
  zoomIn_->setShortcut(QKeySequence(Qt::Key_Plus));
  zoomOut_->setShortcut(QKeySequence(Qt::Key_Minus));
  connect(zoomIn_, &QPushButton::clicked, this, [this] { SetZoom(zoom_ + 1); });
  connect(zoomOut_, &QPushButton::clicked, this, [this] { SetZoom(zoom_ - 1); });
  auto* buttons = MakeDialogButtons(this, {.helpSection = kResourceManagerPage});

  auto* zoomRow = new QHBoxLayout;
  zoomRow->addWidget(zoomIn_);
  zoomRow->addWidget(zoomOut_);
  zoomRow->addStretch(1);
  zoomRow->addWidget(status_);
  auto* column = new QVBoxLayout(this);
  column->addLayout(zoomRow);
  column->addWidget(scroll_, 1);
  column->addWidget(new QLabel("Click the colour that is to be transparent.", this));
  column->addWidget(buttons);

  blinkTimer_ = new QTimer(this);
  blinkTimer_->setInterval(300);
  connect(blinkTimer_, &QTimer::timeout, this, &TFormMaterialBase2::Blink);
  blinkTimer_->start();
  SetZoom(1);
  UpdateShown();
  resize(std::min(picture_.Width() + 60, 900), std::min(picture_.Height() + 150, 700));
}

void TFormMaterialBase2::SetChosenIndex(int index) {
  if (index < 0 || index > 255) return;
  chosen_ = index;
  UpdateShown();
}

void TFormMaterialBase2::SetZoom(int zoom) {
  zoom_ = std::clamp(zoom, 1, 4);
  view_->setFixedSize(picture_.Width() * zoom_, picture_.Height() * zoom_);
  zoomIn_->setEnabled(zoom_ < 4);
  zoomOut_->setEnabled(zoom_ > 1);
  view_->update();
}

int TFormMaterialBase2::IndexAt(const QPoint& point) const {
  const int x = point.x() / zoom_, y = point.y() / zoom_;
  if (point.x() < 0 || point.y() < 0 || x >= picture_.Width() || y >= picture_.Height()) return -1;
  return picture_.Row(y)[x];
}

void TFormMaterialBase2::Blink() {
  blinkPhase_ = !blinkPhase_;
  UpdateShown();
}

void TFormMaterialBase2::UpdateShown() {
  if (shown_.isNull()) shown_ = BitmapToImage(picture_);
  const TRgb own = picture_.PaletteEntry(chosen_);
  for (int i = 0; i < 256; ++i) {
    const TRgb c = i == chosen_ && blinkPhase_ ? BlinkColour(own) : picture_.PaletteEntry(i);
    shown_.setColor(i, qRgb(c.red, c.green, c.blue));
  }
  status_->setText(
      QString("Transparent colour: %1 (%2, %3, %4)").arg(chosen_).arg(own.red).arg(own.green).arg(own.blue));
  view_->update();
}

}  // namespace tess
