#include "database/AnimationGraphic.h"

#include <algorithm>
#include <stdexcept>

#include "core/MaterialFiles.h"
#include "database/AnimationPageKit.h"

namespace tess {

namespace {

constexpr TRgb kBackdrop{24, 32, 56};
constexpr TRgb kStandIn{112, 112, 128};
constexpr int kStandInWidth = 48;

// A colour with a flash laid over it, as a sheet's blend does it (strength of 32 parts).
TRgb Flashed(TRgb c, const TFlash& f) {
  if (f.strength <= 0) return c;
  const int a = std::min(f.strength, 32);
  auto mix = [a](int v, int flash) { return static_cast<uint8_t>((v * (32 - a) + flash * 8 * a) / 32); };
  return {mix(c.red, f.red), mix(c.green, f.green), mix(c.blue, f.blue)};
}

uint16_t ToRgb565(TRgb c) { return Rgb565(c.red, c.green, c.blue); }

}  // namespace

void TLcfAnimationGraphic::SetAnimation(const TLcfAnimationItem* animation) {
  animation_ = animation;
  if (!animation) {
    flashes_ = {};
    missing_.clear();
    return;
  }
  const int folder = animation->largeCells ? 1 : 0;
  if (animation->animationFile != loadedFile_ || folder != loadedFolder_) {
    loadedFile_ = animation->animationFile;
    loadedFolder_ = folder;
    missing_.clear();
    sheet_.ClearAll();
    sheet_.FreePixels();
    if (!loadedFile_.empty()) {
      const std::string file =
          FindExistingMaterialFile(loadedFile_, folder ? "Battle2" : "Battle", PictureExtensions());
      try {
        if (file.empty()) throw std::runtime_error("missing");
        sheet_.autoSize = true;
        sheet_.LoadFromFile(file, true);
      } catch (const std::exception&) {
        sheet_.ClearAll();
        sheet_.FreePixels();
        missing_ = std::string(folder ? "Battle2/" : "Battle/") + loadedFile_;
      }
    }
    sheet_.transparent = true;
  }
  flashes_ = BuildFlashTimeline(*animation);
}

void TLcfAnimationGraphic::SetTarget(TCorvidSheet* target) { target_ = target; }

int TLcfAnimationGraphic::TargetHeight() const {
  return target_ && target_->Height() > 0 ? target_->Height() : kPreviewTargetHeight;
}

TFlash TLcfAnimationGraphic::FlashAt(const std::vector<TFlash>& line, int i) const {
  return i >= 0 && i < static_cast<int>(line.size()) ? line[static_cast<size_t>(i)] : TFlash{};
}

void TLcfAnimationGraphic::DrawFrame(TCorvidBoard& board, int i) {
  const TFlash screen = FlashAt(flashes_.screen, i);
  const TFlash target = FlashAt(flashes_.target, i);
  board.Fill(ToRgb565(Flashed(kBackdrop, screen)));

  // The target first, with the target flash and the screen flash over it.
  const int height = TargetHeight();
  if (target_ && target_->Width() > 0) {
    target_->transparent = true;
    target_->opacity = 255;
    target_->adjust1.SetColorAndBlend(100, 100, 100, 100, target.red, target.green, target.blue, target.strength,
                                      false);
    target_->adjust2.SetColorAndBlend(100, 100, 100, 100, screen.red, screen.green, screen.blue, screen.strength, true);
    board.DrawSheet(kPreviewTargetX - target_->Width() / 2, kPreviewTargetY - height / 2, target_->BoundsRect(),
                    *target_);
  } else {
    board.FillRect(Bounds(kPreviewTargetX - kStandInWidth / 2, kPreviewTargetY - height / 2, kStandInWidth, height),
                   ToRgb565(Flashed(Flashed(kStandIn, target), screen)));
  }

  if (!animation_ || i < 0 || i >= animation_->FrameCount() || sheet_.Width() == 0) return;
  const TPoint origin = AnimationOrigin(*animation_, height);
  const int side = animation_->largeCells ? 128 : 96;
  const TLcfAnimationCell& cells = animation_->frames.ItemAt(i)->cells;
  for (int c = 0; c < cells.Count(); ++c) {
    const TLcfAnimationCellItem& cell = *cells.ItemAt(c);
    if (!cell.inUse) continue;
    const int section = std::clamp(cell.section, 0, kAnimationSections - 1);
    const TRect source = Bounds(side * (section % 5), side * (section / 5), side, side);
    // Each adjustment recomputes the palette only when its values differ from the last cell's.
    sheet_.adjust1.SetColor(cell.red, cell.green, cell.blue, cell.saturation, true);
    sheet_.adjust2.SetBlend(screen.red, screen.green, screen.blue, screen.strength, true);
    sheet_.opacity = (100 - std::clamp(cell.transparency, 0, 100)) * 255 / 100;
    board.DrawSheetZoomed(origin.x + double(cell.x), origin.y + double(cell.y), source, sheet_, side / 2.0, side / 2.0,
                          std::clamp(cell.zoom, 1, 10000) / 100.0);
  }
  sheet_.opacity = 255;
}

int TLcfAnimationGraphic::CelAt(int i, TPoint p) const {
  if (!animation_ || i < 0 || i >= animation_->FrameCount()) return -1;
  const TPoint origin = AnimationOrigin(*animation_, TargetHeight());
  const int side = animation_->largeCells ? 128 : 96;
  const TLcfAnimationCell& cells = animation_->frames.ItemAt(i)->cells;
  for (int c = cells.Count() - 1; c >= 0; --c) {
    const TLcfAnimationCellItem& cell = *cells.ItemAt(c);
    if (!cell.inUse) continue;
    const double half = side / 2.0 * std::clamp(cell.zoom, 1, 10000) / 100.0;
    const double dx = p.x - (origin.x + double(cell.x)), dy = p.y - (origin.y + double(cell.y));
    if (dx >= -half && dx < half && dy >= -half && dy < half) return c;
  }
  return -1;
}

std::vector<const TLcfAnimationTimingItem*> TLcfAnimationGraphic::SoundsAt(int i) const {
  std::vector<const TLcfAnimationTimingItem*> sounds;
  if (!animation_) return sounds;
  for (int k = 0; k < animation_->timings.Count(); ++k) {
    const TLcfAnimationTimingItem* t = animation_->timings.ItemAt(k);
    if (t->frame == i + 1 && t->sound.name != kNoSoundName && !t->sound.name.empty()) sounds.push_back(t);
  }
  return sounds;
}

}  // namespace tess
