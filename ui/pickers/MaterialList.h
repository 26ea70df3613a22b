#pragma once
// The list a material picker shows, without the widgets: fixed entries of the picker first (such
// as "*Tileset 1"), then the materials of one folder (the project's, then the runtime package's
// marked " <RTP>"), and which entry opens selected for the caller's current name.
//
// A current name that neither folder holds is not replaced by the first material: it is listed as
// "name (missing)" and selected, so OK returns the name unchanged instead of quietly changing the
// author's data.

#include <string>
#include <vector>

namespace tess {

struct TMaterialEntry {
  std::string shown;   // as listed: the name, "name <RTP>" or "name (missing)", in the game's code page
  std::string stored;  // the name a record stores: no mark; empty for the picker's own entries
  bool fixed = false;  // one of the picker's own entries
  bool missing = false;
};

inline constexpr const char kMissingMaterialMark[] = " (missing)";

class TMaterialList {
 public:
  // Lists folderName's materials with the extensions after the fixed entries, and selects the
  // entry of currentName: the material of that name, else its runtime package entry, else a
  // missing entry made for it; an empty name selects the first entry (none when the list is
  // empty). A material found only under another spelling of the name is selected and keeps the
  // caller's spelling.
  void Fill(const std::vector<std::string>& fixedEntries, const std::string& folderName,
            const std::vector<std::string>& extensions, const std::string& currentName);

  const std::vector<TMaterialEntry>& Entries() const { return entries_; }
  int Count() const { return static_cast<int>(entries_.size()); }
  // The entry selected at filling; -1 when the list is empty.
  int Selected() const { return selected_; }
  // The stored name of an entry; empty for none (-1) and for the fixed entries.
  std::string NameAt(int index) const;

 private:
  std::vector<TMaterialEntry> entries_;
  int selected_ = -1;
};

}  // namespace tess
