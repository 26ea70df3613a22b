#pragma once
// The tileset page's tile grid: the entries of the current tool's layer with their marks, at 1:1.
// A left or right press applies the tool to the entry under the pointer, moving with the button
// held paints, and only the cells that changed are drawn again.

#include <QWidget>
#include <functional>

#include "database/ChipSetRules.h"
#include "maps/ChipSetFlagBoard.h"

namespace tess {

class TLcfChipSetGraphic;

class TChipSetFlagView : public QWidget {
  Q_OBJECT
 public:
  TChipSetFlagView(std::function<TLcfChipSetItem*()> tileset, TLcfChipSetGraphic& graphic, QWidget* parent = nullptr);

  void SetTool(TChipSetTool tool);
  TChipSetTool Tool() const { return edit_.tool; }
  void SetTerrain(int terrain) { edit_.terrain = terrain; }
  int Terrain() const { return edit_.terrain; }
  // Draws every cell again (another entry, another picture, another tool).
  void Redraw();
  TChipSetFlagBoard& Board() { return board_; }
  QImage Image() const;

  // What the author's pointer does, in widget pixels (tests drive these directly).
  void Press(QPoint at, bool left);
  void MoveTo(QPoint at);
  void Release();

  QSize sizeHint() const override;

 signals:
  void changed();
  // A right click of the terrain tool picked the entry's terrain.
  void terrainPicked(int terrain);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  std::function<TLcfChipSetItem*()> tileset_;
  TLcfChipSetGraphic& graphic_;
  TChipSetFlagBoard board_;
  TChipSetToolEdit edit_;
};

}  // namespace tess
