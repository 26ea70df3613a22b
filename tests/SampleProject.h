#pragma once
// Test helper: a small project made with the models: the database, a map tree with the root
// "Test" and map 1 "MAP0001" (the current node), map 1 of 30 x 20 cells, the settings file, and
// a runtime that records how it was started (its folder and its words, in runtime-record.txt).

#include <filesystem>
#include <string>

#include "core/AtomicFile.h"
#include "database/DataBaseObj.h"
#include "maps/LD_Map.h"
#include "maps/LD_MapTree.h"

namespace tess::test {

inline constexpr const char* kSampleIni = "[TESS_RT]\r\nGameTitle=Test\r\n";

// folder ends in '/'; ini is the settings file's text.
inline void WriteSampleProject(const std::string& folder, const std::string& ini = kSampleIni) {
  std::filesystem::create_directories(folder);
  TLcfDataBase database;
  database.ResetDatabase();
  database.system.formatVersion = 2003;  // as a new project is marked: no conversion asked
  database.SaveToFile(folder + "TESS_RT.ldb");
  TLcfMapTree tree;
  tree.projectFolder = folder;
  TLcfMapTreeItem* root = tree.AddNode(0, 0);
  root->name = "Test";
  TLcfMapTreeItem* first = tree.AddNode(0, 1);
  first->nodeType = TLcfMapTreeItem::kMap;
  first->name = "MAP0001";
  tree.currentId = 1;
  WriteFileAtomic(folder + "TESS_RT.lmt", tree.SaveToBytes());
  TLcfMap map;
  map.SetWidth(30);
  map.SetHeight(20);
  map.SaveToProject(folder, 1);
  WriteFileAtomic(folder + "TESS_RT.ini", ini);
  const std::string runtime = folder + "TESS_RT.exe";
  WriteFileAtomic(runtime, std::string("#!/bin/sh\npwd > runtime-record.txt\necho \"$@\" >> runtime-record.txt\n"));
  std::filesystem::permissions(runtime, std::filesystem::perms::owner_exec, std::filesystem::perm_options::add);
}

}  // namespace tess::test
