#pragma once
// Character graphics: the sheets of the CharSet material folder that a map's events show.
//
// A sheet is an 8-bit picture of 288 x 256 pixels holding eight characters, four across and two
// down, each 72 x 128. Inside a character, pattern p (0..2) and facing d (0..3) select the 24 x 32
// frame at (24 p, 32 d). A picture of another size is loaded without resizing: a larger one is cut
// at the right and bottom, a smaller one leaves the rest blank.
//
// TLcfCharSetGraphic is the cache of sheets that whoever draws a map keeps beside it: each sheet is
// read once per name and kept while the map's events name it; sheets no event names any more are
// dropped only while the cache holds more than kCharSetCacheKeep names, so switching back and forth
// between pages or maps does not read the same files again and again.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "media/CorvidSheet.h"

namespace tess {

class TLcfEvent;

constexpr int kCharSetWidth = 288;
constexpr int kCharSetHeight = 256;
constexpr int kCharacterWidth = 72;
constexpr int kCharacterHeight = 128;
constexpr int kCharFrameWidth = 24;
constexpr int kCharFrameHeight = 32;
constexpr int kCharactersPerSheet = 8;
constexpr int kCharFacings = 4;   // up, right, down, left
constexpr int kCharPatterns = 3;  // left, middle, right
constexpr int kCharFacingDown = 2;
constexpr int kCharPatternMiddle = 1;

// An unused sheet is dropped only while more than this many names are cached.
constexpr int kCharSetCacheKeep = 20;

constexpr bool IsCharFrame(int character, int facing, int pattern) {
  return character >= 0 && character < kCharactersPerSheet && facing >= 0 && facing < kCharFacings && pattern >= 0 &&
         pattern < kCharPatterns;
}

// The frame of a character, facing and pattern in a sheet (all three in range, see IsCharFrame).
inline TRect CharFrameRect(int character, int facing, int pattern) {
  return Bounds((character % 4) * kCharacterWidth + pattern * kCharFrameWidth,
                (character / 4) * kCharacterHeight + facing * kCharFrameHeight, kCharFrameWidth, kCharFrameHeight);
}

class TLcfCharSetGraphic {
 public:
  TLcfCharSetGraphic() = default;
  TLcfCharSetGraphic(const TLcfCharSetGraphic&) = delete;
  TLcfCharSetGraphic& operator=(const TLcfCharSetGraphic&) = delete;

  // Frees every sheet and resets the counters.
  void ClearCache();
  // Clears the used mark of every entry.
  void ResetUsage();
  // Marks the name used and returns its index. A name not cached yet is appended with a new
  // 288 x 256 sheet read from the CharSet folder (the project's, then the runtime package's); a
  // picture that is missing or unreadable gives a blank sheet, and LoadedAt says so. A cached name
  // whose picture was missing is looked up again, so a sheet imported since shows; a cached sheet
  // that was read is never read again. Never throws.
  int Acquire(const std::string& name);
  // Drops the entries not marked used, from the first on, while more than kCharSetCacheKeep names
  // are cached; the walk stops at the first unused entry it may not drop. The last entry is never
  // examined, so the sheet appended most recently always stays.
  void Sweep();
  // Acquires the graphic name of every page of every event (empty names are tile graphics), then
  // sweeps: what a map does whenever its events change.
  void Refresh(const TLcfEvent& events);

  // The cached index of a name, or -1; never loads.
  int IndexOf(const std::string& name) const;
  int Count() const { return static_cast<int>(entries_.size()); }
  const std::string& NameAt(int index) const { return entries_[index].name; }
  bool UsedAt(int index) const { return entries_[index].used; }
  // Whether the sheet at index holds its picture; false when none was found or it was unreadable.
  bool LoadedAt(int index) const { return entries_[index].error.empty(); }
  // Why the sheet at index is blank; empty when it loaded.
  const std::string& ErrorAt(int index) const { return entries_[index].error; }
  // The sheet at index: transparent (index 0 is never drawn).
  TCorvidSheet& SheetAt(int index) { return *entries_[index].sheet; }

  // Since the cache was last emptied: pictures read, acquisitions, and entries the sweeps dropped.
  int32_t loadCount = 0;
  int32_t acquireCount = 0;
  int32_t dropCount = 0;

 private:
  struct TEntry {
    std::string name;
    std::unique_ptr<TCorvidSheet> sheet;
    bool used = false;
    std::string error;
  };
  void Load(TEntry& entry);

  std::vector<TEntry> entries_;
};

}  // namespace tess
