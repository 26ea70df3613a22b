#include "editor/events/FormEvCmd11750.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>
#include <cstring>

#include "database/DataBaseObj.h"
#include "maps/GR_ChipSet.h"
#include "maps/LD_Map.h"
#include "ui/pickers/FormSelTiles.h"

namespace tess {

TFormEvCmd11750::TFormEvCmd11750(const TLcfEventScriptList& lines, TCommandDialogContext& context)
    : TFormEvCmdBase(11750, lines, context), graphic_(std::make_unique<TLcfChipSetGraphic>()) {
  auto* layout = new QVBoxLayout(this);
  auto* form = new QFormLayout;
  for (const TFieldRow& row : form_.Rows()) {
    QWidget* control = binder_->Build(row, AccessOf(row), this);
    const bool tile = std::strcmp(row.key, "from") == 0 || std::strcmp(row.key, "to") == 0;
    if (tile) {
      auto* holder = new QWidget(this);
      auto* line = new QHBoxLayout(holder);
      line->setContentsMargins(0, 0, 0, 0);
      control->setParent(holder);
      line->addWidget(control, 1);
      auto* pick = new QPushButton("...", holder);
      pick->setObjectName(QString("Pick_%1").arg(row.key));
      pick->setFixedWidth(pick->fontMetrics().horizontalAdvance("...") + 16);
      line->addWidget(pick);
      (std::strcmp(row.key, "from") == 0 ? pickFrom_ : pickTo_) = pick;
      const char* key = row.key;
      connect(pick, &QPushButton::clicked, this, [this, key] { PickTile(key); });
      control = holder;
    }
    if (TFieldBinder::Labelled(row))
      form->addRow(QString::fromUtf8(row.caption), control);
    else
      form->addRow(control);
  }
  layout->addLayout(form);
  AddButtons(layout);
  binder_->Load();
  // The palette is drawn with the tileset of the map the script belongs to.
  if (const TLcfMap* map = context_.converter.Map)
    graphic_->SetTileset(context_.converter.Database().tilesets.FindById(map->tilesetId));
}

TFormEvCmd11750::~TFormEvCmd11750() = default;

QPushButton* TFormEvCmd11750::PickButton(const char* key) const {
  return std::strcmp(key, "from") == 0 ? pickFrom_ : pickTo_;
}

void TFormEvCmd11750::PickTile(const char* key) {
  TFormSelReplChip picker(this, form_.Value("layer") == 1);
  picker.SetTileset(graphic_.get());
  picker.cellIndex = form_.Value(key);
  if (picker.exec() != QDialog::Accepted || picker.cellIndex == form_.Value(key)) return;
  form_.Set(key, picker.cellIndex);
  binder_->Load();
}

}  // namespace tess
