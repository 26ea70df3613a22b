#include "database/LD_Animation.h"

#include <algorithm>
#include <cstring>

namespace tess {

// ---------------------------------------------------------------------------------------------
// Cells and frames

void TLcfAnimationCellItem::DescribeChunks(TCatalogVarData& v) {
  v.Flag(1, inUse, 1);
  v.Integer(2, section, 0);
  v.Integer(3, x, 0);
  v.Integer(4, y, 0);
  v.Integer(5, zoom, 100);
  v.Integer(6, red, 100);
  v.Integer(7, green, 100);
  v.Integer(8, blue, 100);
  v.Integer(9, saturation, 100);
  v.Integer(10, transparency, 0);
}

void TLcfAnimationPatternItem::DescribeChunks(TCatalogVarData& v) { v.List(1, cells); }

int TLcfAnimationPatternItem::CellsInUse() const {
  int n = 0;
  for (int i = 0; i < cells.Count(); ++i) n += cells.ItemAt(i)->inUse ? 1 : 0;
  return n;
}

int TLcfAnimationPatternItem::AddCell() {
  for (int i = 0; i < cells.Count(); ++i) {
    TLcfAnimationCellItem* cell = cells.ItemAt(i);
    if (!cell->inUse) {
      cell->Reset();
      return i;
    }
  }
  if (cells.Count() >= kMaxCellsPerFrame) return -1;
  cells.Append();
  return cells.Count() - 1;
}

void TLcfAnimationPatternItem::DropDeletedTail() {
  while (cells.Count() > 0 && !cells.ItemAt(cells.Count() - 1)->inUse)
    cells.Delete(cells.ItemAt(cells.Count() - 1)->Id());
}

void TLcfAnimationPatternItem::DeleteCell(int position) {
  TLcfAnimationCellItem* cell = cells.ItemAt(position);
  if (!cell) return;
  cell->inUse = 0;
  DropDeletedTail();
}

void TLcfAnimationPatternItem::SwapCells(int a, int b) {
  TLcfAnimationCellItem* first = cells.ItemAt(a);
  TLcfAnimationCellItem* second = cells.ItemAt(b);
  TLcfAnimationCellItem held;
  held.Assign(*first);
  first->Assign(*second);
  second->Assign(held);
}

bool TLcfAnimationPatternItem::IncrementCell(int position) {
  if (position < 0 || position >= cells.Count() || position >= kMaxCellsPerFrame - 1) return false;
  if (position == cells.Count() - 1) cells.Append()->inUse = 0;
  SwapCells(position, position + 1);
  return true;
}

bool TLcfAnimationPatternItem::DecrementCell(int position) {
  if (position <= 0 || position >= cells.Count()) return false;
  SwapCells(position, position - 1);
  if (!cells.ItemAt(cells.Count() - 1)->inUse) cells.Delete(cells.ItemAt(cells.Count() - 1)->Id());
  return true;
}

// ---------------------------------------------------------------------------------------------
// Timings

void TLcfAnimationTimingItem::DescribeChunks(TCatalogVarData& v) {
  v.Integer(1, frame, 0);
  v.Record(2, sound);
  v.Byte(3, flashScope);
  v.Integer(4, flashRed, 31);
  v.Integer(5, flashGreen, 31);
  v.Integer(6, flashBlue, 31);
  v.Integer(7, flashStrength, 31);
  v.Integer(8, shakeScope, 0);
}

void TLcfAnimationTiming::SortTimings() {
  Sort([](const TLcfAnimationTimingItem& a, const TLcfAnimationTimingItem& b) {
    if (a.frame != b.frame) return a.frame < b.frame;
    const bool aOff = a.sound.name == kNoSoundName, bOff = b.sound.name == kNoSoundName;
    if (aOff != bOff) return bOff;  // "(OFF)" after every name
    if (a.sound.name != b.sound.name) return a.sound.name < b.sound.name;
    return a.shakeScope < b.shakeScope;
  });
}

// ---------------------------------------------------------------------------------------------
// Animations

namespace {
// Values from files may lie anywhere: arithmetic on them saturates instead of overflowing.
int32_t Saturated(int64_t value) { return static_cast<int32_t>(std::clamp<int64_t>(value, INT32_MIN, INT32_MAX)); }
}  // namespace

void TLcfAnimationItem::DescribeChunks(TCatalogVarData& v) {
  v.String(1, name);
  v.String(2, animationFile);
  v.Flag(3, largeCells, 0);
  v.List(6, timings);
  v.Byte(9, scope);
  v.Byte(10, yAxisLine, 2);
  v.List(12, frames, kNewAnimationFrames);
}

void TLcfAnimationItem::Reset() {
  TCatalogBaseItem::Reset();
  cache_.clear();
  dirty_ = true;
}

void TLcfAnimationItem::SetFrameCount(int n) {
  frames.Resize(std::max(0, n));
  dirty_ = true;
}

void TLcfAnimationItem::InsertFrame(int k) {
  TLcfAnimationPatternItem* selected = frames.ItemAt(k);
  if (!selected) return;
  // A new frame right after the selected one, holding a copy of it.
  frames.InsertAt(selected->Id() + 1)->Assign(*selected);
  for (int i = 0; i < timings.Count(); ++i)
    if (int32_t& frame = timings.ItemAt(i)->frame; frame >= k + 1) frame = Saturated(int64_t{frame} + 1);
  dirty_ = true;
}

void TLcfAnimationItem::DeleteFrame(int k) {
  TLcfAnimationPatternItem* selected = frames.ItemAt(k);
  if (!selected) return;
  frames.Remove(selected->Id());
  for (int i = 0; i < timings.Count(); ++i)
    if (int32_t& frame = timings.ItemAt(i)->frame; frame > k + 1) frame = Saturated(int64_t{frame} - 1);
  dirty_ = true;
}

void TLcfAnimationItem::ClonePrevious(int k) {
  TLcfAnimationPatternItem* selected = frames.ItemAt(k);
  TLcfAnimationPatternItem* previous = frames.ItemAt(k - 1);
  if (!selected || !previous) return;
  selected->Assign(*previous);
  dirty_ = true;
}

namespace {
void ShiftCells(TLcfAnimationPattern& frames, int64_t dy) {
  if (dy == 0) return;
  for (int f = 0; f < frames.Count(); ++f) {
    TLcfAnimationCell& cells = frames.ItemAt(f)->cells;
    for (int c = 0; c < cells.Count(); ++c) cells.ItemAt(c)->y = Saturated(cells.ItemAt(c)->y + dy);
  }
}
}  // namespace

void TLcfAnimationItem::SetYAxisLine(uint8_t line, int targetHeight) {
  if (scope != 0 || line == yAxisLine) return;
  ShiftCells(frames, int64_t{yAxisLine - line} * targetHeight / 2);
  yAxisLine = line;
  dirty_ = true;
}

void TLcfAnimationItem::SetScope(uint8_t newScope, int targetHeight) {
  if (newScope == scope) return;
  if (scope == 0)
    ShiftCells(frames, int64_t{yAxisLine - 1} * targetHeight / 2);
  else
    ShiftCells(frames, int64_t{1 - yAxisLine} * targetHeight / 2);
  scope = newScope;
  dirty_ = true;
}

void TLcfAnimationItem::SaveCached(Bytes& out) {
  if (dirty_) {
    cache_.clear();
    SaveTo(cache_);
    dirty_ = false;
  }
  out.insert(out.end(), cache_.begin(), cache_.end());
}

void TLcfAnimationItem::LoadCached(TByteReader& reader) {
  const size_t start = reader.Pos();
  LoadFrom(reader);
  const uint8_t* base = reader.Here() - reader.Pos();
  cache_.assign(base + start, reader.Here());
  dirty_ = false;
}

bool TLcfAnimationItem::ReuseCache(TByteReader& reader) {
  if (dirty_ || cache_.empty() || reader.Remaining() < cache_.size()) return false;
  if (std::memcmp(reader.Here(), cache_.data(), cache_.size()) != 0) return false;
  reader.Skip(cache_.size());
  return true;
}

void TLcfAnimation::LoadReusing(TByteReader& reader) {
  auto& items = Items();
  // The ids of the items held now, by position, to find an item to keep while items move out.
  std::vector<int32_t> oldIds;
  oldIds.reserve(items.size());
  for (const auto& item : items) oldIds.push_back(item->Id());

  std::vector<std::unique_ptr<TCatalogItem>> fresh;
  std::vector<ptrdiff_t> origin;  // position in items each fresh entry came from, or -1
  try {
    const int32_t count = ReadCount(reader);
    fresh.reserve(static_cast<size_t>(count));
    origin.reserve(static_cast<size_t>(count));
    for (int32_t i = 0; i < count; ++i) {
      const int32_t id = ReadItemId(reader, i, count);
      auto at = std::lower_bound(oldIds.begin(), oldIds.end(), id);
      const ptrdiff_t index = at != oldIds.end() && *at == id ? at - oldIds.begin() : -1;
      if (index >= 0 && items[static_cast<size_t>(index)] &&
          static_cast<TLcfAnimationItem*>(items[static_cast<size_t>(index)].get())->ReuseCache(reader)) {
        fresh.push_back(std::move(items[static_cast<size_t>(index)]));
        origin.push_back(index);
      } else {
        origin.push_back(-1);
        fresh.push_back(CreateLoaded(id));
        try {
          static_cast<TLcfAnimationItem*>(fresh.back().get())->LoadCached(reader);
        } catch (EDamagedData& e) {
          ItemDamaged(e, id);
          throw;
        }
      }
    }
    ExpectEnd(reader, "list");
  } catch (...) {
    // Hand every kept item back to its place: the list is as it was.
    for (size_t k = 0; k < fresh.size(); ++k)
      if (origin[k] >= 0) items[static_cast<size_t>(origin[k])] = std::move(fresh[k]);
    throw;
  }
  // Items may come in any order; an id named twice keeps the later item.
  std::stable_sort(fresh.begin(), fresh.end(), [](const auto& a, const auto& b) { return a->Id() < b->Id(); });
  auto last =
      std::unique(fresh.rbegin(), fresh.rend(), [](const auto& a, const auto& b) { return a->Id() == b->Id(); });
  fresh.erase(fresh.begin(), last.base());
  items.swap(fresh);
}

void TLcfAnimation::SaveCached(Bytes& out) {
  TByteWriter w(out);
  w.WriteInt(Count());
  for (int i = 0; i < Count(); ++i) {
    TLcfAnimationItem* item = ItemAt(i);
    w.WriteInt(item->Id());
    item->SaveCached(out);
  }
}

// ---------------------------------------------------------------------------------------------
// Editing helpers

int SnapCellCoordinate(int value, bool grid) {
  if (grid) {
    int q = value >= 0 ? value / 8 : -((-value + 7) / 8);  // floor division
    int r = value - 8 * q;                                 // 0..7
    value = 8 * (r > 4 ? q + 1 : q);
  }
  return std::clamp(value, -kCellLimit, kCellLimit);
}

TFlashTimeline BuildFlashTimeline(const TLcfAnimationItem& animation) {
  const int positions = animation.FrameCount() + 10;
  TFlashTimeline timeline;
  timeline.target.resize(static_cast<size_t>(positions));
  timeline.screen.resize(static_cast<size_t>(positions));
  for (int i = 0; i < animation.timings.Count(); ++i) {
    const TLcfAnimationTimingItem& t = *animation.timings.ItemAt(i);
    if (t.flashScope != 1 && t.flashScope != 2) continue;
    std::vector<TFlash>& line = t.flashScope == 1 ? timeline.target : timeline.screen;
    const int64_t f = t.frame;
    for (int64_t j = f - 1; j <= f + 4; ++j) {
      // A timing at frame 0 (or below) starts before the first position: those positions do not exist.
      if (j < 0 || j >= positions) continue;
      const int64_t strength = std::min<int64_t>(31, int64_t{t.flashStrength} * (f + 6 - j) / 6);
      line[static_cast<size_t>(j)] = {t.flashRed, t.flashGreen, t.flashBlue, static_cast<int>(strength)};
    }
  }
  return timeline;
}

}  // namespace tess
