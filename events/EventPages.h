#pragma once
// The page operations of the event editor on an event's pages: a new page after the current one
// with its look and movement, a page from the clipboard, deleting a page. Pages are numbered 1..n
// in order; inserting and deleting renumber the pages after.

#include "events/LD_Event.h"

namespace tess {

inline constexpr int kEventPageClipboardFormat = 564;
inline constexpr int kMaxEventPages = 100;

// Inserts a page after position index that takes the page's graphic, movement, trigger, layer,
// overlap, animation, speed and move route, but not its preconditions or script. Returns the new
// page's position, or -1 when the event holds 100 pages or index is no page.
int InsertNewPage(TLcfEventItem& event, int index);
// Puts the page at index on the clipboard.
void CopyPage(const TLcfEventItem& event, int index);
bool CanPastePage(const TLcfEventItem& event);
// Inserts the clipboard's page after index; returns its position, or -1 when nothing was pasted
// (no page on the clipboard, a damaged block, 100 pages already).
int PastePage(TLcfEventItem& event, int index);
// Deletes the page at index unless it is the only one; returns the position that is current then
// (the same one, or the new last page), or -1 when nothing was deleted.
int DeletePage(TLcfEventItem& event, int index);

}  // namespace tess
