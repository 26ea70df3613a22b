#pragma once
// Battle animations: frame-by-frame effects built from cells cut out of a picture, with timed
// sounds, flashes and screen shakes. They are the bulkiest records of the database, so each item
// keeps the exact bytes of its own encoding: unchanged items are neither parsed nor re-encoded when
// the database is saved or reloaded.

#include "core/Catalog.h"
#include "media/LD_Sound.h"

namespace tess {

inline constexpr int kMaxCellsPerFrame = 8;
inline constexpr int kMaxTimings = 500;
inline constexpr int kNewAnimationFrames = 20;
inline constexpr int kAnimationSections = 25;  // a 5 x 5 grid of cells on the picture
inline constexpr int kCellLimit = 320;         // cell offsets run from -320 to 320

inline constexpr const char* kBattleAnimationMissing =
    "Event script referenced a battle animation that does not exist.";

// One cell of a frame.
class TLcfAnimationCellItem : public TCatalogItem {
 public:
  TLcfAnimationCellItem() { Reset(); }
  explicit TLcfAnimationCellItem(TUnreset) {}

  uint8_t inUse{};  // 0: deleted, keeps its place until the slot is reused
  int32_t section{};
  int32_t x{};
  int32_t y{};
  int32_t zoom{};
  int32_t red{};
  int32_t green{};
  int32_t blue{};
  int32_t saturation{};
  int32_t transparency{};

  void DescribeChunks(TCatalogVarData& v) override;
};

class TLcfAnimationCell : public TCatalogOf<TLcfAnimationCellItem> {
 public:
  TLcfAnimationCell() : TCatalogOf(kBattleAnimationMissing, "cell") {}
};

// One frame: the cells drawn, first to last.
class TLcfAnimationPatternItem : public TCatalogItem {
 public:
  TLcfAnimationCell cells;

  void DescribeChunks(TCatalogVarData& v) override;

  int CellsInUse() const;
  // Reuses the first deleted cell, else appends one while the frame has fewer than 8; returns the
  // cell's position, or -1 when the frame is full.
  int AddCell();
  // Marks the cell deleted, then drops deleted cells from the end of the list.
  void DeleteCell(int position);
  // Moves the cell one place later (drawn later); at the end a deleted cell is appended first.
  // Returns false when nothing moved.
  bool IncrementCell(int position);
  // Moves the cell one place earlier, then drops a deleted last cell.
  bool DecrementCell(int position);

 private:
  void SwapCells(int a, int b);
  void DropDeletedTail();
};

class TLcfAnimationPattern : public TCatalogOf<TLcfAnimationPatternItem> {
 public:
  TLcfAnimationPattern() : TCatalogOf(kBattleAnimationMissing, "frame") {}
};

// A sound, flash or shake that starts at a frame.
class TLcfAnimationTimingItem : public TCatalogItem {
 public:
  TLcfAnimationTimingItem() { Reset(); }
  explicit TLcfAnimationTimingItem(TUnreset) {}

  int32_t frame{};  // counted from 1
  TLcfSound sound;
  uint8_t flashScope{};  // 0 none, 1 target, 2 screen
  int32_t flashRed{};
  int32_t flashGreen{};
  int32_t flashBlue{};
  int32_t flashStrength{};
  int32_t shakeScope{};

  void DescribeChunks(TCatalogVarData& v) override;
};

class TLcfAnimationTiming : public TCatalogOf<TLcfAnimationTimingItem> {
 public:
  TLcfAnimationTiming() : TCatalogOf(kBattleAnimationMissing, "timing") {}
  bool CanAdd() const { return Count() < kMaxTimings; }
  // Orders by frame, then sound name (byte order, "(OFF)" after every name), then shake scope, and
  // renumbers 1..n.
  void SortTimings();
};

class TLcfAnimationItem : public TCatalogItem {
 public:
  TLcfAnimationItem() { Reset(); }
  explicit TLcfAnimationItem(TUnreset) {}

  std::string animationFile;
  uint8_t largeCells{};  // 0: 96 x 96 cells from Battle, 1: 128 x 128 cells from Battle2
  TLcfAnimationTiming timings;
  uint8_t scope{};      // 0 local, 1 global
  uint8_t yAxisLine{};  // 0 high, 1 centre, 2 low
  TLcfAnimationPattern frames;

  void DescribeChunks(TCatalogVarData& v) override;
  // Empties everything, makes 20 empty frames and forgets the cached bytes.
  void Reset() override;

  int FrameCount() const { return frames.Count(); }
  void SetFrameCount(int n);
  // The frame at position k stands twice afterwards; timings after it move one frame later.
  void InsertFrame(int k);
  // Timings after the frame move one frame earlier; timings at it stay.
  void DeleteFrame(int k);
  // Frame k becomes a copy of the frame before it.
  void ClonePrevious(int k);
  // Moves every cell vertically so cells keep their place relative to a target of the given height
  // when the y axis line or the scope changes. The y axis line cannot change in global scope.
  void SetYAxisLine(uint8_t line, int targetHeight);
  void SetScope(uint8_t newScope, int targetHeight);

  // Every change to the item must mark it, or a save writes the bytes it had before.
  void MarkDirty() { dirty_ = true; }
  bool IsDirty() const { return dirty_; }
  const Bytes& CachedBytes() const { return cache_; }

  // Appends the item's encoding: the cached bytes when clean, else a fresh encoding, then cached.
  void SaveCached(Bytes& out);
  // Parses the item and keeps the bytes it was read from.
  void LoadCached(TByteReader& reader);
  // When the item is clean and the input holds exactly its cached bytes here, skips them and
  // returns true; otherwise reads nothing.
  bool ReuseCache(TByteReader& reader);

 private:
  Bytes cache_;
  bool dirty_ = true;
};

class TLcfAnimation : public TCatalogOf<TLcfAnimationItem> {
 public:
  TLcfAnimation() : TCatalogOf(kBattleAnimationMissing, "battle animation") {}

  // Loads the list, keeping each existing clean item whose cached bytes are what the input holds
  // for it, and parsing the others; the list must end where the reader does. Items the input does
  // not name are deleted. On any error the list is left exactly as it was and the error passes on.
  void LoadReusing(TByteReader& reader);
  // Saves the list through each item's cache.
  void SaveCached(Bytes& out);
};

// Snaps a dragged cell coordinate: to the nearest multiple of 8 with the grid (a remainder of
// exactly 4 rounds down), then clamps to -320..320.
int SnapCellCoordinate(int value, bool grid);

// The flashes of an animation by 0-based frame position, for FrameCount + 10 positions.
struct TFlash {
  int red = 0, green = 0, blue = 0, strength = 0;
  bool operator==(const TFlash&) const = default;
};
struct TFlashTimeline {
  std::vector<TFlash> target;
  std::vector<TFlash> screen;
};
// Each flash starts at its frame at about 7/6 of its strength and fades over six frames; a later
// timing entry overwrites an earlier one at the same position.
TFlashTimeline BuildFlashTimeline(const TLcfAnimationItem& animation);

}  // namespace tess
