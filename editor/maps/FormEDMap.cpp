#include "editor/maps/FormEDMap.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QSpinBox>
#include <QTabWidget>
#include <QVBoxLayout>

#include "database/DataBaseObj.h"
#include "editor/maps/EncounterListBox.h"
#include "editor/maps/FormMapTree.h"
#include "maps/GR_ChipSet.h"
#include "maps/MapDrawing.h"
#include "maps/MapProperties.h"
#include "platform/TextCodec.h"
#include "platform/WaitCursor.h"
#include "project/MapTreeCommands.h"
#include "project/ProjectDocument.h"
#include "ui/BoardView.h"
#include "ui/DialogButtons.h"
#include "ui/RadioGroup.h"
#include "ui/pickers/FormSelMusic.h"
#include "ui/pickers/FormSelPlainPicture.h"
#include "ui/pickers/FormSelTiles.h"

namespace tess {

namespace {

constexpr const char* kSlotNames[kGeneratorSlotCount] = {"Ceiling", "Lower Wall", "Upper Wall", "Floor A",   "Floor B",
                                                         "Floor C", "Obstacle A", "Obstacle B", "Obstacle C"};
constexpr const char* kSlotPickerCaptions[kGeneratorSlotCount] = {
    "Select Ceiling Tile", "Select Lower Wall Tile", "Select Upper Wall Tile",
    "Select Floor A Tile", "Select Floor B Tile",    "Select Floor C Tile",
    "Select Obstacle A",   "Select Obstacle B",      "Select Obstacle C"};
constexpr int kPanoramaWidth = 160, kPanoramaHeight = 120;
constexpr int kPreviewBox = 240;
constexpr uint16_t kBoxColour = Rgb565(212, 208, 200);

QSpinBox* SpinBox(QWidget* owner, int low, int high) {
  auto* box = new QSpinBox(owner);
  box->setRange(low, high);
  return box;
}

// The switch that enables a slot, or none for the slots that are always used.
uint8_t* UseFlag(TMapProperties& p, int slot) {
  switch (slot) {
    case kSlotUpperWall:
      return &p.useUpperWall;
    case kSlotFloorB:
      return &p.useFloorB;
    case kSlotFloorC:
      return &p.useFloorC;
    case kSlotObstacleB:
      return &p.useObstacleB;
    case kSlotObstacleC:
      return &p.useObstacleC;
    default:
      return nullptr;
  }
}

}  // namespace

TFormEDMap::TFormEDMap(TProjectDocument& document, TMapTreeCommands& commands, TMapProperties& properties,
                       QWidget* parent)
    : QDialog(parent),
      document_(document),
      commands_(commands),
      p_(properties),
      graphic_(std::make_unique<TLcfChipSetGraphic>()),
      seed_(FreshDungeonSeed()) {
  setObjectName("FormEDMap");
  setWindowTitle(QString::fromStdString(MapPropertiesTitle(p_.mapId)));
  auto* tabs = new QTabWidget(this);
  tabs->addTab(BuildGeneralPage(), "Map");
  tabs->addTab(BuildGeneratorPage(), "Random Dungeon Generator");
  auto* buttons = MakeDialogButtons(this);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(tabs);
  layout->addWidget(buttons);
  p_.Normalize();
  LoadTileset();
  Show();
  Changed();
}

TFormEDMap::~TFormEDMap() = default;

QWidget* TFormEDMap::BuildGeneralPage() {
  auto* page = new QWidget(this);
  auto* grid = new QGridLayout(page);

  // Left column: what the map is.
  auto* basics = new QGroupBox(page);
  auto* form = new QFormLayout(basics);
  name_ = new QLineEdit(basics);
  name_->setMaxLength(static_cast<int>(kMaxMapNameLength));
  connect(name_, &QLineEdit::textEdited, this,
          [this](const QString& text) { p_.name = TextCodec::Current().FromUnicode(text); });
  form->addRow("Name", name_);
  tileset_ = new QComboBox(basics);
  const TLcfChipSet& tilesets = document_.DataBase().tilesets;
  for (int i = 0; i < tilesets.Count(); ++i)
    tileset_->addItem(TextCodec::Current().ToUnicode(tilesets.ItemAt(i)->name), tilesets.ItemAt(i)->Id());
  connect(tileset_, &QComboBox::activated, this, [this](int index) {
    p_.tilesetId = tileset_->itemData(index).toInt();
    LoadTileset();
    Changed();
  });
  form->addRow("Tileset", tileset_);
  auto* size = new QHBoxLayout;
  width_ = SpinBox(basics, kMapMinWidth, kMapMaxSize);
  height_ = SpinBox(basics, kMapMinHeight, kMapMaxSize);
  size->addWidget(width_);
  size->addWidget(new QLabel("x", basics));
  size->addWidget(height_);
  connect(width_, &QSpinBox::valueChanged, this, [this](int v) {
    p_.width = v;
    Changed();
  });
  connect(height_, &QSpinBox::valueChanged, this, [this](int v) {
    p_.height = v;
    Changed();
  });
  form->addRow("Dimensions", size);
  wrapping_ = new QComboBox(basics);
  wrapping_->addItems({"None", "Vertical", "Horizontal", "Both"});
  connect(wrapping_, &QComboBox::activated, this, [this](int index) {
    p_.scrollType = static_cast<uint8_t>(index);
    Changed();
  });
  form->addRow("Wrapping", wrapping_);
  encounters_ = new TEncounterListBox(p_.encounters, document_.DataBase().troops, basics);
  form->addRow("Enemy Encounters", encounters_);
  rate_ = SpinBox(basics, 0, kMaxEncounterSteps);
  connect(rate_, &QSpinBox::valueChanged, this, [this](int v) { p_.encounterSteps = v; });
  form->addRow("Rate", rate_);
  grid->addWidget(basics, 0, 0, 3, 1);

  // The parallax background.
  auto* parallax = new QGroupBox(page);
  auto* pv = new QGridLayout(parallax);
  usePanorama_ = new QCheckBox("Use Parallax Background", parallax);
  connect(usePanorama_, &QCheckBox::toggled, this, [this](bool on) {
    p_.usePanorama = on;
    Changed();
  });
  pv->addWidget(usePanorama_, 0, 0, 1, 2);
  panorama_ = new TBoardView(parallax);
  panorama_->SetBoardSize(kPanoramaWidth, kPanoramaHeight);
  pv->addWidget(panorama_, 1, 0, 3, 1);
  panoramaSet_ = new QPushButton("Set", parallax);
  connect(panoramaSet_, &QPushButton::clicked, this, [this] {
    TFormSelPanorama picker(this);
    picker.materialName = p_.panoramaName;
    if (picker.exec() != QDialog::Accepted) return;
    p_.panoramaName = picker.materialName;
    Changed();
  });
  pv->addWidget(panoramaSet_, 1, 1);
  scrolling_ = new QGroupBox("Scrolling", parallax);
  auto* sv = new QGridLayout(scrolling_);
  auto direction = [&](int row, const char* caption, QCheckBox*& scroll, QCheckBox*& autoScroll, QSpinBox*& speed,
                       uint8_t& scrollValue, uint8_t& autoValue, int32_t& speedValue) {
    scroll = new QCheckBox(caption, scrolling_);
    autoScroll = new QCheckBox("Autoscroll", scrolling_);
    speed = SpinBox(scrolling_, -kMaxPanoramaSpeed, kMaxPanoramaSpeed);
    sv->addWidget(scroll, row, 0);
    sv->addWidget(autoScroll, row, 1);
    sv->addWidget(new QLabel("Speed", scrolling_), row, 2);
    sv->addWidget(speed, row, 3);
    connect(scroll, &QCheckBox::toggled, this, [this, &scrollValue](bool on) {
      scrollValue = on;
      Changed();
    });
    connect(autoScroll, &QCheckBox::toggled, this, [this, &autoValue](bool on) {
      autoValue = on;
      Changed();
    });
    connect(speed, &QSpinBox::valueChanged, this, [&speedValue](int v) { speedValue = v; });
  };
  direction(0, "Horizontal Scroll", scrollH_, autoH_, speedH_, p_.panoramaScrollH, p_.panoramaAutoH, p_.panoramaSpeedH);
  direction(1, "Vertical Scroll", scrollV_, autoV_, speedV_, p_.panoramaScrollV, p_.panoramaAutoV, p_.panoramaSpeedV);
  pv->addWidget(scrolling_, 4, 0, 1, 2);
  grid->addWidget(parallax, 0, 1);

  // Music, battle background, permissions.
  auto* settings = new QWidget(page);
  auto* st = new QGridLayout(settings);
  st->setContentsMargins(0, 0, 0, 0);
  auto group = [&](int index, const char* title, std::initializer_list<const char*> captions, uint8_t& value) {
    return MakeRadioGroup(settings, title, captions, choices_[index], [this, &value](int chosen) {
      value = static_cast<uint8_t>(chosen);
      Changed();
    });
  };
  QGroupBox* music = group(0, "BGM", {"Same as Parent Map", "Entrust to Event", "Specify"}, p_.musicType);
  musicSet_ = new QPushButton(music);
  connect(musicSet_, &QPushButton::clicked, this, [this] {
    TFormSelMusic picker(this);
    picker.Music().Assign(p_.music);
    if (picker.exec() != QDialog::Accepted) return;
    p_.music.Assign(picker.Music());
    Changed();
  });
  music->layout()->addWidget(musicSet_);
  QGroupBox* backdrop =
      group(1, "Battle Background", {"Same as Parent Map", "Use Terrain Settings", "Specify"}, p_.backdropType);
  backdropSet_ = new QPushButton(backdrop);
  connect(backdropSet_, &QPushButton::clicked, this, [this] {
    TFormSelBackdrop picker(this);
    picker.materialName = p_.backdropName;
    if (picker.exec() != QDialog::Accepted) return;
    p_.backdropName = picker.materialName;
    Changed();
  });
  backdrop->layout()->addWidget(backdropSet_);
  st->addWidget(music, 0, 0);
  st->addWidget(backdrop, 0, 1);
  st->addWidget(group(2, "Teleport", {"As in Parent", "Allow", "Forbid"}, p_.teleport), 1, 0);
  st->addWidget(group(3, "Escape", {"As in Parent", "Allow", "Forbid"}, p_.escape), 1, 1);
  st->addWidget(group(4, "Save", {"As in Parent", "Allow", "Forbid"}, p_.save), 2, 0);
  grid->addWidget(settings, 1, 1, 2, 1);
  return page;
}

QWidget* TFormEDMap::BuildGeneratorPage() {
  generatorPage_ = new QWidget(this);
  auto* outer = new QVBoxLayout(generatorPage_);
  useGenerator_ = new QCheckBox("Use Random Dungeon Generator", generatorPage_);
  connect(useGenerator_, &QCheckBox::toggled, this, [this](bool on) {
    p_.useGenerator = on;
    Changed();
  });
  outer->addWidget(useGenerator_);
  generatorArea_ = new QWidget(generatorPage_);
  auto* grid = new QGridLayout(generatorArea_);
  outer->addWidget(generatorArea_);

  auto* rules = new QWidget(generatorArea_);
  auto* rv = new QVBoxLayout(rules);
  rv->setContentsMargins(0, 0, 0, 0);
  auto* guidelineBox = new QGroupBox("Dungeon Generation Guidelines", rules);
  auto* gv = new QVBoxLayout(guidelineBox);
  guideline_ = new QComboBox(guidelineBox);
  guideline_->addItems({"Single Winding Passage", "Rooms Linked with Passages", "Maze-like Passage Structure",
                        "Open Room with Obstacles"});
  connect(guideline_, &QComboBox::activated, this, [this](int index) {
    p_.generatorStyle = index;
    Changed();
  });
  gv->addWidget(guideline_);
  rv->addWidget(guidelineBox);
  granularityGroup_ = MakeRadioGroup(rules, "Passage Granularity", {"1x1", "2x2"}, granularity_, [this](int chosen) {
    p_.passageSize = chosen;
    Changed();
  });
  rv->addWidget(granularityGroup_);
  roomGroup_ = new QGroupBox("Room Dimensions", rules);
  auto* room = new QFormLayout(roomGroup_);
  roomWidth_ = SpinBox(roomGroup_, kMinRoomSize, kMinRoomSize);
  roomHeight_ = SpinBox(roomGroup_, kMinRoomSize, kMinRoomSize);
  connect(roomWidth_, &QSpinBox::valueChanged, this, [this](int v) {
    p_.roomWidth = v;
    Changed();
  });
  connect(roomHeight_, &QSpinBox::valueChanged, this, [this](int v) {
    p_.roomHeight = v;
    Changed();
  });
  room->addRow("Width", roomWidth_);
  room->addRow("Height", roomHeight_);
  rv->addWidget(roomGroup_);
  surround_ = new QCheckBox("Surround Map with Wall Tiles", rules);
  connect(surround_, &QCheckBox::toggled, this, [this](bool on) {
    p_.surroundWithWalls = on;
    Changed();
  });
  rv->addWidget(surround_);
  rv->addStretch();
  grid->addWidget(rules, 0, 0, 2, 1);

  auto* tiles = new QGroupBox("Tiles", generatorArea_);
  auto* tv = new QGridLayout(tiles);
  for (int slot = 0; slot < kGeneratorSlotCount; ++slot) {
    const int column = slot % 3, row = slot / 3;
    auto* cell = new QVBoxLayout;
    cell->addWidget(new QLabel(kSlotNames[slot], tiles));
    if (UseFlag(p_, slot)) {
      slotUse_[slot] = new QCheckBox("Use", tiles);
      connect(slotUse_[slot], &QCheckBox::toggled, this, [this, slot](bool on) {
        *UseFlag(p_, slot) = on;
        Changed();
      });
      cell->addWidget(slotUse_[slot]);
    }
    slots_[slot] = new TBoardView(tiles);
    const int side = IsObstacleSlot(slot) ? 64 : 32;
    slots_[slot]->SetBoardSize(side, side);
    slots_[slot]->setToolTip("Double-click to choose the tile");
    slots_[slot]->onDoubleClick = [this, slot] { PickSlot(slot); };
    cell->addWidget(slots_[slot]);
    cell->addStretch();
    tv->addLayout(cell, row, column);
  }
  // On the first use every slot names the same tile, and the preview is one field of it.
  slotHint_ = new QLabel(
      "Every slot names the same tile: choose the ceiling, wall and floor tiles (double-click a box) to make "
      "rooms and passages.",
      tiles);
  slotHint_->setObjectName("SlotHint");
  slotHint_->setWordWrap(true);
  QPalette hintColours = slotHint_->palette();
  hintColours.setColor(QPalette::WindowText, QColor(170, 60, 0));
  slotHint_->setPalette(hintColours);
  tv->addWidget(slotHint_, 3, 0, 1, 3);
  grid->addWidget(tiles, 0, 1);

  auto* preview = new QGroupBox("Preview", generatorArea_);
  auto* pv = new QVBoxLayout(preview);
  previewArea_ = new QScrollArea(preview);
  preview_ = new TBoardView;
  previewArea_->setWidget(preview_);
  previewArea_->setFixedSize(kPreviewBox + 4, kPreviewBox * 3 / 4 + 4);
  preview_->SetPanArea(previewArea_);
  pv->addWidget(previewArea_);
  tryAnother_ = new QPushButton("Try Another", preview);
  connect(tryAnother_, &QPushButton::clicked, this, &TFormEDMap::TryAnother);
  pv->addWidget(tryAnother_);
  grid->addWidget(preview, 1, 1);
  outer->addStretch();
  return generatorPage_;
}

void TFormEDMap::Show() {
  showing_ = true;
  name_->setText(TextCodec::Current().ToUnicode(p_.name));
  int tilesetRow = 0;
  for (int i = 0; i < tileset_->count(); ++i)
    if (tileset_->itemData(i).toInt() == p_.tilesetId) tilesetRow = i;
  tileset_->setCurrentIndex(tilesetRow);
  if (tileset_->count() > 0) p_.tilesetId = tileset_->itemData(tilesetRow).toInt();
  width_->setValue(p_.width);
  height_->setValue(p_.height);
  wrapping_->setCurrentIndex(p_.scrollType);
  rate_->setValue(p_.encounterSteps);
  usePanorama_->setChecked(p_.usePanorama);
  scrollH_->setChecked(p_.panoramaScrollH);
  autoH_->setChecked(p_.panoramaAutoH);
  speedH_->setValue(p_.panoramaSpeedH);
  scrollV_->setChecked(p_.panoramaScrollV);
  autoV_->setChecked(p_.panoramaAutoV);
  speedV_->setValue(p_.panoramaSpeedV);
  const uint8_t values[5] = {p_.musicType, p_.backdropType, p_.teleport, p_.escape, p_.save};
  for (int g = 0; g < 5; ++g) choices_[g][std::min<int>(values[g], 2)]->setChecked(true);
  useGenerator_->setChecked(p_.useGenerator);
  guideline_->setCurrentIndex(p_.generatorStyle);
  granularity_[p_.passageSize == 1 ? 1 : 0]->setChecked(true);
  surround_->setChecked(p_.surroundWithWalls);
  for (int slot = 0; slot < kGeneratorSlotCount; ++slot)
    if (slotUse_[slot]) slotUse_[slot]->setChecked(*UseFlag(p_, slot));
  showing_ = false;
}

void TFormEDMap::Changed() {
  if (showing_) return;
  p_.Normalize();
  const TMapPropertiesEnabled e = p_.Enabled();
  showing_ = true;
  // The room may be at most a quarter of the map.
  roomWidth_->setRange(kMinRoomSize, p_.MaxRoomWidth());
  roomHeight_->setRange(kMinRoomSize, p_.MaxRoomHeight());
  roomWidth_->setValue(p_.roomWidth);
  roomHeight_->setValue(p_.roomHeight);
  // Switching an autoscroll on shows its speed from the working copy again.
  speedH_->setValue(p_.panoramaSpeedH);
  speedV_->setValue(p_.panoramaSpeedV);
  showing_ = false;
  for (int g = 0; g < 5; ++g) choices_[g][0]->setEnabled(e.sameAsParent);
  panorama_->setEnabled(e.panorama);
  panoramaSet_->setEnabled(e.panorama);
  scrolling_->setEnabled(e.panorama);
  autoH_->setEnabled(e.autoScrollH);
  speedH_->setEnabled(e.speedH);
  autoV_->setEnabled(e.autoScrollV);
  speedV_->setEnabled(e.speedV);
  musicSet_->setEnabled(e.musicChoice);
  musicSet_->setText(TextCodec::Current().ToUnicode(p_.music.name));
  backdropSet_->setEnabled(e.backdropChoice);
  backdropSet_->setText(p_.backdropName.empty() ? QString("...") : TextCodec::Current().ToUnicode(p_.backdropName));
  generatorArea_->setEnabled(e.generator);
  granularityGroup_->setEnabled(e.granularity);
  roomGroup_->setEnabled(e.roomSize);
  for (int slot = 0; slot < kGeneratorSlotCount; ++slot) slots_[slot]->setEnabled(e.tileSlots[slot]);
  DrawPanorama();
  DrawSlots();
  DrawPreview();
}

void TFormEDMap::LoadTileset() {
  TWaitCursor wait;
  graphic_->SetTileset(document_.DataBase().tilesets.FindById(p_.tilesetId));
}

void TFormEDMap::DrawSlots() {
  bool alike = true;
  for (int slot = 1; slot < kGeneratorSlotCount; ++slot) alike = alike && p_.SlotCell(slot) == p_.SlotCell(0);
  if (slotHint_) slotHint_->setVisible(alike && p_.useGenerator);
  uint16_t tiles[18] = {};
  GeneratorTilesOf(p_.generatorChips, p_.generatorChipVariants, tiles);
  const TMapPropertiesEnabled e = p_.Enabled();
  // The picture is shared with the palette pickers, which draw it transparent.
  graphic_->SetTransparent(false);
  for (int slot = 0; slot < kGeneratorSlotCount; ++slot) {
    TCorvidBoard& board = slots_[slot]->Board();
    board.FillRect(Bounds(0, 0, board.Width(), board.Height()), kBoxColour);
    if (e.tileSlots[slot]) {
      if (IsObstacleSlot(slot)) {
        const int first = 6 + 4 * (slot - kSlotObstacleA);
        for (int i = 0; i < 4; ++i) graphic_->DrawChip(board, i % 2 * 32, i / 2 * 32, 32, false, tiles[first + i], 0);
      } else {
        graphic_->DrawChip(board, 0, 0, 32, false, tiles[slot], 0);
      }
    }
    slots_[slot]->update();
  }
}

void TFormEDMap::DrawPanorama() {
  TCorvidBoard& board = panorama_->Board();
  board.FillRect(Bounds(0, 0, kPanoramaWidth, kPanoramaHeight), kBoxColour);
  if (p_.usePanorama && !p_.panoramaName.empty()) {
    // A missing picture leaves the box plain.
    TCorvidSheet sheet;
    if (LoadMapPanorama(sheet, p_.panoramaName).empty()) DrawByRule(board, sheet, TPreviewRule::Fit);
  }
  panorama_->update();
}

void TFormEDMap::DrawPreview() {
  previewArea_->setVisible(p_.useGenerator);
  tryAnother_->setVisible(p_.useGenerator);
  if (!p_.useGenerator) return;
  TWaitCursor wait;
  TLcfMap map;
  commands_.PreviewMap(p_, seed_, map);
  // As large as fits the box, never below 4 pixels a cell (the box then scrolls).
  int cell = 16;
  while (cell > 4 && (map.width * cell > kPreviewBox || map.height * cell > kPreviewBox * 3 / 4)) cell /= 2;
  preview_->SetBoardSize(map.width * cell, map.height * cell);
  TMapDrawOptions options;
  options.cellSize = cell;
  graphic_->SetTransparent(false);
  DrawMapCells(preview_->Board(), {0, 0}, map, Bounds(0, 0, map.width, map.height), *graphic_, nullptr, options);
  preview_->update();
}

void TFormEDMap::TryAnother() {
  seed_ = FreshDungeonSeed();
  DrawPreview();
}

void TFormEDMap::PickSlot(int slot) {
  if (slot < 0 || slot >= kGeneratorSlotCount || !p_.Enabled().tileSlots[slot]) return;
  TFormSelMap picker(this, slot, kSlotPickerCaptions[slot]);
  picker.SetTileset(document_.DataBase().tilesets.FindById(p_.tilesetId));
  const TSlotCell current = p_.SlotCell(slot);
  picker.column = current.column;
  picker.row = current.row;
  if (picker.exec() != QDialog::Accepted) return;
  p_.SetSlotCell(slot, {picker.column, picker.row});
  Changed();
}

void TFormEDMap::accept() {
  p_.name = TextCodec::Current().FromUnicode(name_->text());
  p_.Normalize();
  QDialog::accept();
}

}  // namespace tess
