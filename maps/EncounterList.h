#pragma once
// The encounter list of the map and area dialogs, without the widget: one row per encounter and
// an empty row at the end, at most 500 encounters, and the clipboard of single encounters.

#include <cstdint>

#include "maps/LD_MapTree.h"

namespace tess {

inline constexpr int kMaxEncounters = 500;
// The private clipboard format of one encounter.
inline constexpr int kEncounterClipboardFormat = 569;

class TEncounterList {
 public:
  explicit TEncounterList(TLcfEncount& list) : list_(list) {}

  // The encounters and the empty row after them.
  int Rows() const { return list_.Count() + 1; }
  bool IsEncounter(int row) const { return row >= 0 && row < list_.Count(); }
  // The troop of a row; 0 on the empty row.
  int32_t TroopAt(int row) const;

  // Edit: a row's troop is replaced; on the empty row a new encounter is added, unless the list
  // is full. Returns the row that changed, or -1.
  bool CanAdd() const { return list_.Count() < kMaxEncounters; }
  int SetTroop(int row, int32_t troopId);
  // Removes a row's encounter; the empty row stays.
  bool Delete(int row);
  // The row's encounter onto the clipboard.
  bool Copy(int row) const;
  bool Cut(int row);
  // Whether the clipboard holds an encounter and there is room for it.
  bool CanPaste() const;
  // Inserts the clipboard's encounter before the row (at the end on the empty row). Returns the
  // new encounter's row, or -1 when nothing was pasted. A damaged block raises and changes
  // nothing.
  int Paste(int row);

 private:
  TLcfEncount& list_;
};

}  // namespace tess
