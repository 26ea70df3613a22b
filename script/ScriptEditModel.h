#pragma once
// The script pane without its widget: the rows a script shows, the current row and the selection
// that keeps commands whole, the keys that move through them, and the editing operations with their
// enabling rules. The three script editors (map event pages, common events, troop battle pages)
// share it; the list widget only paints it and forwards the user's input.
//
// A selection always starts at a command row and covers whole commands of the shallowest depth
// involved, each with its case lines, enclosed lines and end line.

#include <functional>
#include <string>
#include <vector>

#include "events/LD_EventScript.h"
#include "script/EventCommands.h"
#include "script/EventScriptConverter.h"

namespace tess {

// The private clipboard format of event command lines: the byte size of the packed lines (32-bit
// little-endian), then the lines packed as a script.
inline constexpr int kClipEventCommands = 566;

Bytes EncodeCommandClip(const TLcfEventScriptList& lines);
// The lines of a clipboard block; raises "Stream read error." for a block that does not hold
// whole packed lines.
TLcfEventScriptList DecodeCommandClip(const Bytes& block);

struct TScriptMenuState {
  bool insert = false;
  bool edit = false;
  bool cut = false;
  bool copy = false;
  bool paste = false;
  bool remove = false;
  bool selectAll = false;
  bool operator==(const TScriptMenuState&) const = default;
};

enum class TPasteResult {
  NotEnabled,  // nothing selected, or no event commands on the clipboard
  Damaged,     // the clipboard's block is not whole commands; nothing was pasted
  NoneFits,    // every line was one this script cannot hold
  Pasted,
};

enum class TScriptKey { Up, Down, Home, End, PageUp, PageDown };

class ScriptEditModel {
 public:
  ScriptEditModel(const TEventScriptConverter& converter, TScriptKind kind) : converter_(converter), kind_(kind) {}

  TScriptKind Kind() const { return kind_; }
  // Shows a script (or none). A script that does not end with the end-of-script line gets one.
  // The first row becomes current.
  void Attach(TLcfEventScriptList* script);
  TLcfEventScriptList* Script() const { return script_; }

  // Renders every line again, after names it shows were changed elsewhere. When the number of
  // lines is what it was, the rows keep their place and selection; otherwise the first row becomes
  // current.
  void Refresh();

  int RowCount() const { return static_cast<int>(rows_.size()); }
  // "" outside the list.
  const std::string& RowText(int row) const;
  // The nesting depth of a row (0 outside the list).
  int RowDepth(int row) const;
  // Whether a row begins a selection (its text begins with "<>" after the indentation).
  bool IsCommandRow(int row) const;
  bool IsSelected(int row) const { return selStart_ >= 0 && row >= selStart_ && row <= selEnd_; }
  // A comment row, which is drawn in green.
  bool IsCommentRow(int row) const;

  int ItemIndex() const { return itemIndex_; }
  int SelAnchor() const { return selAnchor_; }
  int SelStart() const { return selStart_; }
  int SelEnd() const { return selEnd_; }
  int TopIndex() const { return topIndex_; }
  int VisibleRows() const { return visibleRows_; }

  // Makes a row current and selects the whole commands from the anchor to it; with extend the
  // anchor stays where it was (Shift, or dragging).
  void SetItemIndex(int row, bool extend = false);
  // Set the selection directly, without regard to blocks (Select All).
  void SetSelStart(int row);
  void SetSelEnd(int row);
  // Scrolls; clamped to 0 .. RowCount - VisibleRows.
  void SetTopIndex(int row);
  void SetVisibleRows(int rows);
  // Up and Down go to the nearest command row above or below; Page Up and Page Down half a view
  // first. Nothing happens where there is no such row.
  void Move(TScriptKey key, bool extend);

  TScriptMenuState MenuState() const;

  // Each operation checks its own enabling rule and does nothing (false) where its menu item would
  // be disabled.
  //
  // Inserts a chooser's lines before the selection, at the selection's depth; the selected line
  // stays current after a one-line command, the block's first enclosed row after a block.
  bool Insert(const TLcfEventScriptList& lines);
  // Copies of the selected lines, for Edit.
  TLcfEventScriptList SelectedLines() const;
  // Replaces the selected lines with a dialog's lines; the first new line becomes current.
  bool ReplaceSelection(const TLcfEventScriptList& lines);
  bool Copy();
  bool Cut();
  // Pastes the clipboard's event commands before the selection. The block is checked as a whole
  // first; lines this kind of script cannot hold are dropped with their blocks.
  TPasteResult Paste();
  bool Delete();
  bool SelectAll();

  // Called after every change of the script (the editor marks itself changed), and after every
  // change of what is shown.
  std::function<void()> onChanged;
  std::function<void()> onViewChanged;

 private:
  struct TRow {
    std::string text;
    int depth;
    bool command;
  };

  void Render();
  void GoToFirstRow();
  // Re-applies the current row after the rows changed.
  void RowsChanged();
  void ComputeSelection();
  int NearestCommandRow(int from, int step) const;
  void InsertRebased(int position, const TLcfEventScriptList& lines, int depth);
  void Changed();
  void ViewChanged();

  const TEventScriptConverter& converter_;
  TScriptKind kind_;
  TLcfEventScriptList* script_ = nullptr;
  std::vector<TRow> rows_;
  int itemIndex_ = -1;
  int selAnchor_ = -1;
  int selStart_ = -1;
  int selEnd_ = -1;
  int topIndex_ = 0;
  int visibleRows_ = 1;
};

}  // namespace tess
