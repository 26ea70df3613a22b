#include <gtest/gtest.h>

#include <QLabel>
#include <QListWidget>
#include <filesystem>

#include "EditorProject.h"
#include "core/MessagePort.h"
#include "database/DataBaseObj.h"
#include "editor/database/FormDataBase.h"
#include "editor/database/FormEntryListPage.h"
#include "maps/LD_Map.h"
#include "maps/LD_MapTree.h"

using namespace tess;

namespace {

struct DataBaseWindow : ::testing::Test {
  test::TEditorProject project;
  TScriptedMessages messages;
  TMessagePortScope port{&messages};
  TLcfDataBase database;
  TLcfMapTree tree;
  TLcfMap map;
  void SetUp() override {
    project.Make();
    ASSERT_TRUE(database.LoadDatabase(project.Folder()));
  }
  std::unique_ptr<TFormDataBase> Open() {
    return std::make_unique<TFormDataBase>(database, tree, map, project.Folder(), project.Folder(), nullptr);
  }
};

}  // namespace

TEST_F(DataBaseWindow, TabsAndTheRememberedTab) {
  auto window = Open();
  EXPECT_STREQ(TFormDataBase::TabCaption(5), "M. Groups");
  EXPECT_STREQ(TFormDataBase::TabCaption(16), "Common Event");
  window->SelectTab(3);
  window->reject();
  EXPECT_EQ(TFormDataBase::RememberedTab(), 3);
  auto again = Open();
  EXPECT_EQ(again->CurrentTab(), 3);
  again->SelectTab(-1);  // before the first: the last
  EXPECT_EQ(again->CurrentTab(), 16);
  again->SelectTab(17);  // after the last: the first
  EXPECT_EQ(again->CurrentTab(), 0);
  again->reject();
}

TEST_F(DataBaseWindow, EmptyListShowsOneEntry) {
  database.skills.Clear();
  auto window = Open();
  window->SelectTab(2);
  auto* page = dynamic_cast<TFormEntryListPage*>(window->Page());
  ASSERT_NE(page, nullptr);
  ASSERT_EQ(page->List()->count(), 1);
  EXPECT_EQ(page->List()->item(0)->text(), "0001:");
  window->reject();
}

TEST_F(DataBaseWindow, CancelDiscardsApplyKeeps) {
  auto window = Open();
  database.heroes.ItemAt(0)->name = "Alex";
  window->DataModified();
  EXPECT_TRUE(window->ApplyEnabled());
  // "Cancel" discards without asking.
  window->Cancel();
  EXPECT_TRUE(messages.shown.empty());
  EXPECT_EQ(database.heroes.ItemAt(0)->name, "");  // read back from the file

  window = Open();
  database.heroes.ItemAt(0)->name = "Alex";
  window->DataModified();
  EXPECT_TRUE(window->Apply());
  EXPECT_FALSE(window->ApplyEnabled());
  window->reject();
  EXPECT_EQ(database.heroes.ItemAt(0)->name, "Alex");
}

TEST_F(DataBaseWindow, TheCloseBoxAsksBeforeDiscardingChanges) {
  auto window = Open();
  window->show();
  // Nothing to lose: it closes without a question.
  window->close();
  EXPECT_TRUE(messages.shown.empty());
  EXPECT_FALSE(window->isVisible());

  window = Open();
  window->show();
  database.heroes.ItemAt(0)->name = "Alex";
  window->DataModified();
  messages.answers = {TMessageResult::No};
  window->close();
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0].text, "The changes were not applied.  Discard them?");
  EXPECT_TRUE(messages.shown[0].style.destructive);
  EXPECT_TRUE(window->isVisible());
  EXPECT_EQ(database.heroes.ItemAt(0)->name, "Alex");

  messages.answers = {TMessageResult::Yes};
  window->close();
  EXPECT_FALSE(window->isVisible());
  EXPECT_EQ(database.heroes.ItemAt(0)->name, "");
}

TEST_F(DataBaseWindow, TheFieldsPaneNamesTheSelectedEntry) {
  auto window = Open();
  window->SelectTab(3);
  auto* page = dynamic_cast<TFormEntryListPage*>(window->Page());
  ASSERT_NE(page, nullptr);
  auto* fields = page->findChild<QLabel*>("EntryFields");
  if (!fields) GTEST_SKIP() << "the page has fields of its own";
  // The first entry is selected as the page opens; the pane names it, and follows the selection.
  ASSERT_GE(page->List()->count(), 1);
  EXPECT_TRUE(fields->text().startsWith(page->List()->item(0)->text())) << fields->text().toStdString();
  EXPECT_FALSE(fields->text().contains("Select an entry"));
  database.items.Resize(2);
  page->FillList();
  page->List()->setCurrentRow(1);
  EXPECT_TRUE(fields->text().startsWith("0002:")) << fields->text().toStdString();
  window->reject();
}

TEST_F(DataBaseWindow, OkWithAFailedSaveKeepsTheWindowAndTheEdits) {
  auto window = Open();
  window->show();
  database.heroes.ItemAt(0)->name = "Kept";
  window->DataModified();
  const std::string file = project.Folder() + "TESS_RT.ldb";
  std::filesystem::remove(file);
  std::filesystem::create_directory(file);
  window->Ok();
  EXPECT_TRUE(window->isVisible());
  EXPECT_EQ(database.heroes.ItemAt(0)->name, "Kept");
  EXPECT_FALSE(messages.shown.empty());
  std::filesystem::remove(file);
  window->Ok();
  EXPECT_FALSE(window->isVisible());
  EXPECT_EQ(database.heroes.ItemAt(0)->name, "Kept");
}
