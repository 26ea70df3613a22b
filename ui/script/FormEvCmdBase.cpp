#include "ui/script/FormEvCmdBase.h"

#include <QFormLayout>
#include <QVBoxLayout>

#include "events/LD_Event.h"
#include "script/EventCommandLines.h"
#include "script/EventCommands.h"
#include "ui/DialogButtons.h"

namespace tess {

namespace {

TLcfEventScriptLine FirstLine(int32_t code, const TLcfEventScriptList& lines) {
  const TLcfEventScriptLine* first = lines.LineAt(0);
  return first ? *first : TLcfEventScriptLine(code, 0);
}

// The windows whose title is not the chooser's name.
struct TCaptionOverride {
  int32_t code;
  const char* caption;
};
constexpr TCaptionOverride kCaptions[] = {
    {10420, "Change Level"},
    {10430, "Change Base Statistics"},
    {10460, "Change HP"},
    {10470, "Change MP"},
    {10610, "Rename Hero"},
    {10650, "Change Vehicle Graphics"},
    {10690, "Change Screen Transitions"},
    {10850, "Set Vehicle Location"},
    {10870, "Trade Event Locations"},
    {11520, "Fade Out BGM"},
    {11820, "Allow/Disallow Teleporting"},
    {11840, "Allow/Disallow Escaping"},
};

TFieldContext ContextOf(const TEventScriptConverter& c) {
  TFieldContext context;
  context.database = &c.Database();
  context.mapTree = c.MapTree;
  context.map = c.Map;
  context.eventId = static_cast<int32_t>(c.EventId);
  if (const TLcfEventItem* event = c.Event) context.eventName = [event] { return event->name; };
  return context;
}

}  // namespace

QString TFormEvCmdBase::Caption(int32_t code) {
  for (const TCaptionOverride& c : kCaptions)
    if (c.code == code) return c.caption;
  const TEventCommandInfo* info = FindEventCommand(code);
  return QString::fromUtf8(info ? info->caption : "");
}

TFormEvCmdBase::TFormEvCmdBase(int32_t code, const TLcfEventScriptList& lines, TCommandDialogContext& context)
    : QDialog(context.owner),
      context_(context),
      given_(lines),
      form_(lines.Count() > 0 ? TCommandForm(FirstLine(code, lines)) : TCommandForm(code)) {
  setObjectName(QString("FormEvCmd%1").arg(code, 5, 10, QChar('0')));
  setWindowTitle(Caption(code));
  binder_ = new TFieldBinder(form_.Rows(), ContextOf(context.converter), this);
}

TFormEvCmdBase::~TFormEvCmdBase() = default;

TFieldAccess TFormEvCmdBase::AccessOf(const TFieldRow& row) {
  TFieldAccess access;
  access.value = [this, &row] { return form_.Value(row); };
  access.setValue = [this, &row](int32_t v) { form_.Set(row, v); };
  access.text = [this] { return form_.Text(); };
  access.setText = [this](const std::string& text) { form_.SetText(text); };
  if (row.valueIndex >= 0) {
    const int index = row.valueIndex;
    access.second = [this, index] { return form_.Param(index); };
    access.setSecond = [this, index](int32_t v) { form_.SetParam(index, v); };
  }
  return access;
}

void TFormEvCmdBase::BuildGenericLayout() {
  auto* layout = new QVBoxLayout(this);
  auto* form = new QFormLayout;
  binder_->AddRows(
      form, [this](const TFieldRow& row) { return AccessOf(row); }, this);
  layout->addLayout(form);
  AddButtons(layout);
  binder_->Load();
}

void TFormEvCmdBase::AddButtons(QVBoxLayout* layout) {
  TDialogButtons buttons;
  buttons.ok = [this] {
    Accept();
    accept();
  };
  buttons.helpSection = QString("command-%1").arg(form_.Code());
  layout->addWidget(MakeDialogButtons(this, buttons));
}

void TFormEvCmdBase::Accept() {
  const TLcfEventScriptLine opener = OpeningLine();
  // The command's own lines as given, from the first at any depth: branches keep their lines.
  lines_ = BuildCommand(opener, given_.Count() > 0 ? &given_ : nullptr);
}

bool TFormEvCmdBase::Execute() { return exec() == QDialog::Accepted; }

}  // namespace tess
