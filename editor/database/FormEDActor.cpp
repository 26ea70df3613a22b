#include "editor/database/FormEDActor.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>
#include <cstring>

#include "database/ActorPageKit.h"
#include "database/DataBaseObj.h"
#include "editor/database/CommandSlotBox.h"
#include "editor/database/FormEDPlayerExp.h"
#include "editor/database/FormEDPlayerLearning.h"
#include "editor/database/FormEDPlayerParameter.h"
#include "editor/database/ParameterThumbnail.h"
#include "editor/database/RankList.h"
#include "platform/TextCodec.h"

namespace tess {

namespace {

const char* const kThumbnailCaptions[kParameterCount] = {"Max HP",  "Max MP",       "Attack",
                                                         "Defense", "Intelligence", "Agility"};

template <class List>
std::vector<std::string> NamesOf(const List& list) {
  std::vector<std::string> names;
  names.reserve(static_cast<size_t>(list.Count()));
  for (int i = 0; i < list.Count(); ++i) names.push_back(list.ItemAt(i)->name);
  return names;
}

}  // namespace

TFormEDActor::TFormEDActor(TCatalog& catalog, int clipboardFormat, const TDataBasePageContext& context, QWidget* parent)
    : TFormEntryListPage(catalog, clipboardFormat, context, parent) {}

int TFormEDActor::NowValue(int parameter) const { return Actor() ? Actor()->GetParameter(parameter, 1) : 0; }

// ---------------------------------------------------------------------------------------------
// Curves

QWidget* TFormEDActor::BuildCurves(QWidget* parent) {
  auto* box = new QGroupBox("Parameters", parent);
  auto* grid = new QGridLayout(box);
  for (int p = 0; p < kParameterCount; ++p) {
    auto* thumbnail = new TParameterThumbnail(p, kThumbnailCaptions[p], box);
    thumbnail->setObjectName(QString("Thumbnail%1").arg(p));
    thumbnails_[static_cast<size_t>(p)] = thumbnail;
    grid->addWidget(thumbnail, p / 3, p % 3);
    connect(thumbnail, &TParameterThumbnail::clicked, this, [this, p] { RunParameters(p); });
  }
  auto* progression = new QPushButton("Parameter Progression", box);
  progression->setObjectName("ButtonParameters");
  grid->addWidget(progression, 2, 0, 1, 3);
  connect(progression, &QPushButton::clicked, this, [this] { RunParameters(0); });
  experience_ = new QLabel(box);
  experience_->setObjectName("ExperienceLine");
  auto* curve = new QPushButton("Experience Curve", box);
  curve->setObjectName("ButtonExperience");
  grid->addWidget(experience_, 3, 0, 1, 2);
  grid->addWidget(curve, 3, 2);
  connect(curve, &QPushButton::clicked, this, [this] { RunExperience(); });
  return box;
}

void TFormEDActor::RunParameters(int parameter) {
  TLcfActorBase* actor = Actor();
  if (!actor) return;
  TFormEDPlayerParameter window(actor->parameters, parameter, this);
  if (window.exec() != QDialog::Accepted) return;
  if (std::memcmp(actor->parameters, window.Curves(), sizeof actor->parameters) == 0) return;
  std::memcpy(actor->parameters, window.Curves(), sizeof actor->parameters);
  SharedChanged();
}

void TFormEDActor::RunExperience() {
  TLcfActorBase* actor = Actor();
  if (!actor) return;
  const TFormEDPlayerExp::TValues before = {actor->expPrimary, actor->expSecondary, actor->expTertiary};
  TFormEDPlayerExp window(before, this);
  if (window.exec() != QDialog::Accepted || window.Values() == before) return;
  actor->expPrimary = window.Values()[0];
  actor->expSecondary = window.Values()[1];
  actor->expTertiary = window.Values()[2];
  SharedChanged();
}

// ---------------------------------------------------------------------------------------------
// Learned skills

QWidget* TFormEDActor::BuildSkills(QWidget* parent) {
  auto* box = new QGroupBox("Skills Learned", parent);
  auto* layout = new QVBoxLayout(box);
  skills_ = new QTableWidget(0, 2, box);
  skills_->setObjectName("SkillList");
  skills_->setHorizontalHeaderLabels({"Level", "Skill"});
  skills_->horizontalHeader()->setStretchLastSection(true);
  skills_->verticalHeader()->hide();
  skills_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  skills_->setSelectionBehavior(QAbstractItemView::SelectRows);
  skills_->setSelectionMode(QAbstractItemView::SingleSelection);
  layout->addWidget(skills_, 1);
  auto* buttons = new QHBoxLayout;
  auto* add = new QPushButton("Add Skill", box);
  add->setObjectName("ButtonAddSkill");
  auto* remove = new QPushButton("Remove", box);
  remove->setObjectName("ButtonRemoveSkill");
  buttons->addWidget(add);
  buttons->addWidget(remove);
  layout->addLayout(buttons);
  connect(add, &QPushButton::clicked, this, [this] { RunLearning(-1); });
  connect(remove, &QPushButton::clicked, this, [this] { RemoveLearning(skills_->currentRow()); });
  connect(skills_, &QTableWidget::cellDoubleClicked, this, [this](int row, int) { RunLearning(row); });
  return box;
}

TLcfLearningItem* TFormEDActor::LearnedAt(int row) const {
  TCatalog* list = Learned();
  return list ? static_cast<TLcfLearningItem*>(list->ItemAt(row)) : nullptr;
}

void TFormEDActor::ShowSkills() {
  TCatalog* list = Learned();
  const int n = list ? list->Count() : 0;
  skills_->setRowCount(n);
  const TLcfSkill& known = Context().database.skills;
  for (int row = 0; row < n; ++row) {
    const TLcfLearningItem* entry = LearnedAt(row);
    const TCatalogItem* skill = known.FindById(entry->skillId);
    // A skill that no longer exists shows as "?" and stays in the list.
    const QString name = skill ? TextCodec::Current().ToUnicode(skill->name) : QString("?");
    skills_->setItem(row, 0, new QTableWidgetItem(QString::number(entry->level)));
    skills_->setItem(row, 1, new QTableWidgetItem(name));
  }
}

void TFormEDActor::RunLearning(int row) {
  TCatalog* list = Learned();
  if (!list) return;
  TLcfLearningItem* entry = LearnedAt(row);
  if (!entry && list->Count() >= kMaxLearnedSkills) return;
  std::vector<int32_t> listed;
  for (int i = 0; i < list->Count(); ++i) listed.push_back(LearnedAt(i)->skillId);
  TFormEDPlayerLearning window(Context().database.skills, listed, entry ? entry->level : 1, entry ? entry->skillId : 0,
                               this);
  if (window.exec() != QDialog::Accepted || window.SkillId() <= 0) return;
  if (entry && entry->level == window.Level() && entry->skillId == window.SkillId()) return;
  if (!entry) entry = static_cast<TLcfLearningItem*>(list->Append());
  entry->level = window.Level();
  entry->skillId = window.SkillId();
  list->Sort([](const TCatalogItem& a, const TCatalogItem& b) {
    const auto& x = static_cast<const TLcfLearningItem&>(a);
    const auto& y = static_cast<const TLcfLearningItem&>(b);
    return x.level != y.level ? x.level < y.level : x.skillId < y.skillId;
  });
  ShowSkills();
  SharedChanged();
}

void TFormEDActor::RemoveLearning(int row) {
  TCatalog* list = Learned();
  const TLcfLearningItem* entry = LearnedAt(row);
  if (!entry) return;
  list->Remove(entry->Id());
  ShowSkills();
  skills_->setCurrentCell(std::min(row, skills_->rowCount() - 1), 0);
  SharedChanged();
}

// ---------------------------------------------------------------------------------------------
// Ranks

QWidget* TFormEDActor::BuildRanks(QWidget* parent) {
  auto* box = new QWidget(parent);
  auto* layout = new QHBoxLayout(box);
  layout->setContentsMargins(0, 0, 0, 0);
  auto rankList = [this, box](const char* title, const char* name, auto get, auto set, auto resize, auto count) {
    auto* group = new QGroupBox(title, box);
    auto* list = new TRankList([this, get](int id) { return Actor() ? static_cast<int>((Actor()->*get)(id)) : kRankC; },
                               [this, set, resize, count](int id, int rank) {
                                 TLcfActorBase* actor = Actor();
                                 if (!actor) return;
                                 // Ranks past the stored ones read as C; the array grows when one of them is set.
                                 if (id > actor->*count) (actor->*resize)(id);
                                 (actor->*set)(id, static_cast<uint8_t>(rank));
                               },
                               group);
    list->setObjectName(name);
    (new QVBoxLayout(group))->addWidget(list);
    connect(list, &TRankList::changed, this, [this] { SharedChanged(); });
    return std::pair{group, list};
  };
  auto [conditions, conditionList] = rankList("Condition Resistance", "ConditionRanks",
                                              &TLcfActorBase::GetConditionRank, &TLcfActorBase::SetConditionRank,
                                              &TLcfActorBase::ResizeConditionRanks, &TLcfActorBase::conditionRankCount);
  auto [attributes, attributeList] = rankList("Attribute Resistance", "AttributeRanks",
                                              &TLcfActorBase::GetAttributeRank, &TLcfActorBase::SetAttributeRank,
                                              &TLcfActorBase::ResizeAttributeRanks, &TLcfActorBase::attributeRankCount);
  conditionRanks_ = conditionList;
  attributeRanks_ = attributeList;
  conditionRanks_->SetNames(NamesOf(Context().database.conditions));
  attributeRanks_->SetNames(NamesOf(Context().database.attributes));
  layout->addWidget(conditions);
  layout->addWidget(attributes);
  return box;
}

// ---------------------------------------------------------------------------------------------
// Battle commands

QWidget* TFormEDActor::BuildCommands(QWidget* parent) {
  commands_ = new TCommandSlotBox("Battle Commands", parent);
  connect(commands_, &TCommandSlotBox::chosen, this, [this](int slot, int32_t id) { ChooseCommand(slot, id); });
  return commands_;
}

void TFormEDActor::ChooseCommand(int slot, int32_t id) {
  TLcfActorBase* actor = Actor();
  if (!actor) return;
  int32_t before[kBattleCommandSlots];
  std::memcpy(before, actor->battleCommands, sizeof before);
  tess::ChooseCommand(actor->battleCommands, slot, id, Context().database.battle.commands.Count());
  if (std::memcmp(before, actor->battleCommands, sizeof before) == 0) return;
  SharedChanged();
}

QComboBox* TFormEDActor::CommandSlot(int slot) const { return commands_->Slot(slot); }

void TFormEDActor::ShowCommands() {
  const TLcfActorBase* actor = Actor();
  commands_->Show(actor ? actor->battleCommands : nullptr, Context().database.battle.commands);
}

// ---------------------------------------------------------------------------------------------

void TFormEDActor::LoadShared() {
  conditionRanks_->Reload();
  attributeRanks_->Reload();
  const bool some = Actor() != nullptr;
  conditionRanks_->setEnabled(some);
  attributeRanks_->setEnabled(some);
  ShowSkills();
  UpdateShared();
}

void TFormEDActor::UpdateShared() {
  const TLcfActorBase* actor = Actor();
  static const uint16_t kNothing[kMaxHeroLevel] = {};
  for (int p = 0; p < kParameterCount; ++p)
    thumbnails_[static_cast<size_t>(p)]->Show(actor ? actor->parameters + p * kMaxHeroLevel : kNothing, NowValue(p));
  experience_->setText(actor ? QString::asprintf("Primary = %d ; Secondary = %d ; Tertiary = %d", actor->expPrimary,
                                                 actor->expSecondary, actor->expTertiary)
                             : QString());
  ShowCommands();
}

void TFormEDActor::SharedChanged() { DataModified(); }

}  // namespace tess
