#include "editor/maps/FormEDArea.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "maps/AreaRect.h"
#include "maps/MapProperties.h"
#include "editor/maps/EncounterListBox.h"
#include "editor/maps/FormMapSetArea.h"
#include "platform/TextCodec.h"
#include "project/ProjectDocument.h"

namespace tess {

TFormEDArea::TFormEDArea(TProjectDocument& document, int32_t id, const std::string& name, const TCellRect& rect,
                         TLcfEncount& encounters, QWidget* parent)
    : QDialog(parent),
      name_(new QLineEdit(this)),
      rectButton_(new QPushButton(this)),
      encounters_(new TEncounterListBox(encounters, document.DataBase().troops, this)) {
  setObjectName("FormEDArea");
  setWindowTitle(QString::fromStdString(AreaPropertiesTitle(id)));
  name_->setMaxLength(static_cast<int>(kMaxMapNameLength));
  name_->setText(TextCodec::Current().ToUnicode(name));
  rectButton_->setObjectName("AreaRect");
  rectButton_->setToolTip("Define Area Boundaries");
  // The rectangle is drawn on the area's map, the one the document has open.
  rectButton_->setEnabled(document.IsOpen() && document.Map().width > 0 && document.Map().height > 0);
  connect(rectButton_, &QPushButton::clicked, this, [this, &document] { DefineBoundaries(document); });
  SetRect(rect);
  auto* form = new QFormLayout;
  form->addRow("Name", name_);
  form->addRow("Area", rectButton_);
  form->addRow("Enemy Encounters", encounters_);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(form);
  layout->addWidget(buttons);
  resize(340, 380);
}

std::string TFormEDArea::Name() const { return TextCodec::Current().FromUnicode(name_->text()); }

void TFormEDArea::DefineBoundaries(TProjectDocument& document) {
  TFormMapSetArea window(document.MapTree(), document.Map(), document.ChipSet(), rect_, this);
  if (window.exec() == QDialog::Accepted) SetRect(window.Rect());
}

void TFormEDArea::SetRect(const TCellRect& rect) {
  rect_ = rect;
  rectButton_->setText(QString::fromStdString(AreaRectText(rect)));
}

}  // namespace tess
