// A common event written as an author writes one: a message of two pages, three choices with a
// command in each branch, a branch on a switch with an else, a variable operation on a range and a
// loop with a break, each inserted through the command list and its window; then every command
// reopened and edited, the database saved and read again. With TESS_SHOTS_DIR set, the script and
// the Conditional Branch window are saved there as pictures.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTest>
#include <QTimer>

#include "EditorProject.h"
#include "core/ClipboardPort.h"
#include "core/MessagePort.h"
#include "database/DataBaseObj.h"
#include "editor/database/FormDataBase.h"
#include "editor/database/FormEDCommonEvent.h"
#include "editor/events/EventCommandWindows.h"
#include "editor/events/FormEvCmd10110.h"
#include "maps/LD_Map.h"
#include "maps/LD_MapTree.h"
#include "script/CommandSchema.h"
#include "ui/script/ScriptEditor.h"
#include "ui/script/ScriptListBox.h"

using namespace tess;

namespace {

constexpr int kCommonEventTab = 16;

void OnNextModal(std::function<void(QWidget*)> f) {
  QTimer::singleShot(0, [f] {
    QWidget* modal = QApplication::activeModalWidget();
    ASSERT_NE(modal, nullptr);
    f(modal);
  });
}

void ClickOk(QWidget* dialog) {
  QDialogButtonBox* buttons = nullptr;
  for (auto* box : dialog->findChildren<QDialogButtonBox*>())
    if (box->parentWidget() == dialog) buttons = box;
  ASSERT_NE(buttons, nullptr);
  QTest::mouseClick(buttons->button(QDialogButtonBox::Ok), Qt::LeftButton);
}

void SaveShot(QWidget* widget, const char* name) {
  if (const char* dir = std::getenv("TESS_SHOTS_DIR")) widget->grab().save(QString("%1/%2").arg(dir, name));
}

void Type(QWidget* box, const QString& text) {
  box->setFocus();
  QTest::keyClicks(box, text);
}

struct Walkthrough : ::testing::Test {
  test::TEditorProject project;
  TScriptedMessages messages;
  TMemoryClipboard clipboard;
  TLcfDataBase database;
  TLcfMapTree tree;
  TLcfMap map;
  std::unique_ptr<TFormDataBase> window;
  TScriptEditor* script = nullptr;

  void SetUp() override {
    SetMessagePort(&messages);
    SetClipboardPort(&clipboard);
    RegisterEventCommandWindows();
    TCommandForm::ForgetAll();
    project.Make();
    ASSERT_TRUE(database.LoadDatabase(project.Folder()));
    TLcfEventScriptList& lines = database.commonEvents.ItemAt(0)->lines;
    lines.ClearLines();
    lines.AppendLine(TLcfEventScriptLine(0, 0));
    database.switches.SetCount(20);
    database.variables.SetCount(20);
    window = std::make_unique<TFormDataBase>(database, tree, map, project.Folder(), project.Folder(), nullptr);
    window->SelectTab(kCommonEventTab);
    window->resize(1000, 700);
    window->show();
    script = dynamic_cast<TFormEDCommonEvent*>(window->Page())->Script();
  }
  void TearDown() override {
    window.reset();
    SetClipboardPort(nullptr);
    SetMessagePort(nullptr);
  }
  int Row(const std::string& text, int from = 0) const {
    for (int i = from; i < script->Model().RowCount(); ++i)
      if (script->Model().RowText(i).find(text) != std::string::npos) return i;
    ADD_FAILURE() << "no row with " << text;
    return -1;
  }
  // The empty line that ends the branch after row (the place a command goes into it).
  int BranchEnd(int row) const {
    for (int i = row + 1; i < script->Model().RowCount(); ++i)
      if (script->Model().RowText(i).find_first_not_of(" ") != std::string::npos &&
          script->Model().RowText(i).substr(script->Model().RowText(i).find_first_not_of(" ")) == "<>")
        return i;
    return -1;
  }
  // Inserts a command of code before row through the command list; fill acts on its window.
  void Insert(int row, int32_t code, std::function<void(QWidget*)> fill) {
    script->Model().SetItemIndex(row);
    OnNextModal([code, fill](QWidget* chooser) {
      auto* button = chooser->findChild<QPushButton*>(QString("Command%1").arg(code));
      ASSERT_NE(button, nullptr) << code;
      if (auto* pages = chooser->findChild<QTabWidget*>())
        for (int i = 0; i < pages->count(); ++i)
          if (pages->widget(i)->isAncestorOf(button)) pages->setCurrentIndex(i);
      if (fill) OnNextModal(fill);
      QTest::mouseClick(button, Qt::LeftButton);
    });
    script->InsertCommand();
  }
  void Edit(int row, std::function<void(QWidget*)> fill) {
    script->Model().SetItemIndex(row);
    if (fill) OnNextModal(fill);
    script->EditCommand();
  }
  int End() const { return script->Model().RowCount() - 1; }
};

TEST_F(Walkthrough, ACommonEventWrittenAndEditedThroughItsWindows) {
  // A message of two pages.
  Insert(End(), 10110, [](QWidget* w) {
    auto* box = w->findChild<TMessageTextBox*>();
    Type(box, "Welcome to the village.");
    QTest::keyClick(box, Qt::Key_Return);
    Type(box, "The inn is to the north,");
    QTest::keyClick(box, Qt::Key_Return);
    Type(box, "the shop to the east.");
    QTest::keyClick(box, Qt::Key_Return, Qt::ControlModifier);
  });
  Insert(End(), 10110, [](QWidget* w) {
    Type(w->findChild<TMessageTextBox*>(), "Will you stay the night?");
    ClickOk(w);
  });
  // Three choices, a command in each branch.
  Insert(End(), 10140, [](QWidget* w) {
    Type(w->findChild<QLineEdit*>("Choice3"), "Maybe");
    ClickOk(w);
  });
  int choice = Row("[Yes] Handler");
  Insert(BranchEnd(choice), 10310, [](QWidget* w) { ClickOk(w); });
  Insert(BranchEnd(Row("[No] Handler")), 12410, [](QWidget* w) {
    Type(w->findChild<TMessageTextBox*>(), "They leave.");
    ClickOk(w);
  });
  Insert(BranchEnd(Row("[Maybe] Handler")), 11410, [](QWidget* w) { ClickOk(w); });
  // A branch on switch 3 with an else.
  Insert(End(), 12010, [](QWidget* w) {
    auto* list = w->findChild<QComboBox*>("switch");
    list->setCurrentIndex(list->findText("0003", Qt::MatchStartsWith));
    emit list->activated(list->currentIndex());
    QTest::mouseClick(w->findChild<QCheckBox*>("else"), Qt::LeftButton, {}, QPoint(4, 8));
    SaveShot(w, "cmd1-conditional-branch.png");
    ClickOk(w);
  });
  Insert(BranchEnd(Row("<>Branch if")), 12410, [](QWidget* w) {
    Type(w->findChild<TMessageTextBox*>(), "then");
    ClickOk(w);
  });
  Insert(BranchEnd(Row(": Else Handler")), 12410, [](QWidget* w) {
    Type(w->findChild<TMessageTextBox*>(), "else");
    ClickOk(w);
  });
  // Variables 2 to 5 set to 7.
  Insert(End(), 10220, [](QWidget* w) {
    QTest::mouseClick(w->findChild<QAbstractButton*>("target1"), Qt::LeftButton, {}, QPoint(4, 8));
    for (auto [key, id] : {std::pair{"first", "0002"}, std::pair{"last", "0005"}}) {
      auto* list = w->findChild<QComboBox*>(key);
      list->setCurrentIndex(list->findText(id, Qt::MatchStartsWith));
      emit list->activated(list->currentIndex());
    }
    w->findChild<QSpinBox*>("constant")->setValue(7);
    ClickOk(w);
  });
  // A loop with a break in it.
  Insert(End(), 12210, nullptr);
  Insert(BranchEnd(Row("<>Loop")), 12220, nullptr);

  const std::vector<std::string> written = [this] {
    std::vector<std::string> rows;
    for (int i = 0; i < script->Model().RowCount(); ++i) rows.push_back(script->Model().RowText(i));
    return rows;
  }();
  EXPECT_EQ(Row("Welcome"), 0);
  EXPECT_NE(Row(":             The inn is to the north,"), -1);
  EXPECT_NE(Row("Show Choices: Yes/No/Maybe"), -1);
  EXPECT_NE(Row("[0002- 0005]"), -1);
  EXPECT_NE(Row("<>Break Loop"), -1);

  // Every command reopened: untouched ones come back as they were, edits land.
  const int lines = database.commonEvents.ItemAt(0)->lines.Count();
  Edit(Row("Show Choices"), [](QWidget* w) { ClickOk(w); });
  Edit(Row("<>Branch if"), [](QWidget* w) { ClickOk(w); });
  Edit(Row("Will you stay"), [](QWidget* w) {
    auto* box = w->findChild<TMessageTextBox*>();
    box->moveCursor(QTextCursor::End);
    Type(box, " Ten gold.");
    ClickOk(w);
  });
  Edit(Row("[0002- 0005]"), [](QWidget* w) {
    w->findChild<QSpinBox*>("constant")->setValue(8);
    ClickOk(w);
  });
  Edit(Row("<>Loop"), nullptr);  // no window: the loop is rebuilt around its commands
  EXPECT_EQ(database.commonEvents.ItemAt(0)->lines.Count(), lines);
  EXPECT_NE(Row("Will you stay the night? Ten gold."), -1);
  EXPECT_NE(Row("<>Break Loop"), -1);
  EXPECT_NE(Row("else"), -1);
  SaveShot(window.get(), "cmd1-common-event-script.png");

  // Saved and read again, the script is the same.
  const int variableRow = Row("[0002- 0005]");
  const std::string variableText = script->Model().RowText(variableRow);
  window->Ok();
  TLcfDataBase again;
  ASSERT_TRUE(again.LoadDatabase(project.Folder()));
  TEventScriptConverter converter(again);
  const TLcfEventScriptList& saved = again.commonEvents.ItemAt(0)->lines;
  ASSERT_EQ(saved.Count(), lines);
  EXPECT_EQ(converter.LineText(*saved.LineAt(variableRow)), variableText);
  EXPECT_EQ(saved.LineAt(variableRow)->Param(5), 8);
  (void)written;
}

}  // namespace
