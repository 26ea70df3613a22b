#pragma once
// A new project's first files: the material folders, the runtime and database copied from the
// templates beside the editor, the game title, the map tree with its root and first map, and that
// map itself. The editor's create callback and tessaly-cli share this one code path.

#include <string>
#include <vector>

#include "core/MaterialFiles.h"  // MaterialFolderNames: the folders a project is made with

namespace tess {

class TLcfMap;
class TLcfMapTree;

inline constexpr const char* kRuntimeTemplateName = "TESS_RT.exe.dat";
inline constexpr const char* kDataBaseTemplateName = "TESS_RT.ldb.dat";
inline constexpr const char* kCreationFailedMessage = "Project creation could not be completed.";
inline constexpr const char* kFirstMapName = "MAP0001";
inline constexpr int kFirstMapSize = 100;

// Writes a new project's files into projectFolder, which exists:
//  1. makes the material folders in order, stopping at the first that cannot be made (one that
//     exists already counts as a failure);
//  2. copies the runtime and database templates from applicationFolder (found in any case);
//  3. writes the game title, then the map tree: the root named after the game and map 1
//     "MAP0001", and map 1 of 100 x 100 cells through its work copy in the tree's scratch folder,
//     which saving the tree commits.
// Returns false when step 1 or 2 fails, with the reason in *why; later failures raise. The tree
// and map are the editor's own: the tree is cleared first, the map reset. The tree writes into
// projectFolder whatever folder it was set to, and keeps its own setting afterwards.
bool CreateProjectFiles(const std::string& projectFolder, const std::string& gameTitle,
                        const std::string& applicationFolder, TLcfMapTree& tree, TLcfMap& map,
                        std::string* why = nullptr);

// Makes a whole project the way the new-project dialog and the project manager do, without an
// editor: the folder baseFolder + folderName (only the last level; refused when it exists), the
// files of CreateProjectFiles through a private scratch folder, and the database marked as being
// in the current format. Raises ETessError with the dialog's message when the name is illegal or
// the folder cannot be made, and with "Project creation could not be completed." (after deleting
// the folder) when the files cannot; *why then holds the reason. Returns the project folder with a
// trailing '/'.
std::string CreateNewProject(const std::string& baseFolder, const std::string& folderName, const std::string& gameTitle,
                             const std::string& applicationFolder, std::string* why = nullptr);

}  // namespace tess
