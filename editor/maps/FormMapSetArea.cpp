#include "editor/maps/FormMapSetArea.h"

#include <QButtonGroup>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "editor/maps/FormAreaMaker.h"
#include "maps/AreaRect.h"
#include "maps/LD_Map.h"
#include "maps/LD_MapTree.h"
#include "ui/DialogButtons.h"

namespace tess {

namespace {

constexpr int kOpeningCellSize = 16;

struct TZoomButton {
  int cellSize;
  const char* caption;
  const char* shortcut;
};
constexpr TZoomButton kZoomButtons[] = {{32, "1/1", "Ctrl+1"}, {16, "1/2", "Ctrl+2"}, {8, "1/4", "Ctrl+3"}};

}  // namespace

TFormMapSetArea::TFormMapSetArea(TLcfMapTree& tree, const TLcfMap& map, TLcfChipSetGraphic& graphic,
                                 const TCellRect& rect, QWidget* parent)
    : QDialog(parent),
      tree_(tree),
      mapId_(map.Id()),
      viewer_(new TFormAreaMaker(this)),
      text_(new QLabel(this)),
      zoom_(new QButtonGroup(this)) {
  setObjectName("FormMapSetArea");
  setWindowTitle("Define Area Boundaries");
  if (const TLcfMapTreeItem* entry = tree_.FindById(mapId_)) {
    scrollX_ = entry->scrollX;
    scrollY_ = entry->scrollY;
  }

  auto* top = new QHBoxLayout;
  for (const TZoomButton& z : kZoomButtons) {
    auto* button = new QPushButton(z.caption, this);
    button->setObjectName(QString("Zoom%1").arg(z.cellSize));
    button->setCheckable(true);
    button->setShortcut(QKeySequence(z.shortcut));
    button->setToolTip(QString("%1 (%2)").arg(z.caption, z.shortcut));
    button->setChecked(z.cellSize == kOpeningCellSize);
    button->setFocusPolicy(Qt::TabFocus);
    zoom_->addButton(button, z.cellSize);
    top->addWidget(button);
  }
  zoom_->setExclusive(true);
  top->addSpacing(12);
  text_->setObjectName("AreaRectText");
  text_->setMinimumWidth(text_->fontMetrics().horizontalAdvance("(000,000) - (000,000)") + 8);
  top->addWidget(text_);
  top->addStretch(1);

  auto* buttons = MakeDialogButtons(this);
  ok_ = buttons->button(QDialogButtonBox::Ok);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(top);
  layout->addWidget(viewer_, 1);
  layout->addWidget(buttons);

  // The view opens at 1/2, around the position the tree keeps for the map: laid out first, so that
  // the position is the centre of the view as it will be shown.
  resize(660, 541);
  layout->activate();
  viewer_->SetCellSize(kOpeningCellSize);
  viewer_->SetMap(&map, &graphic, &tree_, true);
  connect(zoom_, &QButtonGroup::idClicked, viewer_, &TFormAreaMaker::SetCellSize);
  // Ctrl + wheel zooms the view too; the buttons follow.
  connect(viewer_, &TFormAreaMaker::ZoomChanged, this, [this](int cellSize) {
    if (QAbstractButton* button = zoom_->button(cellSize)) button->setChecked(true);
  });
  connect(viewer_, &TFormAreaMaker::RectChanged, this, &TFormMapSetArea::RectChanged);
  viewer_->SetRect(rect);
  RectChanged();
  viewer_->setFocus();
}

TFormMapSetArea::~TFormMapSetArea() { RestoreScroll(); }

QPushButton* TFormMapSetArea::ZoomButton(int cellSize) const {
  return qobject_cast<QPushButton*>(zoom_->button(cellSize));
}

void TFormMapSetArea::done(int result) {
  RestoreScroll();
  QDialog::done(result);
}

void TFormMapSetArea::RectChanged() {
  rect_ = viewer_->Rect();
  text_->setText(QString::fromStdString(AreaRectText(rect_)));
  ok_->setEnabled(!rect_.Empty());
}

void TFormMapSetArea::RestoreScroll() {
  if (restored_) return;
  restored_ = true;
  // The view stops writing to the tree before the position is put back; the rectangle drawn stays
  // what the window returns.
  viewer_->disconnect(this);
  viewer_->SetMap(nullptr, nullptr);
  if (TLcfMapTreeItem* entry = tree_.FindById(mapId_)) {
    entry->scrollX = scrollX_;
    entry->scrollY = scrollY_;
  }
}

}  // namespace tess
