#pragma once
// The undo history of map editing: undo and redo of the two tile layers, a depth the user sets,
// and a clean mark that tells whether the layers stand at the state last saved.
//
// The history is a line of undo points. Each step between two points stores only the cells that
// differ between them (as runs of cell indices and the XOR of the two values), never whole layers,
// so a deep history of small strokes costs little. Besides the steps it keeps one copy of the
// layers as they stood at the last moment it looked at the map (a push, undo, redo or sync); every
// step is computed against that copy.
//
// Protocol of the editing operations that use it:
//   - a stroke takes before-copies when it starts and, when it ends, calls PushLayers with them;
//   - an operation that pushes first and edits afterwards (paste, clear, moving a selection) calls
//     PushMap before its edits and Sync after them;
//   - every cell write calls NoteEdit, so IsClean is right while an operation is still running.
// A change of the layers that went round the history (a tool that wrote cells without it) is found
// at the next push, sync, undo or redo and added to the step that led to the current point; redo
// steps are dropped then, since they no longer start from the map's state.

#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <vector>

#include "maps/LD_Map.h"

namespace tess {

// The cells of one layer that differ between two states: runs of ascending cell indices (start,
// count) and, run by run, the XOR of the two values of each cell. Applying it to either state
// gives the other.
struct TCellDelta {
  std::vector<uint32_t> runs;
  std::vector<uint16_t> flips;

  bool Empty() const { return flips.empty(); }
  size_t Cells() const { return flips.size(); }
  size_t Bytes() const { return runs.capacity() * sizeof(uint32_t) + flips.capacity() * sizeof(uint16_t); }
  // Appends one cell; indices must ascend.
  void Add(uint32_t index, uint16_t flip);
  // XORs the flips into cells (which must hold every index of the delta).
  void ApplyTo(uint16_t* cells) const;

  // The cells where a and b (n cells each) differ.
  static TCellDelta Between(const uint16_t* a, const uint16_t* b, size_t n);
  // The delta of doing first and then second.
  static TCellDelta Compose(const TCellDelta& first, const TCellDelta& second);
};

class TLcfMapEditUndoManager {
 public:
  static constexpr int kDefaultDepth = 3;
  static constexpr int kMaxDepth = 1000;
  // Beyond this the oldest steps go even within the depth (the newest step always stays), so that
  // a deep history of whole-map fills cannot take the machine's memory.
  static constexpr size_t kDefaultMemoryLimit = size_t{256} << 20;

  // Empties the history for a map of this size. The map is taken to stand at its saved state.
  void SetSize(int width, int height);
  // SetSize for this map, taking its layers as the current state right away.
  void Reset(const TLcfMap& map);
  // Empties the history but keeps the size and the current state; the clean mark stays when the
  // map is clean now and is dropped otherwise.
  void Clear();

  // Makes the map's current layers an undo point; the edit that follows becomes the newest step.
  void PushMap(const TLcfMap& map);
  // Makes the given layers (cells of the map's size: the state before a stroke) an undo point and
  // the map's current layers the result of the newest step.
  void PushLayers(const TLcfMap& map, const TLayerCells& lower, const TLayerCells& upper);
  // Takes in the map's current layers after an operation that pushed before editing.
  void Sync(const TLcfMap& map);
  // Tells the history that the map's layers changed since it last looked (called on cell writes).
  void NoteEdit();

  // What an edit changed besides the layers (events that moved with them, say): effect(true)
  // takes it back, effect(false) does it again. It belongs to the newest step, runs after that
  // step's cells on undo and on redo, and goes when the step goes.
  using TSideEffect = std::function<void(bool undo)>;
  void AttachToNewestStep(TSideEffect effect);
  // Whether the step that Undo or Redo would take has a side effect.
  bool UndoHasSideEffect() const;
  bool RedoHasSideEffect() const;

  // Steps back to the previous undo point; false when there is none.
  bool Undo(TLcfMap& map);
  // Steps forward again; false when there is nothing to redo or the map changed since the undo
  // (the redo steps are dropped then).
  bool Redo(TLcfMap& map);

  int Count() const { return cursor_; }
  int RedoCount() const { return static_cast<int>(steps_.size()) - cursor_; }
  bool CanUndo() const { return cursor_ > 0; }
  bool CanRedo() const { return RedoCount() > 0; }

  // How many steps can be undone: 1..1000, default 3. Lowering it drops the oldest steps.
  void SetDepth(int depth);
  int Depth() const { return depth_; }
  void SetMemoryLimit(size_t bytes);
  // Bytes the history holds: the copy of the current layers and every step.
  size_t MemoryBytes() const;

  // The layers as they stand now are the saved state.
  void MarkClean();
  // The layers stand at the saved state: at the point marked clean, with no edit since. False for
  // good once the saved state has left the history (dropped redo steps, trimmed depth, a map load
  // without a mark).
  bool IsClean() const { return cleanPos_ == cursor_ && !liveDirty_; }

  int Width() const { return width_; }
  int Height() const { return height_; }

 private:
  struct TStep {
    TCellDelta lower;
    TCellDelta upper;
    TSideEffect effect;
    size_t Bytes() const { return lower.Bytes() + upper.Bytes() + sizeof(TStep); }
  };

  size_t CellCount() const { return static_cast<size_t>(width_) * static_cast<size_t>(height_); }
  // Resets the history when the map's size is not the history's (the mark is dropped, since
  // nothing is known about the new layers); false then.
  bool SizeMatches(const TLcfMap& map);
  // Takes in a state the map is known to have been in at the current point: the difference from
  // the copy is added to the step that led here. live tells that the state is the map's present
  // one. Returns whether the state differed from the copy.
  bool Observe(const TLayerCells& lower, const TLayerCells& upper, bool live);
  void AppendStep(TStep step);
  void DropRedo();
  void DropOldest();
  void Trim();
  static void Apply(const TStep& step, uint16_t* lower, uint16_t* upper);

  int width_ = 0;
  int height_ = 0;
  int depth_ = kDefaultDepth;
  size_t memoryLimit_ = kDefaultMemoryLimit;
  std::deque<TStep> steps_;  // oldest first; steps_[i] leads from point i to point i + 1
  size_t stepBytes_ = 0;
  int cursor_ = 0;          // steps applied: the map stands at point cursor_
  TLayerCells knownLower_;  // the layers when the history last looked
  TLayerCells knownUpper_;
  bool known_ = false;      // false until the first look after SetSize
  bool liveDirty_ = false;  // NoteEdit since the last look
  int cleanPos_ = 0;        // the point that is the saved state, -1 when none is
  bool cleanLive_ = false;  // marked clean while edits were not yet looked at: the saved state is
                            // what the next look finds, unless another edit comes first
};

}  // namespace tess
