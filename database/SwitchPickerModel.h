#pragma once
// What the switch and variable pickers do, without a window: a working copy of the list's names
// shown in blocks of 20, the selected id, naming, copy, paste and clear, a new list size, and
// writing the names back to the catalog. The two pickers differ only in the catalog and in the
// process-wide id each remembers.

#include <cstdint>
#include <string>
#include <vector>

namespace tess {

class TCatalog;

enum class TPickerList { Switches, Variables };

class TSwitchPickerModel {
 public:
  static constexpr int kBlock = 20;
  static constexpr int kMaxCount = 9999;
  static constexpr int kNameLength = 20;  // what typing may enter; pasting stores a name whole

  // The id chosen by the last OK in any picker of this list since the program started (1 at first).
  static int32_t& LastId(TPickerList list);
  // The group list's lines for a list of count entries: "[ 0001 - 0020 ]" per block, the last one
  // ending at the last id.
  static std::vector<std::string> GroupLines(int count);

  // source: the list the names come from. target: where Apply writes them (none: names can be
  // edited but not written, as for a database opened only for reading).
  TSwitchPickerModel(TPickerList list, const TCatalog& source, TCatalog* target);

  int Count() const { return static_cast<int>(names_.size()); }
  const std::string& Name(int32_t id) const;
  int32_t SelectedId() const { return selectedId_; }
  int Block() const { return block_; }
  int Row() const { return row_; }
  std::vector<std::string> Groups() const { return GroupLines(Count()); }
  // The "%.4d:%s" lines of the selected block.
  std::vector<std::string> Entries() const;
  std::string EntryLine(int32_t id) const;

  void SelectBlock(int block);  // keeps the row if the block has it, else its last row
  void SelectRow(int row);
  void Select(int32_t id);  // ids outside the list leave the selection as it is
  void Previous();          // F4: across block boundaries
  void Next();              // F5

  void SetName(const std::string& name);  // the selected entry's name
  std::string Copy() const { return Name(selectedId_); }
  void Paste(const std::string& text) { SetName(text); }
  void Clear() { SetName({}); }
  // Whether a new size drops names (the author is asked first), and the new size itself.
  bool SizeLosesData(int count) const { return count < Count(); }
  void SetArraySize(int count);

  bool ApplyEnabled() const { return applyEnabled_; }
  bool CanApply() const { return target_ != nullptr; }
  bool DatabaseChanged() const { return databaseChanged_; }
  // Writes the names and the size to the catalog.
  void Apply();
  // OK: writes back when there is something to apply, remembers the selected id and returns it.
  int32_t Accept();

 private:
  void Reselect();

  TPickerList list_;
  TCatalog* target_;
  std::vector<std::string> names_;
  int32_t selectedId_ = 1;
  int block_ = 0;
  int row_ = 0;
  bool applyEnabled_ = false;
  bool databaseChanged_ = false;
};

}  // namespace tess
