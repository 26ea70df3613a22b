#include "maps/MapEditUndo.h"

#include <algorithm>
#include <cstring>

namespace tess {

// ---------------------------------------------------------------------------------------------
// Cell deltas

void TCellDelta::Add(uint32_t index, uint16_t flip) {
  if (!runs.empty() && runs[runs.size() - 2] + runs.back() == index)
    ++runs.back();
  else {
    runs.push_back(index);
    runs.push_back(1);
  }
  flips.push_back(flip);
}

void TCellDelta::ApplyTo(uint16_t* cells) const {
  size_t p = 0;
  for (size_t r = 0; r < runs.size(); r += 2) {
    uint16_t* cell = cells + runs[r];
    for (uint32_t k = 0; k < runs[r + 1]; ++k) cell[k] ^= flips[p++];
  }
}

TCellDelta TCellDelta::Between(const uint16_t* a, const uint16_t* b, size_t n) {
  TCellDelta d;
  // Most of a map is the same in both states: compare in blocks and look at cells only where a
  // block differs.
  constexpr size_t kBlock = 512;
  for (size_t i = 0; i < n; i += kBlock) {
    size_t len = std::min(kBlock, n - i);
    if (std::memcmp(a + i, b + i, len * sizeof(uint16_t)) == 0) continue;
    for (size_t j = i; j < i + len; ++j)
      if (a[j] != b[j]) d.Add(static_cast<uint32_t>(j), static_cast<uint16_t>(a[j] ^ b[j]));
  }
  d.runs.shrink_to_fit();
  d.flips.shrink_to_fit();
  return d;
}

namespace {

// Walks the cells of a delta in ascending order.
class TDeltaCursor {
 public:
  explicit TDeltaCursor(const TCellDelta& d) : d_(d) {}
  bool Done() const { return run_ >= d_.runs.size(); }
  uint32_t Index() const { return d_.runs[run_] + offset_; }
  uint16_t Flip() const { return d_.flips[flip_]; }
  void Next() {
    ++flip_;
    if (++offset_ == d_.runs[run_ + 1]) {
      run_ += 2;
      offset_ = 0;
    }
  }

 private:
  const TCellDelta& d_;
  size_t run_ = 0;
  uint32_t offset_ = 0;
  size_t flip_ = 0;
};

}  // namespace

TCellDelta TCellDelta::Compose(const TCellDelta& first, const TCellDelta& second) {
  if (first.Empty()) return second;
  if (second.Empty()) return first;
  TCellDelta d;
  TDeltaCursor a(first), b(second);
  while (!a.Done() || !b.Done()) {
    if (b.Done() || (!a.Done() && a.Index() < b.Index())) {
      d.Add(a.Index(), a.Flip());
      a.Next();
    } else if (a.Done() || b.Index() < a.Index()) {
      d.Add(b.Index(), b.Flip());
      b.Next();
    } else {
      // A cell changed by both: a change that went back to where it started leaves the delta.
      if (uint16_t flip = a.Flip() ^ b.Flip()) d.Add(a.Index(), flip);
      a.Next();
      b.Next();
    }
  }
  d.runs.shrink_to_fit();
  d.flips.shrink_to_fit();
  return d;
}

// ---------------------------------------------------------------------------------------------
// The history

void TLcfMapEditUndoManager::SetSize(int width, int height) {
  width_ = std::max(0, width);
  height_ = std::max(0, height);
  steps_.clear();
  stepBytes_ = 0;
  cursor_ = 0;
  knownLower_.assign(CellCount(), 0);
  knownUpper_.assign(CellCount(), 0);
  known_ = false;
  liveDirty_ = false;
  cleanPos_ = 0;
  cleanLive_ = false;
}

void TLcfMapEditUndoManager::Reset(const TLcfMap& map) {
  SetSize(map.lower.width, map.lower.height);
  if (map.lower.cells.size() != CellCount() || map.upper.cells.size() != CellCount()) return;
  CopyCells(map.lower.cells, knownLower_);
  CopyCells(map.upper.cells, knownUpper_);
  known_ = true;
}

void TLcfMapEditUndoManager::Clear() {
  // The current point becomes point 0; edits not yet looked at stay pending.
  cleanPos_ = cleanPos_ == cursor_ ? 0 : -1;
  steps_.clear();
  stepBytes_ = 0;
  cursor_ = 0;
}

bool TLcfMapEditUndoManager::SizeMatches(const TLcfMap& map) {
  const size_t n = CellCount();
  if (map.lower.width == width_ && map.lower.height == height_ && map.lower.cells.size() == n &&
      map.upper.cells.size() == n)
    return true;
  SetSize(map.lower.width, map.lower.height);
  cleanPos_ = -1;
  return map.lower.cells.size() == CellCount() && map.upper.cells.size() == CellCount();
}

bool TLcfMapEditUndoManager::Observe(const TLayerCells& lower, const TLayerCells& upper, bool live) {
  bool changed;
  if (known_) {
    TStep gap{TCellDelta::Between(knownLower_.data(), lower.data(), CellCount()),
              TCellDelta::Between(knownUpper_.data(), upper.data(), CellCount())};
    changed = !gap.lower.Empty() || !gap.upper.Empty();
    if (changed) {
      Apply(gap, knownLower_.data(), knownUpper_.data());
      if (cursor_ > 0) {
        TStep& last = steps_[static_cast<size_t>(cursor_ - 1)];
        stepBytes_ -= last.Bytes();
        last.lower = TCellDelta::Compose(last.lower, gap.lower);
        last.upper = TCellDelta::Compose(last.upper, gap.upper);
        stepBytes_ += last.Bytes();
      }
    }
  } else {
    // Nothing to compare with: only the edits noted tell.
    changed = live && liveDirty_;
    CopyCells(lower, knownLower_);
    CopyCells(upper, knownUpper_);
    known_ = true;
  }
  if (changed) {
    // The current point is no longer the state it was: what followed it cannot be redone, and the
    // saved state, if it was this point, is gone.
    DropRedo();
    if (cleanPos_ == cursor_ && !cleanLive_) cleanPos_ = -1;
  }
  if (live) cleanLive_ = false;  // the saved state, if waiting for this look, is now the copy
  return changed;
}

void TLcfMapEditUndoManager::AppendStep(TStep step) {
  DropRedo();
  stepBytes_ += step.Bytes();
  steps_.push_back(std::move(step));
  ++cursor_;
  liveDirty_ = false;
  Trim();
}

void TLcfMapEditUndoManager::PushMap(const TLcfMap& map) {
  if (!SizeMatches(map)) return;
  Observe(map.lower.cells, map.upper.cells, true);
  // The step is empty until the edit that follows is taken in by the next look.
  AppendStep(TStep{});
}

void TLcfMapEditUndoManager::PushLayers(const TLcfMap& map, const TLayerCells& lower, const TLayerCells& upper) {
  if (!SizeMatches(map) || lower.size() != CellCount() || upper.size() != CellCount()) return;
  bool cleanWasLive = cleanLive_;
  Observe(lower, upper, false);
  TStep step{TCellDelta::Between(lower.data(), map.lower.cells.data(), CellCount()),
             TCellDelta::Between(upper.data(), map.upper.cells.data(), CellCount())};
  Apply(step, knownLower_.data(), knownUpper_.data());
  AppendStep(std::move(step));
  if (cleanWasLive) {
    // Marked clean during the stroke: the saved state is its result.
    cleanPos_ = cursor_;
    cleanLive_ = false;
  }
}

void TLcfMapEditUndoManager::Sync(const TLcfMap& map) {
  if (!SizeMatches(map)) return;
  Observe(map.lower.cells, map.upper.cells, true);
  liveDirty_ = false;
}

void TLcfMapEditUndoManager::NoteEdit() {
  liveDirty_ = true;
  if (cleanLive_) {
    // The saved state was never looked at and is being overwritten.
    cleanLive_ = false;
    cleanPos_ = -1;
  }
}

void TLcfMapEditUndoManager::AttachToNewestStep(TSideEffect effect) {
  if (cursor_ > 0) steps_[static_cast<size_t>(cursor_ - 1)].effect = std::move(effect);
}

bool TLcfMapEditUndoManager::UndoHasSideEffect() const {
  return cursor_ > 0 && steps_[static_cast<size_t>(cursor_ - 1)].effect != nullptr;
}

bool TLcfMapEditUndoManager::RedoHasSideEffect() const {
  return CanRedo() && steps_[static_cast<size_t>(cursor_)].effect != nullptr;
}

void TLcfMapEditUndoManager::Apply(const TStep& step, uint16_t* lower, uint16_t* upper) {
  step.lower.ApplyTo(lower);
  step.upper.ApplyTo(upper);
}

bool TLcfMapEditUndoManager::Undo(TLcfMap& map) {
  if (!SizeMatches(map) || cursor_ == 0) return false;
  Observe(map.lower.cells, map.upper.cells, true);
  const TStep& step = steps_[static_cast<size_t>(--cursor_)];
  Apply(step, map.lower.cells.data(), map.upper.cells.data());
  Apply(step, knownLower_.data(), knownUpper_.data());
  liveDirty_ = false;
  if (step.effect) step.effect(true);
  return true;
}

bool TLcfMapEditUndoManager::Redo(TLcfMap& map) {
  if (!SizeMatches(map) || !CanRedo()) return false;
  if (Observe(map.lower.cells, map.upper.cells, true)) return false;
  const TStep& step = steps_[static_cast<size_t>(cursor_++)];
  Apply(step, map.lower.cells.data(), map.upper.cells.data());
  Apply(step, knownLower_.data(), knownUpper_.data());
  liveDirty_ = false;
  if (step.effect) step.effect(false);
  return true;
}

void TLcfMapEditUndoManager::DropRedo() {
  while (static_cast<int>(steps_.size()) > cursor_) {
    stepBytes_ -= steps_.back().Bytes();
    steps_.pop_back();
  }
  if (cleanPos_ > cursor_) cleanPos_ = -1;
}

void TLcfMapEditUndoManager::DropOldest() {
  stepBytes_ -= steps_.front().Bytes();
  steps_.pop_front();
  --cursor_;
  if (cleanPos_ == 0)
    cleanPos_ = -1;
  else if (cleanPos_ > 0)
    --cleanPos_;
}

void TLcfMapEditUndoManager::Trim() {
  while (cursor_ > depth_ || (cursor_ > 1 && stepBytes_ > memoryLimit_)) DropOldest();
  // Redo steps beyond the depth (after it was lowered) go from the far end.
  while (static_cast<int>(steps_.size()) > depth_) {
    stepBytes_ -= steps_.back().Bytes();
    steps_.pop_back();
    if (cleanPos_ > static_cast<int>(steps_.size())) cleanPos_ = -1;
  }
}

void TLcfMapEditUndoManager::SetDepth(int depth) {
  depth_ = std::clamp(depth, 1, kMaxDepth);
  Trim();
}

void TLcfMapEditUndoManager::SetMemoryLimit(size_t bytes) {
  memoryLimit_ = bytes;
  Trim();
}

size_t TLcfMapEditUndoManager::MemoryBytes() const {
  return sizeof(*this) + (knownLower_.capacity() + knownUpper_.capacity()) * sizeof(uint16_t) + stepBytes_;
}

void TLcfMapEditUndoManager::MarkClean() {
  cleanPos_ = cursor_;
  cleanLive_ = liveDirty_;
  liveDirty_ = false;
}

}  // namespace tess
