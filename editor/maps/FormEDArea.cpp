#include "editor/maps/FormEDArea.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QPushButton>
#include <QVBoxLayout>

#include "editor/maps/EncounterListBox.h"
#include "editor/maps/FormMapSetArea.h"
#include "maps/AreaRect.h"
#include "maps/MapProperties.h"
#include "project/ProjectDocument.h"
#include "ui/DialogButtons.h"
#include "ui/FieldBinder.h"

namespace tess {

namespace {

constexpr TFieldRow kNameRow = {
    .key = "Name", .kind = TFieldKind::Text, .caption = "Name", .max = static_cast<int32_t>(kMaxMapNameLength)};

}  // namespace

TFormEDArea::TFormEDArea(TProjectDocument& document, int32_t id, const std::string& name, const TCellRect& rect,
                         TLcfEncount& encounters, QWidget* parent)
    : QDialog(parent),
      name_(name),
      rectButton_(new QPushButton(this)),
      encounters_(new TEncounterListBox(encounters, document.DataBase().troops, this)) {
  setObjectName("FormEDArea");
  setWindowTitle(QString::fromStdString(AreaPropertiesTitle(id)));
  // The name is written back only when the author edits it, so a name other tools stored is kept
  // byte for byte.
  auto* binder = new TFieldBinder(std::span(&kNameRow, 1), {}, this);
  rectButton_->setObjectName("AreaRect");
  rectButton_->setToolTip("Define Area Boundaries");
  // The rectangle is drawn on the area's map, the one the document has open.
  rectButton_->setEnabled(document.IsOpen() && document.Map().width > 0 && document.Map().height > 0);
  connect(rectButton_, &QPushButton::clicked, this, [this, &document] { DefineBoundaries(document); });
  SetRect(rect);
  auto* form = new QFormLayout;
  form->addRow("Name", binder->Build(kNameRow, ValueAccess(name_), this));
  binder->Load();
  form->addRow("Area", rectButton_);
  form->addRow("Enemy Encounters", encounters_);
  auto* buttons = MakeDialogButtons(this);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(form);
  layout->addWidget(buttons);
  resize(340, 380);
}

void TFormEDArea::DefineBoundaries(TProjectDocument& document) {
  TFormMapSetArea window(document.MapTree(), document.Map(), document.ChipSet(), rect_, this);
  if (window.exec() == QDialog::Accepted) SetRect(window.Rect());
}

void TFormEDArea::SetRect(const TCellRect& rect) {
  rect_ = rect;
  rectButton_->setText(QString::fromStdString(AreaRectText(rect)));
}

}  // namespace tess
