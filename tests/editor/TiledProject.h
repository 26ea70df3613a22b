#pragma once
// Helpers for tests of the map views. A project whose tileset is a picture of random colours, so that every tile, water
// piece and autotile shape looks different, and its map 1 filled with them: for tests that compare what a map view
// shows.

#include <QEvent>
#include <QPoint>
#include <QRect>
#include <QTemporaryDir>
#include <string>
#include <vector>

#include "core/ProjectFolder.h"
#include "database/LD_ChipSet.h"
#include "maps/GR_ChipSet.h"
#include "maps/LD_Map.h"

class QWidget;

namespace tess {
class TFormMapViewer;
}

namespace tess::test {

// Map of w x h cells: lower chips 5010.. with a band of water and autotiles, upper chips on every
// third cell.
void FillMap(TLcfMap& map, int w, int h);
// The project folder (with a trailing '/') gets the noise tileset as tileset 1 and map 1 filled.
void MakeTiledProject(const std::string& folder, int w, int h);
// Map 1 of such a project in a folder of its own, which is the project folder while it lasts, and
// the graphic its tiles are drawn with.
struct TTiledMap {
  TProcessFoldersScope folders;
  QTemporaryDir dir;
  std::string folder = dir.path().toStdString() + "/";
  TLcfMap map;
  TLcfChipSetItem tileset;
  TLcfChipSetGraphic graphic;

  void Make(int w, int h);
};

// A mouse event sent straight to a widget (with the buttons held after it).
void SendMouse(QWidget* target, QEvent::Type type, Qt::MouseButton button, Qt::MouseButtons held, QPoint at);

// Expects the frame of an area around a client rectangle of the view: light yellow on the edge,
// dark grey one pixel in, the map itself two and three pixels in, light yellow four in and dark
// grey five in, on all four edges.
void ExpectAreaFrame(const TFormMapViewer& view, const QRect& r);
// Whether the view shows the map untouched along the lines such a frame would cover.
bool NoFrameAround(const TFormMapViewer& view, const QRect& r);

// Lets the windows handle what is queued (painting, layout).
void Settle();

}  // namespace tess::test
