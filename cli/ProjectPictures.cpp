#include "cli/ProjectPictures.h"

#include <algorithm>
#include <filesystem>
#include <set>

#include "core/Errors.h"
#include "core/MaterialFiles.h"
#include "core/NameEncoding.h"
#include "core/PathUtils.h"
#include "database/DataBaseObj.h"
#include "maps/LD_Map.h"
#include "maps/LD_MapTree.h"
#include "media/MaterialManager.h"
#include "media/PictureFile.h"

namespace tess::cli {

namespace {

std::string Numbered(const char* what, int32_t id) { return std::string(what) + " " + std::to_string(id); }

}  // namespace

void TProjectPictures::Add(const std::string& folder, const std::string& name, const std::string& file,
                           const std::string& what) {
  if (name.empty()) return;
  pictures_.try_emplace({folder, name}, TUse{file, what});
}

void TProjectPictures::AddDatabase(const TLcfDataBase& db) {
  const std::string file = kDataBaseFileName;
  for (int i = 0; i < db.heroes.Count(); ++i) {
    const TLcfPlayerItem& hero = *db.heroes.ItemAt(i);
    Add("CharSet", hero.charSetFile, file, Numbered("hero", hero.Id()));
    Add("FaceSet", hero.faceSetFile, file, Numbered("hero", hero.Id()));
  }
  for (int i = 0; i < db.monsters.Count(); ++i) {
    const TLcfMonsterItem& monster = *db.monsters.ItemAt(i);
    Add("Monster", monster.monsterFile, file, Numbered("monster", monster.Id()));
  }
  for (int i = 0; i < db.tilesets.Count(); ++i) {
    const TLcfChipSetItem& tileset = *db.tilesets.ItemAt(i);
    Add("ChipSet", tileset.chipSetFile, file, Numbered("tileset", tileset.Id()));
  }
  // Only the pictures a terrain really shows: a backdrop, or the frame layers.
  for (int i = 0; i < db.terrain.Count(); ++i) {
    const TLcfGroundItem& terrain = *db.terrain.ItemAt(i);
    const std::string what = Numbered("terrain", terrain.Id());
    if (terrain.backgroundType == 0) {
      Add("Backdrop", terrain.backdropFile, file, what);
    } else {
      Add("Frame", terrain.backFrameFile, file, what);
      if (terrain.foregroundUse) Add("Frame", terrain.foreFrameFile, file, what);
    }
  }
  for (int i = 0; i < db.animations.Count(); ++i) {
    const TLcfAnimationItem& animation = *db.animations.ItemAt(i);
    Add(animation.largeCells ? "Battle2" : "Battle", animation.animationFile, file,
        Numbered("battle animation", animation.Id()));
  }
  for (int i = 0; i < db.battlerAnimations.Count(); ++i) {
    const TLcfAnimation2Item& set = *db.battlerAnimations.ItemAt(i);
    const std::string what = Numbered("battler animation", set.Id());
    for (int p = 0; p < set.poses.Count(); ++p) Add("BattleCharSet", set.poses.ItemAt(p)->sheetFile, file, what);
    for (int w = 0; w < set.weapons.Count(); ++w) Add("BattleWeapon", set.weapons.ItemAt(w)->sheetFile, file, what);
  }
  const TLcfSystem& system = db.system;
  Add("CharSet", system.skiffGraphic, file, "the skiff");
  Add("CharSet", system.shipGraphic, file, "the ship");
  Add("CharSet", system.airshipGraphic, file, "the airship");
  Add("Title", system.titleName, file, "the title screen");
  Add("GameOver", system.gameOverName, file, "the game over screen");
  Add("System", system.systemGraphic, file, "the system graphic");
  Add("System2", system.battleGraphic, file, "the battle graphic");
  Add("Backdrop", system.troopPreviewBackdrop, file, "the troop preview");
  if (system.useFrame == 1) Add("Frame", system.frameName, file, "the screen frame");
}

void TProjectPictures::AddMapTree(const TLcfMapTree& tree) {
  for (int i = 0; i < tree.Count(); ++i) {
    const TLcfMapTreeItem& node = *tree.ItemAt(i);
    if (node.backdropType == 2) Add("Backdrop", node.backdropName, kMapTreeFileName, Numbered("node", node.Id()));
  }
}

void TProjectPictures::AddMap(const std::string& file, const TLcfMap& map) {
  if (map.usePanorama) Add("Panorama", map.panoramaName, file, "the parallax background");
  for (int e = 0; e < map.events.Count(); ++e) {
    const TLcfEventItem& event = *map.events.ItemAt(e);
    for (int p = 0; p < event.pages.Count(); ++p) {
      const TLcfEventPageItem& page = *event.pages.ItemAt(p);
      const std::string what = Numbered("event", event.Id()) + " page " + std::to_string(page.Id());
      Add("CharSet", page.graphicName, file, what);
      for (int c = 0; c < page.moveRoute.CommandCount(); ++c) {
        const TLcfMoveRouteItem& command = *page.moveRoute.CommandAt(c);
        if (command.code == mcChangeGraphic) Add("CharSet", command.graphicName, file, what + " move route");
      }
    }
  }
}

TProjectVisitor TProjectPictures::Visitor() {
  return {[this](const TLcfDataBase& db) { AddDatabase(db); }, [this](const TLcfMapTree& tree) { AddMapTree(tree); },
          [this](const std::string& file, const TLcfMap& map) { AddMap(file, map); }};
}

std::vector<TProjectProblem> TProjectPictures::Check(const std::string& projectFolder,
                                                     const std::string& runtimePackageFolder) const {
  std::vector<TProjectProblem> problems;
  const std::string project = WithTrailingBackslash(projectFolder);
  // Pictures of the project by their name in it, those of the runtime package by their path.
  auto shownPath = [&](const std::string& path) {
    return ShownPath(path.compare(0, project.size(), project) == 0 ? path.substr(project.size()) : path);
  };
  // Reads a picture and holds it to its folder's rule, as the resource manager would import it.
  auto checkPicture = [&](const std::string& folder, const std::string& path, const std::string& named) {
    std::string problem;
    try {
      TBitmap picture;
      LoadPictureFile(picture, path);
      if (const TMaterialFolder* rule = FindPictureFolder(folder)) problem = PictureRuleProblem(*rule, picture);
    } catch (const ETessError& e) {
      problem = e.what();
    } catch (const std::bad_alloc&) {
      problem = EOutOfMemory().what();
    }
    if (!problem.empty()) problems.push_back({shownPath(path), problem + named});
  };
  // Each file once, however it was reached.
  std::set<std::string> checked;
  auto firstTime = [&](const std::string& path) {
    std::error_code error;
    const std::filesystem::path real = std::filesystem::weakly_canonical(path, error);
    return checked.insert(error ? path : real.string()).second;
  };
  for (const auto& [key, use] : pictures_) {
    const auto& [folder, name] = key;
    const std::string path = FindMaterialFile(projectFolder, runtimePackageFolder, name, folder, PictureExtensions());
    if (path == name) {
      problems.push_back(
          {use.file, use.what + " names the picture " + folder + "/" + DescribeMissingName(name) + ", which " +
                         (runtimePackageFolder.empty() ? "the project lacks (no runtime package is registered)"
                                                       : "neither the project nor the runtime package has")});
      continue;
    }
    if (firstTime(path)) checkPicture(folder, path, " (named by " + use.what + " in " + use.file + ")");
  }
  // The project's other pictures: events' commands name them, or nothing does yet, and the game
  // meets each one the same way.
  for (const TMaterialFolder& folder : ResourceFolders()) {
    if (folder.kind != TMaterialKind::Picture) continue;
    const auto onDisk = FindNameNoCase(project, folder.name);
    if (!onDisk || !IsFolder(*onDisk)) continue;
    const std::string dir = WithTrailingBackslash(*onDisk);
    for (const std::string& file : ListFolder(dir)) {
      const size_t dot = file.find_last_of('.');
      const std::string extension = dot == std::string::npos ? std::string() : LowerAscii(file.substr(dot + 1));
      const auto& known = PictureExtensions();
      if (std::find(known.begin(), known.end(), extension) == known.end() || !IsFile(dir + file)) continue;
      if (firstTime(dir + file)) checkPicture(folder.name, dir + file, "");
    }
  }
  return problems;
}

}  // namespace tess::cli
