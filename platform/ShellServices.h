#pragma once
// Small services every window shares: the application, temporary and scratch folders, folder
// deletion, drive queries and window placement. Placement is pure geometry over rectangles so it
// can be checked without windows; the editor applies the results to its widgets.

#include <QPoint>
#include <QRect>
#include <QSize>
#include <string>

#include "core/FolderTree.h"  // TempFolder, DeleteFolderTree

namespace tess {

// The folder of the program file, with a trailing '/'.
std::string ApplicationFolder();

// The per-user scratch folder TESS_TEMP: under $XDG_RUNTIME_DIR when set, else in the temporary
// folder with the user id in its name. Creates it (mode 0700) when missing, refuses one that is a
// link or belongs to another user, records it as ScratchFolder() and returns it with a trailing
// '/'; empty when no safe folder could be made.
std::string PrepareScratchFolder();

// Drive queries. The drive of a path is the mounted volume that holds it (the path's nearest
// existing folder).
bool DriveExists(const std::string& path);
// The volume is ready and its root holds at least one entry.
bool DriveHasMedia(const std::string& path);
// A floppy disk drive: a /dev/fd device, or a removable device of at most 2.88 MB.
bool IsFloppyDrive(const std::string& path);
bool IsCdRomDrive(const std::string& path);
// The root of the first mounted floppy drive without a trailing '/', or empty when there is none.
std::string FindFloppyDrive();

// Moves frame left and up so that it fits inside area, then right and down so that it does not
// start before the area's top-left corner: a window wider than the area ends at its left edge.
QRect KeepOnScreen(const QRect& frame, const QRect& area);
// A window of size at the owner's client origin plus dx, dy, kept on screen.
QRect PlaceInOwner(const QSize& size, const QPoint& ownerClientOrigin, int dx, int dy, const QRect& area);
// A window of size centred over the owner's frame, kept on screen.
QRect CenterOnOwner(const QSize& size, const QRect& ownerFrame, const QRect& area);

// Sets the mouse position to itself so that the cursor shape updates.
void RefreshMouseCursor();

}  // namespace tess
