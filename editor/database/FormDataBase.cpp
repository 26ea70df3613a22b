#include "editor/database/FormDataBase.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QShortcut>
#include <QTabBar>
#include <QVBoxLayout>

#include "core/MessagePort.h"
#include "core/ProjectFolder.h"
#include "database/DataBaseObj.h"
#include "editor/database/FormEDAnimation.h"
#include "editor/database/FormEDAttrib.h"
#include "editor/database/FormEDBattle.h"
#include "editor/database/FormEDCBA.h"
#include "editor/database/FormEDChipSet.h"
#include "editor/database/FormEDCommonEvent.h"
#include "editor/database/FormEDGround.h"
#include "editor/database/FormEDItem.h"
#include "editor/database/FormEDJob.h"
#include "editor/database/FormEDMonGroup.h"
#include "editor/database/FormEDMonster.h"
#include "editor/database/FormEDPlayer.h"
#include "editor/database/FormEDSkill.h"
#include "editor/database/FormEDStatus.h"
#include "editor/database/FormEDSystem.h"
#include "editor/database/FormEDSystem2.h"
#include "editor/database/FormEDVocabulary.h"
#include "platform/WaitCursor.h"
#include "project/WorkRecovery.h"
#include "ui/DialogButtons.h"

namespace tess {

namespace {

// A tab: its caption and the factory of its page.
struct TTabInfo {
  const char* caption;
  TDataBasePageMaker make;
};

// The page of a form made from the context alone.
template <class Form>
TFormDataBaseBase* Page(const TDataBasePageContext& context, QWidget* parent) {
  return new Form(context, parent);
}

TFormDataBaseBase* CommonEventPage(const TDataBasePageContext& context, QWidget* parent) {
  return new TFormEDCommonEvent(context, parent);
}

const TTabInfo kTabs[TFormDataBase::kTabCount] = {
    {"Hero", Page<TFormEDPlayer>},          {"Class", Page<TFormEDJob>},
    {"Skill", Page<TFormEDSkill>},          {"Item", Page<TFormEDItem>},
    {"Monster", Page<TFormEDMonster>},      {"M. Groups", Page<TFormEDMonGroup>},
    {"Attribute", Page<TFormEDAttrib>},     {"Condition", Page<TFormEDStatus>},
    {"Animations", Page<TFormEDAnimation>}, {"Animations 2", Page<TFormEDCBA>},
    {"Battle Layout", Page<TFormEDBattle>}, {"Terrain", Page<TFormEDGround>},
    {"Tileset", Page<TFormEDChipSet>},      {"String", Page<TFormEDVocabulary>},
    {"System", Page<TFormEDSystem>},        {"System 2", Page<TFormEDSystem2>},
    {"Common Event", CommonEventPage},
};

int rememberedTab = 0;
constexpr const char* kDiscardChangesQuestion = "The changes were not applied.  Discard them?";

}  // namespace

const char* TFormDataBase::TabCaption(int tab) { return tab >= 0 && tab < kTabCount ? kTabs[tab].caption : ""; }
int TFormDataBase::RememberedTab() { return rememberedTab; }

TFormDataBase::TFormDataBase(TLcfDataBase& database, TLcfMapTree& mapTree, TLcfMap& map, std::string projectFolder,
                             std::string applicationFolder, QWidget* owner, const TSettings* settings)
    : QDialog(owner),
      database_(database),
      mapTree_(mapTree),
      map_(map),
      projectFolder_(std::move(projectFolder)),
      applicationFolder_(std::move(applicationFolder)),
      settings_(settings) {
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

  auto* buttons =
      MakeDialogButtons(this, {.ok = [this] { Ok(); }, .cancel = [this] { Cancel(); }, .apply = [this] { Apply(); }});
  applyButton_ = buttons->button(QDialogButtonBox::Apply);
  applyButton_->setEnabled(false);
  layout->addWidget(buttons);

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

TFormDataBaseBase* TFormDataBase::MakePage(int tab, QWidget* parent) {
  const TDataBasePageContext context{database_, mapTree_, map_, [this] { DataModified(); }, tab, settings_};
  return kTabs[tab].make(context, parent);
}

void TFormDataBase::CreatePage(int tab) {
  TWaitCursor wait;
  host_->hide();
  delete page_;
  page_ = nullptr;
  page_ = MakePage(tab, host_);
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
