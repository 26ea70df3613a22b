#include "editor/app/UnsavedWorkKeeper.h"

#include <cstdio>
#include <exception>

#include "core/ScratchFolder.h"
#include "project/ProjectDocument.h"
#include "project/WorkRecovery.h"

namespace tess {

TUnsavedWorkKeeper::TUnsavedWorkKeeper(TProjectDocument& document, QObject* parent)
    : QObject(parent), document_(document) {
  timer_.setSingleShot(true);
  timer_.setInterval(kDelayMs);
  connect(&timer_, &QTimer::timeout, this, [this] { KeepNow(); });
  document_.projectOpened.Connect([this] {
    if (!document_.ScratchPath().empty()) NoteScratchProject(document_.ProjectPath(), document_.ScratchPath());
  });
  document_.projectClosed.Connect([this] { Forget(); });
  document_.cellsChanged.Connect([this](const TChangedCells&) { Follow(); });
  document_.mapChanged.Connect([this] { Follow(); });
  document_.modifiedChanged.Connect([this](bool) { Follow(); });
  document_.treeChanged.Connect([this] { Follow(); });
}

void TUnsavedWorkKeeper::Follow() {
  // Edits wait for a pause; their end (a store, a save, a revert) is followed at once.
  if (document_.IsOpen() && document_.CurrentMapEdited())
    timer_.start();
  else
    KeepNow();
}

void TUnsavedWorkKeeper::KeepNow() {
  timer_.stop();
  const std::string& scratch = document_.ScratchPath();
  if (scratch.empty()) return;
  try {
    if (document_.IsOpen() && document_.CurrentMapEdited() && !document_.MapReadOnly())
      KeepUnsavedMap(scratch, document_.Map());
    else
      DropUnsavedMaps(scratch);
    // A map added since the last save has no place in the project's tree file yet.
    if (document_.IsOpen() && document_.MapTree().IsModified())
      KeepUnsavedTree(scratch, document_.MapTree().SaveToBytes());
    else
      DropUnsavedTree(scratch);
  } catch (const std::exception& e) {
    // The scratch folder is full or gone: the edits are still in memory, and saving reports its
    // own failures. Keeping is tried again after the next edit.
    std::fprintf(stderr, "Tessaly: the unsaved map could not be kept: %s\n", e.what());
  }
}

void TUnsavedWorkKeeper::Forget() {
  timer_.stop();
  const std::string& scratch = document_.ScratchPath();
  if (scratch.empty()) return;
  DropUnsavedMaps(scratch);
  DropUnsavedDatabase(scratch);
  DropUnsavedTree(scratch);
  ForgetScratchProject(scratch);
}

}  // namespace tess
