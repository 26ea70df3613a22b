#include "editor/database/FormEDSystem.h"

#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QScrollArea>
#include <QVBoxLayout>

#include "database/DataBaseObj.h"
#include "editor/database/MaterialField.h"
#include "ui/FieldBinder.h"
#include "ui/pickers/FormSelChar.h"
#include "ui/pickers/FormSelPlainPicture.h"
#include "ui/pickers/FormSelSystem.h"

namespace tess {

namespace {

using K = TFieldKind;
using S = TLcfSystem;

constexpr TFieldChoice kWallpapers[] = {{0, "Stretch to Fit"}, {1, "Tiled Display"}};
constexpr TFieldChoice kFonts[] = {{0, "MS Gothic"}, {1, "MS Mincho"}};
constexpr int32_t kNone[] = {0};

// A starting party slot is open when the slot before it holds a hero.
constexpr TFieldRow kRows[] = {
    {.key = "SkiffGraphic", .kind = K::Picture, .caption = "Skiff", .folder = "CharSet"},
    {.key = "ShipGraphic", .kind = K::Picture, .caption = "Ship", .folder = "CharSet"},
    {.key = "AirshipGraphic", .kind = K::Picture, .caption = "Airship", .folder = "CharSet"},
    {.key = "TitleName", .kind = K::Picture, .caption = "Title Screen", .folder = "Title"},
    {.key = "GameOverName", .kind = K::Picture, .caption = "Game Over Screen", .folder = "GameOver"},
    {.key = "SystemGraphic", .kind = K::Picture, .caption = "System Graphic", .folder = "System"},
    {.key = "WindowPattern", .kind = K::Choice, .caption = "Window Background", .choices = kWallpapers},
    {.key = "MessageFont", .kind = K::Choice, .caption = "Font", .choices = kFonts},
    {.key = "Party1", .kind = K::Hero, .caption = "Member 1", .min = 0, .max = 5000, .index = 0},
    {.key = "Party2",
     .kind = K::Hero,
     .caption = "Member 2",
     .min = 0,
     .max = 5000,
     .index = 1,
     .whenKey = "Party1",
     .whenValues = kNone,
     .whenNot = true},
    {.key = "Party3",
     .kind = K::Hero,
     .caption = "Member 3",
     .min = 0,
     .max = 5000,
     .index = 2,
     .whenKey = "Party2",
     .whenValues = kNone,
     .whenNot = true},
    {.key = "Party4",
     .kind = K::Hero,
     .caption = "Member 4",
     .min = 0,
     .max = 5000,
     .index = 3,
     .whenKey = "Party3",
     .whenValues = kNone,
     .whenNot = true},
    {.key = "TitleMusic", .kind = K::Music, .caption = "Title Screen", .folder = "Music"},
    {.key = "BattleMusic", .kind = K::Music, .caption = "Battle", .folder = "Music"},
    {.key = "VictoryMusic", .kind = K::Music, .caption = "Victory", .folder = "Music"},
    {.key = "InnMusic", .kind = K::Music, .caption = "Inn", .folder = "Music"},
    {.key = "SkiffMusic", .kind = K::Music, .caption = "Skiff", .folder = "Music"},
    {.key = "ShipMusic", .kind = K::Music, .caption = "Ship", .folder = "Music"},
    {.key = "AirshipMusic", .kind = K::Music, .caption = "Airship", .folder = "Music"},
    {.key = "GameOverMusic", .kind = K::Music, .caption = "Game Over Screen", .folder = "Music"},
    {.key = "CursorSound", .kind = K::Sound, .caption = "Cursor", .folder = "Sound"},
    {.key = "DecisionSound", .kind = K::Sound, .caption = "Select Choice", .folder = "Sound"},
    {.key = "CancelSound", .kind = K::Sound, .caption = "Cancel", .folder = "Sound"},
    {.key = "BuzzerSound", .kind = K::Sound, .caption = "Buzzer", .folder = "Sound"},
    {.key = "BattleStartSound", .kind = K::Sound, .caption = "Battle Transition", .folder = "Sound"},
    {.key = "EscapeSound", .kind = K::Sound, .caption = "Flee Battle", .folder = "Sound"},
    {.key = "EnemyAttackSound", .kind = K::Sound, .caption = "Enemy Attacks", .folder = "Sound"},
    {.key = "EnemyDamagedSound", .kind = K::Sound, .caption = "Enemy Damaged", .folder = "Sound"},
    {.key = "AllyDamagedSound", .kind = K::Sound, .caption = "Ally Damaged", .folder = "Sound"},
    {.key = "EvasionSound", .kind = K::Sound, .caption = "Evade Attack", .folder = "Sound"},
    {.key = "EnemyDefeatedSound", .kind = K::Sound, .caption = "Enemy Defeated", .folder = "Sound"},
    {.key = "ItemSound", .kind = K::Sound, .caption = "Item Used", .folder = "Sound"},
};

// The member a music or sound row names.
TLcfMusic S::*const kMusic[] = {&S::titleMusic, &S::battleMusic, &S::victoryMusic, &S::innMusic,
                                &S::skiffMusic, &S::shipMusic,   &S::airshipMusic, &S::gameOverMusic};
TLcfSound S::*const kSounds[] = {&S::cursorSound,      &S::decisionSound, &S::cancelSound,        &S::buzzerSound,
                                 &S::battleStartSound, &S::escapeSound,   &S::enemyAttackSound,   &S::enemyDamagedSound,
                                 &S::allyDamagedSound, &S::evasionSound,  &S::enemyDefeatedSound, &S::itemSound};
constexpr int kFirstMusicRow = 12, kFirstSoundRow = 20;

// A sprite shows its sheet and the character's index in it.
TFieldAccess SpriteAccess(S& s, std::string S::*sheet, int32_t S::*index) {
  TFieldAccess a;
  a.text = [&s, sheet, index] {
    return (s.*sheet).empty() ? std::string() : s.*sheet + " (" + std::to_string(s.*index + 1) + ")";
  };
  return a;
}

// The starting party's slots: choosing a hero in the first open slot adds a member; "(None)"
// ends the party before the slot.
TFieldAccess PartyAccess(S& s, int slot) {
  TFieldAccess a;
  a.value = [&s, slot] { return s.PartyMember(slot); };
  a.setValue = [&s, slot](int32_t hero) {
    if (hero != 0 && slot >= s.partySize) s.SetPartySize(slot + 1);
    s.SetPartyMember(slot, hero);
  };
  return a;
}

TFieldAccess AccessOf(const TFieldRow& row, S& s) {
  const std::string_view key = row.key;
  auto record = [&s] { return &s; };
  if (key == "SkiffGraphic") return SpriteAccess(s, &S::skiffGraphic, &S::skiffIndex);
  if (key == "ShipGraphic") return SpriteAccess(s, &S::shipGraphic, &S::shipIndex);
  if (key == "AirshipGraphic") return SpriteAccess(s, &S::airshipGraphic, &S::airshipIndex);
  if (key == "TitleName") return MemberAccess<S>(record, &S::titleName);
  if (key == "GameOverName") return MemberAccess<S>(record, &S::gameOverName);
  if (key == "SystemGraphic") return MemberAccess<S>(record, &S::systemGraphic);
  if (key == "WindowPattern") return MemberAccess<S>(record, &S::windowPattern);
  if (key == "MessageFont") return MemberAccess<S>(record, &S::messageFont);
  if (key.starts_with("Party")) return PartyAccess(s, row.index);
  const int at = static_cast<int>(&row - kRows);
  TFieldAccess a;
  if (at >= kFirstSoundRow) {
    TLcfSound& sound = s.*kSounds[at - kFirstSoundRow];
    a.text = [&sound] { return sound.name; };
  } else {
    TLcfMusic& music = s.*kMusic[at - kFirstMusicRow];
    a.text = [&music] { return music.name; };
  }
  return a;
}

QGroupBox* Group(const char* title, QWidget* parent, QFormLayout*& form) {
  auto* box = new QGroupBox(title, parent);
  form = new QFormLayout(box);
  return box;
}

}  // namespace

TFormEDSystem::TFormEDSystem(const TDataBasePageContext& context, QWidget* parent)
    : TFormDataBaseBase(context, parent) {
  setObjectName("FormEDSystem");
  S& s = context.database.system;
  TFieldContext lists;
  lists.database = &context.database;
  binder_ = new TFieldBinder(kRows, lists, this);
  auto changed = [this] { DataModified(); };
  auto picked = [&](int row, std::function<bool(QWidget*)> pick) {
    return MaterialField(*binder_, kRows[row], AccessOf(kRows[row], s), this, std::move(pick), changed);
  };
  auto sprite = [&s](std::string S::*sheet, int32_t S::*index) {
    return [&s, sheet, index](QWidget* owner) {
      TFormSelChar picker(owner);
      picker.materialName = s.*sheet;
      picker.cellIndex = s.*index;
      if (picker.exec() != QDialog::Accepted) return false;
      if (picker.materialName == s.*sheet && picker.cellIndex == s.*index) return false;
      s.*sheet = picker.materialName;
      s.*index = picker.cellIndex;
      return true;
    };
  };

  auto* content = new QWidget(this);
  auto* grid = new QGridLayout(content);
  QFormLayout* form = nullptr;

  QGroupBox* vehicles = Group("Vehicle Graphics", content, form);
  form->addRow(kRows[0].caption, picked(0, sprite(&S::skiffGraphic, &S::skiffIndex)));
  form->addRow(kRows[1].caption, picked(1, sprite(&S::shipGraphic, &S::shipIndex)));
  form->addRow(kRows[2].caption, picked(2, sprite(&S::airshipGraphic, &S::airshipIndex)));

  QGroupBox* screens = Group("Graphics", content, form);
  form->addRow(kRows[3].caption, picked(3, [&s](QWidget* o) { return PickName<TFormSelTitle>(o, s.titleName); }));
  form->addRow(kRows[4].caption, picked(4, [&s](QWidget* o) { return PickName<TFormSelGameOver>(o, s.gameOverName); }));
  form->addRow(kRows[5].caption, picked(5, [&s](QWidget* o) {
                 TFormSelSystem picker(o);
                 picker.materialName = s.systemGraphic;
                 picker.wallpaper = s.windowPattern;
                 picker.font = s.messageFont;
                 if (picker.exec() != QDialog::Accepted) return false;
                 const bool same = picker.materialName == s.systemGraphic && picker.wallpaper == s.windowPattern &&
                                   picker.font == s.messageFont;
                 s.systemGraphic = picker.materialName;
                 s.windowPattern = picker.wallpaper;
                 s.messageFont = picker.font;
                 return !same;
               }));
  auto* choices = new QHBoxLayout;
  choices->addWidget(binder_->Build(kRows[6], AccessOf(kRows[6], s), screens));
  choices->addWidget(binder_->Build(kRows[7], AccessOf(kRows[7], s), screens));
  form->addRow(choices);

  QGroupBox* party = Group("Starting Party", content, form);
  for (int row = 8; row < kFirstMusicRow; ++row)
    form->addRow(kRows[row].caption, binder_->Build(kRows[row], AccessOf(kRows[row], s), party));

  QGroupBox* music = Group("System Music", content, form);
  for (int row = kFirstMusicRow; row < kFirstSoundRow; ++row) {
    TLcfMusic& m = s.*kMusic[row - kFirstMusicRow];
    form->addRow(kRows[row].caption, picked(row, [&m](QWidget* o) { return PickMusic(o, m); }));
  }
  QGroupBox* sounds = Group("System Sound Effects", content, form);
  for (int row = kFirstSoundRow; row < static_cast<int>(std::size(kRows)); ++row) {
    TLcfSound& m = s.*kSounds[row - kFirstSoundRow];
    form->addRow(kRows[row].caption, picked(row, [&m](QWidget* o) { return PickSound(o, m); }));
  }

  auto* left = new QVBoxLayout;
  for (QGroupBox* box : {vehicles, screens, party}) left->addWidget(box);
  left->addStretch(1);
  auto* right = new QVBoxLayout;
  right->addWidget(music);
  right->addWidget(sounds);
  right->addStretch(1);
  grid->addLayout(left, 0, 0);
  grid->addLayout(right, 0, 1);
  auto* scroll = new QScrollArea(this);
  scroll->setWidgetResizable(true);
  scroll->setFrameShape(QFrame::NoFrame);
  scroll->setWidget(content);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(scroll);

  connect(binder_, &TFieldBinder::changed, this, [this](const char*) { DataModified(); });
  LoadEntry();
}

void TFormEDSystem::LoadEntry() { binder_->Load(); }

}  // namespace tess
