#pragma once
// "Define Area Boundaries": the map at 1/2 (buttons for 1/1, 1/2 and 1/4) on which the author
// draws an area's rectangle with the left button. The rectangle is shown as its first and last
// cells; OK is enabled only for a rectangle that is not empty. Scrolling the view moves the map's
// position in the map tree only while the window is open: the position it had is put back when it
// closes, so the map editor opens the map where it was.

#include <QDialog>

#include "maps/CellRect.h"

class QButtonGroup;
class QLabel;
class QPushButton;

namespace tess {

class TFormAreaMaker;
class TLcfChipSetGraphic;
class TLcfMap;
class TLcfMapTree;

class TFormMapSetArea : public QDialog {
  Q_OBJECT
 public:
  // tree, map and graphic are the caller's and must outlive the window.
  TFormMapSetArea(TLcfMapTree& tree, const TLcfMap& map, TLcfChipSetGraphic& graphic, const TCellRect& rect,
                  QWidget* parent = nullptr);
  ~TFormMapSetArea() override;

  TCellRect Rect() const { return rect_; }
  TFormAreaMaker* Viewer() const { return viewer_; }
  QLabel* RectText() const { return text_; }
  QPushButton* OkButton() const { return ok_; }
  // The zoom buttons: 32, 16 and 8 pixels per cell.
  QPushButton* ZoomButton(int cellSize) const;

  void done(int result) override;

 private:
  void RectChanged();
  void RestoreScroll();

  TLcfMapTree& tree_;
  int32_t mapId_;
  TCellRect rect_;
  int32_t scrollX_ = 0, scrollY_ = 0;  // the map's position in the tree when the window opened
  bool restored_ = false;
  TFormAreaMaker* viewer_;
  QLabel* text_;
  QPushButton* ok_;
  QButtonGroup* zoom_;
};

}  // namespace tess
