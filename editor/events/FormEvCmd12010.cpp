#include "editor/events/FormEvCmd12010.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTabBar>
#include <QTabWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <span>
#include <string_view>

#include "editor/events/FormEvCmd13260.h"
#include "platform/TextCodec.h"
#include "ui/DialogButtons.h"

namespace tess {

namespace {

// The kinds of each page with the rows shown beside them.
// The hero kind of the map branch sets its operands in "Conditional Branch: Hero Options".
struct TKindRow {
  int32_t kind;
  const char* rows[3];
  bool heroOptions = false;
};
const TKindRow kFirstPage[] = {
    {0, {"switch", "switchState"}},    {1, {"variable", "comparison", "compareWith"}},
    {2, {"timer", "timerComparison"}}, {3, {"money", "moneyComparison"}},
    {4, {"item", "itemState"}},        {5, {}, true},
};
const TKindRow kSecondPage[] = {
    {6, {"event", "direction"}}, {7, {"vehicle"}}, {8, {}}, {9, {}}, {10, {"timer", "timerComparison"}},
};
// The battle branch: switch and variable as on a map, then the heroes and members in battle.
const TKindRow kBattlePage[] = {
    {0, {"switch", "switchState"}},
    {1, {"variable", "comparison", "compareWith"}},
    {2, {"hero"}},
    {3, {"enemy"}},
    {4, {"enemy"}},
    {5, {"hero", "command"}},
};
// Gives the operands at indices first to last the values a kind or test starts with: the first
// entry of a list ("This Event" among events), the lowest value of a range that excludes 0, else 0
// (and no name).
void StartOperands(TCommandForm& form, int first, int last) {
  for (int index = first; index <= last; ++index) {
    int32_t start = 0;
    for (const TFieldRow& row : form.Rows()) {
      if (row.index != index || !form.Enabled(row)) continue;
      const bool list = IsEntryKind(row.kind) || row.kind == TFieldKind::Switch || row.kind == TFieldKind::Variable;
      if (list || row.min > 0) start = std::max<int32_t>(row.min, 1);
      if (row.kind == TFieldKind::MapEvent) start = 10005;  // "This Event"
    }
    if (form.Param(index) != start) form.SetParam(index, start);
  }
  if (first <= 1 && !form.Text().empty()) form.SetText({});
}

// The rows of the hero condition, set in their own window.
constexpr const char* kHeroRows[] = {"hero", "heroTest", "heroName", "level", "hp", "skill", "equipped", "condition"};

}  // namespace

void (*TFormEvCmd12010::heroOptionsHook)(QDialog& options) = nullptr;

TFormEvCmd12010::TFormEvCmd12010(int32_t code, const TLcfEventScriptList& lines, TCommandDialogContext& context)
    : TFormEvCmdBase(code, lines, context) {
  auto* layout = new QVBoxLayout(this);
  pages_ = new QTabWidget(this);
  pages_->setObjectName("ConditionPages");
  kinds_ = new QButtonGroup(this);
  const TFieldRow& kindRow = *form_.FindRow("kind");
  // The kind row is bound to a hidden list, so that the binder's enabling reads it.
  auto* kindList = new QComboBox(this);
  kindList->hide();
  binder_->Attach(kindRow, kindList, AccessOf(kindRow));
  auto caption = [&kindRow](int32_t kind) {
    for (const TFieldChoice& c : kindRow.choices)
      if (c.value == kind) return QString::fromUtf8(c.caption);
    return QString();
  };
  if (code == 13310 && context.converter.Troop) MakeMemberRow();
  auto page = [&](std::span<const TKindRow> kinds, const char* title) {
    auto* sheet = new QWidget(pages_);
    auto* grid = new QGridLayout(sheet);
    int line = 0;
    for (const TKindRow& k : kinds) {
      auto* radio = new QRadioButton(caption(k.kind), sheet);
      radio->setObjectName(QString("kind%1").arg(k.kind));
      kinds_->addButton(radio, k.kind);
      grid->addWidget(radio, line, 0);
      int column = 1;
      for (const char* key : k.rows) {
        if (!key) break;
        const TFieldRow& row = *form_.FindRow(key);
        QWidget* control = nullptr;
        if (std::string_view(key) == memberRow_.key) {
          // A list even when the troop has few members (the binder would make few choices radios).
          control = new QComboBox(sheet);
          binder_->Attach(memberRow_, control, KindAccess(memberRow_, k.kind));
        } else {
          control = binder_->Build(row, KindAccess(row, k.kind), sheet);
        }
        grid->addWidget(control, line, column++);
      }
      if (k.heroOptions) {
        hero_ = new QLabel(sheet);
        hero_->setObjectName("HeroSummary");
        heroOptions_ = new QPushButton("Hero Options...", sheet);
        heroOptions_->setObjectName("ButtonHeroOptions");
        grid->addWidget(hero_, line, 1, 1, 2);
        grid->addWidget(heroOptions_, line, 3);
        connect(heroOptions_, &QPushButton::clicked, this, &TFormEvCmd12010::RunHeroOptions);
      }
      ++line;
    }
    grid->setRowStretch(line, 1);
    pages_->addTab(sheet, title);
  };
  if (code == 13310) {
    page(kBattlePage, "1");
    pages_->tabBar()->hide();
  } else {
    page(kFirstPage, "1");
    page(kSecondPage, "2");
  }
  layout->addWidget(pages_);
  const TFieldRow& elseRow = *form_.FindRow("else");
  layout->addWidget(binder_->Build(elseRow, AccessOf(elseRow), this));
  AddButtons(layout);
  connect(kinds_, &QButtonGroup::idClicked, this, &TFormEvCmd12010::ChangeKind);
  connect(binder_, &TFieldBinder::changed, this, [this] { ShowKind(); });
  binder_->Load();
  ShowKind();
  // The page of the stored kind is shown first.
  if (code == 12010 && form_.Value("kind") >= 6 && form_.Value("kind") <= 10) pages_->setCurrentIndex(1);
}

void TFormEvCmd12010::MakeMemberRow() {
  memberRow_ = *form_.FindRow("enemy");
  memberRow_.kind = TFieldKind::Choice;
  std::vector<int32_t> values;
  for (const QString& text : TroopMemberTexts(context_.converter)) {
    values.push_back(static_cast<int32_t>(values.size()));
    memberCaptions_.push_back(text.toStdString());
  }
  // A stored member the troop does not have is listed as the script shows it, and kept.
  const int32_t kind = form_.Value("kind");
  const int32_t stored = form_.Param(memberRow_.index);
  if ((kind == 3 || kind == 4) && (stored < 0 || stored >= static_cast<int32_t>(values.size()))) {
    values.push_back(stored);
    memberCaptions_.push_back(std::to_string(stored + 1) + ":?");
  }
  for (size_t i = 0; i < values.size(); ++i) memberChoices_.push_back({values[i], memberCaptions_[i].c_str()});
  memberRow_.choices = memberChoices_;
}

QString TFormEvCmd12010::HeroSummary() const { return hero_ ? hero_->text() : QString(); }

int32_t TFormEvCmd12010::OperandOf(int32_t kind, int index) const {
  if (kind == form_.Value("kind")) return form_.Param(index);
  if (auto it = operands_.find(kind); it != operands_.end()) return it->second.params[static_cast<size_t>(index - 1)];
  // A kind not yet chosen shows what choosing it would start with.
  TCommandForm probe = form_;
  probe.Set("kind", kind);
  StartOperands(probe, 1, 4);
  return probe.Param(index);
}

TFieldAccess TFormEvCmd12010::KindAccess(const TFieldRow& row, int32_t kind) {
  // The kinds share their operands' places; each kind's controls show that kind's own operands, so
  // a kind not chosen never shows a value that belongs to another.
  // Two kinds share the timer rows, so a control of the kind not chosen can be enabled: changing it
  // chooses its kind first.
  TFieldAccess access = AccessOf(row);
  access.value = [this, &row, kind] { return OperandOf(kind, row.index); };
  access.setValue = [this, &row, kind](int32_t v) {
    if (form_.Value("kind") != kind) ChangeKind(kind);
    form_.Set(row, v);
  };
  if (row.valueIndex >= 0) {
    const int index = row.valueIndex;
    access.second = [this, kind, index] { return OperandOf(kind, index); };
    access.setSecond = [this, kind, index](int32_t v) {
      if (form_.Value("kind") != kind) ChangeKind(kind);
      form_.SetParam(index, v);
    };
  }
  return access;
}

void TFormEvCmd12010::ChangeKind(int32_t kind) {
  const int32_t old = form_.Value("kind");
  if (kind == old) return;
  // The kinds share their operands' places: each kind keeps what the author gave it while the
  // window is open, and starts on its first entries.
  TOperands& left = operands_[old];
  for (int i = 1; i <= 4; ++i) left.params[static_cast<size_t>(i - 1)] = form_.Param(i);
  left.text = form_.Text();
  form_.Set("kind", kind);
  if (auto it = operands_.find(kind); it != operands_.end()) {
    for (int i = 1; i <= 4; ++i)
      if (form_.Param(i) != it->second.params[static_cast<size_t>(i - 1)])
        form_.SetParam(i, it->second.params[static_cast<size_t>(i - 1)]);
    if (form_.Text() != it->second.text) form_.SetText(it->second.text);
  } else {
    StartOperands(form_, 1, 4);
  }
  binder_->Load();
  ShowKind();
}

void TFormEvCmd12010::ShowKind() {
  const int32_t kind = form_.Value("kind");
  kinds_->setExclusive(false);
  for (QAbstractButton* button : kinds_->buttons()) button->setChecked(kinds_->id(button) == kind);
  kinds_->setExclusive(true);
  if (!hero_) return;
  heroOptions_->setEnabled(kind == 5);
  hero_->setEnabled(kind == 5);
  // The hero condition as the script shows it, without the line's marks.
  QString text = TextCodec::Current().ToUnicode(context_.converter.LineText(form_.ToLine()));
  text.remove(QRegularExpression("^<>Branch if "));
  hero_->setText(kind == 5 ? text : QString());
}

bool TFormEvCmd12010::RunHeroOptions() {
  // The window edits a copy; OK hands its values back.
  TCommandForm copy = form_;
  QDialog options(this);
  options.setWindowTitle("Conditional Branch: Hero Options");
  options.setObjectName("FormHeroOptions");
  TFieldContext lists = binder_->Context();
  TFieldBinder sub(form_.Rows(), lists, &options);
  auto* layout = new QVBoxLayout(&options);
  auto* form = new QFormLayout;
  // The kind (a hero condition) is read by the rows' enabling, from a hidden list.
  auto* kindList = new QComboBox(&options);
  kindList->hide();
  TFieldAccess kindAccess;
  kindAccess.value = [&copy] { return copy.Value("kind"); };
  kindAccess.setValue = [](int32_t) {};
  sub.Attach(*copy.FindRow("kind"), kindList, kindAccess);
  for (const char* key : kHeroRows) {
    const TFieldRow& row = *copy.FindRow(key);
    TFieldAccess access;
    access.value = [&copy, &row] { return copy.Value(row); };
    access.setValue = [&copy, &row](int32_t v) { copy.Set(row, v); };
    access.text = [&copy] { return copy.Text(); };
    access.setText = [&copy](const std::string& t) { copy.SetText(t); };
    QWidget* control = sub.Build(row, access, &options);
    if (TFieldBinder::Labelled(row))
      form->addRow(QString::fromUtf8(row.caption), control);
    else
      form->addRow(control);
  }
  layout->addLayout(form);
  layout->addWidget(MakeDialogButtons(&options));
  // Another test starts its operand afresh: a level of 50 is no skill.
  connect(&sub, &TFieldBinder::changed, &options, [&copy, &sub](const char* key) {
    if (std::string_view(key) != "heroTest") return;
    StartOperands(copy, 3, 3);
    sub.Load();
  });
  sub.Load();
  if (heroOptionsHook)
    heroOptionsHook(options);
  else
    options.exec();
  if (options.result() != QDialog::Accepted || !copy.Changed()) return false;
  for (int index = 1; index <= 3; ++index)
    if (copy.Param(index) != form_.Param(index)) form_.SetParam(index, copy.Param(index));
  if (copy.Text() != form_.Text()) form_.SetText(copy.Text());
  binder_->Load();
  ShowKind();
  return true;
}

}  // namespace tess
