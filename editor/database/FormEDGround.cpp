#include "editor/database/FormEDGround.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QVBoxLayout>

#include "database/DataBaseObj.h"
#include "database/GroundRules.h"
#include "editor/database/BattleGridPreview.h"
#include "editor/database/MaterialField.h"
#include "ui/FieldBinder.h"
#include "ui/pickers/FormSelPlainPicture.h"

namespace tess {

namespace {

using K = TFieldKind;
using G = TLcfGroundItem;

constexpr TFieldChoice kSpriteDisplay[] = {
    {0, "Normal"}, {1, "Obscure Bottom Third"}, {2, "Obscure Bottom Half"}, {3, "Semi-Transparent"}};
constexpr TFieldChoice kBackgrounds[] = {{0, "Battle Background"}, {1, "Frame"}};
constexpr TFieldChoice kGrids[] = {{1, "Shallow"}, {2, "Deep"}, {0, "Custom"}};
constexpr int32_t kOn[] = {1};
constexpr int32_t kZero[] = {0};

constexpr TFieldRow Flag(const char* key, const char* caption, const char* when = nullptr) {
  return {.key = key,
          .kind = K::Flag,
          .caption = caption,
          .whenKey = when,
          .whenValues = when ? std::span<const int32_t>(kOn) : std::span<const int32_t>{}};
}
constexpr TFieldRow Speed(const char* key, const char* when) {
  return {.key = key, .kind = K::Number, .caption = "Speed", .min = -8, .max = 8, .whenKey = when, .whenValues = kOn};
}
constexpr TFieldRow Rate(const char* key, const char* when) {
  return {
      .key = key, .kind = K::Number, .caption = "Rate (%)", .min = 0, .max = 100, .whenKey = when, .whenValues = kOn};
}

// "AutoPlacement" is the battle layout's placement, not a terrain field: it is shown disabled and
// only opens the surround and pincers rows.
constexpr TFieldRow kRows[] = {
    {.key = "Name", .kind = K::Text, .caption = "Name", .max = 16},
    {.key = "Damage", .kind = K::Number, .caption = "Damage", .min = -10, .max = 10},
    {.key = "EncounterRate", .kind = K::Number, .caption = "Encounter Rate (%)", .min = 0, .max = 500},
    Flag("SkiffPass", "Skiff can Pass"),
    Flag("ShipPass", "Ship can Pass"),
    Flag("AirshipPass", "Airship can Pass"),
    Flag("AirshipLand", "Airship can Land"),
    {.key = "SpriteDisplay", .kind = K::Choice, .caption = "Character Display", .choices = kSpriteDisplay},
    {.key = "FootstepSound", .kind = K::Sound, .caption = "Sound Effect", .folder = "Sound"},
    Flag("SoundOnlyOnDamage", "Play only if Damaged"),
    {.key = "BackgroundType", .kind = K::Choice, .caption = "Drawn With", .choices = kBackgrounds},
    {.key = "Backdrop",
     .kind = K::Picture,
     .caption = "Battle Background",
     .whenKey = "BackgroundType",
     .whenValues = kZero,
     .folder = "Backdrop"},
    {.key = "BackFrame",
     .kind = K::Picture,
     .caption = "Background",
     .whenKey = "BackgroundType",
     .whenValues = kOn,
     .folder = "Frame"},
    Flag("BackScrollH", "Horizontal Scroll", "BackgroundType"),
    Speed("BackSpeedH", "BackScrollH"),
    Flag("BackScrollV", "Vertical Scroll", "BackgroundType"),
    Speed("BackSpeedV", "BackScrollV"),
    Flag("ForegroundUse", "Foreground", "BackgroundType"),
    {.key = "ForeFrame",
     .kind = K::Picture,
     .caption = "Foreground",
     .whenKey = "ForegroundUse",
     .whenValues = kOn,
     .folder = "Frame"},
    Flag("ForeScrollH", "Horizontal Scroll", "ForegroundUse"),
    Speed("ForeSpeedH", "ForeScrollH"),
    Flag("ForeScrollV", "Vertical Scroll", "ForegroundUse"),
    Speed("ForeSpeedV", "ForeScrollV"),
    {.key = "AutoPlacement", .kind = K::Flag, .caption = "Battle Layout places characters automatically"},
    Flag("Initiative", "Initiative"),
    Rate("InitiativeRate", "Initiative"),
    Flag("BackAttack", "Back Attack"),
    Rate("BackAttackRate", "BackAttack"),
    Flag("Surround", "Surround Attack", "AutoPlacement"),
    Rate("SurroundRate", "Surround"),
    Flag("Pincers", "Pincers Attack", "AutoPlacement"),
    Rate("PincersRate", "Pincers"),
    {.key = "GridDepth", .kind = K::Choice, .caption = "Preset", .choices = kGrids},
};

constexpr int Row(std::string_view key) {
  for (int i = 0; i < static_cast<int>(std::size(kRows)); ++i)
    if (key == kRows[i].key) return i;
  return -1;
}

// An opening's enable box: its bit of specialBattles, the rates limited after each change.
TFieldAccess OpeningAccess(std::function<G*()> entry, int32_t bit) {
  TFieldAccess a;
  a.value = [entry, bit] {
    G* t = entry();
    return t && (t->specialBattles & bit) ? 1 : 0;
  };
  a.setValue = [entry, bit](int32_t on) {
    if (G* t = entry()) {
      t->specialBattles = on ? t->specialBattles | bit : t->specialBattles & ~bit;
      LimitSpecialRates(*t, bit);
    }
  };
  return a;
}

TFieldAccess RateAccess(std::function<G*()> entry, int32_t bit) {
  TFieldAccess a;
  a.value = [entry, bit] {
    G* t = entry();
    return t ? SpecialRate(*t, bit) : 0;
  };
  a.setValue = [entry, bit](int32_t v) {
    if (G* t = entry()) {
      SpecialRate(*t, bit) = v;
      LimitSpecialRates(*t, bit);
    }
  };
  return a;
}

TFieldAccess AccessOf(const TFieldRow& row, std::function<G*()> entry, TLcfDataBase& database) {
  const std::string_view key = row.key;
  if (key == "Name") return MemberAccess(entry, &G::name);
  if (key == "Damage") return MemberAccess(entry, &G::damage);
  if (key == "EncounterRate") return MemberAccess(entry, &G::encounterRate);
  if (key == "SkiffPass") return MemberAccess(entry, &G::skiffPass);
  if (key == "ShipPass") return MemberAccess(entry, &G::shipPass);
  if (key == "AirshipPass") return MemberAccess(entry, &G::airshipPass);
  if (key == "AirshipLand") return MemberAccess(entry, &G::airshipLand);
  if (key == "SpriteDisplay") return MemberAccess(entry, &G::spriteDisplay);
  if (key == "FootstepSound") {
    TFieldAccess a;
    a.text = [entry] {
      G* t = entry();
      return t ? t->footstepSound.name : std::string();
    };
    return a;
  }
  if (key == "SoundOnlyOnDamage") return MemberAccess(entry, &G::soundOnlyOnDamage);
  if (key == "BackgroundType") return MemberAccess(entry, &G::backgroundType);
  if (key == "Backdrop") return MemberAccess(entry, &G::backdropFile);
  if (key == "BackFrame") return MemberAccess(entry, &G::backFrameFile);
  if (key == "BackScrollH") return MemberAccess(entry, &G::backScrollH);
  if (key == "BackSpeedH") return MemberAccess(entry, &G::backSpeedH);
  if (key == "BackScrollV") return MemberAccess(entry, &G::backScrollV);
  if (key == "BackSpeedV") return MemberAccess(entry, &G::backSpeedV);
  if (key == "ForegroundUse") return MemberAccess(entry, &G::foregroundUse);
  if (key == "ForeFrame") return MemberAccess(entry, &G::foreFrameFile);
  if (key == "ForeScrollH") return MemberAccess(entry, &G::foreScrollH);
  if (key == "ForeSpeedH") return MemberAccess(entry, &G::foreSpeedH);
  if (key == "ForeScrollV") return MemberAccess(entry, &G::foreScrollV);
  if (key == "ForeSpeedV") return MemberAccess(entry, &G::foreSpeedV);
  if (key == "AutoPlacement") {
    TFieldAccess a;
    a.value = [&database] { return database.battle.placement == 1 ? 1 : 0; };
    a.setValue = [](int32_t) {};
    return a;
  }
  if (key == "Initiative") return OpeningAccess(entry, kInitiative);
  if (key == "InitiativeRate") return RateAccess(entry, kInitiative);
  if (key == "BackAttack") return OpeningAccess(entry, kBackAttack);
  if (key == "BackAttackRate") return RateAccess(entry, kBackAttack);
  if (key == "Surround") return OpeningAccess(entry, kSurroundAttack);
  if (key == "SurroundRate") return RateAccess(entry, kSurroundAttack);
  if (key == "Pincers") return OpeningAccess(entry, kPincersAttack);
  if (key == "PincersRate") return RateAccess(entry, kPincersAttack);
  // The grid: a preset sets the grid, "Custom" keeps it as it is.
  TFieldAccess a = MemberAccess(entry, &G::gridDepth);
  a.setValue = [entry](int32_t depth) {
    if (G* t = entry()) {
      if (depth == 1 || depth == 2)
        t->SetGridPreset(depth);
      else
        t->gridDepth = 0;
    }
  };
  return a;
}

}  // namespace

TFormEDGround::TFormEDGround(const TDataBasePageContext& context, QWidget* parent)
    : TFormEntryListPage(context.database.terrain, kClipTerrain, context, parent) {
  auto* fields = new QWidget(this);
  fields->setObjectName("TerrainFields");
  TFieldContext lists;
  lists.database = &context.database;
  binder_ = new TFieldBinder(kRows, lists, this);
  std::function<G*()> entry = [this] { return Entry(); };
  TLcfDataBase& database = context.database;
  auto access = [&](int row) { return AccessOf(kRows[row], entry, database); };
  auto build = [&](std::string_view key, QWidget* parent) {
    const int row = Row(key);
    return binder_->Build(kRows[row], access(row), parent);
  };
  auto changed = [this] { DataModified(); };
  auto picked = [&](std::string_view key, QWidget* parent, std::function<bool(QWidget*, G&)> pick) {
    const int row = Row(key);
    return MaterialField(
        *binder_, kRows[row], access(row), parent,
        [entry, pick](QWidget* owner) {
          G* t = entry();
          return t && pick(owner, *t);
        },
        changed);
  };

  // The terrain itself.
  auto* ground = new QGroupBox("Terrain", fields);
  auto* gf = new QFormLayout(ground);
  for (const char* key : {"Name", "Damage", "EncounterRate"}) gf->addRow(kRows[Row(key)].caption, build(key, ground));
  auto* vehicles = new QGridLayout;
  vehicles->addWidget(build("SkiffPass", ground), 0, 0);
  vehicles->addWidget(build("ShipPass", ground), 0, 1);
  vehicles->addWidget(build("AirshipPass", ground), 1, 0);
  vehicles->addWidget(build("AirshipLand", ground), 1, 1);
  gf->addRow(vehicles);
  gf->addRow(build("SpriteDisplay", ground));
  gf->addRow(kRows[Row("FootstepSound")].caption,
             picked("FootstepSound", ground, [](QWidget* o, G& t) { return PickSound(o, t.footstepSound); }));
  gf->addRow(build("SoundOnlyOnDamage", ground));

  // The battle background or the frame layers.
  auto* back = new QGroupBox("Battle Background", fields);
  auto* bf = new QFormLayout(back);
  bf->addRow(build("BackgroundType", back));
  bf->addRow(kRows[Row("Backdrop")].caption,
             picked("Backdrop", back, [](QWidget* o, G& t) { return PickName<TFormSelBackdrop>(o, t.backdropFile); }));
  auto layer = [&](const char* frame, std::string G::*file, const char* scrollH, const char* speedH,
                   const char* scrollV, const char* speedV) {
    bf->addRow(kRows[Row(frame)].caption,
               picked(frame, back, [file](QWidget* o, G& t) { return PickName<TFormSelAccessory>(o, t.*file); }));
    auto* scroll = new QGridLayout;
    scroll->addWidget(build(scrollH, back), 0, 0);
    scroll->addWidget(build(speedH, back), 0, 1);
    scroll->addWidget(build(scrollV, back), 1, 0);
    scroll->addWidget(build(speedV, back), 1, 1);
    bf->addRow(scroll);
  };
  layer("BackFrame", &G::backFrameFile, "BackScrollH", "BackSpeedH", "BackScrollV", "BackSpeedV");
  bf->addRow(build("ForegroundUse", back));
  layer("ForeFrame", &G::foreFrameFile, "ForeScrollH", "ForeSpeedH", "ForeScrollV", "ForeSpeedV");

  // Special battles.
  auto* special = new QGroupBox("Special Battle Conditions", fields);
  auto* sf = new QGridLayout(special);
  QWidget* autoPlacement = build("AutoPlacement", special);
  autoPlacement->hide();
  int line = 0;
  for (auto [open, rate] : {std::pair{"Initiative", "InitiativeRate"}, std::pair{"BackAttack", "BackAttackRate"},
                            std::pair{"Surround", "SurroundRate"}, std::pair{"Pincers", "PincersRate"}}) {
    sf->addWidget(build(open, special), line, 0);
    sf->addWidget(build(rate, special), line++, 1);
  }

  // The battle grid.
  auto* gridBox = new QGroupBox("Battle Grid", fields);
  auto* gv = new QVBoxLayout(gridBox);
  gv->addWidget(build("GridDepth", gridBox));
  preview_ = new TBattleGridPreview(entry, gridBox);
  gv->addWidget(preview_);

  auto* layout = new QGridLayout(fields);
  layout->addWidget(ground, 0, 0);
  layout->addWidget(back, 1, 0);
  layout->addWidget(special, 0, 1);
  layout->addWidget(gridBox, 1, 1);
  layout->setRowStretch(2, 1);
  SetFields(fields);

  connect(binder_, &TFieldBinder::changed, this, [this](const char* key) {
    if (std::string_view(key) == "Name") RewriteLine(Selected());
    DataModified();
  });
  connect(preview_, &TBattleGridPreview::changed, this, [this] {
    binder_->Load();
    DataModified();
  });
  LoadEntry();
}

TLcfGroundItem* TFormEDGround::Entry() const { return Context().database.terrain.ItemAt(Selected()); }

void TFormEDGround::LoadEntry() {
  binder_->Load();
  UpdateView();
}

void TFormEDGround::UpdateView() {
  if (!Entry())
    for (const TFieldRow& row : kRows) binder_->Control(row.key)->setEnabled(false);
  preview_->update();
}

}  // namespace tess
