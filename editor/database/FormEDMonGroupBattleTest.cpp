#include "editor/database/FormEDMonGroupBattleTest.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QEventLoop>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QShortcut>
#include <QSpinBox>
#include <QStackedWidget>
#include <QTabBar>
#include <QVBoxLayout>
#include <optional>

#include "core/EntryCaption.h"
#include "core/MessagePort.h"
#include "core/ProjectFolder.h"
#include "database/DataBaseObj.h"
#include "platform/RuntimeLauncher.h"
#include "platform/Settings.h"
#include "platform/ShellServices.h"
#include "platform/TextCodec.h"
#include "project/BattleTestRun.h"
#include "ui/DialogButtons.h"
#include "ui/EditorAudio.h"

namespace tess {

namespace {

const char* const kSlotCaptions[5] = {"Weapon:", "Shield:", "Armor:", "Helmet:", "Accessory:"};

QString Caption(int32_t id, const std::string& name) { return TextCodec::Current().ToUnicode(EntryCaption(id, name)); }

// The editor's side of a test: its audio, its guarded save and the runtime with a wait until it
// ends.
class TEditorBattlePorts final : public TBattleTestPorts {
 public:
  TEditorBattlePorts(TLcfDataBase& db, const TSettings& settings, QWidget* owner)
      : db_(db), settings_(settings), owner_(owner) {}
  void ReleaseAudio() override { audio_.emplace(); }
  void RestoreAudio() override { audio_.reset(); }
  bool SaveDatabase() override { return db_.SaveDatabase(ProjectFolder(), ApplicationFolder()); }
  bool RunRuntime(const std::vector<std::string>& words, std::string* why) override {
    // The same runtime and launcher as test play.
    QString reason;
    auto plan = RuntimeLauncher::PlanForProject(settings_, ProjectFolder(), words, &reason);
    *why = reason.toStdString();
    if (!plan) return false;
    QProcess process;
    if (!RuntimeLauncher::Start(process, *plan)) {
      *why = QString("%1 could not be started: %2").arg(plan->program, process.errorString()).toStdString();
      return false;
    }
    // The editor waits, its events still served, and touches no project file until the end.
    QDialog wait(owner_);
    wait.setWindowTitle("Test Battle");
    wait.setModal(true);
    (new QVBoxLayout(&wait))->addWidget(new QLabel("The battle test is running.", &wait));
    QObject::connect(&process, &QProcess::finished, &wait, &QDialog::accept);
    QObject::connect(&process, &QProcess::errorOccurred, &wait, [&wait, &process] {
      if (process.state() == QProcess::NotRunning) wait.accept();
    });
    if (process.state() != QProcess::NotRunning) wait.exec();
    process.waitForFinished(-1);
    return true;
  }
  void ShowError(const std::string& message) override { tess::ShowError(message, owner_); }

 private:
  TLcfDataBase& db_;
  const TSettings& settings_;
  QWidget* owner_;
  std::optional<TAudioReleasedForGame> audio_;
};

}  // namespace

TFormEDMonGroupBattleTest::TFormEDMonGroupBattleTest(TLcfDataBase& database, int32_t troopId, QWidget* owner,
                                                     const TSettings* settings)
    : QDialog(owner), db_(database), settings_(settings), setup_(database, troopId) {
  setWindowTitle("Test Battle");
  setObjectName("FormEDMonGroupBattleTest");
  auto* layout = new QVBoxLayout(this);

  auto* countBox = new QGroupBox("Party", this);
  auto* countRow = new QHBoxLayout(countBox);
  counts_ = new QButtonGroup(this);
  for (int n = 0; n <= kMaxTestMembers; ++n) {
    auto* button = new QRadioButton(n == 0 ? QString("None") : QString::number(n), countBox);
    counts_->addButton(button, n);
    countRow->addWidget(button);
  }
  layout->addWidget(countBox);

  tabs_ = new QTabBar(this);
  layout->addWidget(tabs_);
  memberArea_ = new QStackedWidget(this);
  memberArea_->addWidget(new QWidget(memberArea_));  // the empty panel of a party without members
  auto* member = new QWidget(memberArea_);
  auto* memberForm = new QFormLayout(member);
  hero_ = new QComboBox(member);
  hero_->setObjectName("Hero");
  level_ = new QSpinBox(member);
  level_->setObjectName("Level");
  auto* initial = new QPushButton("Initial Stats", member);
  memberForm->addRow("Hero:", hero_);
  auto* levelRow = new QHBoxLayout;
  levelRow->addWidget(level_);
  levelRow->addWidget(initial);
  memberForm->addRow("Level:", levelRow);
  for (int slot = 0; slot < 5; ++slot) {
    auto* combo = new QComboBox(member);
    combo->setObjectName(QString("Equipment%1").arg(slot + 1));
    equipment_[static_cast<size_t>(slot)] = combo;
    auto* caption = new QLabel(kSlotCaptions[slot], member);
    if (slot == 1) secondCaption_ = caption;
    memberForm->addRow(caption, combo);
    connect(combo, &QComboBox::activated, this, [this, slot, combo](int index) {
      if (!showing_) SetEquipment(Member(), slot, combo->itemData(index).toInt());
    });
  }
  parameters_ = new QLabel(member);
  parameters_->setObjectName("Parameters");
  memberForm->addRow(parameters_);
  memberArea_->addWidget(member);
  layout->addWidget(memberArea_);

  auto* options = new QHBoxLayout;
  auto* formationBox = new QGroupBox("Party Formation", this);
  auto* formationLayout = new QVBoxLayout(formationBox);
  formations_ = new QButtonGroup(this);
  const char* formations[] = {"Use the following Terrain:", "Use a Loose Formation", "Use a Tight Formation"};
  for (int f = 0; f < 3; ++f) {
    auto* button = new QRadioButton(formations[f], formationBox);
    formations_->addButton(button, f);
    formationLayout->addWidget(button);
    if (f == 0) {
      terrain_ = new QComboBox(formationBox);
      terrain_->setObjectName("Terrain");
      for (int t = 0; t < database.terrain.Count(); ++t)
        terrain_->addItem(Caption(database.terrain.ItemAt(t)->Id(), database.terrain.ItemAt(t)->name),
                          database.terrain.ItemAt(t)->Id());
      formationLayout->addWidget(terrain_);
    }
  }
  options->addWidget(formationBox);
  auto* conditionBox = new QGroupBox("Special Conditions", this);
  auto* conditionLayout = new QVBoxLayout(conditionBox);
  conditions_ = new QButtonGroup(this);
  const char* conditions[] = {"No Special Conditions", "Initiative", "Back Attack", "Surround Attack",
                              "Pincers Attack"};
  for (int c = 0; c < 5; ++c) {
    auto* button = new QRadioButton(conditions[c], conditionBox);
    conditions_->addButton(button, c);
    conditionLayout->addWidget(button);
  }
  options->addWidget(conditionBox);
  layout->addLayout(options);

  auto* buttons = MakeDialogButtons(this, {.ok = [this] { Ok(); }, .cancel = [this] { reject(); }});
  start_ = buttons->addButton("Start Test", QDialogButtonBox::ActionRole);
  start_->setObjectName("ButtonStartTest");
  layout->addWidget(buttons);

  connect(counts_, &QButtonGroup::idClicked, this, [this](int n) { SetCount(n); });
  connect(tabs_, &QTabBar::currentChanged, this, [this] {
    if (!showing_) ShowMember();
  });
  connect(hero_, &QComboBox::activated, this, [this](int index) { SetHero(Member(), hero_->itemData(index).toInt()); });
  connect(level_, &QSpinBox::valueChanged, this, [this](int level) {
    if (showing_) return;
    setup_.SetLevel(Member(), level);
    ShowMember();
  });
  connect(initial, &QPushButton::clicked, this, [this] {
    setup_.ApplyStartingState(Member());
    ShowMember();
  });
  connect(formations_, &QButtonGroup::idClicked, this, [this](int f) {
    setup_.formation = f;
    ShowAll();
  });
  connect(conditions_, &QButtonGroup::idClicked, this, [this](int c) { setup_.condition = c; });
  connect(terrain_, &QComboBox::activated, this,
          [this](int index) { setup_.terrainId = terrain_->itemData(index).toInt(); });
  connect(start_, &QPushButton::clicked, this, [this] { StartTest(); });
  auto* f9 = new QShortcut(QKeySequence(Qt::Key_F9), this);
  connect(f9, &QShortcut::activated, this, [this] { StartTest(); });
  auto* next = new QShortcut(QKeySequence("Ctrl+Tab"), this);
  connect(next, &QShortcut::activated, this, [this] {
    if (tabs_->count()) tabs_->setCurrentIndex((tabs_->currentIndex() + 1) % tabs_->count());
  });
  auto* previous = new QShortcut(QKeySequence("Ctrl+Shift+Tab"), this);
  connect(previous, &QShortcut::activated, this, [this] {
    if (tabs_->count()) tabs_->setCurrentIndex((tabs_->currentIndex() + tabs_->count() - 1) % tabs_->count());
  });
  ShowAll();
}

int TFormEDMonGroupBattleTest::Member() const { return std::max(0, tabs_->currentIndex()); }

void TFormEDMonGroupBattleTest::ShowAll() {
  showing_ = true;
  for (int n = 0; n <= kMaxTestMembers; ++n) counts_->button(n)->setEnabled(setup_.CountAvailable(n));
  counts_->button(setup_.Count())->setChecked(true);
  const int current = tabs_->currentIndex();
  while (tabs_->count() > setup_.Count()) tabs_->removeTab(tabs_->count() - 1);
  while (tabs_->count() < setup_.Count()) tabs_->addTab(QString("Character %1").arg(tabs_->count() + 1));
  if (current >= 0 && current < tabs_->count()) tabs_->setCurrentIndex(current);
  memberArea_->setCurrentIndex(setup_.Count() > 0 ? 1 : 0);
  start_->setEnabled(setup_.Count() > 0);
  for (QAbstractButton* b : formations_->buttons()) b->setEnabled(setup_.FormationEnabled());
  if (auto* b = formations_->button(setup_.formation)) b->setChecked(true);
  for (int c = 0; c < 5; ++c) conditions_->button(c)->setEnabled(setup_.ConditionEnabled(c));
  if (auto* b = conditions_->button(setup_.condition)) b->setChecked(true);
  terrain_->setCurrentIndex(terrain_->findData(setup_.terrainId));
  terrain_->setEnabled(setup_.TerrainEnabled());
  showing_ = false;
  ShowMember();
}

void TFormEDMonGroupBattleTest::ShowMember() {
  if (setup_.Count() == 0) return;
  showing_ = true;
  const int m = Member();
  const TLcfTestPlayerItem& member = setup_.Member(m);
  hero_->clear();
  for (int32_t id : setup_.OfferedHeroes(m))
    if (const TLcfPlayerItem* h = db_.heroes.FindById(id)) hero_->addItem(Caption(id, h->name), id);
  hero_->setCurrentIndex(hero_->findData(member.heroId));
  level_->setRange(setup_.MinLevel(m), setup_.MaxLevel(m));
  level_->setValue(member.level);
  secondCaption_->setText(setup_.SecondSlotHoldsWeapons(m) ? "Weapon:" : "Shield:");
  for (int slot = 0; slot < 5; ++slot) {
    QComboBox* combo = equipment_[static_cast<size_t>(slot)];
    combo->clear();
    combo->addItem("(None)", 0);
    for (int32_t id : setup_.EquipmentChoices(m, slot)) combo->addItem(Caption(id, db_.items.FindById(id)->name), id);
    combo->setCurrentIndex(std::max(0, combo->findData(member.Equip(slot))));
  }
  const TTestParameters p = setup_.Parameters(m);
  parameters_->setText(QString("Max HP %1   Max MP %2   Attack %3   Defense %4   Intellect %5   Agility %6")
                           .arg(p.maxHP)
                           .arg(p.maxMP)
                           .arg(p.attack)
                           .arg(p.defense)
                           .arg(p.intelligence)
                           .arg(p.agility));
  showing_ = false;
}

void TFormEDMonGroupBattleTest::SetCount(int n) {
  setup_.SetCount(n);
  ShowAll();
}

void TFormEDMonGroupBattleTest::SetHero(int member, int32_t heroId) {
  setup_.SetHero(member, heroId);
  ShowMember();
}

void TFormEDMonGroupBattleTest::SetEquipment(int member, int slot, int32_t itemId) {
  setup_.SetEquipment(member, slot, itemId);
  ShowMember();
}

void TFormEDMonGroupBattleTest::StartTest() {
  if (setup_.Count() == 0) return;
  std::optional<TSettings> user;
  const TSettings& settings = settings_ ? *settings_ : user.emplace();
  TEditorBattlePorts ports(db_, settings, this);
  RunBattleTest(db_, setup_, settings.FullScreenFlag(), ProjectFolder(), ScratchFolder(), ports);
}

void TFormEDMonGroupBattleTest::Ok() {
  setup_.WriteTo(db_.system);
  accept();
}

}  // namespace tess
