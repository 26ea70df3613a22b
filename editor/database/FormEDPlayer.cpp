#include "editor/database/FormEDPlayer.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/EntryCaption.h"
#include "core/MaterialFiles.h"
#include "database/ActorPageKit.h"
#include "database/DataBaseObj.h"
#include "media/PictureFile.h"
#include "platform/TextCodec.h"
#include "ui/BitmapImage.h"
#include "ui/FieldBinder.h"
#include "ui/pickers/FormSelChar.h"
#include "ui/pickers/FormSelFace.h"

namespace tess {

namespace {

using K = TFieldKind;
using Item = TLcfPlayerItem;

constexpr int32_t kOn[] = {1};

constexpr TFieldRow kRows[] = {
    {.key = "Name", .kind = K::Text, .caption = "Name", .max = 30},
    {.key = "Title", .kind = K::Text, .caption = "Title", .max = 12},
    {.key = "Class", .kind = K::Class, .caption = "Class", .min = 0, .max = 5000},
    {.key = "MinLevel", .kind = K::Number, .caption = "Min. Level", .min = 1, .max = 99},
    {.key = "MaxLevel", .kind = K::Number, .caption = "Max. Level", .min = 1, .max = 99},
    {.key = "CriticalHits", .kind = K::Flag, .caption = "Critical Hits"},
    {.key = "CriticalChance",
     .kind = K::Number,
     .caption = "Critical Hit Probability",
     .min = 1,
     .max = 100,
     .whenKey = "CriticalHits",
     .whenValues = kOn},
    {.key = "Transparent", .kind = K::Flag, .caption = "Transparent"},
    {.key = "TwoWeapons", .kind = K::Flag, .caption = "Two Weapons"},
    {.key = "LockEquipment", .kind = K::Flag, .caption = "Lock Equipment"},
    {.key = "AiControl", .kind = K::Flag, .caption = "AI Control"},
    {.key = "MightyGuard", .kind = K::Flag, .caption = "Mighty Guard"},
    {.key = "BattlerAnimation", .kind = K::BattlerAnimation, .caption = "Battle Sprite", .min = 1, .max = 5000},
    {.key = "UnarmedAnimation", .kind = K::Animation, .caption = "Unarmed Battle Animation", .min = 1, .max = 5000},
};

const char* const kSlotCaptions[kEquipmentSlots] = {"Weapon", "Shield", "Armor", "Helmet", "Accessory"};

TFieldAccess AccessOf(const TFieldRow& row, std::function<Item*()> entry) {
  const std::string_view key = row.key;
  if (key == "MinLevel") {
    // The starting level stays within 1 to the maximum level, the maximum level at or above it.
    TFieldAccess a = MemberAccess(entry, &Item::initialLevel);
    a.setValue = [entry](int32_t v) {
      if (Item* h = entry()) h->initialLevel = std::clamp(v, 1, std::max(1, h->maxLevel));
    };
    return a;
  }
  if (key == "MaxLevel") {
    TFieldAccess a = MemberAccess(entry, &Item::maxLevel);
    a.setValue = [entry](int32_t v) {
      if (Item* h = entry()) h->maxLevel = std::max(v, h->initialLevel);
    };
    return a;
  }
  if (key == "Name") return MemberAccess(entry, &Item::name);
  if (key == "Title") return MemberAccess(entry, &Item::title);
  if (key == "Class") return MemberAccess(entry, &Item::classId);
  if (key == "CriticalHits") return MemberAccess(entry, &Item::criticalHits);
  if (key == "CriticalChance") return MemberAccess(entry, &Item::criticalChance);
  if (key == "Transparent") return MemberAccess(entry, &Item::charSetTransparent);
  if (key == "TwoWeapons") return MemberAccess(entry, &Item::twoWeapons);
  if (key == "LockEquipment") return MemberAccess(entry, &Item::lockEquipment);
  if (key == "AiControl") return MemberAccess(entry, &Item::aiControl);
  if (key == "MightyGuard") return MemberAccess(entry, &Item::mightyGuard);
  if (key == "BattlerAnimation") return MemberAccess(entry, &Item::battlerAnimation);
  return MemberAccess(entry, &Item::unarmedAnimation);
}

}  // namespace

TFormEDPlayer::TFormEDPlayer(const TDataBasePageContext& context, QWidget* parent)
    : TFormEDActor(context.database.heroes, kClipHeroes, context, parent) {
  auto* fields = new QWidget(this);
  fields->setObjectName("HeroFields");
  TFieldContext lists;
  lists.database = &context.database;
  binder_ = new TFieldBinder(kRows, lists, this);
  auto entry = [this] { return Entry(); };
  auto built = binder_->BuildAll([&](const TFieldRow& row) { return AccessOf(row, entry); }, fields);

  auto* layout = new QHBoxLayout(fields);
  auto* left = new QVBoxLayout;
  auto* middle = new QVBoxLayout;
  auto* right = new QVBoxLayout;
  layout->addLayout(left, 3);
  layout->addLayout(middle, 3);
  layout->addLayout(right, 2);

  auto* form = new QFormLayout;
  form->addRow("Name", built["Name"]);
  form->addRow("Title", built["Title"]);
  auto* classRow = new QHBoxLayout;
  classRow->addWidget(built["Class"], 1);
  apply_ = new QPushButton("Apply", fields);
  apply_->setObjectName("ButtonApplyClass");
  classRow->addWidget(apply_);
  form->addRow("Class", classRow);
  auto* levels = new QHBoxLayout;
  levels->addWidget(built["MinLevel"]);
  levels->addWidget(new QLabel("Max. Level", fields));
  levels->addWidget(built["MaxLevel"]);
  form->addRow("Min. Level", levels);
  auto* critical = new QHBoxLayout;
  critical->addWidget(built["CriticalHits"]);
  critical->addWidget(new QLabel("1 in", fields));
  critical->addWidget(built["CriticalChance"]);
  form->addRow(critical);
  left->addLayout(form);

  auto* options = new QGroupBox("Options", fields);
  auto* optionGrid = new QGridLayout(options);
  optionGrid->addWidget(built["TwoWeapons"], 0, 0);
  optionGrid->addWidget(built["LockEquipment"], 0, 1);
  optionGrid->addWidget(built["AiControl"], 1, 0);
  optionGrid->addWidget(built["MightyGuard"], 1, 1);
  left->addWidget(options);

  auto* graphics = new QGroupBox("Graphics", fields);
  auto* graphicGrid = new QGridLayout(graphics);
  sprite_ = new QLabel(graphics);
  sprite_->setObjectName("SpritePreview");
  sprite_->setFixedSize(48, 64);
  face_ = new QLabel(graphics);
  face_->setObjectName("FacePreview");
  face_->setFixedSize(48, 48);
  auto* setSprite = new QPushButton("Set...", graphics);
  setSprite->setObjectName("ButtonSprite");
  auto* setFace = new QPushButton("Set...", graphics);
  setFace->setObjectName("ButtonFace");
  graphicGrid->addWidget(new QLabel("Walking Graphic", graphics), 0, 0);
  graphicGrid->addWidget(new QLabel("Face", graphics), 0, 1);
  graphicGrid->addWidget(sprite_, 1, 0);
  graphicGrid->addWidget(face_, 1, 1);
  graphicGrid->addWidget(setSprite, 2, 0);
  graphicGrid->addWidget(setFace, 2, 1);
  graphicGrid->addWidget(built["Transparent"], 3, 0, 1, 2);
  left->addWidget(graphics);

  auto* battle = new QFormLayout;
  battle->addRow("Battle Sprite", built["BattlerAnimation"]);
  battle->addRow("Unarmed Battle Animation", built["UnarmedAnimation"]);
  left->addLayout(battle);

  auto* equipment = new QGroupBox("Starting Equipment", fields);
  auto* equipmentForm = new QFormLayout(equipment);
  for (int slot = 0; slot < kEquipmentSlots; ++slot) {
    auto* combo = new QComboBox(equipment);
    combo->setObjectName(QString("Equipment%1").arg(slot + 1));
    auto* caption = new QLabel(kSlotCaptions[slot], equipment);
    equipment_[static_cast<size_t>(slot)] = combo;
    equipmentCaptions_[static_cast<size_t>(slot)] = caption;
    equipmentForm->addRow(caption, combo);
    connect(combo, &QComboBox::activated, this, [this, slot, combo](int index) {
      if (!showingEquipment_ && index >= 0) ChooseEquipment(slot, combo->itemData(index).toInt());
    });
  }
  left->addWidget(equipment);
  left->addStretch(1);

  middle->addWidget(BuildCurves(fields));
  middle->addWidget(BuildSkills(fields), 1);
  right->addWidget(BuildRanks(fields), 1);
  right->addWidget(BuildCommands(fields));
  SetFields(fields);

  connect(binder_, &TFieldBinder::changed, this, [this](const char* key) {
    if (std::string_view(key) == "Name") RewriteLine(Selected());
    DataModified();
  });
  connect(apply_, &QPushButton::clicked, this, [this] { ApplyClass(); });
  connect(setSprite, &QPushButton::clicked, this, [this] { RunSpritePicker(); });
  connect(setFace, &QPushButton::clicked, this, [this] { RunFacePicker(); });
  LoadEntry();
}

TLcfPlayerItem* TFormEDPlayer::Entry() const { return Context().database.heroes.ItemAt(Selected()); }
TLcfActorBase* TFormEDPlayer::Actor() const { return Entry(); }
TCatalog* TFormEDPlayer::Learned() const { return Entry() ? &Entry()->skills : nullptr; }

int TFormEDPlayer::NowValue(int parameter) const {
  return Entry() ? ThumbnailNow(Context().database, *Entry(), parameter) : 0;
}

void TFormEDPlayer::LoadEntry() {
  binder_->Load();
  LoadShared();
  ShowPictures();
  UpdateView();
}

void TFormEDPlayer::UpdateView() {
  UpdateShared();
  ShowEquipment();
  const TLcfPlayerItem* hero = Entry();
  apply_->setEnabled(hero && Context().database.classes.FindById(hero->classId));
}

void TFormEDPlayer::ApplyClass() {
  TLcfPlayerItem* hero = Entry();
  const TLcfJobItem* job = hero ? Context().database.classes.FindById(hero->classId) : nullptr;
  if (!job) return;
  const TLcfDataBase& db = Context().database;
  ApplyClassToHero(*job, *hero, db.conditions.Count(), db.attributes.Count());
  LoadEntry();
  DataModified();
}

void TFormEDPlayer::ChooseEquipment(int slot, int32_t itemId) {
  TLcfPlayerItem* hero = Entry();
  if (!hero || hero->GetEquipment(slot) == itemId) return;
  hero->SetEquipment(slot, itemId);
  DataModified();
}

void TFormEDPlayer::ShowEquipment() {
  showingEquipment_ = true;
  const TLcfPlayerItem* hero = Entry();
  const TLcfDataBase& db = Context().database;
  for (int slot = 0; slot < kEquipmentSlots; ++slot) {
    QComboBox* combo = equipment_[static_cast<size_t>(slot)];
    equipmentCaptions_[static_cast<size_t>(slot)]->setText(
        kSlotCaptions[EquipmentSlotType(slot, hero && hero->twoWeapons) - kItemWeapon]);
    combo->clear();
    combo->setEnabled(hero != nullptr);
    if (!hero) continue;
    combo->addItem("(None)", 0);
    for (int32_t id : EquipmentChoices(db, *hero, slot))
      combo->addItem(TextCodec::Current().ToUnicode(EntryCaption(id, db.items.FindById(id)->name)), id);
    const int32_t stored = hero->GetEquipment(slot);
    int at = combo->findData(stored);
    // An item the slot does not offer (or that no longer exists) is shown and kept.
    if (at < 0) {
      const TLcfItemItem* item = db.items.FindById(stored);
      combo->addItem(item ? TextCodec::Current().ToUnicode(EntryCaption(stored, item->name))
                          : QString::asprintf("%.4d:? (missing)", stored),
                     stored);
      at = combo->count() - 1;
    }
    combo->setCurrentIndex(at);
  }
  showingEquipment_ = false;
}

void TFormEDPlayer::ShowPictures() {
  const TLcfPlayerItem* hero = Entry();
  if (!hero) {
    sprite_->clear();
    face_->clear();
    return;
  }
  // The character stands facing down (third row of its 72 x 128 cell, middle pattern).
  const int c = hero->charSetIndex;
  const QPixmap sprite = SheetCell(hero->charSetFile, "CharSet", QRect(72 * (c % 4) + 24, 128 * (c / 4) + 64, 24, 32));
  sprite_->setPixmap(sprite.isNull() ? sprite : sprite.scaled(48, 64));
  const int f = hero->faceIndex;
  face_->setPixmap(SheetCell(hero->faceSetFile, "FaceSet", QRect(48 * (f % 4), 48 * (f / 4), 48, 48)));
}

// One cell of a material sheet, or an empty picture when the sheet cannot be read.
QPixmap TFormEDPlayer::SheetCell(const std::string& name, const char* folder, const QRect& cell) {
  const std::string key = std::string(folder) + "/" + name;
  auto it = sheets_.find(key);
  if (it == sheets_.end()) {
    QImage image;
    const std::string file = FindExistingMaterialFile(name, folder, PictureExtensions());
    if (!file.empty()) try {
        TBitmap bitmap;
        LoadPictureFile(bitmap, file);
        image = BitmapToImage(bitmap);
      } catch (const std::exception&) {
        // A damaged sheet shows no picture.
      }
    it = sheets_.emplace(key, image).first;
  }
  return it->second.isNull() ? QPixmap() : QPixmap::fromImage(it->second.copy(cell));
}

void TFormEDPlayer::SetSprite(const std::string& file, int index) {
  TLcfPlayerItem* hero = Entry();
  if (!hero || (hero->charSetFile == file && hero->charSetIndex == index)) return;
  hero->charSetFile = file;
  hero->charSetIndex = index;
  ShowPictures();
  DataModified();
}

void TFormEDPlayer::SetFace(const std::string& file, int index) {
  TLcfPlayerItem* hero = Entry();
  if (!hero || (hero->faceSetFile == file && hero->faceIndex == index)) return;
  hero->faceSetFile = file;
  hero->faceIndex = index;
  ShowPictures();
  DataModified();
}

void TFormEDPlayer::RunSpritePicker() {
  const TLcfPlayerItem* hero = Entry();
  if (!hero) return;
  TFormSelChar picker(this);
  picker.materialName = hero->charSetFile;
  picker.cellIndex = hero->charSetIndex;
  if (picker.exec() == QDialog::Accepted) SetSprite(picker.materialName, picker.cellIndex);
}

void TFormEDPlayer::RunFacePicker() {
  const TLcfPlayerItem* hero = Entry();
  if (!hero) return;
  TFormSelFace picker(this);
  picker.materialName = hero->faceSetFile;
  picker.cellIndex = hero->faceIndex;
  if (picker.exec() == QDialog::Accepted) SetFace(picker.materialName, picker.cellIndex);
}

}  // namespace tess
