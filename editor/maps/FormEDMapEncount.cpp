#include "editor/maps/FormEDMapEncount.h"

#include <QDialogButtonBox>
#include <QListWidget>
#include <QVBoxLayout>

#include "core/EntryCaption.h"
#include "database/LD_MonGroup.h"
#include "platform/TextCodec.h"
#include "ui/DialogButtons.h"

namespace tess {

namespace {
// The troop a new encounter opens on: the last one chosen in this run.
int32_t lastTroop = 1;
}  // namespace

TFormEDMapEncount::TFormEDMapEncount(const TLcfMonGroup& troops, int32_t troopId, QWidget* parent)
    : QDialog(parent), troops_(troops), list_(new QListWidget(this)) {
  setObjectName("FormEDMapEncount");
  setWindowTitle("Define Encounter");
  for (int i = 0; i < troops.Count(); ++i) {
    const auto* troop = troops.ItemAt(i);
    list_->addItem(TextCodec::Current().ToUnicode(EntryCaption(troop->Id(), troop->name)));
  }
  const int32_t wanted = troopId > 0 ? troopId : lastTroop;
  // A troop beyond the list shows the first.
  int row = 0;
  for (int i = 0; i < troops.Count(); ++i)
    if (troops.ItemAt(i)->Id() == wanted) row = i;
  if (troops.Count() > 0) list_->setCurrentRow(row);
  auto* buttons = MakeDialogButtons(this);
  connect(list_, &QListWidget::itemDoubleClicked, this, &QDialog::accept);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(list_);
  layout->addWidget(buttons);
  resize(280, 360);
}

int32_t TFormEDMapEncount::TroopId() const {
  const int row = list_->currentRow();
  return row >= 0 && row < troops_.Count() ? troops_.ItemAt(row)->Id() : 1;
}

void TFormEDMapEncount::accept() {
  lastTroop = TroopId();
  QDialog::accept();
}

}  // namespace tess
