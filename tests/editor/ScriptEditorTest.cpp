// The script pane, the command choosers and the database window's common event page, driven as a
// user drives them: clicks, keys and the chooser's buttons.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <filesystem>

#include "EditorProject.h"
#include "core/ClipboardPort.h"
#include "core/MessagePort.h"
#include "database/DataBaseObj.h"
#include "editor/database/FormDataBase.h"
#include "editor/database/FormEDCommonEvent.h"
#include "maps/LD_Map.h"
#include "maps/LD_MapTree.h"
#include "ui/FieldBinder.h"
#include "ui/script/FormEvCmdList.h"
#include "ui/script/ScriptEditor.h"
#include "ui/script/ScriptListBox.h"

using namespace tess;

namespace {

constexpr int kCommonEventTab = 16;

// Runs f on the modal window that the next call opens.
void OnNextModal(std::function<void(QWidget*)> f) {
  QTimer::singleShot(0, [f] {
    QWidget* modal = QApplication::activeModalWidget();
    ASSERT_NE(modal, nullptr);
    f(modal);
  });
}

// Clicks the chooser button of a code in the chooser that opens next.
void ChooseNext(int32_t code) {
  OnNextModal([code](QWidget* modal) {
    auto* button = modal->findChild<QPushButton*>(QString("Command%1").arg(code));
    ASSERT_NE(button, nullptr) << code;
    if (auto* pages = modal->findChild<QTabWidget*>()) {
      // The user turns to the button's page first.
      for (int i = 0; i < pages->count(); ++i)
        if (pages->widget(i)->isAncestorOf(button)) pages->setCurrentIndex(i);
    }
    QTest::mouseClick(button, Qt::LeftButton);
  });
}

std::vector<std::string> Rows(const ScriptEditModel& model) {
  std::vector<std::string> rows;
  for (int i = 0; i < model.RowCount(); ++i) rows.push_back(model.RowText(i));
  return rows;
}

struct ScriptPane : ::testing::Test {
  test::TEditorProject project;
  TScriptedMessages messages;
  TMemoryClipboard clipboard;
  TLcfDataBase database;
  TLcfMapTree tree;
  TLcfMap map;

  void SetUp() override {
    SetMessagePort(&messages);
    SetClipboardPort(&clipboard);
    project.Make();
    ASSERT_TRUE(database.LoadDatabase(project.Folder()));
  }
  void TearDown() override {
    SetClipboardPort(nullptr);
    SetMessagePort(nullptr);
  }
  std::unique_ptr<TFormDataBase> OpenCommonEvents() {
    auto window = std::make_unique<TFormDataBase>(database, tree, map, project.Folder(), project.Folder(), nullptr);
    window->SelectTab(kCommonEventTab);
    window->resize(900, 640);
    window->show();
    window->activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(window.get()));
    return window;
  }
  static TFormEDCommonEvent* Page(TFormDataBase& window) { return dynamic_cast<TFormEDCommonEvent*>(window.Page()); }
  static void ClickRow(TScriptListBox* list, int row, Qt::KeyboardModifiers modifiers = {}) {
    const int h = list->RowHeight();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, modifiers,
                      QPoint(20, (row - list->Model().TopIndex()) * h + h / 2));
  }
};

}  // namespace

TEST_F(ScriptPane, CommonEventPageEditsItsEntry) {
  auto window = OpenCommonEvents();
  TFormEDCommonEvent* page = Page(*window);
  ASSERT_NE(page, nullptr);
  auto* name = qobject_cast<QLineEdit*>(page->Binder().Control("Name"));
  auto* trigger = qobject_cast<QComboBox*>(page->Binder().Control("Trigger"));
  auto* useSwitch = qobject_cast<QCheckBox*>(page->Binder().Control("UseSwitch"));
  QWidget* switchBox = page->Binder().Control("Switch");
  ASSERT_TRUE(name && trigger && useSwitch && switchBox);
  QTest::keyClicks(name, "Shop");
  EXPECT_EQ(database.commonEvents.ItemAt(0)->name, "Shop");
  EXPECT_EQ(page->List()->item(0)->text(), "0001:Shop");
  EXPECT_TRUE(window->ApplyEnabled());
  // A called event offers no switch; the others do.
  EXPECT_EQ(trigger->currentText(), "Call");
  EXPECT_FALSE(useSwitch->isEnabled());
  trigger->setFocus();
  QTest::keyClick(trigger, Qt::Key_Up);
  EXPECT_EQ(trigger->currentText(), "Parallel Process");
  EXPECT_EQ(database.commonEvents.ItemAt(0)->trigger, TLcfCommonEventItem::kParallel);
  EXPECT_TRUE(useSwitch->isEnabled());
  EXPECT_FALSE(switchBox->isEnabled());
  QTest::mouseClick(useSwitch, Qt::LeftButton, {}, QPoint(4, useSwitch->height() / 2));
  EXPECT_TRUE(switchBox->isEnabled());
  EXPECT_EQ(database.commonEvents.ItemAt(0)->useSwitch, 1);
  window->reject();
}

// The try-out, on a copy of the demo project when the build has made it: insert a few commands
// through the chooser, cut a block and paste it elsewhere, OK, and reopen: the script is as it was
// left.
TEST_F(ScriptPane, InsertCutPasteAndReopen) {
  const std::filesystem::path demo = std::filesystem::path(TESS_BINARY_DIR) / "demo" / "DemoGame";
  if (std::filesystem::exists(demo / "TESS_RT.ldb")) {
    std::filesystem::copy(demo, project.Folder(),
                          std::filesystem::copy_options::recursive | std::filesystem::copy_options::overwrite_existing);
    ASSERT_TRUE(database.LoadDatabase(project.Folder()));
  }
  auto window = OpenCommonEvents();
  TScriptEditor* editor = Page(*window)->Script();
  TScriptListBox* list = editor->List();
  ScriptEditModel& model = editor->Model();
  // What the event held before: our commands go in front of it.
  const std::vector<std::string> before = Rows(model);
  auto withBefore = [&before](std::vector<std::string> rows) {
    rows.insert(rows.end(), before.begin(), before.end());
    return rows;
  };
  ClickRow(list, 0);
  list->setFocus();

  ChooseNext(10140);  // Show Choices, from page 1
  QTest::keyClick(list, Qt::Key_Return);
  ChooseNext(10310);  // Change Money
  ClickRow(list, 0);  // the first click of the double click selects the row
  QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, QPoint(20, list->RowHeight() / 2));
  EXPECT_EQ(model.ItemIndex(), 1);
  ClickRow(list, 0);
  ChooseNext(12010);  // Conditional Branch, from page 3
  editor->InsertCommand();
  const std::string branch = "<>Branch if  Switch [" + EntryCaption(1, database.switches.FindById(1)->name) + "] is ON";
  ASSERT_EQ(Rows(model), withBefore({
                             branch,
                             "  <>",
                             ": End",
                             "<>Change Money: 0 Add",
                             "<>Show Choices: Yes/No",
                             ": [Yes] Handler",
                             "  <>",
                             ": [No] Handler",
                             "  <>",
                             ": End",
                         }));
  // Cut the branch (Ctrl+X on its opening row) and paste it into the "No" branch (Ctrl+V). The
  // window is active again once the chooser has gone, as the desktop makes it.
  window->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
  ClickRow(list, 0);
  EXPECT_EQ(std::make_pair(model.SelStart(), model.SelEnd()), std::make_pair(0, 2));
  QTest::keyClick(list, Qt::Key_X, Qt::ControlModifier);
  ClickRow(list, 5);
  QTest::keyClick(list, Qt::Key_V, Qt::ControlModifier);
  const std::vector<std::string> expected = withBefore({
      "<>Change Money: 0 Add",
      "<>Show Choices: Yes/No",
      ": [Yes] Handler",
      "  <>",
      ": [No] Handler",
      "  " + branch,
      "    <>",
      "  : End",
      "  <>",
      ": End",
  });
  EXPECT_EQ(Rows(model), expected);
  EXPECT_EQ(model.ItemIndex(), 8);  // the line that was selected stays current
  if (const char* dir = std::getenv("TESS_TRYOUT_SHOTS")) window->grab().save(QDir(dir).filePath("script-edited.png"));
  window->Ok();
  EXPECT_FALSE(window->isVisible());

  auto again = OpenCommonEvents();
  EXPECT_EQ(Rows(Page(*again)->Script()->Model()), expected);
  if (const char* dir = std::getenv("TESS_TRYOUT_SHOTS")) again->grab().save(QDir(dir).filePath("script-reopened.png"));
  again->reject();
}

TEST_F(ScriptPane, ChoosersOfferTheirButtons) {
  TEventScriptConverter converter(database);
  TFormEvCmdList map(converter);
  ASSERT_EQ(map.Pages()->count(), 4);
  EXPECT_EQ(map.ButtonCount(), 92);
  EXPECT_EQ(map.Button(0)->text(), "Message");
  EXPECT_EQ(map.Button(29)->text(), "Set Screen Transitions");
  EXPECT_EQ(map.Button(30)->text(), "Enemy Encounter");
  EXPECT_EQ(map.Button(59)->text(), "Wait");
  EXPECT_EQ(map.Button(89)->text(), "Return to Title Screen");
  EXPECT_EQ(map.Button(90)->text(), "Change Class");
  EXPECT_EQ(map.Button(91)->text(), "Change Battle Commands");
  EXPECT_TRUE(map.Pages()->widget(3)->isAncestorOf(map.Button(91)));
  TFormEvCmdList2 battle(converter);
  EXPECT_EQ(battle.ButtonCount(), 37);
  EXPECT_EQ(battle.Button(24)->text(), "Show Battle Animation");
  EXPECT_EQ(battle.Button(31)->text(), "Conditional Branch");
  // Edit opens only the dialogs a chooser knows: a battle command is none of the map chooser's.
  TLcfEventScriptList endCombat;
  endCombat.AppendLine(TLcfEventScriptLine(13410, 0));
  EXPECT_FALSE(map.EditLines(endCombat));
  EXPECT_TRUE(battle.EditLines(endCombat));
  // A chosen button is remembered: the next chooser opens on its page.
  map.Choose(64);
  TFormEvCmdList next(converter);
  next.show();
  EXPECT_EQ(next.Pages()->currentIndex(), 2);
  next.reject();
}

TEST_F(ScriptPane, TroopPanesFilterWhatIsPasted) {
  TScriptEditor mapPane(database, TScriptKind::MapEvent);
  TScriptEditor troopPane(database, TScriptKind::TroopPage);
  TLcfEventScriptList mapScript, troopScript;
  mapPane.Attach(&mapScript);
  troopPane.Attach(&troopScript);
  ChooseNext(12010);
  mapPane.InsertCommand();
  mapPane.Model().SetItemIndex(0);
  mapPane.CopyLines();
  troopPane.Model().SetItemIndex(0);
  troopPane.PasteLines();
  EXPECT_EQ(troopScript.Count(), 1);  // a map branch has no place in a troop page
  // A damaged block is refused with a message and pastes nothing.
  Clipboard().SetBlock(kClipEventCommands, Bytes{9, 0, 0, 0, 1});
  troopPane.PasteLines();
  EXPECT_EQ(troopScript.Count(), 1);
  ASSERT_EQ(messages.shown.size(), 1u);
}
