#include "tools/rtpgen/DemoProject.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "core/AtomicFile.h"
#include "core/Errors.h"
#include "core/PathUtils.h"
#include "core/ProjectFolder.h"
#include "maps/AutotileFixup.h"
#include "project/ProjectCreation.h"
#include "tools/rtpgen/DemoKit.h"

namespace tess::rtp {

namespace {

namespace fs = std::filesystem;

// Marks a folder as a demo written here, so a later run may replace it.
constexpr const char* kDemoMark = ".tessaly-demo";

void Check(const std::error_code& ec, const std::string& what) {
  if (ec) throw EFileError(what + ": " + ec.message());
}

// Makes way for the project: an empty or missing folder is fine, an earlier demo is removed,
// anything else is left alone and refused.
void ClearFolder(const std::string& folder) {
  std::error_code ec;
  if (!fs::exists(folder, ec)) return;
  if (fs::is_directory(folder, ec) && fs::is_empty(folder, ec)) {
    fs::remove(folder, ec);
    Check(ec, "Cannot remove " + folder);
    return;
  }
  if (!fs::exists(fs::path(folder) / kDemoMark, ec))
    throw EFileError(folder + " exists and does not hold a demo project written by tessaly-rtpgen");
  fs::remove_all(folder, ec);
  Check(ec, "Cannot remove " + folder);
}

TLcfMapTreeItem& MapNode(TLcfMapTree& tree, int32_t parent, int32_t id, const std::string& name,
                         const std::string& music) {
  TLcfMapTreeItem& node = *tree.AddNode(parent, id);
  node.name = name;
  node.nodeType = TLcfMapTreeItem::kMap;
  node.musicType = music.empty() ? 0 : 2;
  node.music.Reset();
  if (!music.empty()) node.music.name = music;
  node.backdropType = 1;
  node.teleport = node.escape = node.save = 1;
  node.encounters.Clear();
  node.encounterSteps = 25;
  return node;
}

void Encounters(TLcfMapTreeItem& node, std::initializer_list<int32_t> troops, int steps) {
  node.encounters.Clear();
  for (int32_t troop : troops) node.encounters.Append()->troopId = troop;
  node.encounterSteps = steps;
}

// Gives every water and autotile cell of a map the shape the editor's pen gives it, with the links
// of the map's tileset picture, found in the project or the runtime package beside the editor.
void ShapeLikeThePen(TLcfMap& map, const TLcfDataBase& db, const std::string& folder,
                     const std::string& applicationFolder) {
  const std::string project = ProjectFolder(), runtimePackage = CurrentRuntimePackageFolder();
  SetProjectFolder(folder);
  SetCurrentRuntimePackageFolder(WithTrailingBackslash(applicationFolder) + "RTP/");
  TFixupRules rules;
  std::string why;
  const bool found = LinksOfTileset(db.tilesets.FindById(map.tilesetId), rules.links, &why);
  SetProjectFolder(project);
  SetCurrentRuntimePackageFolder(runtimePackage);
  if (!found) throw EFileError("Demo map " + std::to_string(map.Id()) + ": " + why);
  FixUpLayer(map.lower, rules);
}

}  // namespace

void FillDemoMapTree(TLcfMapTree& tree) {
  if (TLcfMapTreeItem* root = tree.FindById(0)) root->expanded = 1;

  TLcfMapTreeItem& village = MapNode(tree, 0, kDemoVillage, "Eastbrook", "Village");
  village.expanded = 1;
  TLcfMapTreeItem& inn = MapNode(tree, kDemoVillage, kDemoInn, "Sleepy Boar Inn", "Inn");
  inn.backdropType = 0;
  inn.teleport = inn.escape = inn.save = 0;

  TLcfMapTreeItem& field = MapNode(tree, 0, kDemoField, "River Fields", "Field");
  field.expanded = 1;
  Encounters(field, {demo::kTroopSlimes, demo::kTroopBats}, 30);

  TLcfMapTreeItem& cave = MapNode(tree, kDemoField, kDemoDungeon, "Crystal Cave", "Dungeon");
  cave.backdropType = 2;
  cave.backdropName = "Cave";
  cave.teleport = 2;
  cave.save = 2;
  Encounters(cave, {demo::kTroopBats, demo::kTroopSpirits}, 20);

  TLcfMapTreeItem& woods = *tree.AddNode(kDemoField, kDemoWoods);
  woods.name = "Dark Woods";
  woods.nodeType = TLcfMapTreeItem::kArea;
  woods.backdropType = 2;
  woods.backdropName = "Forest";
  const int32_t rect[4] = {38, 28, 58, 43};  // left, top, right, bottom (exclusive)
  std::copy(rect, rect + 4, woods.areaRect);
  Encounters(woods, {demo::kTroopGoblins, demo::kTroopSlimes}, 18);

  tree.currentId = kDemoVillage;
  tree.startPositions.partyMapId = kDemoVillage;
  tree.startPositions.partyX = 19;
  tree.startPositions.partyY = 16;
}

void WriteDemoProject(const std::string& folderName, const std::string& applicationFolder) {
  fs::path path = fs::absolute(fs::path(folderName).lexically_normal());
  if (!path.has_filename()) path = path.parent_path();  // a trailing '/'
  ClearFolder(path.string());
  std::error_code ec;
  fs::create_directories(path.parent_path(), ec);
  Check(ec, "Cannot create " + path.parent_path().string());
  // The project is made exactly as the editor's "New Project" makes one.
  std::string why;
  std::string folder;
  try {
    folder = CreateNewProject(WithTrailingBackslash(path.parent_path().string()), path.filename().string(), kDemoTitle,
                              WithTrailingBackslash(applicationFolder), &why);
  } catch (const ETessError& e) {
    throw EFileError(std::string(e.what()) + (why.empty() ? "" : " " + why));
  }

  // The mark goes first, so a run that fails half-way leaves a folder the next run may replace;
  // the failed run removes it all the same.
  WriteFileAtomic(folder + kDemoMark, std::string("Written by tessaly-rtpgen demo; rebuilt on every build.\n"));
  try {
    TLcfDataBase db;
    std::string error;
    if (!db.LoadDatabase(folder, &error)) throw EFileError(folder + kDataBaseFileName + ": " + error);
    FillDemoDatabase(db);
    db.SaveToFile(folder + kDataBaseFileName);

    TLcfMapTree tree;
    tree.projectFolder = folder;
    tree.LoadTree();
    tree.RequireRoot();
    FillDemoMapTree(tree);
    for (const auto& map : BuildDemoMaps()) {
      ShapeLikeThePen(*map, db, folder, applicationFolder);
      map->SaveToProject(folder, map->Id());
    }
    tree.SaveTree();
  } catch (...) {
    fs::remove_all(folder, ec);
    throw;
  }
}

}  // namespace tess::rtp
