#include <gtest/gtest.h>

#include <QListWidget>
#include <filesystem>

#include "EditorProject.h"
#include "core/MessagePort.h"
#include "database/DataBaseObj.h"
#include "dbeditor/FormDataBase.h"
#include "dbeditor/FormEntryListPage.h"
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
  window->reject();
  EXPECT_EQ(database.heroes.ItemAt(0)->name, "");  // read back from the file

  window = Open();
  database.heroes.ItemAt(0)->name = "Alex";
  window->DataModified();
  EXPECT_TRUE(window->Apply());
  EXPECT_FALSE(window->ApplyEnabled());
  window->reject();
  EXPECT_EQ(database.heroes.ItemAt(0)->name, "Alex");
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
