#include "editor/database/EntryListController.h"

#include <algorithm>
#include <cstdio>

#include "core/ClipboardPort.h"
#include "core/EntryCaption.h"

namespace tess {

void TEntryListController::EnsureEntry() {
  if (catalog_.Count() == 0) catalog_.Obtain(1);
}

std::string TEntryListController::LineOf(const TCatalogItem& item) {
  return EntryCaption(item.Id(), item.name, TEmptyName::KeepColon);
}

std::vector<std::string> TEntryListController::Lines() const {
  std::vector<std::string> lines;
  lines.reserve(static_cast<size_t>(catalog_.Count()));
  for (int i = 0; i < catalog_.Count(); ++i) lines.push_back(LineOf(*catalog_.ItemAt(i)));
  return lines;
}

void TEntryListController::SetArraySize(int newSize) { catalog_.Resize(std::clamp(newSize, 1, kMaxArraySize)); }

void TEntryListController::Copy(int index) const {
  if (catalog_.ItemAt(index)) catalog_.CopyToClipboard(format_, index, 1);
}

bool TEntryListController::CanPaste() const { return Clipboard().HasBlock(format_); }

int TEntryListController::Paste(int index) {
  if (!catalog_.ItemAt(index)) return 0;
  return catalog_.PasteFromClipboard(format_, index);
}

void TEntryListController::Clear(int index) {
  if (TCatalogItem* item = catalog_.ItemAt(index)) item->Reset();
}

void TEntryListController::Cut(int index) {
  Copy(index);
  Clear(index);
}

int TEntryListController::MultipleCopyLimit(int index) const {
  return index >= 0 && index < Count() ? Count() - index : 0;
}

void TEntryListController::MultipleCopy(int index, int count) const {
  int n = std::clamp(count, 1, std::max(1, MultipleCopyLimit(index)));
  if (MultipleCopyLimit(index) > 0) catalog_.CopyToClipboard(format_, index, n);
}

}  // namespace tess
