#include "editor/app/FormSplash.h"

#include <QGuiApplication>
#include <QLinearGradient>
#include <QPainter>
#include <QScreen>
#include <QTimer>

#include "core/Version.h"

namespace tess {

TFormSplash::TFormSplash(QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint), picture_(Picture()) {
  setAttribute(Qt::WA_DeleteOnClose);
  setFixedSize(512, 256);
  if (QScreen* screen = QGuiApplication::primaryScreen()) move(screen->geometry().center() - rect().center());
  QTimer::singleShot(kShowMilliseconds, this, &QWidget::close);
}

QPixmap TFormSplash::Picture() {
  QPixmap pixmap(512, 256);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  QLinearGradient sky(0, 0, 0, 256);
  sky.setColorAt(0, QColor(38, 62, 110));
  sky.setColorAt(1, QColor(120, 170, 210));
  p.fillRect(pixmap.rect(), sky);
  // A row of tiles along the bottom: grass over earth.
  for (int x = 0; x < 512; x += 32) {
    p.fillRect(x, 192, 32, 64, QColor(120, 86, 52));
    p.fillRect(x, 192, 32, 12, QColor(86, 160, 70));
    p.setPen(QColor(70, 50, 30));
    p.drawRect(x, 192, 31, 63);
  }
  // A small hill of tiles.
  for (int i = 0; i < 4; ++i) p.fillRect(320 + i * 32, 160, 32, 32, QColor(100 + i * 8, 150, 80));
  p.setPen(Qt::white);
  QFont title("Sans", 40, QFont::Bold);
  p.setFont(title);
  p.drawText(QRect(0, 40, 512, 70), Qt::AlignCenter, "Tessaly");
  p.setFont(QFont("Sans", 12));
  p.drawText(QRect(0, 110, 512, 30), Qt::AlignCenter, "Tile-based role-playing game editor");
  p.setFont(QFont("Sans", 9));
  p.drawText(QRect(0, 230, 504, 22), Qt::AlignRight | Qt::AlignVCenter,
             QString("Version %1").arg(QString::fromLatin1(kVersionText)));
  return pixmap;
}

void TFormSplash::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.drawPixmap(0, 0, picture_);
}

void TFormSplash::mousePressEvent(QMouseEvent*) { close(); }

}  // namespace tess
