#include "script/ScriptEditModel.h"

#include <algorithm>
#include <climits>

#include "core/ClipboardPort.h"
#include "script/EventCommandLines.h"

namespace tess {

Bytes EncodeCommandClip(const TLcfEventScriptList& lines) {
  Bytes packed;
  lines.EncodeTo(packed);
  Bytes block;
  block.reserve(packed.size() + 4);
  TByteWriter w(block);
  w.WriteU32(static_cast<uint32_t>(packed.size()));
  w.WriteBytes(packed.data(), packed.size());
  return block;
}

TLcfEventScriptList DecodeCommandClip(const Bytes& block) {
  TByteReader r(block.data(), block.size());
  const uint32_t size = r.ReadU32();
  // The block may be larger than what it holds (clipboard memory is handed out rounded up).
  if (size > r.Remaining()) throw EReadError();
  TLcfEventScriptList lines;
  lines.DecodeFrom(r.Here(), size);
  return lines;
}

// ---------------------------------------------------------------------------------------------

void ScriptEditModel::Attach(TLcfEventScriptList* script) {
  script_ = script;
  if (script_ && (script_->Count() == 0 || script_->LineAt(script_->Count() - 1)->code != 0))
    script_->AppendLine(TLcfEventScriptLine(0, 0));
  Render();
  topIndex_ = 0;
  GoToFirstRow();
}

void ScriptEditModel::Refresh() {
  const int before = RowCount();
  Render();
  if (RowCount() != before)
    GoToFirstRow();
  else
    ViewChanged();
}

void ScriptEditModel::GoToFirstRow() {
  itemIndex_ = selAnchor_ = RowCount() > 0 ? 0 : -1;
  ComputeSelection();
  SetTopIndex(0);
  ViewChanged();
}

void ScriptEditModel::Render() {
  rows_.clear();
  if (!script_) return;
  rows_.reserve(static_cast<size_t>(script_->Count()));
  for (int i = 0; i < script_->Count(); ++i) {
    const TLcfEventScriptLine& line = *script_->LineAt(i);
    TRow row{{}, std::max(0, line.indent), IsCommandCode(line.code)};
    converter_.AppendLineText(row.text, line);
    rows_.push_back(std::move(row));
  }
}

const std::string& ScriptEditModel::RowText(int row) const {
  static const std::string none;
  return row >= 0 && row < RowCount() ? rows_[static_cast<size_t>(row)].text : none;
}

int ScriptEditModel::RowDepth(int row) const {
  return row >= 0 && row < RowCount() ? rows_[static_cast<size_t>(row)].depth : 0;
}

bool ScriptEditModel::IsCommandRow(int row) const {
  return row >= 0 && row < RowCount() && rows_[static_cast<size_t>(row)].command;
}

bool ScriptEditModel::IsCommentRow(int row) const { return RowText(row).find("<>Commen") != std::string::npos; }

// ---------------------------------------------------------------------------------------------

void ScriptEditModel::SetItemIndex(int row, bool extend) {
  if (!extend || selAnchor_ < 0) selAnchor_ = row;
  const int count = RowCount();
  row = std::clamp(row, -1, count - 1);
  if (row == itemIndex_ && row != count - 1) return;
  itemIndex_ = count == 0 ? -1 : std::max(row, 0);
  if (itemIndex_ >= 0) {
    if (itemIndex_ < topIndex_)
      SetTopIndex(itemIndex_);
    else if (itemIndex_ >= topIndex_ + visibleRows_)
      SetTopIndex(itemIndex_ - visibleRows_ + 1);
  }
  ComputeSelection();
  ViewChanged();
}

void ScriptEditModel::ComputeSelection() {
  const int count = RowCount();
  selStart_ = selEnd_ = -1;
  if (itemIndex_ < 0) return;
  const int lo = std::min(itemIndex_, selAnchor_), hi = std::max(itemIndex_, selAnchor_);
  // Rows outside the list have depth 0.
  int depth = lo < 0 || hi >= count ? 0 : INT32_MAX;
  const int first = std::max(lo, 0), last = std::min(hi, count - 1);
  for (int i = first; i <= last; ++i) depth = std::min(depth, RowDepth(i));
  auto isCommandAtDepth = [&](int i) { return IsCommandRow(i) && RowDepth(i) == depth; };

  int start = -1;
  for (int i = first; i <= last && start < 0; ++i)
    if (isCommandAtDepth(i)) start = i;
  int end = start;
  for (int i = last; i >= first; --i) {
    if (!isCommandAtDepth(i)) continue;
    // The last command's block runs to the next command at its depth, or to where the depth
    // drops below it: every line of the block goes with it.
    end = count - 1;
    for (int j = i + 1; j < count; ++j) {
      if (RowDepth(j) < depth || isCommandAtDepth(j)) {
        end = j - 1;
        break;
      }
    }
    break;
  }
  // The end-of-script line is selected only on its own.
  if (end == count - 1 && (itemIndex_ < end || start < end)) end = count - 2;
  if (start < 0 || end < start) start = end = -1;
  selStart_ = start;
  selEnd_ = end;
}

void ScriptEditModel::SetSelStart(int row) {
  selAnchor_ = row;
  selStart_ = row;
  ViewChanged();
}

void ScriptEditModel::SetSelEnd(int row) {
  selEnd_ = row;
  ViewChanged();
}

void ScriptEditModel::SetTopIndex(int row) {
  const int top = std::clamp(row, 0, std::max(0, RowCount() - visibleRows_));
  if (top == topIndex_) return;
  topIndex_ = top;
  ViewChanged();
}

void ScriptEditModel::SetVisibleRows(int rows) {
  visibleRows_ = std::max(1, rows);
  SetTopIndex(topIndex_);
}

int ScriptEditModel::NearestCommandRow(int from, int step) const {
  for (int i = from; i >= 0 && i < RowCount(); i += step)
    if (IsCommandRow(i)) return i;
  return -1;
}

void ScriptEditModel::Move(TScriptKey key, bool extend) {
  const int count = RowCount();
  if (count == 0) return;
  const int half = std::max(1, visibleRows_ / 2);
  int target = -1;
  switch (key) {
    case TScriptKey::Up:
      target = NearestCommandRow(itemIndex_ - 1, -1);
      break;
    case TScriptKey::Down:
      target = NearestCommandRow(itemIndex_ + 1, +1);
      break;
    case TScriptKey::Home:
      target = 0;
      break;
    case TScriptKey::End:
      target = count - 1;
      break;
    case TScriptKey::PageUp: {
      const int from = std::max(0, itemIndex_ - half);
      target = NearestCommandRow(from, -1);
      if (target < 0) target = NearestCommandRow(from, +1);
      break;
    }
    case TScriptKey::PageDown: {
      const int from = std::min(count - 1, itemIndex_ + half);
      target = NearestCommandRow(from, +1);
      if (target < 0) target = NearestCommandRow(from, -1);
      break;
    }
  }
  if (target >= 0) SetItemIndex(target, extend);
}

void ScriptEditModel::RowsChanged() {
  itemIndex_ = std::clamp(itemIndex_, 0, std::max(0, RowCount() - 1));
  if (RowCount() == 0) itemIndex_ = -1;
  selAnchor_ = itemIndex_;
  ComputeSelection();
  SetTopIndex(topIndex_);
  ViewChanged();
}

// ---------------------------------------------------------------------------------------------

TScriptMenuState ScriptEditModel::MenuState() const {
  TScriptMenuState state;
  state.selectAll = RowCount() > 1;
  if (!script_ || selStart_ < 0 || selEnd_ < selStart_ || selEnd_ >= RowCount()) return state;
  state.insert = state.edit = state.cut = state.copy = state.remove = true;
  state.paste = Clipboard().HasBlock(kClipEventCommands);
  const int depth = script_->LineAt(selStart_)->indent;
  for (int i = selStart_; i <= selEnd_; ++i) {
    const TLcfEventScriptLine& line = *script_->LineAt(i);
    if (line.indent != depth) continue;
    if (line.code == 0 || line.code == 10) state.edit = state.cut = state.copy = state.remove = false;
    if (i > selStart_ && line.code < kFirstStructuralCode) state.insert = state.edit = false;
  }
  return state;
}

void ScriptEditModel::InsertRebased(int position, const TLcfEventScriptList& lines, int depth) {
  // The line at position is never past the end line, so it is the one the paste is measured from.
  script_->InsertLinesFrom(position, lines, depth - script_->LineAt(position)->indent);
}

bool ScriptEditModel::Insert(const TLcfEventScriptList& lines) {
  if (!MenuState().insert || lines.Count() == 0) return false;
  const int n = lines.Count();
  InsertRebased(selStart_, lines, script_->LineAt(selStart_)->indent);
  Render();
  RowsChanged();
  SetItemIndex(itemIndex_ + n);
  SetItemIndex(itemIndex_ - n);
  Move(TScriptKey::Down, false);
  Changed();
  return true;
}

TLcfEventScriptList ScriptEditModel::SelectedLines() const {
  TLcfEventScriptList lines;
  if (!script_ || selStart_ < 0) return lines;
  for (int i = selStart_; i <= selEnd_; ++i) lines.AppendLine(*script_->LineAt(i));
  return lines;
}

bool ScriptEditModel::ReplaceSelection(const TLcfEventScriptList& lines) {
  if (!MenuState().edit || lines.Count() == 0) return false;
  const int start = selStart_;
  const int depth = script_->LineAt(start)->indent;
  script_->DeleteLines(start, selEnd_ - start + 1);
  InsertRebased(start, lines, depth);
  Render();
  RowsChanged();
  SetItemIndex(start + lines.Count());
  SetItemIndex(start);
  Changed();
  return true;
}

bool ScriptEditModel::Copy() {
  if (!MenuState().copy) return false;
  Clipboard().SetBlock(kClipEventCommands, EncodeCommandClip(SelectedLines()));
  return true;
}

bool ScriptEditModel::Cut() {
  if (!MenuState().cut) return false;
  Copy();
  return Delete();
}

TPasteResult ScriptEditModel::Paste() {
  if (!MenuState().paste) return TPasteResult::NotEnabled;
  std::optional<Bytes> block = Clipboard().GetBlock(kClipEventCommands);
  if (!block) return TPasteResult::NotEnabled;
  TLcfEventScriptList lines;
  try {
    lines = DecodeCommandClip(*block);
  } catch (const ETessError&) {
    return TPasteResult::Damaged;
  }
  if (!IsWholeCommands(lines)) return TPasteResult::Damaged;
  RemoveForeignLines(lines, kind_);
  if (lines.Count() == 0) return TPasteResult::NoneFits;
  InsertRebased(selStart_, lines, script_->LineAt(selStart_)->indent);
  Render();
  RowsChanged();
  SetItemIndex(itemIndex_ + lines.Count());
  Changed();
  return TPasteResult::Pasted;
}

bool ScriptEditModel::Delete() {
  if (!MenuState().remove) return false;
  const int start = selStart_;
  script_->DeleteLines(start, selEnd_ - start + 1);
  // A branch whose last commands went keeps a line of its own.
  RepairBranchEnds(*script_, start, start);
  Render();
  RowsChanged();
  SetItemIndex(start);
  Changed();
  return true;
}

bool ScriptEditModel::SelectAll() {
  if (!MenuState().selectAll) return false;
  SetSelStart(0);
  SetSelEnd(RowCount() - 2);
  return true;
}

void ScriptEditModel::Changed() {
  if (onChanged) onChanged();
}

void ScriptEditModel::ViewChanged() {
  if (onViewChanged) onViewChanged();
}

}  // namespace tess
