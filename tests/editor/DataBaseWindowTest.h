#pragma once
// What the tests of the database window's pages share: a project on disk, scripted messages, the
// database with its map tree and map, and the window opened on a tab at one of its entries.

#include <gtest/gtest.h>

#include <memory>

#include "EditorProject.h"
#include "core/MessagePort.h"
#include "database/DataBaseObj.h"
#include "editor/database/FormDataBase.h"
#include "maps/LD_Map.h"
#include "maps/LD_MapTree.h"

namespace tess::test {

struct TDataBaseWindowTest : ::testing::Test {
  TEditorProject project;
  TScriptedMessages messages;
  TMessagePortScope port{&messages};
  TLcfDataBase database;
  TLcfMapTree tree;
  TLcfMap map;
  std::unique_ptr<TFormDataBase> window;

  // Opens the window on a tab whose page is a TPage, showing the entry at a list position.
  template <class TPage>
  TPage& Open(int tab, int entry = 0) {
    window = std::make_unique<TFormDataBase>(database, tree, map, project.Folder(), project.Folder(), nullptr);
    window->SelectTab(tab);
    auto* page = dynamic_cast<TPage*>(window->Page());
    EXPECT_NE(page, nullptr);
    page->ShowEntry(entry);
    return *page;
  }
  // The database as a file would hold it.
  Bytes Saved() { return database.SaveToMemory(TCatalogVarData::Mode::Copy); }
};

}  // namespace tess::test
