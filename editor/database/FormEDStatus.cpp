#include "editor/database/FormEDStatus.h"

#include <QAbstractListModel>
#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListView>
#include <QPainter>
#include <QStyledItemDelegate>
#include <QVBoxLayout>
#include <map>

#include "core/EntryCaption.h"
#include "core/MaterialFiles.h"
#include "database/DataBaseObj.h"
#include "media/PictureFile.h"
#include "platform/TextCodec.h"
#include "ui/BitmapImage.h"
#include "ui/FieldBinder.h"

namespace tess {

namespace {

using K = TFieldKind;
using Item = TLcfStatusItem;

constexpr TFieldChoice kExtent[] = {{0, "Ends After Battle"}, {1, "Persists After Battle"}};
constexpr TFieldChoice kColours[] = {{0, "0"},   {1, "1"},   {2, "2"},   {3, "3"},   {4, "4"},   {5, "5"},   {6, "6"},
                                     {7, "7"},   {8, "8"},   {9, "9"},   {10, "10"}, {11, "11"}, {12, "12"}, {13, "13"},
                                     {14, "14"}, {15, "15"}, {16, "16"}, {17, "17"}, {18, "18"}, {19, "19"}};
constexpr TFieldChoice kRestrictions[] = {
    {0, "No Restriction"}, {1, "No Action Allowed"}, {2, "Attack Enemies Randomly"}, {3, "Attack Allies Randomly"}};
constexpr TFieldChoice kAlterations[] = {{0, "Half"}, {1, "Double"}, {2, "None"}};
constexpr TFieldChoice kEffects[] = {{0, "Damage"}, {1, "Recovery"}, {2, "None"}};
constexpr int32_t kOn[] = {1};
constexpr int32_t kNone[] = {2};

// "Ordinary" is set for every condition but the first; the rows condition 1 does not edit hang
// on it, so the binder's enabling rule covers them.
constexpr const char* kOrdinary = "Ordinary";

#define ROW(k, kind_, cap, lo, hi) \
  { .key = k, .kind = kind_, .caption = cap, .min = lo, .max = hi, .whenKey = kOrdinary, .whenValues = kOn }
#define WHEN(k, kind_, cap, lo, hi, by, values, not_)                                                   \
  {                                                                                                     \
    .key = k, .kind = kind_, .caption = cap, .min = lo, .max = hi, .whenKey = by, .whenValues = values, \
    .whenNot = not_                                                                                     \
  }

constexpr TFieldRow kRows[] = {
    {.key = kOrdinary, .kind = K::Flag, .caption = ""},
    {.key = "Name", .kind = K::Text, .caption = "Name", .max = 8},
    {.key = "Persistence", .kind = K::Choice, .caption = "Extent of Effect", .choices = kExtent},
    {.key = "Color", .kind = K::Choice, .caption = "Color", .choices = kColours},
    ROW("Priority", K::Number, "Priority", 0, 100),
    {.key = "Restriction",
     .kind = K::Choice,
     .caption = "Action Restriction",
     .choices = kRestrictions,
     .whenKey = kOrdinary,
     .whenValues = kOn},
    {.key = "ChanceA", .kind = K::Number, .caption = "A", .min = 0, .max = 100},
    {.key = "ChanceB", .kind = K::Number, .caption = "B", .min = 0, .max = 100},
    {.key = "ChanceC", .kind = K::Number, .caption = "C", .min = 0, .max = 100},
    {.key = "ChanceD", .kind = K::Number, .caption = "D", .min = 0, .max = 100},
    {.key = "ChanceE", .kind = K::Number, .caption = "E", .min = 0, .max = 100},
    ROW("AbateTurns", K::Number, "Condition always abates after", 0, 999),
    ROW("RecoverChance", K::Number, "% chance to recover each turn", 0, 100),
    ROW("DamageRecoverChance", K::Number, "Recovery from Physical Damage", 0, 100),
    {.key = "StatAlteration",
     .kind = K::Choice,
     .caption = "Base Statistic Alteration",
     .choices = kAlterations,
     .whenKey = kOrdinary,
     .whenValues = kOn},
    WHEN("AlterAttack", K::Flag, "Attack", 0, 1, "StatAlteration", kNone, true),
    WHEN("AlterDefense", K::Flag, "Defense", 0, 1, "StatAlteration", kNone, true),
    WHEN("AlterIntelligence", K::Flag, "Intelligence", 0, 1, "StatAlteration", kNone, true),
    WHEN("AlterAgility", K::Flag, "Agiility", 0, 1, "StatAlteration", kNone, true),
    ROW("HitRate", K::Number, "Hit Percentage", 0, 100),
    ROW("EvadeAll", K::Flag, "Evade All Attacks", 0, 1),
    ROW("ReflectSkills", K::Flag, "Reflect Skills", 0, 1),
    ROW("LockEquipment", K::Flag, "Equipment Cannot be Changed", 0, 1),
    ROW("BattlerPose", K::Number, "Animation", 1, 32),
    ROW("LockAttackSkills", K::Flag, "Prevent skills with an Attack Influence of", 0, 1),
    WHEN("LockAttackInfluence", K::Number, "of more from being invoked", 0, 999, "LockAttackSkills", kOn, false),
    ROW("LockIntelligenceSkills", K::Flag, "Prevent skills with an Intelligence Influence of", 0, 1),
    WHEN("LockIntelligenceInfluence", K::Number, "or more from being invoked", 0, 999, "LockIntelligenceSkills", kOn,
         false),
    {.key = "HpEffect",
     .kind = K::Choice,
     .caption = "HP",
     .choices = kEffects,
     .whenKey = kOrdinary,
     .whenValues = kOn},
    WHEN("HpPercent", K::Number, "% of max HP +", 0, 100, "HpEffect", kNone, true),
    WHEN("HpAmount", K::Number, "HP", 0, 999, "HpEffect", kNone, true),
    WHEN("HpSteps", K::Number, "steps", 0, 100, "HpEffect", kNone, true),
    WHEN("HpStepAmount", K::Number, "HP", 0, 999, "HpEffect", kNone, true),
    {.key = "MpEffect",
     .kind = K::Choice,
     .caption = "MP",
     .choices = kEffects,
     .whenKey = kOrdinary,
     .whenValues = kOn},
    WHEN("MpPercent", K::Number, "% of max MP +", 0, 100, "MpEffect", kNone, true),
    WHEN("MpAmount", K::Number, "MP", 0, 999, "MpEffect", kNone, true),
    WHEN("MpSteps", K::Number, "steps", 0, 100, "MpEffect", kNone, true),
    WHEN("MpStepAmount", K::Number, "MP", 0, 999, "MpEffect", kNone, true),
};
#undef ROW
#undef WHEN

// Condition 1 always shows the fifth pose; its stored value is kept as it is.
constexpr int32_t kKnockedOutPose = 4;

TFieldAccess AccessOf(const TFieldRow& row, std::function<Item*()> entry) {
  const std::string_view key = row.key;
  if (key == kOrdinary) {
    TFieldAccess a;
    a.value = [entry] { return entry() && entry()->Id() != 1 ? 1 : 0; };
    a.setValue = [](int32_t) {};
    return a;
  }
  if (key == "BattlerPose") {
    // Stored from 0, shown from 1.
    TFieldAccess a;
    a.value = [entry] {
      const Item* item = entry();
      return item ? (item->Id() == 1 ? kKnockedOutPose : item->battlerPose) + 1 : 1;
    };
    a.setValue = [entry](int32_t v) {
      if (Item* item = entry(); item && item->Id() != 1) item->battlerPose = v - 1;
    };
    return a;
  }
  static const std::map<std::string_view, int32_t Item::*> kNumbers = {
      {"Color", &Item::color},
      {"Priority", &Item::priority},
      {"ChanceA", &Item::chanceA},
      {"ChanceB", &Item::chanceB},
      {"ChanceC", &Item::chanceC},
      {"ChanceD", &Item::chanceD},
      {"ChanceE", &Item::chanceE},
      {"AbateTurns", &Item::abateTurns},
      {"RecoverChance", &Item::recoverChance},
      {"DamageRecoverChance", &Item::damageRecoverChance},
      {"StatAlteration", &Item::statAlteration},
      {"HitRate", &Item::hitRate},
      {"LockAttackInfluence", &Item::lockAttackInfluence},
      {"LockIntelligenceInfluence", &Item::lockIntelligenceInfluence},
      {"HpEffect", &Item::hpEffect},
      {"MpEffect", &Item::mpEffect},
      {"HpPercent", &Item::hpPercent},
      {"HpAmount", &Item::hpAmount},
      {"HpSteps", &Item::hpSteps},
      {"HpStepAmount", &Item::hpStepAmount},
      {"MpPercent", &Item::mpPercent},
      {"MpAmount", &Item::mpAmount},
      {"MpSteps", &Item::mpSteps},
      {"MpStepAmount", &Item::mpStepAmount},
  };
  static const std::map<std::string_view, uint8_t Item::*> kBytes = {
      {"Persistence", &Item::persistence},
      {"Restriction", &Item::restriction},
      {"AlterAttack", &Item::alterAttack},
      {"AlterDefense", &Item::alterDefense},
      {"AlterIntelligence", &Item::alterIntelligence},
      {"AlterAgility", &Item::alterAgility},
      {"EvadeAll", &Item::evadeAll},
      {"ReflectSkills", &Item::reflectSkills},
      {"LockEquipment", &Item::lockEquipment},
      {"LockAttackSkills", &Item::lockAttackSkills},
      {"LockIntelligenceSkills", &Item::lockIntelligenceSkills},
  };
  if (auto it = kNumbers.find(key); it != kNumbers.end()) return MemberAccess(entry, it->second);
  if (auto it = kBytes.find(key); it != kBytes.end()) return MemberAccess(entry, it->second);
  return MemberAccess(entry, &Item::name);
}

// Paints each line of the colour list as a swatch of its colour before its number.
class TSwatchDelegate final : public QStyledItemDelegate {
 public:
  TSwatchDelegate(const std::vector<QColor>& colours, QObject* parent)
      : QStyledItemDelegate(parent), colours_(colours) {}
  void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    QStyledItemDelegate::paint(painter, option, index);
    const int row = index.data(Qt::UserRole).toInt();
    if (row < 0 || row >= static_cast<int>(colours_.size())) return;
    const QRect r = option.rect.adjusted(option.rect.width() - 40, 3, -4, -3);
    painter->fillRect(r, colours_[static_cast<size_t>(row)]);
    painter->setPen(Qt::black);
    painter->drawRect(r.adjusted(0, 0, -1, -1));
  }

 private:
  const std::vector<QColor>& colours_;
};

QGroupBox* Group(const char* title, QWidget* parent) { return new QGroupBox(title, parent); }

}  // namespace

// Every battler set's pose for the shown condition: the first cell of the pose's row of its sheet,
// or the battle animation it plays. Lines are made as the view asks for them, so a database of
// thousands of sets switches conditions at once.
class TPosePreviewModel final : public QAbstractListModel {
 public:
  TPosePreviewModel(const TLcfDataBase& db, QObject* parent) : QAbstractListModel(parent), db_(db) {}
  void Show(int pose) {
    if (pose == pose_) return;
    beginResetModel();
    pose_ = pose;
    endResetModel();
  }
  int rowCount(const QModelIndex& parent = {}) const override {
    return parent.isValid() || pose_ < 0 ? 0 : db_.battlerAnimations.Count();
  }
  QVariant data(const QModelIndex& index, int role) const override {
    const TLcfAnimation2Item* set = db_.battlerAnimations.ItemAt(index.row());
    if (!set || (role != Qt::DisplayRole && role != Qt::DecorationRole)) return {};
    const TLcfBattleMyCharacterItem* p = set->poses.ItemAt(pose_);
    if (role == Qt::DisplayRole) {
      QString line = TextCodec::Current().ToUnicode(EntryCaption(set->Id(), set->name)) + "  ";
      if (!p) return line + QString("pose %1 does not exist").arg(pose_ + 1);
      if (p->poseKind == 1) return line + QString("battle animation %1").arg(p->battleAnimationId);
      return line + TextCodec::Current().ToUnicode(p->name);
    }
    if (!p || p->poseKind == 1) return {};
    const QImage& sheet = Sheet(p->sheetFile);
    if (sheet.isNull()) return {};
    return QPixmap::fromImage(sheet.copy(0, 48 * p->sheetIndex, 48, 48));
  }

 private:
  const QImage& Sheet(const std::string& name) const {
    auto it = sheets_.find(name);
    if (it != sheets_.end()) return it->second;
    QImage image;
    const std::string file = FindExistingMaterialFile(name, "BattleCharSet", PictureExtensions());
    if (!file.empty()) try {
        TBitmap bitmap;
        LoadPictureFile(bitmap, file);
        image = BitmapToImage(bitmap);
      } catch (const std::exception&) {
        // A damaged sheet shows no picture.
      }
    return sheets_.emplace(name, image).first->second;
  }
  const TLcfDataBase& db_;
  int pose_ = -1;
  mutable std::map<std::string, QImage> sheets_;
};

std::vector<QColor> SystemTextColours(const std::string& systemGraphic) {
  std::vector<QColor> colours(kConditionColours, QColor(Qt::gray));
  const std::string file = FindExistingMaterialFile(systemGraphic, "System", PictureExtensions());
  if (file.empty()) return colours;
  try {
    TBitmap bitmap;
    LoadPictureFile(bitmap, file);
    const QImage image = BitmapToImage(bitmap);
    for (int c = 0; c < kConditionColours; ++c) {
      const QPoint at(16 * (c % 10), 56 + 16 * (c / 10));
      if (image.rect().contains(at)) colours[static_cast<size_t>(c)] = image.pixelColor(at);
    }
  } catch (const std::exception&) {
    // A damaged graphic leaves the list grey; the page still edits the numbers.
  }
  return colours;
}

TFormEDStatus::TFormEDStatus(const TDataBasePageContext& context, QWidget* parent)
    : TFormEntryListPage(context.database.conditions, kClipConditions, context, parent) {
  colours_ = SystemTextColours(context.database.system.systemGraphic);
  auto* fields = new QWidget(this);
  fields->setObjectName("ConditionFields");
  TFieldContext lists;
  lists.database = &context.database;
  binder_ = new TFieldBinder(kRows, lists, this);
  auto entry = [this] { return Entry(); };
  auto built = binder_->BuildAll([&](const TFieldRow& row) { return AccessOf(row, entry); }, fields);
  built[kOrdinary]->hide();
  auto* colour = static_cast<QComboBox*>(built["Color"]);
  colour->setItemDelegate(new TSwatchDelegate(colours_, colour));
  colour->setMinimumWidth(90);

  auto* layout = new QHBoxLayout(fields);
  auto* left = new QVBoxLayout;
  auto* right = new QVBoxLayout;
  layout->addLayout(left, 1);
  layout->addLayout(right, 1);

  auto* top = new QFormLayout;
  top->addRow("Name", built["Name"]);
  auto* colourRow = new QHBoxLayout;
  colourRow->addWidget(colour);
  colourRow->addStretch(1);
  top->addRow("Color", colourRow);
  top->addRow("Priority", built["Priority"]);
  left->addLayout(top);
  left->addWidget(built["Persistence"]);
  left->addWidget(built["Restriction"]);

  auto* chances = Group("Susceptibility", fields);
  auto* chanceRow = new QHBoxLayout(chances);
  for (const char* key : {"ChanceA", "ChanceB", "ChanceC", "ChanceD", "ChanceE"}) {
    chanceRow->addWidget(new QLabel(FindFieldRow(kRows, key)->caption, chances));
    chanceRow->addWidget(built[key]);
  }
  left->addWidget(chances);

  auto* abate = Group("Abatement", fields);
  auto* abateForm = new QFormLayout(abate);
  auto* turns = new QHBoxLayout;
  turns->addWidget(built["AbateTurns"]);
  turns->addWidget(new QLabel("Turns", abate));
  abateForm->addRow("Condition always abates after", turns);
  abateForm->addRow("% chance to recover each turn", built["RecoverChance"]);
  abateForm->addRow("Recovery from Physical Damage", built["DamageRecoverChance"]);
  left->addWidget(abate);

  auto* alteration = Group("Base Statistic Alteration", fields);
  auto* alterGrid = new QGridLayout(alteration);
  alterGrid->addWidget(built["StatAlteration"], 0, 0, 2, 1);
  alterGrid->addWidget(built["AlterAttack"], 0, 1);
  alterGrid->addWidget(built["AlterDefense"], 0, 2);
  alterGrid->addWidget(built["AlterIntelligence"], 1, 1);
  alterGrid->addWidget(built["AlterAgility"], 1, 2);
  left->addWidget(alteration);
  left->addStretch(1);

  auto* battle = Group("In Battle", fields);
  auto* battleForm = new QFormLayout(battle);
  battleForm->addRow("Hit Percentage", built["HitRate"]);
  battleForm->addRow(built["EvadeAll"]);
  battleForm->addRow(built["ReflectSkills"]);
  battleForm->addRow(built["LockEquipment"]);
  battleForm->addRow("Animation", built["BattlerPose"]);
  for (auto [flag, value] : {std::pair{"LockAttackSkills", "LockAttackInfluence"},
                             std::pair{"LockIntelligenceSkills", "LockIntelligenceInfluence"}}) {
    auto* line = new QHBoxLayout;
    line->addWidget(built[flag]);
    line->addWidget(built[value]);
    line->addWidget(new QLabel(FindFieldRow(kRows, value)->caption, battle));
    battleForm->addRow(line);
  }
  right->addWidget(battle);

  for (const char* prefix : {"Hp", "Mp"}) {
    const std::string p = prefix;
    auto* box = Group(p == "Hp" ? "HP" : "MP", fields);
    auto* grid = new QGridLayout(box);
    grid->addWidget(built[(p + "Effect").c_str()], 0, 0, 2, 1);
    grid->addWidget(new QLabel("In battle:", box), 0, 1);
    grid->addWidget(built[(p + "Percent").c_str()], 0, 2);
    grid->addWidget(new QLabel(p == "Hp" ? "% of max HP +" : "% of max MP +", box), 0, 3);
    grid->addWidget(built[(p + "Amount").c_str()], 0, 4);
    grid->addWidget(new QLabel("On the map: every", box), 1, 1);
    grid->addWidget(built[(p + "Steps").c_str()], 1, 2);
    grid->addWidget(new QLabel("steps", box), 1, 3);
    grid->addWidget(built[(p + "StepAmount").c_str()], 1, 4);
    right->addWidget(box);
  }
  auto* preview = Group("Battler Pose Preview", fields);
  poses_ = new QListView(preview);
  poses_->setObjectName("PosePreview");
  poses_->setIconSize(QSize(48, 48));
  poses_->setUniformItemSizes(true);
  poseModel_ = new TPosePreviewModel(context.database, poses_);
  poses_->setModel(poseModel_);
  (new QVBoxLayout(preview))->addWidget(poses_);
  right->addWidget(preview, 1);
  SetFields(fields);

  connect(binder_, &TFieldBinder::changed, this, [this](const char* key) {
    if (std::string_view(key) == "Name") RewriteLine(Selected());
    DataModified();
  });
  LoadEntry();
}

TLcfStatusItem* TFormEDStatus::Entry() const { return Context().database.conditions.ItemAt(Selected()); }

void TFormEDStatus::LoadEntry() {
  binder_->Load();
  UpdateView();
}

void TFormEDStatus::UpdateView() {
  const TLcfStatusItem* item = Entry();
  poseModel_->Show(item ? (item->Id() == 1 ? kKnockedOutPose : item->battlerPose) : -1);
}

}  // namespace tess
