#pragma once
// Middle-button panning of a scroll area. A press of the middle button marks the point with a small
// white square; then, every 100 ms, the view scrolls toward the mouse, faster the farther the mouse
// is from the mark (nothing within 8 pixels), along the axes whose scroll bars can move. The
// panning ends on any mouse press, on releasing the button more than 12 pixels from the mark (a
// short click leaves it running until the next press), on the wheel, and when Shift, Ctrl or Alt
// is pressed; the area then takes the focus.

#include <QObject>
#include <QPoint>
#include <QTimer>

class QAbstractScrollArea;
class QWidget;

namespace tess {

class TWheelPanner : public QObject {
  Q_OBJECT
 public:
  static constexpr int kTickMs = 100;
  static constexpr int kDeadZone = 8;
  static constexpr int kReleaseDistance = 12;

  explicit TWheelPanner(QAbstractScrollArea* area);
  ~TWheelPanner() override;

  // Starts at a point of the area's viewport; false (and nothing happens) when neither scroll bar
  // can move.
  bool Start(QPoint viewportPos);
  void Stop();
  bool Active() const { return active_; }

  // How far one tick scrolls with the mouse at offset from the mark: round(1.2^(d - 8)) pixels along
  // the direction of the mouse (d its distance), nothing within the dead zone, and only along the
  // axes that can move.
  static QPoint Step(QPoint offset, bool horizontal, bool vertical);
  // The direction of an offset: 0 north, 1 north-east, ... 7 north-west; -1 within the dead zone.
  static int Octant(QPoint offset);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void Tick();
  void ShowCursor();
  bool CanMoveHorizontally() const;
  bool CanMoveVertically() const;

  QAbstractScrollArea* area_;
  QWidget* mark_ = nullptr;
  QTimer timer_;
  bool active_ = false;
  QPoint origin_;  // in the viewport
  QPoint mouse_;   // the last mouse position in the viewport
};

}  // namespace tess
