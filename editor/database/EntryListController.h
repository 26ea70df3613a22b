#pragma once
// The entry list every list page of the database window shares: its lines, array size, copy, paste,
// clear, cut and multiple copy. Headless, so it is tested without widgets; the page's list widget
// only shows Lines() and forwards the user's commands here.

#include <string>
#include <vector>

#include "core/Catalog.h"

namespace tess {

class TEntryListController {
 public:
  static constexpr int kMaxArraySize = 9999;

  TEntryListController(TCatalog& catalog, int clipboardFormat) : catalog_(catalog), format_(clipboardFormat) {}

  TCatalog& Catalog() const { return catalog_; }
  int Format() const { return format_; }
  int Count() const { return catalog_.Count(); }

  // A list always shows at least one entry: an empty catalog gets entry 1 on the spot.
  void EnsureEntry();
  // "%.4d:%s": the id with four digits and the entry's name, as stored bytes; the colon stays
  // when the name is empty.
  static std::string LineOf(const TCatalogItem& item);
  std::vector<std::string> Lines() const;

  // Array size: a smaller size loses the entries above it, so the page asks first.
  bool SizeLosesData(int newSize) const { return newSize < Count(); }
  // Grows with entries at their defaults or deletes the entries numbered above newSize; the size is
  // kept within 1..9999.
  void SetArraySize(int newSize);

  void Copy(int index) const;
  bool CanPaste() const;
  // Pastes the clipboard's entries over the entry at index and those after it, growing the list as
  // needed (never past entry 5000). Returns how many were pasted.
  int Paste(int index);
  // Resets the entry to its defaults; its id stays.
  void Clear(int index);
  void Cut(int index);
  // How many entries Multiple Copy may take from index: those from it to the end.
  int MultipleCopyLimit(int index) const;
  void MultipleCopy(int index, int count) const;

 private:
  TCatalog& catalog_;
  int format_;
};

}  // namespace tess
