#include "events/EventPages.h"

#include "core/ClipboardPort.h"

namespace tess {

namespace {

TLcfEventPageItem* InsertAfter(TLcfEventItem& event, int index) {
  const TLcfEventPageItem* at = event.pages.ItemAt(index);
  return at ? event.pages.InsertAt(at->Id() + 1) : nullptr;
}

}  // namespace

int InsertNewPage(TLcfEventItem& event, int index) {
  if (event.pages.Count() >= kMaxEventPages || !event.pages.ItemAt(index)) return -1;
  TLcfEventPageItem* page = InsertAfter(event, index);
  const TLcfEventPageItem& from = *event.pages.ItemAt(index);
  page->graphicName = from.graphicName;
  page->graphicIndex = from.graphicIndex;
  page->direction = from.direction;
  page->pattern = from.pattern;
  page->transparent = from.transparent;
  page->moveType = from.moveType;
  page->moveFrequency = from.moveFrequency;
  page->trigger = from.trigger;
  page->layer = from.layer;
  page->forbidOverlap = from.forbidOverlap;
  page->animationType = from.animationType;
  page->moveSpeed = from.moveSpeed;
  page->moveRoute.Assign(from.moveRoute);
  return index + 1;
}

void CopyPage(const TLcfEventItem& event, int index) {
  if (const TLcfEventPageItem* page = event.pages.ItemAt(index)) page->CopyToClipboard(kEventPageClipboardFormat);
}

bool CanPastePage(const TLcfEventItem& event) {
  return event.pages.Count() < kMaxEventPages && Clipboard().HasBlock(kEventPageClipboardFormat);
}

int PastePage(TLcfEventItem& event, int index) {
  if (!CanPastePage(event) || !event.pages.ItemAt(index)) return -1;
  // Read on the side first: a damaged or foreign block adds nothing.
  TLcfEventPageItem pasted;
  pasted.Reset();
  try {
    if (!pasted.PasteFromClipboard(kEventPageClipboardFormat)) return -1;
  } catch (const std::exception&) {
    return -1;
  }
  TLcfEventPageItem* page = InsertAfter(event, index);
  const int32_t id = page->Id();
  page->Assign(pasted);
  page->SetId(id);
  return index + 1;
}

int DeletePage(TLcfEventItem& event, int index) {
  if (event.pages.Count() <= 1 || !event.pages.ItemAt(index)) return -1;
  event.pages.Remove(event.pages.ItemAt(index)->Id());
  return std::min(index, event.pages.Count() - 1);
}

}  // namespace tess
