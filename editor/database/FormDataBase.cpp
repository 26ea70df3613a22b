#include "editor/database/FormDataBase.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QShortcut>
#include <QTabBar>
#include <QVBoxLayout>

#include "core/MessagePort.h"
#include "core/ProjectFolder.h"
#include "database/DataBaseObj.h"
#include "editor/database/FormEDCommonEvent.h"
#include "editor/database/FormEntryListPage.h"
#include "platform/WaitCursor.h"
#include "project/WorkRecovery.h"

namespace tess {

namespace {

struct TTabInfo {
  const char* caption;
  // The list a list page edits, and its clipboard format; null for pages without an entry list.
  TCatalog* (*list)(TLcfDataBase&);
  int format;
};

const TTabInfo kTabs[TFormDataBase::kTabCount] = {
    {"Hero", [](TLcfDataBase& d) -> TCatalog* { return &d.heroes; }, kClipHeroes},
    {"Class", [](TLcfDataBase& d) -> TCatalog* { return &d.classes; }, kClipClasses},
    {"Skill", [](TLcfDataBase& d) -> TCatalog* { return &d.skills; }, kClipSkills},
    {"Item", [](TLcfDataBase& d) -> TCatalog* { return &d.items; }, kClipItems},
    {"Monster", [](TLcfDataBase& d) -> TCatalog* { return &d.monsters; }, kClipMonsters},
    {"M. Groups", [](TLcfDataBase& d) -> TCatalog* { return &d.troops; }, kClipTroops},
    {"Attribute", [](TLcfDataBase& d) -> TCatalog* { return &d.attributes; }, kClipAttributes},
    {"Condition", [](TLcfDataBase& d) -> TCatalog* { return &d.conditions; }, kClipConditions},
    {"Animations", [](TLcfDataBase& d) -> TCatalog* { return &d.animations; }, kClipBattleAnimations},
    {"Animations 2", [](TLcfDataBase& d) -> TCatalog* { return &d.battlerAnimations; }, kClipBattlerAnimations},
    {"Battle Layout", nullptr, 0},
    {"Terrain", [](TLcfDataBase& d) -> TCatalog* { return &d.terrain; }, kClipTerrain},
    {"Tileset", [](TLcfDataBase& d) -> TCatalog* { return &d.tilesets; }, kClipTilesets},
    {"String", nullptr, 0},
    {"System", nullptr, 0},
    {"System 2", nullptr, 0},
    {"Common Event", [](TLcfDataBase& d) -> TCatalog* { return &d.commonEvents; }, kClipCommonEvents},
};

int rememberedTab = 0;
constexpr const char* kDiscardChangesQuestion = "The changes were not applied.  Discard them?";
constexpr int kCommonEventTab = 16;

}  // namespace

const char* TFormDataBase::TabCaption(int tab) { return tab >= 0 && tab < kTabCount ? kTabs[tab].caption : ""; }
int TFormDataBase::RememberedTab() { return rememberedTab; }

TFormDataBase::TFormDataBase(TLcfDataBase& database, TLcfMapTree& mapTree, TLcfMap& map, std::string projectFolder,
                             std::string applicationFolder, QWidget* owner)
    : QDialog(owner),
      database_(database),
      mapTree_(mapTree),
      map_(map),
      projectFolder_(std::move(projectFolder)),
      applicationFolder_(std::move(applicationFolder)) {
  setWindowTitle("Database");
  setObjectName("FormDataBase");
  resize(800, 600);
  auto* layout = new QVBoxLayout(this);
  tabs_ = new QTabBar(this);
  tabs_->setExpanding(false);
  tabs_->setUsesScrollButtons(true);
  for (const TTabInfo& tab : kTabs) tabs_->addTab(tab.caption);
  layout->addWidget(tabs_);
  host_ = new QWidget(this);
  host_->setObjectName("Foundation");
  host_->setLayout(new QVBoxLayout);
  host_->layout()->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(host_, 1);

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel | QDialogButtonBox::Apply, this);
  applyButton_ = buttons->button(QDialogButtonBox::Apply);
  applyButton_->setEnabled(false);
  layout->addWidget(buttons);
  connect(buttons, &QDialogButtonBox::accepted, this, &TFormDataBase::Ok);
  connect(buttons, &QDialogButtonBox::rejected, this, &TFormDataBase::Cancel);
  connect(applyButton_, &QPushButton::clicked, this, &TFormDataBase::Apply);

  // Ctrl+Tab and Ctrl+Shift+Tab step through the tabs, wrapping around; F4 and F5 (also with
  // Ctrl) move the page's entry selection.
  auto shortcut = [this](const char* keys, auto action) {
    auto* s = new QShortcut(QKeySequence(keys), this);
    s->setContext(Qt::WindowShortcut);
    connect(s, &QShortcut::activated, this, action);
  };
  shortcut("Ctrl+Tab", [this] { SelectTab(CurrentTab() + 1); });
  shortcut("Ctrl+Shift+Tab", [this] { SelectTab(CurrentTab() - 1); });
  shortcut("Ctrl+Backtab", [this] { SelectTab(CurrentTab() - 1); });
  for (const char* keys : {"F4", "Ctrl+F4"})
    shortcut(keys, [this] {
      if (page_) page_->SelectPreviousEntry();
    });
  for (const char* keys : {"F5", "Ctrl+F5"})
    shortcut(keys, [this] {
      if (page_) page_->SelectNextEntry();
    });

  keepTimer_.setSingleShot(true);
  keepTimer_.setInterval(kKeepDelayMs);
  connect(&keepTimer_, &QTimer::timeout, this, [this] {
    try {
      KeepUnsavedDatabase(ScratchFolder(), database_.SaveToMemory(TCatalogVarData::Mode::Copy));
    } catch (const std::exception&) {
      // The scratch folder cannot take it: the edits are still here, and Apply saves them.
    }
  });

  tabs_->setCurrentIndex(rememberedTab);
  CreatePage(rememberedTab);
  connect(tabs_, &QTabBar::currentChanged, this, [this](int tab) { CreatePage(tab); });
}

TFormDataBase::~TFormDataBase() = default;

int TFormDataBase::CurrentTab() const { return tabs_->currentIndex(); }

void TFormDataBase::SelectTab(int tab) { tabs_->setCurrentIndex((tab % kTabCount + kTabCount) % kTabCount); }

void TFormDataBase::CreatePage(int tab) {
  TWaitCursor wait;
  host_->hide();
  delete page_;
  page_ = nullptr;
  const TTabInfo& info = kTabs[tab];
  if (tab == kCommonEventTab) {
    page_ = new TFormEDCommonEvent(database_, tab, host_);
  } else if (info.list) {
    page_ = new TFormEntryListPage(*info.list(database_), info.format, tab, host_);
  } else {
    page_ = new TFormDataBaseBase(host_);
    auto* layout = new QVBoxLayout(page_);
    auto* label = new QLabel(QString("%1 settings").arg(info.caption), page_);
    label->setAlignment(Qt::AlignCenter);
    layout->addWidget(label);
  }
  page_->changeNotifier = [this] { DataModified(); };
  page_->mapTree = &mapTree_;
  page_->map = &map_;
  host_->layout()->addWidget(page_);
  page_->show();
  host_->show();
}

bool TFormDataBase::ApplyEnabled() const { return applyButton_->isEnabled(); }

void TFormDataBase::DataModified() {
  applyButton_->setEnabled(true);
  keepTimer_.start();
}

bool TFormDataBase::Apply() {
  bool saved;
  {
    TWaitCursor wait;
    saved = database_.SaveDatabase(projectFolder_, applicationFolder_);
  }
  if (saved) {
    applyButton_->setEnabled(false);
    keepTimer_.stop();
    DropUnsavedDatabase(ScratchFolder());
  }
  return saved;
}

void TFormDataBase::Ok() {
  hide();
  if (parentWidget()) parentWidget()->repaint();
  if (Apply()) {
    accept();
    return;
  }
  // A save that failed or was refused keeps the window and its edits.
  show();
}

void TFormDataBase::Cancel() { QDialog::reject(); }

void TFormDataBase::reject() {
  if (ApplyEnabled() && AskYesNoDestructive(kDiscardChangesQuestion, this) != TMessageResult::Yes) return;
  QDialog::reject();
}

void TFormDataBase::done(int result) {
  rememberedTab = CurrentTab();
  // What was not applied is discarded now, as the author chose.
  keepTimer_.stop();
  DropUnsavedDatabase(ScratchFolder());
  delete page_;
  page_ = nullptr;
  hide();
  // Closing in any way reads the file back: what OK or Apply did not save is discarded.
  std::string error;
  if (!database_.LoadDatabase(projectFolder_, &error)) ShowError(error, parentWidget());
  QDialog::done(result);
}

}  // namespace tess
