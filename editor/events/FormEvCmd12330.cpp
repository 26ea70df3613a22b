#include "editor/events/FormEvCmd12330.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>
#include <QVBoxLayout>

namespace tess {

namespace {

// Each source with the rows beside it.
struct TSourceRows {
  int32_t source;
  const char* rows[2];
};
constexpr TSourceRows kSources[] = {
    {0, {"commonEvent", nullptr}},
    {1, {"event", "page"}},
    {2, {"eventVariable", "pageVariable"}},
};

}  // namespace

TFormEvCmd12330::TFormEvCmd12330(const TLcfEventScriptList& lines, TCommandDialogContext& context)
    : TFormEvCmdBase(12330, lines, context) {
  auto* layout = new QVBoxLayout(this);
  const TFieldRow& sourceRow = *form_.FindRow("source");
  auto* group = new QGroupBox(QString::fromUtf8(sourceRow.caption), this);
  auto* grid = new QGridLayout(group);
  // The source is bound to a hidden list, so that the binder's enabling reads it; the radio buttons
  // show it and set it.
  auto* sourceList = new QComboBox(this);
  sourceList->hide();
  binder_->Attach(sourceRow, sourceList, AccessOf(sourceRow));
  auto* sources = new QButtonGroup(this);
  int line = 0;
  for (const TSourceRows& s : kSources) {
    auto* radio = new QRadioButton(QString::fromUtf8(sourceRow.choices[static_cast<size_t>(s.source)].caption), group);
    radio->setObjectName(QString("source%1").arg(s.source));
    sources->addButton(radio, s.source);
    grid->addWidget(radio, line++, 0, 1, 4);
    int column = 1;
    for (const char* key : s.rows) {
      if (!key) break;
      const TFieldRow& row = *form_.FindRow(key);
      grid->addWidget(new QLabel(QString::fromUtf8(row.caption), group), line, column++);
      grid->addWidget(binder_->Build(row, AccessOf(row), group), line, column++);
    }
    ++line;
  }
  layout->addWidget(group);
  AddButtons(layout);
  auto show = [this, sources] {
    const int32_t source = form_.Value("source");
    sources->setExclusive(false);
    for (QAbstractButton* b : sources->buttons()) b->setChecked(sources->id(b) == source);
    sources->setExclusive(true);
  };
  connect(sources, &QButtonGroup::idClicked, this, [this, show](int source) {
    form_.Set("source", source);
    // A map event starts on its first page.
    if (source == 1 && form_.Param(2) < 1) form_.SetParam(2, 1);
    binder_->Load();
    show();
  });
  binder_->Load();
  show();
}

}  // namespace tess
