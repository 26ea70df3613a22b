#pragma once
// The battle animation preview as a widget: the battle screen drawn by the preview graphic, showing
// one frame, or playing the animation on a timer from ten frames before the first to nine after the
// last at 33 ms a frame. The window stays responsive while it plays; a frame that comes late is
// skipped rather than played slower. Sounds start at their frames. A picture that cannot be read
// leaves the preview empty and is named in a line under it.

#include <QElapsedTimer>
#include <QTimer>
#include <functional>

#include "database/AnimationGraphic.h"
#include "ui/BoardView.h"

class QLabel;

namespace tess {

class TAnimationPreview : public TBoardView {
  Q_OBJECT
 public:
  explicit TAnimationPreview(QWidget* parent = nullptr);
  ~TAnimationPreview() override;

  // The animation to show (none: an empty stage); stops a play.
  void SetAnimation(const TLcfAnimationItem* animation);
  // After the shown animation changed: reads it again (the picture only when its file changed).
  void Refresh();
  void ShowFrame(int frame);
  int Frame() const { return frame_; }
  void Play();
  void Stop();
  bool Playing() const { return timer_.isActive(); }
  TLcfAnimationGraphic& Graphic() { return graphic_; }
  // The line naming a picture that cannot be read (hidden when there is none), for the page's layout.
  QLabel* MissingLine() const { return missing_; }

  // Drags on the stage, in board pixels: a press, each move with the left button held, the release.
  std::function<void(TPoint)> onDragStart;
  std::function<void(TPoint)> onDragMove;
  std::function<void()> onDragEnd;
  // After a play ended by itself or by Stop.
  std::function<void()> onStopped;

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  void Tick();
  void Draw(int frame);

  TLcfAnimationGraphic graphic_;
  QTimer timer_;
  QElapsedTimer clock_;
  int frame_ = 0;
  int played_ = 0;  // the play's last drawn step, counted from frame -10
  QLabel* missing_ = nullptr;
  bool dragging_ = false;
};

}  // namespace tess
