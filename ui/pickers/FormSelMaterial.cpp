#include "ui/pickers/FormSelMaterial.h"

#include <QDialogButtonBox>
#include <QFrame>
#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QVBoxLayout>
#include <map>

#include "core/MaterialFiles.h"
#include "platform/TextCodec.h"
#include "platform/WaitCursor.h"
#include "ui/BoardView.h"
#include "ui/DialogButtons.h"
#include "ui/pickers/PickerDrawing.h"

namespace tess {

namespace {

struct TRemembered {
  std::string materialName;
  int32_t cellIndex = 0;
  std::vector<int32_t> modes;
};

std::map<std::string, TRemembered>& Memory() {
  static std::map<std::string, TRemembered> memory;
  return memory;
}

}  // namespace

TFormSelMaterial::TSetup::TSetup(const char* caption, std::string folder, std::vector<std::string> extensions)
    : caption(caption), folder(std::move(folder)), extensions(std::move(extensions)) {}

TFormSelMaterial::TSetup& TFormSelMaterial::TSetup::Preview(int width, int height, int scroll) {
  previewWidth = width, previewHeight = height, scrollHeight = scroll;
  return *this;
}

TFormSelMaterial::TSetup& TFormSelMaterial::TSetup::Cells(const TCellGrid& grid) {
  cells = grid;
  return *this;
}

TFormSelMaterial::TSetup& TFormSelMaterial::TSetup::RowsAbove(int rows) {
  rowsAbove = rows;
  return *this;
}

TFormSelMaterial::TFormSelMaterial(QWidget* owner, TSetup setup)
    : QDialog(owner),
      folder_(std::move(setup.folder)),
      extensions_(std::move(setup.extensions)),
      rowsAbove_(setup.rowsAbove),
      cells_(setup.cells) {
  setWindowTitle(QString::fromLatin1(setup.caption));
  previewSheet_.autoSize = true;

  auto* top = new QHBoxLayout;
  if (!folder_.empty()) {
    list_ = new QListWidget(this);
    list_->setObjectName("FileList");
    list_->setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    list_->setMinimumSize(200, 280);
    connect(list_, &QListWidget::currentRowChanged, this, [this](int row) {
      if (!filling_) RunSelectionStep(row, false);
    });
    connect(list_, &QListWidget::itemDoubleClicked, this, [this] { accept(); });
    top->addWidget(list_, 1);
  }

  auto* right = new QVBoxLayout;
  if (setup.previewWidth > 0 && setup.previewHeight > 0) {
    preview_ = new TBoardView;
    preview_->setObjectName("Preview");
    preview_->onPress = [this](TPoint p) { PressPreview(p); };
    preview_->onDoubleClick = [this] { accept(); };
    preview_->onArrow = [this](int dx, int dy) { StepCell(dx, dy); };
    previewArea_ = new QScrollArea(this);
    previewArea_->setFrameShape(QFrame::Box);
    previewArea_->setAlignment(Qt::AlignCenter);
    previewArea_->setWidget(preview_);
    previewArea_->setWidgetResizable(false);
    preview_->SetPanArea(previewArea_);
    scrollHeight_ = setup.scrollHeight;
    SetPreviewSize(setup.previewWidth, setup.previewHeight);
    right->addWidget(previewArea_, 0, Qt::AlignTop | Qt::AlignHCenter);
  }
  options_ = new QVBoxLayout;
  right->addLayout(options_);
  right->addStretch(1);
  top->addLayout(right);

  auto* buttons = MakeDialogButtons(this);
  okButton_ = buttons->button(QDialogButtonBox::Ok);
  cancelButton_ = buttons->button(QDialogButtonBox::Cancel);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(top, 1);
  layout->addWidget(buttons);
}

std::string TFormSelMaterial::MemoryKey() const { return std::string(metaObject()->className()) + "/" + folder_; }

void TFormSelMaterial::ForgetLastConfirmed() { Memory().clear(); }

bool TFormSelMaterial::OpenOnLastConfirmed() {
  const auto found = Memory().find(MemoryKey());
  if (found == Memory().end()) return false;
  materialName = found->second.materialName;
  cellIndex = found->second.cellIndex;
  SetModeValues(found->second.modes);
  return true;
}

void TFormSelMaterial::accept() {
  Memory()[MemoryKey()] = TRemembered{materialName, cellIndex, ModeValues()};
  QDialog::accept();
}

int TFormSelMaterial::exec() {
  Prepare();
  return QDialog::exec();
}

void TFormSelMaterial::Prepare() {
  Preparing();
  if (list_) {
    FillList();
  } else {
    RunSelectionStep(-1, true);
  }
}

void TFormSelMaterial::SetFolder(const std::string& folder, bool refill) {
  folder_ = folder;
  if (refill && list_) FillList();
}

void TFormSelMaterial::FillList() {
  TWaitCursor wait;
  materials_.Fill(FixedEntries(), folder_, extensions_, materialName);
  filling_ = true;
  list_->clear();
  const TextCodec& codec = TextCodec::Current();
  for (const TMaterialEntry& e : materials_.Entries()) {
    auto* item = new QListWidgetItem(codec.ToUnicode(e.shown), list_);
    if (e.missing) {
      QFont font = item->font();
      font.setItalic(true);
      item->setFont(font);
      item->setForeground(palette().color(QPalette::Disabled, QPalette::Text));
      item->setToolTip("No picture of this name is in the project or the runtime package");
    }
  }
  const int row = OpeningRow();
  list_->setCurrentRow(row);
  filling_ = false;
  topRow_ = row > rowsAbove_ ? row - rowsAbove_ : 0;
  ScrollList();
  RunSelectionStep(row, true);
}

void TFormSelMaterial::ScrollList() {
  // The scroll range exists only once the list is laid out; showing the window scrolls again.
  if (list_ && topRow_ >= 0) list_->verticalScrollBar()->setValue(topRow_);
}

void TFormSelMaterial::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (layout()) layout()->activate();
  ScrollList();
  topRow_ = -1;
}

int TFormSelMaterial::SelectedRow() const { return list_ ? list_->currentRow() : -1; }

void TFormSelMaterial::SelectRow(int row) {
  if (!list_) return;
  if (row == list_->currentRow()) return;
  list_->setCurrentRow(row);  // runs the selection step
}

void TFormSelMaterial::RunSelectionStep(int row, bool opening) {
  if (list_) materialName = materials_.NameAt(row);
  if (preview_ && !folder_.empty()) {
    // A missing or unreadable picture leaves the preview empty; the name can still be chosen.
    previewSheet_.FreePixels();
    previewSheet_.LoadFromFile(FindExistingMaterialFile(materialName, folder_, extensions_), false);
  }
  EntrySelected(row, opening);
  RedrawPreview();
}

void TFormSelMaterial::RedrawPreview() {
  if (!preview_) return;
  TCorvidBoard& board = preview_->Board();
  board.Clear();
  DrawPreview(board);
  const TRect cell = ChosenCell();
  if (!cell.IsEmpty()) DrawSelectionFrame(board, cell);
  preview_->update();
}

void TFormSelMaterial::SetPreviewSize(int width, int height) {
  if (!preview_) return;
  preview_->SetBoardSize(width, height);
  // The area shows the whole board, or with a scroll bar as much of it as scrollHeight allows.
  const int frame = 2 * previewArea_->frameWidth();
  const bool scrolls = scrollHeight_ > 0 && height > scrollHeight_;
  const int scrollBar = scrolls ? previewArea_->verticalScrollBar()->sizeHint().width() : 0;
  previewArea_->setVerticalScrollBarPolicy(scrolls ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
  previewArea_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  previewArea_->setFixedSize(width + frame + scrollBar, (scrolls ? scrollHeight_ : height) + frame);
}

TRect TFormSelMaterial::ChosenCell() const {
  return cellIndex >= 0 && cellIndex < cells_.count ? cells_.CellRect(cellIndex) : TRect{};
}

bool TFormSelMaterial::CellPressed(TPoint p) {
  const int cell = cells_.CellAt(p);
  if (cell < 0) return false;
  cellIndex = cell;
  return true;
}

bool TFormSelMaterial::CellStepped(int columns, int rows) {
  const int next = cells_.Step(cellIndex, columns, rows);
  if (next < 0) return false;
  cellIndex = next;
  return true;
}

void TFormSelMaterial::PressPreview(TPoint p) {
  if (CellPressed(p)) RedrawPreview();
}

void TFormSelMaterial::StepCell(int columns, int rows) {
  if (CellStepped(columns, rows)) RedrawPreview();
}

}  // namespace tess
