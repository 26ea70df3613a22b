#include "ui/AnimationPreview.h"

#include <QLabel>
#include <QMouseEvent>

#include "audio/AudioHarmony.h"
#include "core/MaterialFiles.h"
#include "database/AnimationPageKit.h"

namespace tess {

TAnimationPreview::TAnimationPreview(QWidget* parent) : TBoardView(parent) {
  setObjectName("AnimationPreview");
  SetBoardSize(kPreviewWidth, kPreviewHeight);
  missing_ = new QLabel;
  missing_->setObjectName("AnimationPictureMissing");
  missing_->hide();
  timer_.setTimerType(Qt::PreciseTimer);
  timer_.setInterval(TLcfAnimationGraphic::kFrameMilliseconds / 3);
  connect(&timer_, &QTimer::timeout, this, [this] { Tick(); });
  Draw(0);
}

TAnimationPreview::~TAnimationPreview() {
  timer_.stop();
  // The line lives in the page's layout when the page took it; otherwise it is ours.
  if (!missing_->parent()) delete missing_;
}

void TAnimationPreview::SetAnimation(const TLcfAnimationItem* animation) {
  Stop();
  graphic_.SetAnimation(animation);
  frame_ = 0;
  Refresh();
}

void TAnimationPreview::Refresh() {
  graphic_.SetAnimation(graphic_.Animation());
  const std::string& missing = graphic_.MissingFile();
  missing_->setText(missing.empty() ? QString() : QString("Missing picture: %1").arg(QString::fromStdString(missing)));
  missing_->setVisible(!missing.empty());
  if (!Playing()) Draw(frame_);
}

void TAnimationPreview::ShowFrame(int frame) {
  frame_ = frame;
  if (!Playing()) Draw(frame);
}

void TAnimationPreview::Play() {
  Stop();
  if (!graphic_.Animation()) return;
  graphic_.SetAnimation(graphic_.Animation());
  played_ = -1;
  clock_.start();
  timer_.start();
  Tick();
}

void TAnimationPreview::Stop() {
  if (!timer_.isActive()) return;
  timer_.stop();
  Draw(frame_);
  if (onStopped) onStopped();
}

void TAnimationPreview::Tick() {
  const TLcfAnimationItem* animation = graphic_.Animation();
  if (!animation) {
    Stop();
    return;
  }
  const int lead = TLcfAnimationGraphic::kLeadFrames;
  const int steps = animation->FrameCount() + 2 * lead;  // frames -10 .. count + 9
  const int step = static_cast<int>(clock_.elapsed() / TLcfAnimationGraphic::kFrameMilliseconds);
  if (step >= steps) {
    Stop();
    return;
  }
  if (step == played_) return;
  // Sounds of skipped frames still start; only their pictures are skipped.
  for (int s = played_ + 1; s <= step; ++s)
    for (const TLcfAnimationTimingItem* t : graphic_.SoundsAt(s - lead))
      AudioPlaySound(FindMaterialFile(t->sound.name, "Sound", SoundExtensions()), t->sound.volume, t->sound.tempo,
                     t->sound.balance);
  played_ = step;
  Draw(step - lead);
}

void TAnimationPreview::Draw(int frame) {
  graphic_.DrawFrame(Board(), frame);
  update();
}

void TAnimationPreview::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton && onDragStart && !Playing()) {
    dragging_ = true;
    const QPoint p = event->position().toPoint();
    onDragStart({p.x(), p.y()});
    return;
  }
  TBoardView::mousePressEvent(event);
}

void TAnimationPreview::mouseMoveEvent(QMouseEvent* event) {
  if (dragging_ && onDragMove) {
    const QPoint p = event->position().toPoint();
    onDragMove({p.x(), p.y()});
    return;
  }
  TBoardView::mouseMoveEvent(event);
}

void TAnimationPreview::mouseReleaseEvent(QMouseEvent* event) {
  if (dragging_) {
    dragging_ = false;
    if (onDragEnd) onDragEnd();
    return;
  }
  TBoardView::mouseReleaseEvent(event);
}

}  // namespace tess
