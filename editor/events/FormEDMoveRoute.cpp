#include "editor/events/FormEDMoveRoute.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "core/EntryCaption.h"
#include "database/DataBaseObj.h"
#include "maps/LD_Map.h"
#include "platform/TextCodec.h"
#include "ui/DialogButtons.h"
#include "ui/pickers/FormSelChar.h"
#include "ui/pickers/FormSelSound.h"
#include "ui/pickers/FormSelSwitch.h"

namespace tess {

namespace {

// Remembered for the rest of the run.
struct TRemembered {
  int32_t target = kTargetHero;
  int32_t frequency = 3;
  bool haveSheet = false;
  std::string sheetName;
  int32_t sheetIndex = 0;
  int32_t switchId = 1;
  std::string sound = "(OFF)";
  int32_t volume = 100, tempo = 100, balance = 50;
};
TRemembered& Remembered() {
  static TRemembered r;
  return r;
}

QString Local(const std::string& s) { return TextCodec::Current().ToUnicode(s); }

}  // namespace

void TFormEDMoveRoute::ForgetRemembered() { Remembered() = TRemembered(); }

TFormEDMoveRoute::TFormEDMoveRoute(bool pageMode, TContext context, QWidget* owner)
    : QDialog(owner), pageMode_(pageMode), context_(std::move(context)) {
  setObjectName("FormEDMoveRoute");
  setWindowTitle("Custom Movement Pattern");
  auto* layout = new QVBoxLayout(this);
  auto* top = new QHBoxLayout;
  targets_ = new QComboBox(this);
  targets_->setObjectName("Target");
  top->addWidget(targets_, 1);
  layout->addLayout(top);
  auto* body = new QHBoxLayout;
  auto* left = new QVBoxLayout;
  list_ = new QListWidget(this);
  list_->setObjectName("Commands");
  list_->setContextMenuPolicy(Qt::CustomContextMenu);
  list_->installEventFilter(this);
  left->addWidget(list_, 1);
  auto* row = new QHBoxLayout;
  delete_ = new QPushButton("Delete", this);
  clear_ = new QPushButton("Clear List", this);
  row->addWidget(delete_);
  row->addWidget(clear_);
  left->addLayout(row);
  repeat_ = new QCheckBox("Repeat Pattern", this);
  skip_ = new QCheckBox("Ignore Impossible Moves", this);
  left->addWidget(repeat_);
  left->addWidget(skip_);
  auto* freqBox = new QGroupBox("Frequency", this);
  auto* freqRow = new QHBoxLayout(freqBox);
  frequencies_ = new QButtonGroup(this);
  for (int f = 1; f <= 8; ++f) {
    auto* b = new QRadioButton(QString::number(f), freqBox);
    frequencies_->addButton(b, f);
    freqRow->addWidget(b);
  }
  left->addWidget(freqBox);
  body->addLayout(left, 1);
  auto* grid = new QGridLayout;
  for (int i = 0; i < kMoveCommandCount; ++i) {
    buttons_[i] = new QPushButton(Local(kMoveButtons[i].caption), this);
    buttons_[i]->setObjectName(QString("Move%1").arg(kMoveButtons[i].code));
    grid->addWidget(buttons_[i], i % 14, i / 14);
    const int32_t code = kMoveButtons[i].code;
    connect(buttons_[i], &QPushButton::clicked, this, [this, code] { AddCommand(code); });
  }
  body->addLayout(grid, 2);
  layout->addLayout(body, 1);
  layout->addWidget(
      MakeDialogButtons(this, {.buttons = QDialogButtonBox::Ok | QDialogButtonBox::Cancel | QDialogButtonBox::Help,
                               .helpSection = pageMode_ ? "help-26" : "command-11330"}));

  connect(list_, &QListWidget::currentRowChanged, this, [this](int r) {
    if (r >= 0) edit_.Select(r);
    UpdateButtons();
  });
  connect(list_, &QWidget::customContextMenuRequested, this, &TFormEDMoveRoute::ShowMenu);
  connect(delete_, &QPushButton::clicked, this, [this] { Run(&TMoveRouteEdit::Delete); });
  connect(clear_, &QPushButton::clicked, this, [this] { Run(&TMoveRouteEdit::Clear); });
  connect(repeat_, &QCheckBox::toggled, this, [this](bool on) { route.repeat = on; });
  connect(skip_, &QCheckBox::toggled, this, [this](bool on) { route.skipImpossible = on; });
  connect(frequencies_, &QButtonGroup::idClicked, this, [this](int f) { frequency = f; });
}

TFormEDMoveRoute::~TFormEDMoveRoute() = default;

void TFormEDMoveRoute::Prepare() {
  if (prepared_) return;
  prepared_ = true;
  targets_->clear();
  targetIds_.clear();
  if (pageMode_) {
    targets_->addItem("This Event");
    targetIds_.push_back(kTargetThisEvent);
    targets_->setEnabled(false);
  } else {
    if (target == 0) {
      const TRemembered& r = Remembered();
      target = r.target;
      frequency = r.frequency;
      if (r.haveSheet) {
        sheetName = r.sheetName;
        sheetIndex = r.sheetIndex;
      }
    }
    for (const char* name : {"Hero", "Skiff", "Ship", "Airship", "This Event"}) {
      targets_->addItem(name);
      targetIds_.push_back(kTargetHero + static_cast<int32_t>(targetIds_.size()));
    }
    if (context_.map)
      for (int i = 0; i < context_.map->events.Count(); ++i) {
        const TLcfEventItem* e = context_.map->events.ItemAt(i);
        const std::string& name = e->Id() == context_.eventId ? context_.eventName : e->name;
        targets_->addItem(Local(EntryCaption(e->Id(), name)));
        targetIds_.push_back(e->Id());
      }
    // A target that no longer exists opens as the hero.
    auto at = std::find(targetIds_.begin(), targetIds_.end(), target);
    if (at == targetIds_.end()) {
      target = kTargetHero;
      at = targetIds_.begin();
    }
    targets_->setCurrentIndex(static_cast<int>(at - targetIds_.begin()));
    connect(targets_, &QComboBox::currentIndexChanged, this, [this](int i) {
      if (i >= 0 && i < static_cast<int>(targetIds_.size())) target = targetIds_[static_cast<size_t>(i)];
    });
  }
  repeat_->setChecked(route.repeat != 0);
  skip_->setChecked(route.skipImpossible != 0);
  if (QAbstractButton* b = frequencies_->button(frequency)) b->setChecked(true);
  edit_.Select(route.CommandCount());
  Refill();
}

int TFormEDMoveRoute::exec() {
  Prepare();
  return QDialog::exec();
}

void TFormEDMoveRoute::accept() {
  if (!pageMode_) {
    Remembered().target = target;
    Remembered().frequency = frequency;
  }
  QDialog::accept();
}

void TFormEDMoveRoute::Refill() {
  list_->blockSignals(true);
  list_->clear();
  for (int r = 0; r < edit_.RowCount(); ++r) list_->addItem(Local(edit_.RowText(r)));
  list_->setCurrentRow(edit_.Selected());
  list_->blockSignals(false);
  UpdateButtons();
}

void TFormEDMoveRoute::UpdateButtons() {
  const bool add = edit_.CanAdd();
  for (QPushButton* b : buttons_) b->setEnabled(add);
  delete_->setEnabled(edit_.CommandSelected());
  clear_->setEnabled(route.CommandCount() > 0);
}

void TFormEDMoveRoute::Run(bool (TMoveRouteEdit::*command)()) {
  if ((edit_.*command)()) Refill();
}

void TFormEDMoveRoute::AddCommand(int32_t code) {
  if (!edit_.CanAdd()) return;
  TLcfMoveRouteItem command{.code = code};
  TRemembered& r = Remembered();
  if (code == mcSwitchOn || code == mcSwitchOff) {
    if (!context_.database) return;
    int32_t id = r.switchId;
    bool changed = false;
    const bool ok =
        TFormSelSwitch::Pick(TPickerList::Switches, *context_.database, context_.database, id, changed, this);
    changedElsewhere = changedElsewhere || changed;
    if (!ok) return;
    r.switchId = command.switchId = id;
  } else if (code == mcChangeGraphic) {
    TFormSelChar picker(this);
    picker.setWindowTitle("Change Graphic");
    picker.materialName = sheetName;
    picker.cellIndex = sheetIndex;
    if (picker.exec() != QDialog::Accepted) return;
    sheetName = command.graphicName = picker.materialName;
    sheetIndex = command.graphicIndex = picker.cellIndex;
    r.haveSheet = true;
    r.sheetName = sheetName;
    r.sheetIndex = sheetIndex;
  } else if (code == mcSoundEffect) {
    TFormSelSound picker(this);
    picker.setWindowTitle("Sound Effect");
    picker.Sound().name = r.sound;
    picker.Sound().volume = r.volume;
    picker.Sound().tempo = r.tempo;
    picker.Sound().balance = r.balance;
    if (picker.exec() != QDialog::Accepted) return;
    r.sound = command.soundName = picker.Sound().name;
    r.volume = command.volume = picker.Sound().volume;
    r.tempo = command.tempo = picker.Sound().tempo;
    r.balance = command.balance = picker.Sound().balance;
  }
  if (edit_.Insert(command)) Refill();
}

void TFormEDMoveRoute::ShowMenu(const QPoint& at) {
  QMenu menu(this);
  QAction* cut = menu.addAction("Cut", this, [this] { Run(&TMoveRouteEdit::Cut); });
  cut->setShortcut(QKeySequence::Cut);
  QAction* copy = menu.addAction("Copy", this, [this] { edit_.Copy(); });
  copy->setShortcut(QKeySequence::Copy);
  QAction* paste = menu.addAction("Paste", this, [this] { Run(&TMoveRouteEdit::Paste); });
  paste->setShortcut(QKeySequence::Paste);
  QAction* del = menu.addAction("Delete", this, [this] { Run(&TMoveRouteEdit::Delete); });
  del->setShortcut(QKeySequence(Qt::Key_Delete));
  cut->setEnabled(edit_.CommandSelected());
  copy->setEnabled(edit_.CommandSelected());
  del->setEnabled(edit_.CommandSelected());
  paste->setEnabled(TMoveRouteEdit::CanPaste());
  menu.exec(list_->viewport()->mapToGlobal(at));
}

bool TFormEDMoveRoute::eventFilter(QObject* watched, QEvent* event) {
  if (watched == list_ && event->type() == QEvent::KeyPress) {
    auto* key = static_cast<QKeyEvent*>(event);
    if (key->matches(QKeySequence::Cut)) return Run(&TMoveRouteEdit::Cut), true;
    if (key->matches(QKeySequence::Copy)) return edit_.Copy(), true;
    if (key->matches(QKeySequence::Paste)) return Run(&TMoveRouteEdit::Paste), true;
    if (key->key() == Qt::Key_Delete) return Run(&TMoveRouteEdit::Delete), true;
  }
  return QDialog::eventFilter(watched, event);
}

}  // namespace tess
