#pragma once
// The tile palette docked beside the map editor: the chips of the current map's tileset as a grid
// of 32 x 32 cells, six across, one palette per edit mode, in which the author selects a block of
// up to six rows with a drag of the left or right button (a quick click selects one cell; the block
// grows only after the button was held 150 ms). The selected block is framed in the colour of the
// mode. The wheel scrolls 16 pixels per notch, the middle button pans.

#include <QAbstractScrollArea>
#include <QTimer>
#include <optional>

#include "maps/ChipPalette.h"
#include "media/CorvidSheet.h"

namespace tess {

class TLcfChipSetGraphic;
class TWheelPanner;

class TFormChipSelector : public QAbstractScrollArea {
  Q_OBJECT
 public:
  explicit TFormChipSelector(QWidget* parent = nullptr);
  ~TFormChipSelector() override;

  // The graphic the chips are drawn with (none, or shown false: an empty palette, as without a
  // map). Everything is drawn again.
  void SetTileset(TLcfChipSetGraphic* graphic, bool shown);
  // Shows the mode's palette with its own selection and scroll position; selectionChanged follows
  // when the mode changed, so the owner takes the block of the new mode.
  void SetMode(TEditMode mode);
  TEditMode Mode() const { return palette_.Mode(); }

  TCellRect Selection() const { return palette_.Selection(); }
  // Frames another block without telling anyone (a block picked from the map); an empty rectangle
  // frames none.
  void SetSelection(const TCellRect& rect);
  // The selected block as the current chip of the mode; nothing when no block is selected.
  std::optional<TLcfCurrentChip> CurrentChip() const { return palette_.CurrentChip(); }
  // Ends a drag in progress as if another button had been pressed.
  void CancelDrag();

  // The palette board as drawn (tests).
  const TCorvidBoard& Board() const { return board_; }
  int ScrollY() const;

  QSize sizeHint() const override;
  QSize minimumSizeHint() const override;

 signals:
  // The user selected a block, or the mode changed.
  void selectionChanged();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void scrollContentsBy(int dx, int dy) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;

 private:
  void Layout();
  void DrawPalette();
  TCellPoint CellAt(QPoint viewportPos) const;
  QRect ClientRectOf(const TCellRect& cells) const;
  void Select(QPoint viewportPos);
  void AutoScrollTick();
  void StopSelecting();

  TChipPalette palette_;
  TLcfChipSetGraphic* graphic_ = nullptr;
  bool shown_ = false;
  TCorvidBoard board_;
  QBrush hatch_;
  QTimer trigger_;     // 150 ms: the block grows after the button was held this long
  QTimer autoScroll_;  // 40 ms while selecting
  Qt::MouseButton selectButton_ = Qt::NoButton;
  QPoint mouse_;
  int wheel_ = 0;  // the wheel's angle not yet turned into a notch
  bool layingOut_ = false;
  TWheelPanner* panner_;
};

}  // namespace tess
