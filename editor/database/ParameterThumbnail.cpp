#include "editor/database/ParameterThumbnail.h"

#include <QMouseEvent>
#include <QPainter>
#include <algorithm>

#include "database/ActorPageKit.h"

namespace tess {

namespace {
constexpr int kCaptionHeight = 16;
const QColor kBarColours[kParameterCount] = {QColor(224, 64, 64), QColor(64, 96, 224),  QColor(224, 160, 32),
                                             QColor(64, 176, 64), QColor(160, 64, 200), QColor(32, 176, 192)};
}  // namespace

TParameterThumbnail::TParameterThumbnail(int parameter, const QString& caption, QWidget* parent)
    : QWidget(parent), parameter_(parameter), caption_(caption) {
  setFixedSize(kThumbnailWidth + 2, kThumbnailHeight + 2 + 2 * kCaptionHeight);
  setToolTip(caption);
  setCursor(Qt::PointingHandCursor);
}

void TParameterThumbnail::Show(const uint16_t* values, int now) {
  std::copy_n(values, kMaxHeroLevel, values_);
  now_ = now;
  update();
}

QString TParameterThumbnail::NowText() const { return QString("Now: %1").arg(now_); }

void TParameterThumbnail::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.drawText(QRect(0, 0, width(), kCaptionHeight), Qt::AlignLeft | Qt::AlignVCenter, caption_);
  const QRect graph(0, kCaptionHeight, kThumbnailWidth + 2, kThumbnailHeight + 2);
  p.fillRect(graph, Qt::black);
  const QColor colour = kBarColours[std::clamp(parameter_, 0, kParameterCount - 1)];
  for (int level = 0; level < kMaxHeroLevel; ++level) {
    const int bar = ThumbnailBar(parameter_, values_[level]);
    if (bar > 0) p.fillRect(graph.left() + 1 + level, graph.bottom() - bar, 1, bar, colour);
  }
  p.setPen(palette().color(QPalette::WindowText));
  p.drawText(QRect(0, graph.bottom() + 1, width(), kCaptionHeight), Qt::AlignLeft | Qt::AlignVCenter, NowText());
}

void TParameterThumbnail::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) emit clicked();
}

}  // namespace tess
