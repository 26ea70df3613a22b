#pragma once
// The battle animation preview: one animation drawn frame by frame onto a board as the battle
// screen shows it, with its cells' section, magnification, transparency and colour cast, and the
// flashes of its timings. The picture is read only when the animation's file (or its folder)
// changes. Playing on a timer belongs to the widget that shows the board; this class draws one
// frame and tells which sounds start at it. Shakes are not shown.

#include <string>
#include <vector>

#include "database/LD_Animation.h"
#include "media/CorvidSheet.h"

namespace tess {

class TLcfAnimationGraphic {
 public:
  // Frames a play runs before the first frame and after the last, in which flashes still show.
  static constexpr int kLeadFrames = 10;
  static constexpr int kFrameMilliseconds = 33;

  // Takes the animation to show (none: an empty preview): reads its picture when the file or the
  // folder differs from the one read last, and builds the flash timeline. Call it again after the
  // animation changed.
  void SetAnimation(const TLcfAnimationItem* animation);
  const TLcfAnimationItem* Animation() const { return animation_; }
  // The picture's name when it could not be read (the preview then draws no cells), else empty.
  const std::string& MissingFile() const { return missing_; }
  // The target the animation plays on (a monster graphic); none: a plain stand-in of the default
  // height. The sheet must outlive the graphic or be replaced.
  void SetTarget(TCorvidSheet* target);
  int TargetHeight() const;

  // Draws frame i (0-based; positions before 0 and past the last frame draw only the backdrop and
  // the target with their flashes) onto a board of the battle screen's size.
  void DrawFrame(TCorvidBoard& board, int i);
  // The cel of frame i drawn topmost at a board point (the last one in use whose drawn square holds
  // it), or -1.
  int CelAt(int i, TPoint p) const;
  // The timings whose sounds start at frame i.
  std::vector<const TLcfAnimationTimingItem*> SoundsAt(int i) const;

  TCorvidSheet& Sheet() { return sheet_; }

 private:
  TFlash FlashAt(const std::vector<TFlash>& line, int i) const;

  const TLcfAnimationItem* animation_ = nullptr;
  TCorvidSheet sheet_;
  std::string loadedFile_;
  int loadedFolder_ = -1;
  std::string missing_;
  TFlashTimeline flashes_;
  TCorvidSheet* target_ = nullptr;
};

}  // namespace tess
