#include "editor/database/FormEDCBA.h"

#include <QButtonGroup>
#include <QEvent>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include "core/MaterialFiles.h"
#include "database/AnimationPageKit.h"
#include "database/DataBaseObj.h"
#include "platform/TextCodec.h"
#include "ui/BoardView.h"
#include "ui/FieldBinder.h"
#include "ui/pickers/FormSelBattler.h"

namespace tess {

namespace {

using K = TFieldKind;
using Set = TLcfAnimation2Item;

constexpr TFieldChoice kSpeeds[] = {{20, "Slow"}, {14, "Medium"}, {8, "Fast"}};
constexpr TFieldChoice kPoseKinds[] = {{0, "Character Pose"}, {1, "Battle Animation"}};
constexpr int32_t kAnimationKind[] = {1};
constexpr int kSlotsPerTab = 8;
constexpr const char* kHands[] = {"Right Hand", "Left Hand", "Both Hands", "Weapon Only"};
// The preview: three frames of 64 pixels across, two rows (both hands) down.
constexpr int kWeaponSide = 64, kPoseSide = 48, kPreviewFrames = 3;
constexpr int kRightHandPose = 1, kLeftHandPose = 2;
constexpr TRgb kPreviewBack{24, 32, 56};

}  // namespace

TFormEDCBA::TFormEDCBA(const TDataBasePageContext& context, QWidget* parent)
    : TFormEntryListPage(context.database.battlerAnimations, kClipBattlerAnimations, context, parent) {
  auto* fields = new QWidget(this);
  fields->setObjectName("BattlerAnimationFields");
  // The rows: name, speed, then per slot the pose name, weapon name, pose kind and animation.
  auto key = [this](QString text) -> const char* { return keys_.emplace_back(text.toStdString()).c_str(); };
  rows_.push_back({.key = "Name", .kind = K::Text, .caption = "Name", .max = 16});
  rows_.push_back({.key = "Speed", .kind = K::Choice, .caption = "Animation Display Speed", .choices = kSpeeds});
  for (int s = 0; s < kBattlerPoses; ++s) {
    rows_.push_back({.key = key(QString("Pose%1").arg(s)), .kind = K::Text, .caption = "Name", .max = 18});
    rows_.push_back({.key = key(QString("Weapon%1").arg(s)), .kind = K::Text, .caption = "Name", .max = 18});
    const char* kind = key(QString("PoseKind%1").arg(s));
    rows_.push_back({.key = kind, .kind = K::Choice, .caption = "Animation Type", .choices = kPoseKinds});
    rows_.push_back({.key = key(QString("PoseAnimation%1").arg(s)),
                     .kind = K::Animation,
                     .caption = "Battle Animation",
                     .min = 1,
                     .max = 5000,
                     .whenKey = kind,
                     .whenValues = kAnimationKind});
  }
  binder_ = new TFieldBinder(rows_, TFieldContext{.database = &context.database}, this);
  std::function<Set*()> entry = [this] { return Entry(); };

  auto* layout = new QVBoxLayout(fields);
  auto* top = new QHBoxLayout;
  auto* form = new QFormLayout;
  form->addRow("Name", binder_->Build(rows_[0], MemberAccess(entry, &Set::name), fields));
  top->addLayout(form, 1);
  auto* speed = binder_->Build(rows_[1], MemberAccess(entry, &Set::speed), fields);
  top->addWidget(speed);
  layout->addLayout(top);

  // A slot's member: read from the slot when the set holds it (else the entry's default), written
  // into a set padded to 32.
  auto poseAccess = [entry](int s, auto member, auto fallback) {
    TFieldAccess a;
    using M = std::remove_cvref_t<decltype(std::declval<TLcfBattleMyCharacterItem&>().*member)>;
    if constexpr (std::is_same_v<M, std::string>) {
      a.text = [entry, s, member] {
        Set* set = entry();
        auto* p = set ? PoseSlot(*set, s) : nullptr;
        return p ? p->*member : std::string();
      };
      a.setText = [entry, s, member](const std::string& v) {
        if (Set* set = entry()) PoseSlotForWrite(*set, s).*member = v;
      };
    } else {
      a.value = [entry, s, member, fallback] {
        Set* set = entry();
        auto* p = set ? PoseSlot(*set, s) : nullptr;
        return p ? p->*member : fallback;
      };
      a.setValue = [entry, s, member](int32_t v) {
        if (Set* set = entry()) PoseSlotForWrite(*set, s).*member = v;
      };
    }
    return a;
  };
  auto weaponName = [entry](int s) {
    TFieldAccess a;
    a.text = [entry, s] {
      Set* set = entry();
      auto* w = set ? WeaponSlot(*set, s) : nullptr;
      return w ? w->name : std::string();
    };
    a.setText = [entry, s](const std::string& v) {
      if (Set* set = entry()) WeaponSlotForWrite(*set, s).name = v;
    };
    return a;
  };

  auto* pages = new QTabWidget(fields);
  pages->setObjectName("BattlerPages");
  auto slotTabs = [&](const char* title, int kindRow, bool pose) {
    auto* tabs = new QTabWidget(pages);
    for (int t = 0; t < kBattlerPoses / kSlotsPerTab; ++t) {
      auto* page = new QWidget(tabs);
      auto* grid = new QGridLayout(page);
      for (int i = 0; i < kSlotsPerTab; ++i) {
        const int s = t * kSlotsPerTab + i;
        const TFieldRow& row = rows_[static_cast<size_t>(2 + 4 * s + kindRow)];
        grid->addWidget(new QLabel(QString::number(s + 1), page), i, 0);
        if (kindRow == 2) {
          grid->addWidget(binder_->Build(row, poseAccess(s, &TLcfBattleMyCharacterItem::poseKind, 0), page), i, 1);
          grid->addWidget(binder_->Build(rows_[static_cast<size_t>(3 + 4 * s + kindRow)],
                                         poseAccess(s, &TLcfBattleMyCharacterItem::battleAnimationId, 1), page),
                          i, 2);
          continue;
        }
        QWidget* name =
            binder_->Build(row, pose ? poseAccess(s, &TLcfBattleMyCharacterItem::name, 0) : weaponName(s), page);
        grid->addWidget(name, i, 1);
        if (!pose) {
          // Working on a weapon's name shows it in the preview.
          name->installEventFilter(this);
          weaponNames_.push_back(name);
        }
        auto* sheet = new QLabel(page);
        (pose ? poseSheets_ : weaponSheets_).push_back(sheet);
        grid->addWidget(sheet, i, 2);
        auto* set = new QPushButton("Set", page);
        set->setObjectName(QString("%1Set%2").arg(pose ? "Pose" : "Weapon").arg(s));
        grid->addWidget(set, i, 3);
        connect(set, &QPushButton::clicked, this, [this, s, pose] {
          Set* a = Entry();
          if (!a) return;
          if (pose) {
            TFormSelCBAStandard picker(this);
            auto* p = PoseSlot(*a, s);
            picker.materialName = p ? p->sheetFile : std::string();
            picker.cellIndex = p ? p->sheetIndex : 0;
            if (picker.exec() == QDialog::Accepted) SetPoseSheet(s, picker.materialName, picker.cellIndex);
          } else {
            PreviewWeapon(s);
            TFormSelCBAWeapon picker(this);
            auto* w = WeaponSlot(*a, s);
            picker.materialName = w ? w->sheetFile : std::string();
            picker.cellIndex = w ? w->sheetIndex : 0;
            if (picker.exec() == QDialog::Accepted) SetWeaponSheet(s, picker.materialName, picker.cellIndex);
          }
        });
      }
      grid->setRowStretch(kSlotsPerTab, 1);
      tabs->addTab(page, QString("%1-%2").arg(t * kSlotsPerTab + 1).arg(t * kSlotsPerTab + kSlotsPerTab));
    }
    if (kindRow != 1) {
      pages->addTab(tabs, title);
      return;
    }
    // The weapons' page: the slots, and beside them the preview with its hand choice.
    auto* holder = new QWidget(pages);
    auto* line = new QHBoxLayout(holder);
    line->addWidget(tabs, 1);
    auto* box = new QGroupBox("Preview", holder);
    auto* column = new QVBoxLayout(box);
    preview_ = new TBoardView(box);
    preview_->setObjectName("WeaponPreview");
    preview_->SetBoardSize(kPreviewFrames * kWeaponSide, 2 * kWeaponSide);
    column->addWidget(preview_, 0, Qt::AlignHCenter);
    hands_ = new QButtonGroup(box);
    for (int h = 0; h < 4; ++h) {
      auto* radio = new QRadioButton(kHands[h], box);
      radio->setObjectName(QString("Hand%1").arg(h));
      radio->setChecked(h == hand_);
      hands_->addButton(radio, h);
      column->addWidget(radio);
    }
    column->addStretch(1);
    connect(hands_, &QButtonGroup::idClicked, this, &TFormEDCBA::SetHand);
    line->addWidget(box);
    pages->addTab(holder, title);
  };
  slotTabs("Poses", 0, true);
  slotTabs("Weapons", 1, false);
  slotTabs("Animation Type", 2, true);
  layout->addWidget(pages, 1);
  SetFields(fields);

  connect(binder_, &TFieldBinder::changed, this, [this](const char* key) {
    if (std::string_view(key) == "Name") RewriteLine(Selected());
    DataModified();
  });
  LoadEntry();
}

TLcfAnimation2Item* TFormEDCBA::Entry() const { return Context().database.battlerAnimations.ItemAt(Selected()); }

void TFormEDCBA::SetPoseSheet(int slot, const std::string& file, int index) {
  Set* a = Entry();
  if (!a) return;
  if (auto* p = PoseSlot(*a, slot); p && p->sheetFile == file && p->sheetIndex == index) return;
  auto& p = PoseSlotForWrite(*a, slot);
  p.sheetFile = file;
  p.sheetIndex = index;
  DataModified();
  DrawWeaponPreview();
}

void TFormEDCBA::SetWeaponSheet(int slot, const std::string& file, int index) {
  Set* a = Entry();
  if (!a) return;
  if (auto* w = WeaponSlot(*a, slot); w && w->sheetFile == file && w->sheetIndex == index) return;
  auto& w = WeaponSlotForWrite(*a, slot);
  w.sheetFile = file;
  w.sheetIndex = index;
  DataModified();
  DrawWeaponPreview();
}

void TFormEDCBA::SetHand(int hand) {
  hand_ = std::clamp(hand, 0, 3);
  if (QAbstractButton* radio = hands_->button(hand_); radio && !radio->isChecked()) radio->setChecked(true);
  DrawWeaponPreview();
}

void TFormEDCBA::PreviewWeapon(int slot) {
  if (slot == weapon_) return;
  weapon_ = std::clamp(slot, 0, kBattlerPoses - 1);
  DrawWeaponPreview();
}

bool TFormEDCBA::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::FocusIn)
    for (size_t s = 0; s < weaponNames_.size(); ++s)
      if (weaponNames_[s] == watched) PreviewWeapon(static_cast<int>(s));
  return TFormEntryListPage::eventFilter(watched, event);
}

TCorvidSheet& TFormEDCBA::BattlerSheet(const char* folder, const std::string& name) {
  std::unique_ptr<TCorvidSheet>& sheet = sheets_[std::string(folder) + "/" + name];
  if (!sheet) {
    sheet = std::make_unique<TCorvidSheet>();
    sheet->autoSize = true;
    const std::string file = name.empty() ? std::string() : FindExistingMaterialFile(name, folder, PictureExtensions());
    if (!file.empty()) try {
        sheet->LoadFromFile(file, true);
      } catch (const std::exception&) {
        // An unreadable sheet leaves the preview without it.
        sheet->ClearAll();
        sheet->FreePixels();
      }
    sheet->transparent = true;
  }
  return *sheet;
}

void TFormEDCBA::DrawWeaponPreview() {
  TCorvidBoard& board = preview_->Board();
  board.Fill(Rgb565(kPreviewBack.red, kPreviewBack.green, kPreviewBack.blue));
  Set* a = Entry();
  if (a) {
    const TLcfCBAWeaponItem* w = WeaponSlot(*a, weapon_);
    TCorvidSheet* weapon = w ? &BattlerSheet("BattleWeapon", w->sheetFile) : nullptr;
    std::vector<int> poses;
    if (hand_ == kRightHand || hand_ == kBothHands) poses.push_back(kRightHandPose);
    if (hand_ == kLeftHand || hand_ == kBothHands) poses.push_back(kLeftHandPose);
    if (hand_ == kWeaponOnly) poses.push_back(-1);
    for (size_t row = 0; row < poses.size(); ++row)
      for (int f = 0; f < kPreviewFrames; ++f) {
        const int x = f * kWeaponSide, y = static_cast<int>(row) * kWeaponSide;
        const TLcfBattleMyCharacterItem* p = poses[row] >= 0 ? PoseSlot(*a, poses[row]) : nullptr;
        if (p && p->poseKind == 0) {
          TCorvidSheet& hero = BattlerSheet("BattleCharSet", p->sheetFile);
          const int inset = (kWeaponSide - kPoseSide) / 2;
          board.DrawSheet(x + inset, y + inset, Bounds(f * kPoseSide, p->sheetIndex * kPoseSide, kPoseSide, kPoseSide),
                          hero);
        }
        if (weapon)
          board.DrawSheet(x, y, Bounds(f * kWeaponSide, w->sheetIndex * kWeaponSide, kWeaponSide, kWeaponSide),
                          *weapon);
      }
  }
  preview_->update();
}

void TFormEDCBA::LoadEntry() {
  binder_->Load();
  UpdateView();
}

void TFormEDCBA::ShowSheets() {
  Set* a = Entry();
  auto caption = [](const std::string& file, int index) {
    return file.empty() ? QString() : QString("%1 (%2)").arg(TextCodec::Current().ToUnicode(file)).arg(index + 1);
  };
  for (int s = 0; s < static_cast<int>(poseSheets_.size()); ++s) {
    auto* p = a ? PoseSlot(*a, s) : nullptr;
    poseSheets_[static_cast<size_t>(s)]->setText(p ? caption(p->sheetFile, p->sheetIndex) : QString());
  }
  for (int s = 0; s < static_cast<int>(weaponSheets_.size()); ++s) {
    auto* w = a ? WeaponSlot(*a, s) : nullptr;
    weaponSheets_[static_cast<size_t>(s)]->setText(w ? caption(w->sheetFile, w->sheetIndex) : QString());
  }
  DrawWeaponPreview();
}

void TFormEDCBA::UpdateView() {
  if (!Entry())
    for (const TFieldRow& row : rows_) binder_->Control(row.key)->setEnabled(false);
  ShowSheets();
}

}  // namespace tess
