#include "editor/database/FormEDChipSet.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QDialog>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QVBoxLayout>

#include "database/DataBaseObj.h"
#include "editor/database/ChipSetFlagView.h"
#include "editor/database/MaterialField.h"
#include "maps/GR_ChipSet.h"
#include "platform/TextCodec.h"
#include "ui/DialogButtons.h"
#include "ui/FieldBinder.h"
#include "ui/pickers/FormSelPlainPicture.h"

namespace tess {

namespace {

using K = TFieldKind;
using C = TLcfChipSetItem;

constexpr TFieldChoice kSequences[] = {{0, "1-2-3-2"}, {1, "1-2-3"}};
constexpr TFieldChoice kSpeeds[] = {{0, "Slow"}, {1, "Fast"}};

constexpr TFieldRow kRows[] = {
    {.key = "Name", .kind = K::Text, .caption = "Name", .max = 20},
    {.key = "ChipSetFile", .kind = K::Picture, .caption = "Tileset Graphic", .folder = "ChipSet"},
    {.key = "WaterSequence", .kind = K::Choice, .caption = "Water Animation", .choices = kSequences},
    {.key = "WaterSpeed", .kind = K::Choice, .caption = "Animation Speed", .choices = kSpeeds},
};

TFieldAccess AccessOf(const TFieldRow& row, std::function<C*()> entry) {
  const std::string_view key = row.key;
  if (key == "Name") return MemberAccess(entry, &C::name);
  if (key == "ChipSetFile") return MemberAccess(entry, &C::chipSetFile);
  if (key == "WaterSequence") return MemberAccess(entry, &C::waterSequence);
  return MemberAccess(entry, &C::waterSpeed);
}

struct TToolButton {
  TChipSetTool tool;
  const char* caption;
};
constexpr TToolButton kLowerTools[] = {{TChipSetTool::Terrain, "Terrain"},
                                       {TChipSetTool::LowerPassability, "Passability"},
                                       {TChipSetTool::LowerDirections, "Directional Pass"}};
constexpr TToolButton kUpperTools[] = {{TChipSetTool::UpperPassability, "Passability"},
                                       {TChipSetTool::UpperDirections, "Directional Pass"},
                                       {TChipSetTool::Counter, "Counter Flag"}};

QString TerrainLine(const TCatalogItem& item) {
  return TextCodec::Current().ToUnicode(TEntryListController::LineOf(item));
}

}  // namespace

TFormEDChipSet::TFormEDChipSet(const TDataBasePageContext& context, QWidget* parent)
    : TFormEntryListPage(context.database.tilesets, kClipTilesets, context, parent),
      graphic_(std::make_unique<TLcfChipSetGraphic>()) {
  auto* fields = new QWidget(this);
  fields->setObjectName("TilesetFields");
  TFieldContext lists;
  lists.database = &context.database;
  binder_ = new TFieldBinder(kRows, lists, this);
  std::function<C*()> entry = [this] { return Entry(); };
  auto build = [&](int row, QWidget* parent) {
    return binder_->Build(kRows[row], AccessOf(kRows[row], entry), parent);
  };

  auto* top = new QFormLayout;
  top->addRow(kRows[0].caption, build(0, fields));
  top->addRow(kRows[1].caption, MaterialField(
                                    *binder_, kRows[1], AccessOf(kRows[1], entry), fields,
                                    [entry](QWidget* owner) {
                                      C* t = entry();
                                      return t && PickName<TFormSelChipSet>(owner, t->chipSetFile);
                                    },
                                    [this] {
                                      ShowPicture();
                                      DataModified();
                                    }));
  pictureNote_ = new QLabel(fields);
  pictureNote_->setObjectName("PictureNote");
  pictureNote_->setWordWrap(true);
  pictureNote_->setTextFormat(Qt::PlainText);
  top->addRow(pictureNote_);

  // The tools.
  tools_ = new QButtonGroup(this);
  auto toolGroup = [&](const char* title, const TToolButton(&buttons)[3]) {
    auto* box = new QGroupBox(title, fields);
    auto* v = new QVBoxLayout(box);
    for (const TToolButton& b : buttons) {
      auto* radio = new QRadioButton(b.caption, box);
      tools_->addButton(radio, static_cast<int>(b.tool));
      v->addWidget(radio);
    }
    return box;
  };
  QGroupBox* lower = toolGroup("Lower Layer", kLowerTools);
  QGroupBox* upper = toolGroup("Upper Layer", kUpperTools);

  flags_ = new TChipSetFlagView(entry, *graphic_, fields);
  auto* scroll = new QScrollArea(fields);
  scroll->setWidget(flags_);
  scroll->setFixedWidth(flags_->width() + 24);
  scroll->setWidgetResizable(false);

  terrainList_ = new QListWidget(fields);
  terrainList_->setObjectName("TerrainList");
  const TLcfGround& terrain = context.database.terrain;
  for (int i = 0; i < terrain.Count(); ++i) {
    auto* item = new QListWidgetItem(TerrainLine(*terrain.ItemAt(i)), terrainList_);
    item->setData(Qt::UserRole, terrain.ItemAt(i)->Id());
  }
  auto* uniform = new QPushButton("Set Uniform Terrain", fields);
  uniform->setObjectName("SetUniformTerrain");

  auto* water = new QGroupBox("Water", fields);
  auto* wv = new QHBoxLayout(water);
  wv->addWidget(build(2, water));
  wv->addWidget(build(3, water));

  auto* toolsColumn = new QVBoxLayout;
  toolsColumn->addWidget(lower);
  toolsColumn->addWidget(upper);
  toolsColumn->addWidget(water);
  toolsColumn->addStretch(1);
  auto* terrainColumn = new QVBoxLayout;
  terrainColumn->addWidget(new QLabel("Terrain", fields));
  terrainColumn->addWidget(terrainList_, 1);
  terrainColumn->addWidget(uniform);
  auto* middle = new QHBoxLayout;
  middle->addLayout(toolsColumn);
  middle->addWidget(scroll);
  middle->addLayout(terrainColumn, 1);
  auto* layout = new QVBoxLayout(fields);
  layout->addLayout(top);
  layout->addLayout(middle, 1);
  SetFields(fields);

  connect(tools_, &QButtonGroup::idClicked, this, [this](int id) { SelectTool(static_cast<TChipSetTool>(id)); });
  connect(terrainList_, &QListWidget::currentRowChanged, this, [this](int row) {
    if (QListWidgetItem* item = terrainList_->item(row)) flags_->SetTerrain(item->data(Qt::UserRole).toInt());
  });
  connect(flags_, &TChipSetFlagView::terrainPicked, this, [this](int id) {
    for (int i = 0; i < terrainList_->count(); ++i)
      if (terrainList_->item(i)->data(Qt::UserRole).toInt() == id) terrainList_->setCurrentRow(i);
  });
  connect(flags_, &TChipSetFlagView::changed, this, [this] { DataModified(); });
  connect(uniform, &QPushButton::clicked, this, [this] { RunUniformTerrain(); });
  connect(binder_, &TFieldBinder::changed, this, [this](const char* key) {
    if (std::string_view(key) == "Name") RewriteLine(Selected());
    if (std::string_view(key).starts_with("Water")) graphic_->SetTileset(Entry());
    DataModified();
  });

  if (terrainList_->count() > 0) terrainList_->setCurrentRow(0);
  SelectTool(TChipSetTool::Terrain);
  LoadEntry();
}

TFormEDChipSet::~TFormEDChipSet() = default;

TLcfChipSetItem* TFormEDChipSet::Entry() const { return Context().database.tilesets.ItemAt(Selected()); }

void TFormEDChipSet::SelectTool(TChipSetTool tool) {
  if (QAbstractButton* b = tools_->button(static_cast<int>(tool))) b->setChecked(true);
  flags_->SetTool(tool);
  terrainList_->setEnabled(tool == TChipSetTool::Terrain);
}

void TFormEDChipSet::ShowPicture() {
  TLcfChipSetItem* t = Entry();
  graphic_->SetTileset(t);
  QString note;
  if (t && t->chipSetFile.empty())
    note = "No tileset graphic is chosen: the marks are shown on a plain grid.";
  else if (t && !graphic_->pictureError.empty())
    note = QString::fromStdString(graphic_->pictureError) + " (the marks are shown on a plain grid)";
  pictureNote_->setText(note);
  pictureNote_->setVisible(!note.isEmpty());
  flags_->Redraw();
}

void TFormEDChipSet::LoadEntry() {
  binder_->Load();
  ShowPicture();
  UpdateView();
}

void TFormEDChipSet::UpdateView() {
  const bool some = Entry() != nullptr;
  flags_->setEnabled(some);
  if (!some)
    for (const TFieldRow& row : kRows) binder_->Control(row.key)->setEnabled(false);
}

void TFormEDChipSet::ApplyUniformTerrain(int terrain) {
  TLcfChipSetItem* t = Entry();
  if (!t || !SetUniformTerrain(*t, terrain)) return;
  flags_->Redraw();
  DataModified();
}

void TFormEDChipSet::RunUniformTerrain() {
  QDialog dialog(this);
  dialog.setWindowTitle("Set Uniform Terrain");
  dialog.setObjectName("FormEDChipSetGroundAll");
  auto* layout = new QVBoxLayout(&dialog);
  auto* choice = new QComboBox(&dialog);
  for (int i = 0; i < terrainList_->count(); ++i)
    choice->addItem(terrainList_->item(i)->text(), terrainList_->item(i)->data(Qt::UserRole));
  choice->setCurrentIndex(std::max(0, terrainList_->currentRow()));
  layout->addWidget(new QLabel("Terrain for every lower-layer tile:", &dialog));
  layout->addWidget(choice);
  layout->addWidget(MakeDialogButtons(&dialog));
  if (dialog.exec() != QDialog::Accepted || choice->currentIndex() < 0) return;
  ApplyUniformTerrain(choice->currentData().toInt());
}

}  // namespace tess
