#include "maps/GR_CharSet.h"

#include <exception>

#include "core/MaterialFiles.h"
#include "events/LD_Event.h"

namespace tess {

void TLcfCharSetGraphic::ClearCache() {
  entries_.clear();
  loadCount = acquireCount = dropCount = 0;
}

void TLcfCharSetGraphic::ResetUsage() {
  for (TEntry& e : entries_) e.used = false;
}

void TLcfCharSetGraphic::Load(TEntry& entry) {
  TCorvidSheet& sheet = *entry.sheet;
  sheet.ClearAll();
  try {
    const std::string path = FindExistingMaterialFile(entry.name, "CharSet", PictureExtensions());
    if (path.empty()) {
      entry.error = "CharSet/" + entry.name + ": no such picture in the project or the runtime package";
      return;
    }
    ++loadCount;
    sheet.LoadFromFile(path, true);
    entry.error.clear();
  } catch (const std::exception& e) {
    sheet.ClearAll();
    entry.error = "CharSet/" + entry.name + ": " + e.what();
  } catch (...) {
    sheet.ClearAll();
    entry.error = "CharSet/" + entry.name + ": the picture could not be read";
  }
}

int TLcfCharSetGraphic::Acquire(const std::string& name) {
  ++acquireCount;
  const int index = IndexOf(name);
  if (index >= 0) {
    TEntry& e = entries_[index];
    e.used = true;
    if (!e.error.empty()) Load(e);
    return index;
  }
  TEntry e;
  e.name = name;
  e.used = true;
  e.sheet = std::make_unique<TCorvidSheet>();
  e.sheet->SetSize(kCharSetWidth, kCharSetHeight);
  e.sheet->transparent = true;
  Load(e);
  entries_.push_back(std::move(e));
  return Count() - 1;
}

void TLcfCharSetGraphic::Sweep() {
  size_t i = 0;
  while (i + 1 < entries_.size()) {
    if (entries_[i].used) {
      ++i;
      continue;
    }
    if (entries_.size() <= static_cast<size_t>(kCharSetCacheKeep)) break;
    entries_.erase(entries_.begin() + static_cast<std::ptrdiff_t>(i));
    ++dropCount;
  }
}

void TLcfCharSetGraphic::Refresh(const TLcfEvent& events) {
  ResetUsage();
  for (int e = 0; e < events.Count(); ++e) {
    const TLcfEventPage& pages = events.ItemAt(e)->pages;
    for (int p = 0; p < pages.Count(); ++p) {
      const std::string& name = pages.ItemAt(p)->graphicName;
      if (!name.empty()) Acquire(name);
    }
  }
  Sweep();
}

int TLcfCharSetGraphic::IndexOf(const std::string& name) const {
  for (size_t i = 0; i < entries_.size(); ++i)
    if (entries_[i].name == name) return static_cast<int>(i);
  return -1;
}

}  // namespace tess
