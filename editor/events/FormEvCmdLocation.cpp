#include "editor/events/FormEvCmdLocation.h"

#include <QFormLayout>
#include <QPushButton>
#include <QVBoxLayout>
#include <cstring>

#include "maps/LD_MapTree.h"

namespace tess {

namespace {

bool Has(const char* key) { return key && *key; }

}  // namespace

TFormEvCmdLocation::TFormEvCmdLocation(int32_t code, const TLcfEventScriptList& lines, TCommandDialogContext& context)
    : TFormEvCmdBase(code, lines, context) {
  if (code != 10860) map_ = "map";
  if (code == 10850 || code == 10860) facing_ = "facing";
  auto* layout = new QVBoxLayout(this);
  auto* form = new QFormLayout;
  binder_->AddRows(
      form, [this](const TFieldRow& row) { return AccessOf(row); }, this);
  layout->addLayout(form);
  select_ = new QPushButton("Select Location...", this);
  select_->setObjectName("SelectLocation");
  layout->addWidget(select_);
  AddButtons(layout);
  binder_->Load();
  UpdateButton();
  connect(binder_, &TFieldBinder::changed, this, [this] { UpdateButton(); });
  connect(select_, &QPushButton::clicked, this, [this] {
    const TEventScriptConverter& c = context_.converter;
    TLocationSources sources;
    sources.database = &c.Database();
    sources.mapTree = c.MapTree;
    sources.currentMap = c.Map;
    sources.currentMapOnly = !Has(map_);
    TLocation location = Place();
    if (SelectLocation(this, sources, location, Has(facing_))) Take(location);
  });
}

TLocation TFormEvCmdLocation::Place() const {
  TLocation place;
  const TLcfMapTree* tree = context_.converter.MapTree;
  place.mapId = Has(map_) ? form_.Value(map_) : (tree ? tree->currentId : 0);
  place.x = form_.Value("x");
  place.y = form_.Value("y");
  if (Has(facing_)) place.facing = form_.Value(facing_);
  return place;
}

void TFormEvCmdLocation::Take(const TLocation& location) {
  const TLocation shown = Place();
  if (Has(map_) && location.mapId != shown.mapId) form_.Set(map_, location.mapId);
  if (location.x != shown.x) form_.Set("x", location.x);
  if (location.y != shown.y) form_.Set("y", location.y);
  if (Has(facing_) && location.facing != shown.facing) form_.Set(facing_, location.facing);
  binder_->Load();
  UpdateButton();
}

void TFormEvCmdLocation::UpdateButton() {
  // The picker sets the fixed cell: it is offered while the cell is given directly.
  const TFieldRow* x = form_.FindRow("x");
  select_->setEnabled(x && form_.Enabled(*x) && context_.converter.MapTree);
}

}  // namespace tess
