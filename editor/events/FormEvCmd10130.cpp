#include "editor/events/FormEvCmd10130.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "platform/TextCodec.h"
#include "ui/pickers/FormSelFace.h"

namespace tess {

TFormEvCmd10130::TFormEvCmd10130(const TLcfEventScriptList& lines, TCommandDialogContext& context)
    : TFormEvCmdBase(10130, lines, context) {
  auto* layout = new QVBoxLayout(this);
  auto* faceBox = new QGroupBox("Face Graphic", this);
  auto* faceRow = new QHBoxLayout(faceBox);
  face_ = new QLabel(faceBox);
  face_->setObjectName("FaceName");
  face_->setMinimumWidth(200);
  auto* set = new QPushButton("Set", faceBox);
  set->setObjectName("ButtonSet");
  auto* erase = new QPushButton("Erase", faceBox);
  erase->setObjectName("ButtonErase");
  faceRow->addWidget(face_, 1);
  faceRow->addWidget(set);
  faceRow->addWidget(erase);
  layout->addWidget(faceBox);
  auto access = [this](const char* key) { return AccessOf(*form_.FindRow(key)); };
  layout->addWidget(binder_->Build(*form_.FindRow("side"), access("side"), this));
  layout->addWidget(binder_->Build(*form_.FindRow("flip"), access("flip"), this));
  AddButtons(layout);
  connect(set, &QPushButton::clicked, this, [this] {
    TFormSelFace picker(this);
    picker.materialName = form_.Text();
    picker.cellIndex = form_.Value("index");
    if (picker.exec() == QDialog::Accepted) SetFace(picker.materialName, picker.cellIndex);
  });
  connect(erase, &QPushButton::clicked, this, &TFormEvCmd10130::EraseFace);
  binder_->Load();
  ShowFace();
}

QString TFormEvCmd10130::FaceText() const { return face_->text(); }

void TFormEvCmd10130::ShowFace() {
  const std::string& sheet = form_.Text();
  face_->setText(sheet.empty()
                     ? QString("(None)")
                     : QString("%1 : %2").arg(TextCodec::Current().ToUnicode(sheet)).arg(form_.Value("index")));
}

void TFormEvCmd10130::SetFace(const std::string& sheet, int32_t index) {
  form_.SetText(sheet);
  form_.Set("index", index);
  ShowFace();
}

void TFormEvCmd10130::EraseFace() {
  form_.SetText({});
  ShowFace();
}

}  // namespace tess
