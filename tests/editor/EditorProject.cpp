#include "EditorProject.h"

#include <QFile>
#include <filesystem>

#include "core/AtomicFile.h"
#include "database/DataBaseObj.h"
#include "maps/LD_Map.h"
#include "maps/LD_MapTree.h"

namespace tess::test {

void TEditorProject::Make(const std::string& ini) {
  const std::string folder = Folder();
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

std::string TEditorProject::RuntimeRecord() const {
  QFile file(QString::fromStdString(Folder() + "runtime-record.txt"));
  if (!file.open(QIODevice::ReadOnly)) return {};
  return file.readAll().toStdString();
}

}  // namespace tess::test
