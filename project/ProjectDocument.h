#pragma once
// The open project as the editor's windows see it, without any window: the database, the map
// tree, the one map being edited, the editing state (mode, tool, zoom) and the undo history.
// Opening, selecting, storing, saving and reverting maps, the close query and the modified state
// live here; the main window, the map view, the palette and the tree window show it and forward
// the user's actions to it, and tests drive it directly.
//
// Maps modified means: the current map has edits since it was last stored (its layers are away
// from the undo history's clean mark, or something besides the layers was edited), or the map
// tree has pending work copies or deleted maps.

#include <cstdint>
#include <functional>
#include <set>
#include <string>
#include <vector>

#include "core/Signal.h"
#include "database/DataBaseObj.h"
#include "maps/EditModes.h"
#include "maps/GR_ChipSet.h"
#include "maps/LD_Map.h"
#include "maps/LD_MapTree.h"
#include "maps/MapEditController.h"
#include "maps/MapEditUndo.h"

namespace tess {

inline constexpr const char* kSaveMapQuestion = "Map has changed since it was last saved.  Save it now?";
inline constexpr const char* kRevertMapQuestion = "Map data will revert to the last time it was saved.  Proceed?";

// The message about a map that could not be loaded: its id, its name and its file, then the
// error on a line of its own.
std::string MapFailureText(const TLcfMapTreeItem& map, bool workCopy, const std::string& error);
inline constexpr const char* kDiscardDamageHint =
    "\"Save As New Map\" keeps what could be read as a new map and leaves the damaged file as it is; "
    "\"Discard Damaged Data\" keeps what could be read and lets \"Save Map\" write it over the file.";
inline constexpr const char* kDiscardDamageQuestion =
    "What could not be read of the damaged map will be lost when it is saved.  Proceed?";
// The message about a map that loaded damaged: its id, name and file, then the damage (the chunk
// path and the offset).
std::string DamagedMapText(const TLcfMapTreeItem& map, const std::string& damage);
// The name of the new map that keeps what could be read of a damaged one: its name marked.
std::string RecoveredMapName(const std::string& name);
// What "Save As New Map" tells when it has saved the new map.
std::string RecoveredMapText(const TLcfMapTreeItem& damaged, const TLcfMapTreeItem& recovered);

// The warning shown when a tileset's picture cannot be drawn: the tileset, the file and what is
// wrong with it, and how to mend it.
std::string TextOfChipSetFailure(int32_t tilesetId, const std::string& tilesetName, const std::string& error);

class TProjectDocument {
 public:
  // applicationFolder (with a trailing '/') holds the project templates.
  explicit TProjectDocument(std::string applicationFolder);
  TProjectDocument(const TProjectDocument&) = delete;
  TProjectDocument& operator=(const TProjectDocument&) = delete;

  TLcfDataBase& DataBase() { return database_; }
  TLcfMapTree& MapTree() { return mapTree_; }
  TLcfMap& Map() { return map_; }
  const TLcfMap& Map() const { return map_; }
  bool IsOpen() const { return open_; }
  // The open project's folder and the scratch folder of its work copies, each with a trailing '/'.
  const std::string& ProjectPath() const { return projectFolder_; }
  const std::string& ScratchPath() const { return scratchFolder_; }
  // The name the status bar shows for the selected node: the map's, an area's map's, or empty.
  const std::string& CurrentMapName() const { return currentMapName_; }
  // The game's title from the project's settings, read when the project opened; the tree's root
  // shows it.
  const std::string& GameTitle() const { return gameTitle_; }

  // The window that owns the questions and messages the document shows (see MessagePort).
  void SetMessageOwner(void* owner) { messageOwner_ = owner; }

  // --- Project lifetime (the project manager's callbacks)

  // Writes a new project's first files into projectFolder (see CreateProjectFiles); a failure is
  // shown and returns false.
  bool CreateFiles(const std::string& projectFolder, const std::string& scratchFolder, const std::string& gameTitle);
  // Loads the database, the map tree and the selected node's map, and the mode and zoom from the
  // project's settings file. A database that cannot be loaded is shown and returns false; a map
  // tree that cannot be loaded or has no root raises, with everything unloaded again.
  bool Open(const std::string& projectFolder, const std::string& scratchFolder);
  // Unloads everything; the document holds no project afterwards.
  void Close();
  // Saves the database (a window changed it on the side); false when that failed.
  bool SaveDataBase();
  // Reads the database back from its file, dropping changes made on the side; false (error set)
  // when it could not be read.
  bool ReloadDataBase(std::string* error);
  // Marks the loaded database as being in the current data format and saves it.
  void MarkCurrentFormat();

  // --- Maps

  // Selects a node of the tree: leaving a modified map keeps it as a work copy and marks it
  // pending; the node's map is then loaded (its work copy when it has one). A map that cannot be
  // loaded is named in a message (its file and its name), and the node selected before stays
  // selected with its map and its undo history.
  void SelectNode(int32_t id);
  // "Save Map": the current map's edits into its work copy, then the map tree, which commits every
  // pending work copy, and the undo history is emptied. Failures are shown, and the history then
  // stays. Returns false when maps are still modified afterwards.
  bool SaveMap();
  // "Revert to Last Save": asks first (ConfirmRevert); on Yes drops every edit and work copy and
  // reloads the map tree and the current map (Revert).
  void RevertMap();
  bool ConfirmRevert() const;
  void Revert();
  // Drops every uncommitted work copy (the author chose not to save on closing the editor).
  void DiscardWorkCopies();
  // Keeps the current map's edits in its work copy and marks its node pending (nothing when it
  // has none, or when its node has gone from the tree). A failed write raises; the edits stay.
  void StoreCurrentMap();
  // A change of the map tree's nodes (added, pasted, moved, deleted, renamed): the listeners of
  // treeChanged rebuild their views, and modifiedChanged follows when the change made a difference.
  void ChangeTree(const std::function<void(TLcfMapTree&)>& change);
  // Takes work copies recovered into the scratch folder as pending maps (see
  // TLcfMapTree::AdoptWorkCopies); the current map shows its recovered edits. Returns the ids taken.
  std::vector<int32_t> AdoptWorkCopies(const std::vector<int32_t>& ids);
  // The current map has edits since it was last stored in its work copy or file.
  bool CurrentMapEdited() const;

  bool MapsModified() const;
  // After the database window: the map's tileset is checked against the database again.
  void DataBaseChanged();
  // The current map cannot be edited or saved (it loaded damaged); the rest of the project can.
  bool MapReadOnly() const { return mapReadOnly_; }
  // The current map loaded damaged: it is read-only, and never saved over its file, until
  // DiscardDamagedData (the author's choice to keep what could be read, which marks it modified).
  bool MapDamaged() const;
  void DiscardDamagedData();
  // "Save As New Map": what could be read of the damaged current map becomes a new map beside it,
  // under the same parent, with the first free id, the damaged map's tree entry and its name
  // marked as recovered; it is selected and saved at once with the tree (as "Save Map" does).
  // The damaged map and its file stay as they are. Returns the new map's id, or 0 when nothing
  // was added (no damaged map, no free id, the new map could not be written; the reason shown).
  int32_t SaveAsNewMap();
  void SetMapReadOnly(bool readOnly);

  // --- Questions

  // Whether closing the project (or the editor) may go on: with modified maps asks to save them
  // (Yes saves and goes on only when that worked, No goes on without saving, Cancel stops);
  // without, the tree file is saved anyway for its current node and expanded states. Then the
  // mode and zoom are written into the project's settings file.
  bool CloseQuery();
  // Before test play and the game disk: with modified maps asks to save them; No, or a save that
  // leaves maps modified, abandons the command.
  bool SavePrompt();

  // --- Editing

  // Whether the current map may be edited now: a map is loaded and it is not read-only.
  bool CanEditMap() const;
  // One edit of the current map's tile layers: edit changes cells and returns the rectangle it
  // changed. It becomes one undo step; the listeners of cellsChanged are told the rectangle.
  // Refused (false) when the map cannot be edited.
  bool EditLayers(const std::function<TCellRect(TLcfMap&)>& edit);
  // One edit of anything else of the map (properties, events, size); its layers changes are one
  // undo step, and mapChanged follows.
  bool EditMap(const std::function<void(TLcfMap&)>& edit);
  // The same for an edit that changes, besides the layers, something undo and redo must follow
  // (events, start positions): sideEffect(true) takes that back, sideEffect(false) does it again.
  bool EditMap(const std::function<void(TLcfMap&)>& edit, TLcfMapEditUndoManager::TSideEffect sideEffect);

  // The map editor's mouse and key handling over the current map (its mode and tool follow the
  // document's). Views read it freely; whatever may change the map goes through UseEditor.
  const TMapEditController& Editor() const { return editor_; }
  // Runs an action of the editing controller: refused (false) when the map cannot be edited.
  // Afterwards the cells it changed are told through cellsChanged and the modified state is
  // followed. An exception from the action cancels what was in progress (a stroke's cells go
  // back), is shown, and returns false.
  bool UseEditor(const std::function<void(TMapEditController&)>& action);
  // Event drags are handed to the map editor's event manager instead of moving on their own.
  void SetEventDropsDeferred(bool on) { editor_.deferEventDrops = on; }
  // A new current chip for a mode (from the palette); the hotspot returns to the block's corner.
  void SetCurrentChip(TEditMode mode, const TLcfCurrentChip& chip);
  // Told after a block was picked from the map into the current chip of the mode.
  std::function<void(TEditMode)> onChipPicked;

  // The tileset graphic of the current map, which every view of it draws with.
  TLcfChipSetGraphic& ChipSet() { return chipSet_; }
  // After the resource manager: the tileset picture is read again (its file may have been
  // replaced), and mapChanged follows.
  void ReloadPictures();

  // The undo history of the current map.
  const TLcfMapEditUndoManager& History() const { return history_; }
  // How many steps can be undone (1..1000).
  void SetUndoDepth(int depth) { history_.SetDepth(depth); }

  bool CanUndo() const { return editor_.CanUndo(); }
  bool CanRedo() const { return editor_.CanRedo(); }
  // Takes back the last edit of the current map's layers, or does it again; false when there is
  // none. An action in progress is cancelled and the selection dropped first; the whole map is
  // reported changed.
  bool Undo();
  bool Redo();

  TEditMode EditMode() const { return mode_; }
  TEditTool Tool() const { return tool_; }
  TZoom Zoom() const { return zoom_; }
  // Entering the event mode empties the undo history. Outside the tile layers no tool applies.
  void SetEditMode(TEditMode mode);
  void SetTool(TEditTool tool);
  void SetZoom(TZoom zoom);

  // --- What views follow

  TSignal<> projectOpened;
  TSignal<> projectClosed;
  // The map tree was reloaded (revert): views rebuild it.
  TSignal<> treeReloaded;
  // Nodes of the map tree were added, moved, deleted or renamed.
  TSignal<> treeChanged;
  // Another map is loaded, or the current one changed as a whole.
  TSignal<> mapChanged;
  // Cells of the current map changed: each one listed, or every cell of the map.
  TSignal<const TChangedCells&> cellsChanged;
  // MapsModified() changed; the argument is its new value.
  TSignal<bool> modifiedChanged;
  // The mode, tool or zoom changed.
  TSignal<> editStateChanged;

 private:
  class TModifiedWatch;

  // Loads the map of node id and makes the node current; false (with the message shown and the
  // map unloaded) when its map cannot be loaded, and the undo history is then left as it was for
  // the caller to keep or start afresh. keepHistory: the map is the one the history belongs to,
  // read back as it was stored.
  bool LoadSelectedMap(int32_t id, bool keepHistory = false);
  void UpdateCurrentMapName();
  // After an undo or redo step that moved events or start positions besides the layers.
  void FollowSideEffect();
  // The root is named after the game's title whenever the tree is read.
  void NameRoot();
  void SaveEditSettings();
  void MarkMapClean();
  // Makes a recovered work copy of the current map one undoable edit on the project's map; false
  // (nothing changed) when either cannot be read or their sizes differ.
  bool BringBackAsEdit(TLcfMapTreeItem& owner);
  // A map was loaded or unloaded: a fresh history at its saved state.
  void StartHistory();
  // The tileset graphic follows the map's tileset, and the fix-up its autotile links.
  void RefreshChipSet();
  // Tells the author once per tileset when its picture cannot be drawn.
  void ReportChipSetPicture(const TLcfChipSetItem* tileset);
  void EmitChanges();
  void Unload();
  void ShowFailure(const std::string& text) const;

  std::string applicationFolder_;
  std::string projectFolder_;
  std::string scratchFolder_;
  TLcfDataBase database_;
  TLcfMapTree mapTree_;
  TLcfMap map_;
  bool open_ = false;
  bool mapReadOnly_ = false;
  std::string currentMapName_;
  std::string gameTitle_;
  TEditMode mode_ = TEditMode::Lower;
  TEditTool tool_ = TEditTool::Pen;
  TZoom zoom_ = TZoom::Full;
  void* messageOwner_ = nullptr;
  TLcfMapEditUndoManager history_;
  TLcfChipSetGraphic chipSet_;
  std::set<std::string> reportedPictures_;  // tileset id and picture name
  TMapEditController editor_{map_, history_};
  // Something besides the layers was edited since the map was loaded or last stored; the history
  // sees only the layers.
  bool propertiesEdited_ = false;
};

}  // namespace tess
