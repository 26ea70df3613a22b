#include "editor/events/FormEvCmd11560.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "platform/TextCodec.h"
#include "ui/pickers/FormSelMovie.h"

namespace tess {

TFormEvCmd11560::TFormEvCmd11560(const TLcfEventScriptList& lines, TCommandDialogContext& context)
    : TFormEvCmdBase(11560, lines, context) {
  auto* layout = new QVBoxLayout(this);
  auto* movieBox = new QGroupBox("Movie", this);
  auto* movieRow = new QHBoxLayout(movieBox);
  movie_ = new QLabel(movieBox);
  movie_->setObjectName("MovieName");
  movie_->setMinimumWidth(200);
  auto* set = new QPushButton("Set", movieBox);
  set->setObjectName("ButtonSet");
  movieRow->addWidget(movie_, 1);
  movieRow->addWidget(set);
  layout->addWidget(movieBox);
  auto* form = new QFormLayout;
  for (const TFieldRow& row : form_.Rows()) {
    if (row.index == kStringIndex) continue;
    QWidget* control = binder_->Build(row, AccessOf(row), this);
    if (TFieldBinder::Labelled(row))
      form->addRow(QString::fromUtf8(row.caption), control);
    else
      form->addRow(control);
  }
  layout->addLayout(form);
  AddButtons(layout);
  connect(set, &QPushButton::clicked, this, [this] {
    TFormSelMovie picker(this);
    picker.materialName = form_.Text();
    if (picker.exec() == QDialog::Accepted) SetMovie(picker.materialName);
  });
  binder_->Load();
  ShowMovie();
}

QString TFormEvCmd11560::MovieText() const { return movie_->text(); }

void TFormEvCmd11560::SetMovie(const std::string& name) {
  if (name != form_.Text()) form_.SetText(name);
  ShowMovie();
}

void TFormEvCmd11560::ShowMovie() {
  const std::string& name = form_.Text();
  movie_->setText(name.empty() ? QString("(None)") : TextCodec::Current().ToUnicode(name));
}

}  // namespace tess
