#include "editor/database/ChipSetFlagView.h"

#include <QMouseEvent>
#include <QPainter>

#include "maps/GR_ChipSet.h"

namespace tess {

TChipSetFlagView::TChipSetFlagView(std::function<TLcfChipSetItem*()> tileset, TLcfChipSetGraphic& graphic,
                                   QWidget* parent)
    : QWidget(parent), tileset_(std::move(tileset)), graphic_(graphic) {
  setObjectName("ChipSetFlags");
  SetTool(TChipSetTool::Terrain);
}

void TChipSetFlagView::SetTool(TChipSetTool tool) {
  edit_.Release();
  edit_.tool = tool;
  board_.SetTool(tool);
  setFixedSize(board_.Board().Width(), board_.Board().Height());
  Redraw();
}

void TChipSetFlagView::Redraw() {
  if (TLcfChipSetItem* t = tileset_())
    board_.Draw(*t, &graphic_);
  else
    board_.Draw(TLcfChipSetItem(), nullptr);
  update();
}

QImage TChipSetFlagView::Image() const {
  const TCorvidBoard& b = board_.Board();
  return QImage(reinterpret_cast<const uchar*>(b.Bits()), b.Width(), b.Height(), b.Stride(), QImage::Format_RGB16)
      .copy();
}

QSize TChipSetFlagView::sizeHint() const {
  const TCorvidBoard& b = board_.Board();
  return {b.Width(), b.Height()};
}

void TChipSetFlagView::Press(QPoint at, bool left) {
  TLcfChipSetItem* t = tileset_();
  const int index = board_.EntryAt(at.x(), at.y());
  if (!t || index < 0) return;
  const int before = edit_.terrain;
  const bool wrote = edit_.Press(*t, index, left, at.x() - board_.CellX(index), at.y() - board_.CellY(index),
                                 TChipSetFlagBoard::kCell);
  if (wrote) {
    board_.DrawCell(*t, &graphic_, index);
    update(board_.CellX(index), board_.CellY(index), TChipSetFlagBoard::kCell, TChipSetFlagBoard::kCell);
    emit changed();
  }
  if (edit_.terrain != before) emit terrainPicked(edit_.terrain);
}

void TChipSetFlagView::MoveTo(QPoint at) {
  TLcfChipSetItem* t = tileset_();
  if (!t || !edit_.Painting()) return;
  const int index = board_.EntryAt(at.x(), at.y());
  if (index < 0 || !edit_.Drag(*t, index)) return;
  board_.DrawCell(*t, &graphic_, index);
  update(board_.CellX(index), board_.CellY(index), TChipSetFlagBoard::kCell, TChipSetFlagBoard::kCell);
  emit changed();
}

void TChipSetFlagView::Release() { edit_.Release(); }

void TChipSetFlagView::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  const TCorvidBoard& b = board_.Board();
  painter.drawImage(
      0, 0, QImage(reinterpret_cast<const uchar*>(b.Bits()), b.Width(), b.Height(), b.Stride(), QImage::Format_RGB16));
}

void TChipSetFlagView::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton || event->button() == Qt::RightButton)
    Press(event->position().toPoint(), event->button() == Qt::LeftButton);
}

void TChipSetFlagView::mouseMoveEvent(QMouseEvent* event) { MoveTo(event->position().toPoint()); }

void TChipSetFlagView::mouseReleaseEvent(QMouseEvent*) { Release(); }

}  // namespace tess
