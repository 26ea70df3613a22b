#include "project/ProjectCreation.h"

#include <stdlib.h>
#include <sys/stat.h>

#include <cerrno>
#include <cstring>

#include "core/AtomicFile.h"
#include "core/Errors.h"
#include "core/FolderTree.h"
#include "core/PathUtils.h"
#include "core/Stream.h"
#include "database/DataBaseObj.h"
#include "maps/LD_Map.h"
#include "maps/LD_MapTree.h"
#include "project/ProjectNames.h"

namespace tess {

namespace {

// Copies a template beside the editor into the project, overwriting. The copy keeps the
// template's permission bits, so the runtime stays executable.
bool CopyTemplate(const std::string& applicationFolder, const char* templateName, const std::string& projectFolder,
                  const char* targetName, std::string* why) {
  const auto source = FindNameNoCase(applicationFolder, templateName);
  if (!source || !IsFile(*source)) {
    if (why) *why = std::string("The template ") + templateName + " is missing from \"" + applicationFolder + "\".";
    return false;
  }
  try {
    const std::string target = PathInFolder(projectFolder, targetName);
    WriteFileAtomic(target, ReadWholeFile(*source));
    struct stat st;
    if (::stat(source->c_str(), &st) == 0) ::chmod(target.c_str(), st.st_mode & 0777);
  } catch (const ETessError& e) {
    if (why) *why = e.what();
    return false;
  }
  return true;
}

// The tree writes into the new project while it is made, and keeps its own setting afterwards.
class TTreeFolderScope {
 public:
  TTreeFolderScope(TLcfMapTree& tree, const std::string& folder) : tree_(tree), saved_(tree.projectFolder) {
    tree_.projectFolder = folder;
  }
  ~TTreeFolderScope() { tree_.projectFolder = saved_; }

 private:
  TLcfMapTree& tree_;
  std::string saved_;
};

}  // namespace

bool CreateProjectFiles(const std::string& projectFolder, const std::string& gameTitle,
                        const std::string& applicationFolder, TLcfMapTree& tree, TLcfMap& map, std::string* why) {
  const std::string folder = WithTrailingBackslash(projectFolder);

  for (const std::string& name : MaterialFolderNames()) {
    // A folder of the same name in another case exists already as far as the game is concerned.
    if (FindNameNoCase(folder, name)) {
      if (why) *why = "The folder \"" + folder + name + "\" exists already.";
      return false;
    }
    if (::mkdir((folder + name).c_str(), 0777) != 0) {
      if (why) *why = "Cannot create the folder \"" + folder + name + "\". " + std::strerror(errno);
      return false;
    }
  }
  if (!CopyTemplate(applicationFolder, kRuntimeTemplateName, folder, kRuntimeFileName, why)) return false;
  if (!CopyTemplate(applicationFolder, kDataBaseTemplateName, folder, kDataBaseFileName, why)) return false;

  WriteGameTitle(folder, gameTitle);

  TTreeFolderScope scope(tree, folder);
  const std::string scratch = tree.ScratchPath();
  if (scratch.empty()) throw EFileError("There is no scratch folder for the work copy of the first map.");

  // A new project starts from nothing the editor held before: no nodes, no deletions waiting, no
  // start positions.
  tree.ClearTree();
  tree.deletedIds.clear();
  tree.startPositions.Reset();
  TLcfMapTreeItem* root = tree.AddNode(0, 0);
  root->nodeType = TLcfMapTreeItem::kRoot;
  root->name = gameTitle;
  // The root is its own parent; it stays at the top level.
  root->depth = 0;
  tree.currentId = 0;
  tree.SaveTree();

  TLcfMapTreeItem* first = tree.AddNode(0, 1);
  first->nodeType = TLcfMapTreeItem::kMap;
  first->name = kFirstMapName;
  first->musicType = 1;     // left to events
  first->backdropType = 1;  // from the terrain
  first->teleport = 1;
  first->escape = 1;
  first->save = 1;
  first->encounterSteps = 25;
  first->pending = true;

  map.Reset();
  map.SetWidth(kFirstMapSize);
  map.SetHeight(kFirstMapSize);
  map.SaveWorkCopy(scratch, 1);

  // Saving commits the pending work copy into the project and deletes it.
  tree.currentId = 1;
  tree.SaveTree();
  return true;
}

std::string CreateNewProject(const std::string& baseFolder, const std::string& folderName, const std::string& gameTitle,
                             const std::string& applicationFolder, std::string* why) {
  if (!IsAllowedFolderName(folderName)) throw ETessError(kIllegalNewNameMessage);
  if (std::string reason; !CreateProjectFolder(baseFolder, folderName, &reason)) {
    if (why) *why = reason;
    throw ETessError(kCannotCreateProjectFolderMessage);
  }
  const std::string folder = WithTrailingBackslash(baseFolder) + folderName + "/";

  // A scratch folder of our own: an editor's TESS_TEMP may hold work copies of the same map ids.
  const std::string scratch = MakeOwnedTempFolder("tess-new-project");
  const bool haveScratch = !scratch.empty();

  std::string reason;
  bool ok = false;
  if (!haveScratch) {
    reason = std::string("Cannot create a scratch folder. ") + std::strerror(errno);
  } else {
    try {
      TLcfMapTree tree;
      tree.projectFolder = folder;
      tree.scratchFolder = scratch;
      TLcfMap map;
      ok = CreateProjectFiles(folder, gameTitle, applicationFolder, tree, map, &reason);
      if (ok) {
        // What the editor does next: open the project, then mark its database as being in the
        // current format.
        TLcfDataBase database;
        ok = database.LoadDatabase(folder, &reason);
        if (ok) {
          TLcfMapTree opened;
          opened.projectFolder = folder;
          opened.scratchFolder = scratch;
          opened.LoadTree();
          opened.RequireRoot();
          database.system.formatVersion = TLcfSystem::kCurrentFormatVersion;
          database.SaveToFile(PathInFolder(folder, kDataBaseFileName));
        }
      }
    } catch (const std::exception& e) {
      reason = e.what();
      ok = false;
    }
    DeleteFolderTree(scratch);
  }
  if (!ok) {
    DeleteFolderTree(folder);
    if (why) *why = reason;
    throw ETessError(kCreationFailedMessage);
  }
  return folder;
}

}  // namespace tess
