#include "maps/EncounterList.h"

#include "core/ClipboardPort.h"

namespace tess {

int32_t TEncounterList::TroopAt(int row) const { return IsEncounter(row) ? list_.ItemAt(row)->troopId : 0; }

int TEncounterList::SetTroop(int row, int32_t troopId) {
  if (IsEncounter(row)) {
    list_.ItemAt(row)->troopId = troopId;
    return row;
  }
  if (row != list_.Count() || !CanAdd()) return -1;
  list_.Append()->troopId = troopId;
  return row;
}

bool TEncounterList::Delete(int row) {
  if (!IsEncounter(row)) return false;
  list_.Remove(list_.ItemAt(row)->Id());
  return true;
}

bool TEncounterList::Copy(int row) const {
  if (!IsEncounter(row)) return false;
  list_.ItemAt(row)->CopyToClipboard(kEncounterClipboardFormat);
  return true;
}

bool TEncounterList::Cut(int row) { return Copy(row) && Delete(row); }

bool TEncounterList::CanPaste() const { return CanAdd() && Clipboard().HasBlock(kEncounterClipboardFormat); }

int TEncounterList::Paste(int row) {
  if (!CanPaste() || row < 0 || row > list_.Count()) return -1;
  TLcfEncountItem pasted;
  if (!pasted.PasteFromClipboard(kEncounterClipboardFormat)) return -1;
  TLcfEncountItem* item = IsEncounter(row) ? list_.InsertAt(list_.ItemAt(row)->Id()) : list_.Append();
  item->Assign(pasted);
  return row;
}

}  // namespace tess
