#include "project/ProjectDocument.h"

#include <algorithm>
#include <cstdio>
#include <exception>
#include <memory>

#include "core/EntryCaption.h"
#include "core/MessagePort.h"
#include "core/NameEncoding.h"
#include "core/PathUtils.h"
#include "database/LD_ChipSet.h"
#include "maps/AutotileFixup.h"
#include "project/ProfileFile.h"
#include "project/ProjectCreation.h"
#include "project/ProjectNames.h"

namespace tess {

namespace {

constexpr const char* kModeKey = "MapEditMode";
constexpr const char* kZoomKey = "MapEditZoom";

}  // namespace

// Tells the listeners when an operation changed MapsModified(), once, at its end.
class TProjectDocument::TModifiedWatch {
 public:
  explicit TModifiedWatch(TProjectDocument& document) : document_(document), before_(document.MapsModified()) {}
  ~TModifiedWatch() {
    const bool now = document_.MapsModified();
    if (now != before_) document_.modifiedChanged.Emit(now);
  }
  TModifiedWatch(const TModifiedWatch&) = delete;
  TModifiedWatch& operator=(const TModifiedWatch&) = delete;

 private:
  TProjectDocument& document_;
  bool before_;
};

TProjectDocument::TProjectDocument(std::string applicationFolder) : applicationFolder_(std::move(applicationFolder)) {
  map_.tilesetExists = [this](int32_t id) { return database_.tilesets.FindById(id) != nullptr; };
  map_.Unload();
  editor_.SetMapTree(&mapTree_);
  // The layers' edits are the history's to know; what the event mode changes (events and start
  // positions dragged to another cell) lies beside them.
  editor_.State().onMapChanged = [this] {
    if (editor_.State().mode == TEditMode::Event) propertiesEdited_ = true;
  };
  editor_.onChipPicked = [this](TEditMode mode) {
    if (onChipPicked) onChipPicked(mode);
  };
}

std::string TextOfChipSetFailure(int32_t tilesetId, const std::string& tilesetName, const std::string& error) {
  return "The picture of tileset " + EntryCaption(tilesetId, ShownName(tilesetName)) + " cannot be drawn: " + error +
         ".\n\nIts tiles show as orange stripes until the picture is mended, or another is chosen on the Tilesets "
         "page of the database.";
}

void TProjectDocument::ShowFailure(const std::string& text) const { ShowError(text, messageOwner_); }

std::string MapFailureText(const TLcfMapTreeItem& map, bool workCopy, const std::string& error) {
  return "The map " + std::to_string(map.Id()) + " \"" + map.name + "\" (" + MapFileName(map.Id()) +
         (workCopy ? ", its work copy" : "") + ") could not be loaded.\n" + error;
}

std::string DamagedMapText(const TLcfMapTreeItem& map, const std::string& damage) {
  return "The map " + std::to_string(map.Id()) + " \"" + map.name + "\" (" + MapFileName(map.Id()) +
         ") is damaged and opens read-only.\n" + damage + "\n\n" + kDiscardDamageHint;
}

std::string RecoveredMapName(const std::string& name) {
  static const std::string mark = " (recovered)";
  // Recovering a recovered map again does not mark it twice.
  if (name.size() >= mark.size() && name.compare(name.size() - mark.size(), mark.size(), mark) == 0) return name;
  return name + mark;
}

std::string RecoveredMapText(const TLcfMapTreeItem& damaged, const TLcfMapTreeItem& recovered) {
  return "What could be read of the map " + std::to_string(damaged.Id()) + " \"" + damaged.name +
         "\" was saved as the map " + std::to_string(recovered.Id()) + " \"" + recovered.name + "\" (" +
         MapFileName(recovered.Id()) + "). " + MapFileName(damaged.Id()) + " was left as it is.";
}

bool TProjectDocument::CurrentMapEdited() const { return propertiesEdited_ || !history_.IsClean(); }

void TProjectDocument::MarkMapClean() {
  history_.MarkClean();
  propertiesEdited_ = false;
}

void TProjectDocument::StartHistory() {
  // The controller's buffers and the history follow the map (SetMap resets the history).
  editor_.SetMap();
  propertiesEdited_ = false;
  RefreshChipSet();
  editor_.TakeChanged();
}

void TProjectDocument::RefreshChipSet() {
  const TLcfChipSetItem* tileset = map_.Id() > 0 ? database_.tilesets.FindById(map_.tilesetId) : nullptr;
  chipSet_.SetTileset(tileset);
  editor_.State().SetLinks(AutotileLinksOf(chipSet_));
  ReportChipSetPicture(tileset);
}

void TProjectDocument::ReportChipSetPicture(const TLcfChipSetItem* tileset) {
  if (!tileset || chipSet_.pictureError.empty()) return;
  // Once per tileset and picture for as long as the project is open: the author hears why the
  // map shows stripes, and is not asked again on every map of that tileset.
  if (!reportedPictures_.insert(std::to_string(tileset->Id()) + "/" + tileset->chipSetFile).second) return;
  ShowMessageBox(TextOfChipSetFailure(tileset->Id(), tileset->name, chipSet_.pictureError),
                 TMessageStyle{TMessageIcon::Warning}, messageOwner_);
}

bool TProjectDocument::MapsModified() const { return CurrentMapEdited() || mapTree_.IsModified(); }

// ---------------------------------------------------------------------------------------------
// Project lifetime

bool TProjectDocument::CreateFiles(const std::string& projectFolder, const std::string& scratchFolder,
                                   const std::string& gameTitle) {
  mapTree_.projectFolder = WithTrailingBackslash(projectFolder);
  mapTree_.scratchFolder = WithTrailingBackslash(scratchFolder);
  std::string why;
  const bool made = CreateProjectFiles(mapTree_.projectFolder, gameTitle, applicationFolder_, mapTree_, map_, &why);
  if (!made && !why.empty()) ShowFailure(why);
  return made;
}

bool TProjectDocument::Open(const std::string& projectFolder, const std::string& scratchFolder) {
  TModifiedWatch watch(*this);
  projectFolder_ = WithTrailingBackslash(projectFolder);
  scratchFolder_ = WithTrailingBackslash(scratchFolder);
  mapTree_.projectFolder = projectFolder_;
  mapTree_.scratchFolder = scratchFolder_;
  std::string error;
  if (!database_.LoadDatabase(projectFolder_, &error)) {
    ShowFailure(error);
    return false;
  }
  try {
    mapTree_.LoadTree();
    mapTree_.RequireRoot();
  } catch (...) {
    Unload();
    throw;
  }
  NameRoot();
  open_ = true;
  // The map is read from the project even when it is the one held already (a new project's).
  map_.Unload();
  const int32_t current = mapTree_.FindById(mapTree_.currentId) ? mapTree_.currentId : 0;
  if (!LoadSelectedMap(current)) StartHistory();

  TProfileFile ini(projectFolder_ + kProjectIniName);
  mode_ = ModeFromSetting(ini.ReadInteger(kProjectIniSection, kModeKey, 0));
  zoom_ = ZoomFromSetting(ini.ReadInteger(kProjectIniSection, kZoomKey, 0));
  tool_ = TEditTool::Pen;
  editor_.SetMode(mode_);
  editor_.SetTool(tool_);
  editor_.TakeChanged();
  projectOpened.Emit();
  editStateChanged.Emit();
  return true;
}

void TProjectDocument::Unload() {
  reportedPictures_.clear();
  database_.ResetDatabase();
  mapTree_.ClearTree();
  mapTree_.deletedIds.clear();
  mapTree_.currentId = 0;
  map_.Unload();
  mapReadOnly_ = false;
  StartHistory();
  currentMapName_.clear();
  gameTitle_.clear();
  open_ = false;
}

void TProjectDocument::Close() {
  TModifiedWatch watch(*this);
  // The close query has saved what the author kept; work copies left now would be offered again
  // as work lost in a crash, or mix with those of the next project.
  mapTree_.DiscardWorkCopies();
  Unload();
  projectFolder_.clear();
  projectClosed.Emit();
  mapChanged.Emit();
}

void TProjectDocument::MarkCurrentFormat() {
  // A new project is in the current data format from the start.
  database_.system.formatVersion = TLcfSystem::kCurrentFormatVersion;
  database_.SaveDatabase(projectFolder_, applicationFolder_);
}

// ---------------------------------------------------------------------------------------------
// Maps

// The root is named after the game, whatever the tree file says: a rename of the project
// changes only the settings file.
void TProjectDocument::NameRoot() {
  gameTitle_ = ReadGameTitle(projectFolder_);
  if (TLcfMapTreeItem* root = mapTree_.FindById(0)) root->name = gameTitle_;
}

void TProjectDocument::StoreCurrentMap() {
  // A modified map is kept as a work copy; the next save of the tree commits it.
  if (!CurrentMapEdited() || map_.Id() <= 0 || mapReadOnly_) return;
  if (!mapTree_.OwningMap(map_.Id())) {
    // The map was deleted from the tree: its edits go with it.
    MarkMapClean();
    return;
  }
  map_.SaveWorkCopy(scratchFolder_, map_.Id());
  mapTree_.MarkPending(map_.Id());
  MarkMapClean();
}

void TProjectDocument::UpdateCurrentMapName() {
  const int32_t id = mapTree_.currentId;
  TLcfMapTreeItem* node = mapTree_.FindById(id);
  TLcfMapTreeItem* owner = mapTree_.OwningMap(id);
  currentMapName_ = !node || id == 0 ? std::string() : node->IsArea() && owner ? owner->name : node->name;
}

bool TProjectDocument::LoadSelectedMap(int32_t id, bool keepHistory) {
  mapTree_.currentId = id;
  UpdateCurrentMapName();
  TLcfMapTreeItem* owner = mapTree_.OwningMap(id);
  bool loaded = true;
  if (!owner) {
    map_.Unload();
    mapReadOnly_ = false;
    StartHistory();
  } else if (owner->Id() != map_.Id() || map_.width == 0 || keepHistory) {
    mapReadOnly_ = false;
    // The work copy holds the newer edits when there is one.
    try {
      if (owner->pending)
        map_.LoadWorkCopy(scratchFolder_, owner->Id());
      else
        map_.LoadFromProject(projectFolder_, owner->Id());
      // A map that loaded damaged shows what could be read, read-only: nothing is written over
      // its file until the author chooses to discard what was lost.
      if (map_.LoadDamage()) {
        mapReadOnly_ = true;
        ShowFailure(DamagedMapText(*owner, map_.LoadDamage().Message()));
      }
    } catch (const std::exception& e) {
      map_.Unload();
      loaded = false;
      ShowFailure(MapFailureText(*owner, owner->pending, e.what()));
    }
    // A failed load leaves the history to the caller, who may go back to the map it belongs to.
    if (loaded && !keepHistory) StartHistory();
  }
  mapChanged.Emit();
  return loaded;
}

void TProjectDocument::SelectNode(int32_t id) {
  if (!open_ && !mapTree_.HasNodes()) return;
  TModifiedWatch watch(*this);
  TLcfMapTreeItem* owner = mapTree_.OwningMap(id);
  const int32_t before = mapTree_.currentId;
  const int32_t mapBefore = map_.Id();
  if (!owner || owner->Id() != map_.Id()) {
    try {
      StoreCurrentMap();
    } catch (const std::exception& e) {
      // The edits stay in memory, and the map stays the selected one, so nothing is lost.
      ShowFailure(e.what());
      return;
    }
  }
  if (LoadSelectedMap(id)) return;
  // The map could not be read: the node before stays the selected one, with its map read back as
  // it was just stored, and with its undo history.
  if (before != id && LoadSelectedMap(before, mapBefore > 0)) return;
  StartHistory();
}

bool TProjectDocument::SaveMap() {
  TModifiedWatch watch(*this);
  try {
    StoreCurrentMap();
    mapTree_.SaveTree();
  } catch (const std::exception& e) {
    ShowFailure(e.what());
  }
  // What was saved can no longer be undone. A save that failed keeps the history: the edits are
  // still the author's to take back.
  const bool saved = !MapsModified();
  if (saved) history_.Clear();
  return saved;
}

void TProjectDocument::RevertMap() {
  if (ConfirmRevert()) Revert();
}

bool TProjectDocument::ConfirmRevert() const {
  return AskYesNoDestructive(kRevertMapQuestion, messageOwner_) == TMessageResult::Yes;
}

void TProjectDocument::Revert() {
  TModifiedWatch watch(*this);
  const int32_t current = mapTree_.currentId;
  try {
    mapTree_.LoadTree();
  } catch (const std::exception& e) {
    // The tree file cannot be read back: the tree in memory stays, without the edits of the map.
    ShowFailure(e.what());
  }
  NameRoot();
  mapTree_.currentId = mapTree_.FindById(current) ? current : 0;
  map_.Unload();
  StartHistory();
  treeReloaded.Emit();
  LoadSelectedMap(mapTree_.currentId);
}

void TProjectDocument::DiscardWorkCopies() {
  TModifiedWatch watch(*this);
  mapTree_.DiscardWorkCopies();
}

void TProjectDocument::ChangeTree(const std::function<void(TLcfMapTree&)>& change) {
  TModifiedWatch watch(*this);
  change(mapTree_);
  UpdateCurrentMapName();
  treeChanged.Emit();
}

std::vector<int32_t> TProjectDocument::AdoptWorkCopies(const std::vector<int32_t>& ids) {
  TModifiedWatch watch(*this);
  std::vector<int32_t> taken = mapTree_.AdoptWorkCopies(ids);
  TLcfMapTreeItem* owner = mapTree_.OwningMap(mapTree_.currentId);
  if (owner && std::find(taken.begin(), taken.end(), owner->Id()) != taken.end()) {
    map_.Unload();
    if (!BringBackAsEdit(*owner)) LoadSelectedMap(mapTree_.currentId);
  }
  // The adopted maps show their pending marks.
  if (!taken.empty()) treeChanged.Emit();
  return taken;
}

bool TProjectDocument::BringBackAsEdit(TLcfMapTreeItem& owner) {
  // The map as the project holds it is where the history starts; the recovered work is one edit
  // on it, which Undo takes back like any other.
  auto saved = std::make_shared<TLcfMap>();
  auto recovered = std::make_shared<TLcfMap>();
  try {
    recovered->LoadWorkCopy(scratchFolder_, owner.Id());
    saved->LoadFromProject(projectFolder_, owner.Id());
  } catch (const std::exception&) {
    return false;
  }
  if (recovered->LoadDamage() || saved->LoadDamage() || saved->width != recovered->width ||
      saved->height != recovered->height)
    return false;
  map_.LoadFromProject(projectFolder_, owner.Id());
  mapReadOnly_ = false;
  UpdateCurrentMapName();
  StartHistory();
  if (!CanEditMap()) {
    map_.Unload();
    return false;
  }
  const int32_t id = owner.Id();
  auto take = [this, id](const TLcfMap& from) {
    map_.Assign(from);
    map_.SetId(id);
    map_.SetScrollType(map_.scrollType);
  };
  // The edit lives in memory now, as any unsaved edit does; leaving the map stores it again.
  std::remove((WithTrailingBackslash(scratchFolder_) + MapFileName(id)).c_str());
  owner.pending = false;
  // Work on the tiles alone is an edit of the layers, which undone leaves nothing to save.
  TLcfMap probe;
  probe.Assign(*recovered);
  probe.lower.Assign(saved->lower);
  probe.upper.Assign(saved->upper);
  probe.saveCount = saved->saveCount;  // each stored work copy counted one save
  if (probe.SaveToBytes() == saved->SaveToBytes()) {
    EditLayers([&](TLcfMap& m) {
      m.lower.Assign(recovered->lower);
      m.upper.Assign(recovered->upper);
      return TCellRect{0, 0, m.width, m.height};
    });
    return true;
  }
  EditMap([&](TLcfMap&) { take(*recovered); },
          [take, saved, recovered](bool undo) { take(undo ? *saved : *recovered); });
  return true;
}

void TProjectDocument::DataBaseChanged() {
  map_.RefreshTileset();
  // The database window replaced the tileset records: the graphic takes the water settings again.
  chipSet_.SetTileset(nullptr);
  RefreshChipSet();
  mapChanged.Emit();
}

void TProjectDocument::ReloadPictures() {
  chipSet_.ReloadPicture();
  editor_.State().SetLinks(AutotileLinksOf(chipSet_));
  mapChanged.Emit();
}

bool TProjectDocument::MapDamaged() const { return static_cast<bool>(map_.LoadDamage()); }

void TProjectDocument::DiscardDamagedData() {
  if (!MapDamaged()) return;
  TModifiedWatch watch(*this);
  map_.ClearLoadDamage();
  mapReadOnly_ = false;
  // What could be read is now the map: the next save writes it over the damaged file.
  propertiesEdited_ = true;
  mapChanged.Emit();
}

int32_t TProjectDocument::SaveAsNewMap() {
  if (!open_ || !MapDamaged()) return 0;
  const TLcfMapTreeItem* damaged = mapTree_.OwningMap(map_.Id());
  if (!damaged) return 0;
  const int32_t damagedId = damaged->Id();
  const int32_t id = mapTree_.FirstFreeId();
  if (id == 0) {
    ShowFailure("The map cannot be saved as a new map: every map number from 1 to " + std::to_string(kMaxMapId) +
                " is taken.");
    return 0;
  }
  TModifiedWatch watch(*this);
  try {
    // The damaged map object keeps its id and its damage: the copy is the new map.
    TLcfMap recovered;
    recovered.Assign(map_);
    recovered.SaveWorkCopy(scratchFolder_, id);
  } catch (const std::exception& e) {
    ShowFailure(e.what());
    return 0;
  }
  const int32_t parentId = mapTree_.FindById(damaged->parentId) ? damaged->parentId : 0;
  ChangeTree([&](TLcfMapTree& tree) {
    TLcfMapTreeItem* node = tree.AddMapLike(parentId, id, *tree.FindById(damagedId));
    node->name = RecoveredMapName(node->name);
    node->pending = true;
  });
  SelectNode(id);
  if (SaveMap()) {
    const TLcfMapTreeItem* from = mapTree_.FindById(damagedId);
    const TLcfMapTreeItem* to = mapTree_.FindById(id);
    if (from && to) ShowInformation(RecoveredMapText(*from, *to), messageOwner_);
  }
  return id;
}

void TProjectDocument::SetMapReadOnly(bool readOnly) {
  // A damaged map stays read-only until its damage is discarded.
  if (!readOnly && MapDamaged()) return;
  if (readOnly == mapReadOnly_) return;
  mapReadOnly_ = readOnly;
  mapChanged.Emit();
}

// ---------------------------------------------------------------------------------------------
// Questions

bool TProjectDocument::CloseQuery() {
  if (!open_) return true;
  if (MapsModified()) {
    const TMessageResult answer =
        ShowMessageBox(kSaveMapQuestion, {TMessageIcon::Question, TMessageButtons::YesNoCancel}, messageOwner_);
    if (answer == TMessageResult::Cancel) return false;
    if (answer == TMessageResult::Yes && !SaveMap()) return false;
  } else {
    // The tree file also keeps the current node and the expanded states.
    try {
      mapTree_.SaveTree();
    } catch (const std::exception& e) {
      ShowFailure(e.what());
    }
  }
  SaveEditSettings();
  return true;
}

bool TProjectDocument::SavePrompt() {
  if (!MapsModified()) return true;
  if (AskYesNo(kSaveMapQuestion, messageOwner_) != TMessageResult::Yes) return false;
  return SaveMap();
}

void TProjectDocument::SaveEditSettings() {
  try {
    TProfileFile ini(projectFolder_ + kProjectIniName);
    ini.WriteInteger(kProjectIniSection, kModeKey, static_cast<int>(mode_));
    ini.WriteInteger(kProjectIniSection, kZoomKey, static_cast<int>(zoom_));
    ini.Save();
  } catch (const std::exception&) {
    // The settings file cannot be written: closing goes on without it.
  }
}

// ---------------------------------------------------------------------------------------------
// Editing

bool TProjectDocument::CanEditMap() const { return open_ && !mapReadOnly_ && map_.Id() > 0 && map_.width > 0; }

bool TProjectDocument::EditLayers(const std::function<TCellRect(TLcfMap&)>& edit) {
  if (!CanEditMap()) return false;
  TModifiedWatch watch(*this);
  // The cells change under the controller: what it had in progress or lifted is let go first.
  editor_.Deselect();
  history_.PushMap(map_);
  const TCellRect region = edit(map_);
  history_.Sync(map_);
  editor_.TakeChanged();
  if (!region.Empty()) cellsChanged.Emit(TChangedCells{false, region, {}});
  return true;
}

bool TProjectDocument::SaveDataBase() { return open_ && database_.SaveDatabase(projectFolder_, applicationFolder_); }

bool TProjectDocument::ReloadDataBase(std::string* error) {
  return open_ && database_.LoadDatabase(projectFolder_, error);
}

bool TProjectDocument::EditMap(const std::function<void(TLcfMap&)>& edit) { return EditMap(edit, nullptr); }

bool TProjectDocument::EditMap(const std::function<void(TLcfMap&)>& edit,
                               TLcfMapEditUndoManager::TSideEffect sideEffect) {
  if (!CanEditMap()) return false;
  TModifiedWatch watch(*this);
  editor_.Deselect();
  history_.PushMap(map_);
  edit(map_);
  propertiesEdited_ = true;
  history_.Sync(map_);
  if (sideEffect) history_.AttachToNewestStep(std::move(sideEffect));
  // A new size gives the controller new buffers (and the history a fresh start); new events a new
  // event grid; a new tileset a new graphic.
  if (!editor_.State().SizesMatch())
    editor_.SetMap();
  else
    editor_.RefreshEvents();
  RefreshChipSet();
  editor_.TakeChanged();
  mapChanged.Emit();
  return true;
}

void TProjectDocument::EmitChanges() {
  const TChangedCells changed = editor_.TakeChanged();
  if (!changed.Empty()) cellsChanged.Emit(changed);
}

bool TProjectDocument::UseEditor(const std::function<void(TMapEditController&)>& action) {
  if (!CanEditMap()) return false;
  TModifiedWatch watch(*this);
  bool done = true;
  std::string failure;
  try {
    action(editor_);
  } catch (const std::exception& e) {
    failure = e.what();
    done = false;
  } catch (...) {
    failure = "The edit could not be completed.";
    done = false;
  }
  if (!done) {
    // What was in progress goes back as it was before, so the map never keeps half of a stroke.
    try {
      editor_.CancelAction();
    } catch (...) {
    }
  }
  EmitChanges();
  if (!done) ShowFailure(failure.empty() ? std::string("The edit could not be completed.") : failure);
  return done;
}

void TProjectDocument::SetCurrentChip(TEditMode mode, const TLcfCurrentChip& chip) {
  editor_.SetCurrentChip(mode, chip);
  EmitChanges();
}

bool TProjectDocument::Undo() {
  const bool sideEffect = history_.UndoHasSideEffect();
  bool stepped = false;
  const bool done = UseEditor([&](TMapEditController& c) { stepped = c.Undo(); }) && stepped;
  // The step moved events or start positions too: the event grid and the views follow.
  if (done && sideEffect) FollowSideEffect();
  return done;
}

bool TProjectDocument::Redo() {
  const bool sideEffect = history_.RedoHasSideEffect();
  bool stepped = false;
  const bool done = UseEditor([&](TMapEditController& c) { stepped = c.Redo(); }) && stepped;
  if (done && sideEffect) FollowSideEffect();
  return done;
}

void TProjectDocument::FollowSideEffect() {
  editor_.RefreshEvents();
  editor_.TakeChanged();
  mapChanged.Emit();
}

void TProjectDocument::SetEditMode(TEditMode mode) {
  mode_ = mode;
  // Entering the event mode empties the undo history: events are placed without undo, and the map
  // stays as modified as it was.
  editor_.SetMode(mode);
  EmitChanges();
  editStateChanged.Emit();
}

void TProjectDocument::SetTool(TEditTool tool) {
  tool_ = tool;
  editor_.SetTool(tool);
  EmitChanges();
  editStateChanged.Emit();
}

void TProjectDocument::SetZoom(TZoom zoom) {
  zoom_ = zoom;
  editStateChanged.Emit();
}

}  // namespace tess
