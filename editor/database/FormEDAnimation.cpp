#include "editor/database/FormEDAnimation.h"

#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "database/AnimationPageKit.h"
#include "database/DataBaseObj.h"
#include "editor/database/FormEDAnimationDialogs.h"
#include "editor/database/MaterialField.h"
#include "platform/TextCodec.h"
#include "ui/AnimationPreview.h"
#include "ui/FieldBinder.h"
#include "ui/pickers/FormSelBattle.h"

namespace tess {

namespace {

using K = TFieldKind;
using Item = TLcfAnimationItem;

constexpr TFieldChoice kScopes[] = {{0, "Local"}, {1, "Global"}};
constexpr TFieldChoice kLines[] = {{0, "High"}, {1, "Center"}, {2, "Low"}};
constexpr int32_t kLocal[] = {0};

constexpr TFieldRow kRows[] = {
    {.key = "Name", .kind = K::Text, .caption = "Name", .max = 20},
    {.key = "File", .kind = K::Picture, .caption = "Animation File", .folder = "Battle"},
    {.key = "Scope", .kind = K::Choice, .caption = "Scope", .choices = kScopes},
    {.key = "YAxisLine",
     .kind = K::Choice,
     .caption = "Y Axis Line",
     .choices = kLines,
     .whenKey = "Scope",
     .whenValues = kLocal},
};

}  // namespace

TFormEDAnimation::TFormEDAnimation(const TDataBasePageContext& context, QWidget* parent)
    : TFormEntryListPage(context.database.animations, kClipBattleAnimations, context, parent) {
  auto* fields = new QWidget(this);
  fields->setObjectName("AnimationFields");
  binder_ = new TFieldBinder(kRows, TFieldContext{.database = &context.database}, this);
  std::function<Item*()> entry = [this] { return Entry(); };
  preview_ = new TAnimationPreview(fields);

  TFieldAccess file;
  file.text = [entry] {
    Item* a = entry();
    return a ? a->animationFile : std::string();
  };
  // Scope and y axis line move every cel so that cels keep their place by the target.
  TFieldAccess scope = MemberAccess(entry, &Item::scope);
  scope.setValue = [this, entry](int32_t v) {
    if (Item* a = entry()) a->SetScope(static_cast<uint8_t>(v), preview_->Graphic().TargetHeight());
  };
  TFieldAccess line = MemberAccess(entry, &Item::yAxisLine);
  line.setValue = [this, entry](int32_t v) {
    if (Item* a = entry()) a->SetYAxisLine(static_cast<uint8_t>(v), preview_->Graphic().TargetHeight());
  };

  auto* layout = new QVBoxLayout(fields);
  auto* top = new QHBoxLayout;
  auto* form = new QFormLayout;
  form->addRow("Name", binder_->Build(kRows[0], MemberAccess(entry, &Item::name), fields));
  form->addRow("Animation File",
               MaterialField(
                   *binder_, kRows[1], file, fields,
                   [this](QWidget* owner) {
                     Item* a = Entry();
                     if (!a) return false;
                     TFormSelBattle picker(owner);
                     picker.materialName = a->animationFile;
                     picker.folderIndex = a->largeCells;
                     if (picker.exec() != QDialog::Accepted) return false;
                     if (picker.materialName == a->animationFile && picker.folderIndex == a->largeCells) return false;
                     a->animationFile = picker.materialName;
                     a->largeCells = static_cast<uint8_t>(picker.folderIndex ? 1 : 0);
                     a->MarkDirty();
                     return true;
                   },
                   [this] { DataModified(); }));
  top->addLayout(form, 2);
  top->addWidget(binder_->Build(kRows[2], scope, fields));
  top->addWidget(binder_->Build(kRows[3], line, fields));
  layout->addLayout(top);

  frames_ = new QListWidget(fields);
  frames_->setObjectName("FrameStrip");
  frames_->setFlow(QListView::LeftToRight);
  frames_->setWrapping(false);
  frames_->setUniformItemSizes(true);
  frames_->setFixedHeight(44);
  layout->addWidget(frames_);

  auto* middle = new QHBoxLayout;
  auto* stage = new QVBoxLayout;
  stage->addWidget(preview_);
  stage->addWidget(preview_->MissingLine());
  middle->addLayout(stage);
  auto* side = new QVBoxLayout;
  cels_ = new QListWidget(fields);
  cels_->setObjectName("Cels");
  side->addWidget(cels_, 1);
  auto* celButtons = new QGridLayout;
  int at = 0;
  auto grid = [&](const char* caption, const char* name, std::function<void()> action) {
    celButtons->addWidget(AddButton(caption, name, std::move(action), fields), at / 2, at % 2);
    ++at;
  };
  grid("Add Cel", "ButtonAddCel", [this] { AddCel(); });
  grid("Delete Cel", "ButtonDeleteCel", [this] { DeleteCel(); });
  grid("Increment Image ID", "ButtonIncrement", [this] { MoveCel(true); });
  grid("Decriment Image ID", "ButtonDecrement", [this] { MoveCel(false); });
  grid("Cel Properties", "ButtonCelProperties", [this] {
    if (Item* a = Entry(); a && RunCelProperties(this, *a, Frame(), Cel())) DataModified();
  });
  side->addLayout(celButtons);
  timings_ = new QListWidget(fields);
  timings_->setObjectName("Timings");
  side->addWidget(timings_, 1);
  connect(timings_, &QListWidget::itemDoubleClicked, this, [this] {
    if (Item* a = Entry(); a && RunTiming(this, *a, timings_->currentRow())) DataModified();
  });
  auto* timingButtons = new QHBoxLayout;
  timingButtons->addWidget(AddButton(
      "Add Timing", "ButtonAddTiming",
      [this] {
        if (Item* a = Entry(); a && RunTiming(this, *a, -1)) DataModified();
      },
      fields));
  timingButtons->addWidget(AddButton(
      "Delete Timing", "ButtonDeleteTiming",
      [this] {
        Item* a = Entry();
        if (!a || !a->timings.ItemAt(timings_->currentRow())) return;
        a->timings.Remove(a->timings.ItemAt(timings_->currentRow())->Id());
        a->timings.SortTimings();
        DataModified();
      },
      fields));
  side->addLayout(timingButtons);
  middle->addLayout(side, 1);
  layout->addLayout(middle, 1);

  auto* commands = new QHBoxLayout;
  auto command = [&](const char* caption, const char* name, std::function<bool(Item&)> action) {
    commands->addWidget(AddButton(
        caption, name,
        [this, action] {
          if (Item* a = Entry(); a && action(*a)) DataModified();
        },
        fields));
  };
  command("Number of Frames", "ButtonFrameCount", [this](Item& a) { return RunFrameCount(this, a); });
  commands->addWidget(AddButton(
      "Insert Frame", "ButtonInsertFrame", [this] { InsertFrame(); }, fields));
  commands->addWidget(AddButton(
      "Delete Frame", "ButtonDeleteFrame", [this] { DeleteFrame(); }, fields));
  commands->addWidget(AddButton(
      "Clone Previous", "ButtonClonePrevious", [this] { ClonePrevious(); }, fields));
  command("Mass Copy/Clear", "ButtonMassCopy", [this](Item& a) { return RunMassCopy(this, a); });
  command("Autocomplete", "ButtonAutocomplete", [this](Item& a) { return RunAutocomplete(this, a); });
  command("Mass Modify", "ButtonMassModify", [this](Item& a) { return RunMassModify(this, a); });
  commands->addWidget(AddButton(
      "Play", "ButtonPlay", [this] { preview_->Play(); }, fields));
  layout->addLayout(commands);
  SetFields(fields);

  connect(frames_, &QListWidget::currentRowChanged, this, [this](int row) {
    if (filling_) return;
    FillCels();
    preview_->ShowFrame(row);
  });
  preview_->onDragStart = [this](TPoint p) {
    // A press on a cel selects it (the topmost there); elsewhere the selected cel is dragged.
    if (const int hit = preview_->Graphic().CelAt(Frame(), p); hit >= 0 && hit != Cel()) cels_->setCurrentRow(hit);
    const Item* a = Entry();
    const TLcfAnimationPatternItem* frame = a ? a->frames.ItemAt(Frame()) : nullptr;
    const TLcfAnimationCellItem* cell = frame ? frame->cells.ItemAt(Cel()) : nullptr;
    if (!cell || !cell->inUse) return;
    dragX_ = p.x;
    dragY_ = p.y;
    celX_ = cell->x;
    celY_ = cell->y;
  };
  preview_->onDragMove = [this](TPoint p) { DragCelTo(celX_ + p.x - dragX_, celY_ + p.y - dragY_); };
  connect(binder_, &TFieldBinder::changed, this, [this](const char* key) {
    if (std::string_view(key) == "Name") RewriteLine(Selected());
    DataModified();
  });
  LoadEntry();
}

QPushButton* TFormEDAnimation::AddButton(const char* caption, const char* name, std::function<void()> action,
                                         QWidget* parent) {
  auto* button = new QPushButton(caption, parent);
  button->setObjectName(name);
  connect(button, &QPushButton::clicked, this, std::move(action));
  return button;
}

QPushButton* TFormEDAnimation::Button(const char* name) const { return findChild<QPushButton*>(name); }

TLcfAnimationItem* TFormEDAnimation::Entry() const { return Context().database.animations.ItemAt(Selected()); }

int TFormEDAnimation::Frame() const { return std::max(0, frames_->currentRow()); }
int TFormEDAnimation::Cel() const { return cels_->currentRow(); }

void TFormEDAnimation::SelectFrame(int frame) { frames_->setCurrentRow(frame); }

void TFormEDAnimation::DataModified() {
  // The cached bytes of a changed animation must not be saved again.
  if (Item* a = Entry()) a->MarkDirty();
  TFormEntryListPage::DataModified();
}

void TFormEDAnimation::LoadEntry() {
  binder_->Load();
  preview_->SetAnimation(Entry());
  FillFrames();
  FillTimings();
  UpdateView();
}

void TFormEDAnimation::UpdateView() {
  const Item* a = Entry();
  if (!a) {
    for (const TFieldRow& row : kRows) binder_->Control(row.key)->setEnabled(false);
  }
  if (a && frames_->count() != a->FrameCount()) FillFrames();
  FillCels();
  FillTimings();
  preview_->Refresh();
  preview_->ShowFrame(Frame());
}

void TFormEDAnimation::FillFrames() {
  const Item* a = Entry();
  const int keep = frames_->currentRow();
  filling_ = true;
  frames_->clear();
  const int count = a ? a->FrameCount() : 0;
  QStringList lines;
  lines.reserve(count);
  for (int f = 1; f <= count; ++f) lines << QString::number(f);
  frames_->addItems(lines);
  frames_->setCurrentRow(count ? std::clamp(keep, 0, count - 1) : -1);
  filling_ = false;
  FillCels();
}

void TFormEDAnimation::FillCels() {
  const Item* a = Entry();
  const TLcfAnimationPatternItem* frame = a ? a->frames.ItemAt(Frame()) : nullptr;
  const int keep = cels_->currentRow();
  cels_->clear();
  for (int c = 0; frame && c < frame->cells.Count(); ++c) {
    const TLcfAnimationCellItem& cell = *frame->cells.ItemAt(c);
    cels_->addItem(cell.inUse ? QString("%1: section %2, %3,%4, %5%")
                                    .arg(c + 1)
                                    .arg(cell.section + 1)
                                    .arg(cell.x)
                                    .arg(cell.y)
                                    .arg(cell.zoom)
                              : QString("%1: (deleted)").arg(c + 1));
  }
  if (cels_->count()) cels_->setCurrentRow(std::clamp(keep, 0, cels_->count() - 1));
}

void TFormEDAnimation::FillTimings() {
  const Item* a = Entry();
  const int keep = timings_->currentRow();
  timings_->clear();
  static const char* const kScopes[] = {"None", "Target", "Screen"};
  for (int i = 0; a && i < a->timings.Count(); ++i) {
    const TLcfAnimationTimingItem& t = *a->timings.ItemAt(i);
    auto scope = [](int s) { return s >= 0 && s <= 2 ? kScopes[s] : "?"; };
    timings_->addItem(QString("%1  %2  Flash %3  Shake %4")
                          .arg(t.frame)
                          .arg(TextCodec::Current().ToUnicode(t.sound.name))
                          .arg(scope(t.flashScope))
                          .arg(scope(t.shakeScope)));
  }
  if (timings_->count()) timings_->setCurrentRow(std::clamp(keep, 0, timings_->count() - 1));
}

void TFormEDAnimation::InsertFrame() {
  Item* a = Entry();
  if (!a || a->FrameCount() >= 9999) return;
  a->InsertFrame(Frame());
  FillFrames();
  DataModified();
}

void TFormEDAnimation::DeleteFrame() {
  Item* a = Entry();
  if (!a || a->FrameCount() <= 1) return;
  a->DeleteFrame(Frame());
  FillFrames();
  DataModified();
}

void TFormEDAnimation::ClonePrevious() {
  Item* a = Entry();
  if (!a || Frame() == 0) return;
  a->ClonePrevious(Frame());
  DataModified();
}

void TFormEDAnimation::AddCel() {
  Item* a = Entry();
  TLcfAnimationPatternItem* frame = a ? a->frames.ItemAt(Frame()) : nullptr;
  if (!frame) return;
  const int at = frame->AddCell();
  if (at < 0) return;
  DataModified();
  cels_->setCurrentRow(at);
}

void TFormEDAnimation::DeleteCel() {
  Item* a = Entry();
  TLcfAnimationPatternItem* frame = a ? a->frames.ItemAt(Frame()) : nullptr;
  if (!frame || !frame->cells.ItemAt(Cel())) return;
  frame->DeleteCell(Cel());
  DataModified();
}

void TFormEDAnimation::MoveCel(bool later) {
  Item* a = Entry();
  TLcfAnimationPatternItem* frame = a ? a->frames.ItemAt(Frame()) : nullptr;
  const int cel = Cel();
  if (!frame || !(later ? frame->IncrementCell(cel) : frame->DecrementCell(cel))) return;
  DataModified();
  cels_->setCurrentRow(later ? cel + 1 : cel - 1);
}

void TFormEDAnimation::DragCelTo(int x, int y) {
  Item* a = Entry();
  TLcfAnimationPatternItem* frame = a ? a->frames.ItemAt(Frame()) : nullptr;
  TLcfAnimationCellItem* cell = frame ? frame->cells.ItemAt(Cel()) : nullptr;
  if (!cell || !cell->inUse) return;
  const bool grid = Context().database.system.animationGrid != 0;
  const int nx = SnapCellCoordinate(x, grid), ny = SnapCellCoordinate(y, grid);
  if (nx == cell->x && ny == cell->y) return;
  cell->x = nx;
  cell->y = ny;
  DataModified();
}

}  // namespace tess
