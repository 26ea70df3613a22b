#include "project/EventSearch.h"

#include <cstdio>

#include "core/Catalog.h"
#include "core/Errors.h"
#include "core/PathUtils.h"
#include "core/QuietMode.h"
#include "core/StreamUtils.h"
#include "database/DataBaseObj.h"
#include "events/CommandShapes.h"
#include "maps/LD_Map.h"
#include "maps/LD_MapTree.h"
#include "script/EventCommands.h"

namespace tess {

namespace {

constexpr int kMapEventsChunk = 81;
constexpr int kEventNameChunk = 1;
constexpr int kEventXChunk = 2;
constexpr int kEventYChunk = 3;
constexpr int kEventPagesChunk = 5;
constexpr int kPageScriptChunk = 52;
constexpr const char* kMapMagic = "LcfMapUnit";

template <class... TArgs>
std::string Format(const char* format, TArgs... args) {
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, format, args...);
  return buffer;
}

// One event as the scan reads it: its scripts stay packed in the file's bytes, or point at the
// lines of a fully loaded map.
struct TScanPage {
  const uint8_t* script = nullptr;
  size_t size = 0;
  const TLcfEventScriptList* lines = nullptr;
};

struct TScanEvent {
  int32_t id = 0;
  std::string name;
  int32_t x = 0;
  int32_t y = 0;
  std::vector<TScanPage> pages;
};

// The layout the scan follows: every record's chunks in ascending id order, every list's items
// in ascending id order, nothing after the map's record. Files written otherwise (which the map
// loader also reads) are loaded in full instead.
struct TPlainLayout {};

// Walks the chunks of a record, handing each (id, body) to take; ids must ascend.
template <class TTake>
void ReadRecord(TByteReader& r, TTake&& take) {
  int32_t last = 0;
  for (;;) {
    const int32_t id = r.ReadInt();
    if (id == 0) return;
    if (id <= last) throw TPlainLayout();
    last = id;
    const size_t length = r.ReadLength();
    TByteReader body = r.Part(length);
    r.Skip(length);
    take(id, body);
  }
}

// Walks a list's items, handing each (position, reader at its record) to take; ids must ascend.
template <class TTake>
void ReadList(TByteReader& r, TTake&& take) {
  const int32_t count = r.ReadInt();
  if (count < 0 || static_cast<size_t>(count) > r.Remaining()) throw EReadError();
  int32_t last = 0;
  for (int32_t i = 0; i < count; ++i) {
    const int32_t id = r.ReadInt();
    if (id <= last) throw TPlainLayout();
    last = id;
    take(id, r);
  }
  if (!r.AtEnd()) throw TPlainLayout();
}

int32_t ReadWholeInt(TByteReader& body) {
  const int32_t value = body.ReadInt();
  if (!body.AtEnd()) throw TPlainLayout();
  return value;
}

// The events of a map file's bytes; false when the file does not have the plain layout or is cut
// short, and the map is then loaded in full.
bool ScanMapEvents(const Bytes& data, std::vector<TScanEvent>& events) {
  events.clear();
  try {
    TByteReader r(data.data(), data.size());
    ExpectMagic(r, kMapMagic);
    ReadRecord(r, [&](int32_t id, TByteReader& body) {
      if (id != kMapEventsChunk) return;
      ReadList(body, [&](int32_t eventId, TByteReader& item) {
        TScanEvent& event = events.emplace_back();
        event.id = eventId;
        ReadRecord(item, [&](int32_t chunk, TByteReader& field) {
          if (chunk == kEventNameChunk)
            event.name.assign(reinterpret_cast<const char*>(field.Here()), field.Remaining());
          else if (chunk == kEventXChunk)
            event.x = ReadWholeInt(field);
          else if (chunk == kEventYChunk)
            event.y = ReadWholeInt(field);
          else if (chunk == kEventPagesChunk)
            ReadList(field, [&](int32_t, TByteReader& page) {
              TScanPage& scan = event.pages.emplace_back();
              ReadRecord(page, [&](int32_t pageChunk, TByteReader& block) {
                if (pageChunk != kPageScriptChunk) return;
                scan.script = block.Here();
                scan.size = block.Remaining();
              });
            });
        });
      });
    });
    if (!r.AtEnd()) throw TPlainLayout();
    return true;
  } catch (const TPlainLayout&) {
  } catch (const EReadError&) {
  } catch (const ETessError&) {
  }
  events.clear();
  return false;
}

// The same events from a fully loaded map.
void ListMapEvents(const TLcfMap& map, std::vector<TScanEvent>& events) {
  events.clear();
  for (int e = 0; e < map.events.Count(); ++e) {
    const TLcfEventItem* item = map.events.ItemAt(e);
    TScanEvent& event = events.emplace_back();
    event.id = item->Id();
    event.name = item->name;
    event.x = item->x;
    event.y = item->y;
    for (int p = 0; p < item->pages.Count(); ++p) event.pages.push_back({nullptr, 0, &item->pages.ItemAt(p)->lines});
  }
}

// The match of one line, decided on as little of it as possible.
class TLineMatcher {
 public:
  TLineMatcher(const TSearchQuery& query, const TFoldCase& fold) : query_(query), fold_(fold) {
    if (query.kind == TSearchKind::Text || query.kind == TSearchKind::EventName) wanted_ = fold(query.text);
  }

  bool ReadsText() const { return query_.kind == TSearchKind::Text; }

  bool Matches(const TLcfEventScriptLine& line) const {
    switch (query_.kind) {
      case TSearchKind::Variable:
        return IsFindVariable(line, query_.id);
      case TSearchKind::Switch:
        return IsFindSwitch(line, query_.id);
      case TSearchKind::Text:
        return IsAuthorText(line.code) && Contains(line.text);
      case TSearchKind::EventName:
        return false;
    }
    return false;
  }
  bool Contains(const std::string& text) const {
    return !wanted_.empty() && fold_(text).find(wanted_) != std::string::npos;
  }
  bool NameEquals(const std::string& name) const { return fold_(name) == wanted_; }

 private:
  const TSearchQuery& query_;
  const TFoldCase& fold_;
  std::string wanted_;
};

// Calls found(index, line) for each line of a packed script that matches; the line's text is read
// only for the text search and only for the lines whose text it reads. A script cut short or out
// of shape raises EReadError.
template <class TFound>
void ScanPackedScript(const uint8_t* data, size_t size, const TLineMatcher& matcher, TFound&& found) {
  TByteReader r(data, size);
  TLcfEventScriptLine line;
  TScriptShapeChecker shape;
  for (int index = 0; !r.AtEnd(); ++index) {
    line.code = r.ReadInt();
    line.indent = r.ReadInt();
    const size_t length = r.ReadLength();
    if (matcher.ReadsText() && IsAuthorText(line.code))
      line.text.assign(reinterpret_cast<const char*>(r.Here()), length);
    else
      line.text.clear();
    r.Skip(length);
    const int32_t count = r.ReadInt();
    if (count < 0 || static_cast<size_t>(count) > r.Remaining()) throw EReadError();
    line.params.resize(static_cast<size_t>(count));
    for (int32_t& p : line.params) p = r.ReadInt();
    // A script the map loader would refuse is not searched here: the caller falls back to the
    // loader, which names the damage.
    if (shape.Feed(line)) throw EReadError();
    if (matcher.Matches(line)) found(index, line);
  }
  if (shape.Finish()) throw EReadError();
}

template <class TFound>
void ScanLines(const TLcfEventScriptList& lines, const TLineMatcher& matcher, TFound&& found) {
  for (int i = 0; i < lines.Count(); ++i)
    if (matcher.Matches(*lines.LineAt(i))) found(i, *lines.LineAt(i));
}

std::string OneLine(std::string text) {
  for (char& c : text)
    if (c == '\n' || c == '\r') c = ' ';
  return text;
}

class TSearch {
 public:
  TSearch(const TSearchSource& source, const TSearchQuery& query, const TSearchProgress& progress)
      : source_(source),
        query_(query),
        progress_(progress),
        fold_(source.foldCase ? source.foldCase : [](std::string_view t) { return LowerAscii(std::string(t)); }),
        matcher_(query, fold_) {
    result_.kind = query.kind;
  }

  TSearchResult Run() {
    const bool allMaps = query_.scope == TSearchScope::AllMaps;
    std::vector<const TLcfMapTreeItem*> maps;
    if (source_.tree) {
      if (allMaps) {
        for (int i = 0; i < source_.tree->Count(); ++i)
          if (source_.tree->ItemAt(i)->IsMap()) maps.push_back(source_.tree->ItemAt(i));
      } else if (query_.scope == TSearchScope::CurrentMap) {
        // The root and areas hold no events.
        const TLcfMapTreeItem* node = source_.tree->FindById(query_.currentMapId);
        if (node && node->IsMap()) maps.push_back(node);
      }
    }
    // Event names stand only on maps.
    if (query_.scope != TSearchScope::CurrentMap && query_.kind != TSearchKind::EventName) SearchCommonEvents();
    result_.mapsToSearch = static_cast<int>(maps.size());
    for (const TLcfMapTreeItem* node : maps) {
      if (progress_ && !progress_(result_.mapsSearched, result_.mapsToSearch)) {
        result_.cancelled = true;
        break;
      }
      SearchMap(*node, allMaps);
      ++result_.mapsSearched;
    }
    if (progress_ && !result_.cancelled) progress_(result_.mapsSearched, result_.mapsToSearch);
    return std::move(result_);
  }

 private:
  void Add(std::string text, const TSearchPlace& place) {
    result_.hits.push_back({std::move(text), place});
    ++result_.matches;
  }

  std::string TextSuffix(const TLcfEventScriptLine& line) const {
    return query_.kind == TSearchKind::Text ? " Text: " + OneLine(line.text) : std::string();
  }

  void SearchCommonEvents() {
    if (!source_.database) return;
    const TLcfCommonEvent& list = source_.database->commonEvents;
    for (int i = 0; i < list.Count(); ++i) {
      const TLcfCommonEventItem* event = list.ItemAt(i);
      const std::string head = "Common Event Name:" + SearchEntryText(event->Id(), event->name);
      TSearchPlace place{TSearchPlace::TKind::CommonEvent, 0, event->Id()};
      if (query_.kind == TSearchKind::Text && matcher_.Contains(event->name)) Add(head, place);
      ScanLines(event->lines, matcher_, [&](int index, const TLcfEventScriptLine& line) {
        place.line = index;
        Add(head + TextSuffix(line), place);
      });
    }
  }

  void SearchMap(const TLcfMapTreeItem& node, bool allMaps) {
    const std::string& folder = node.pending ? source_.scratchFolder : source_.projectFolder;
    const std::string path = PathInFolder(folder, MapFileName(node.Id()));
    try {
      data_ = ReadWholeFile(path);
      bool scanned = false;
      if (ScanMapEvents(data_, events_)) {
        const size_t hits = result_.hits.size();
        const int matches = result_.matches;
        try {
          ScanEvents(node, allMaps);
          scanned = true;
        } catch (const EReadError&) {
          // A script cut short: what this map gave is dropped, and the loader names the damage.
          result_.hits.resize(hits);
          result_.matches = matches;
        }
      }
      if (!scanned) {
        // Not in the plain layout, or damaged: the map loader decides, and names the damage.
        TQuietModeScope loud(false);
        fullMap_.LoadFromBytes(data_);
        ListMapEvents(fullMap_, events_);
        ScanEvents(node, allMaps);
      }
    } catch (const ETessError& e) {
      result_.hits.push_back(
          {"Map Name: " + node.name + " Not searched: " + OneLine(e.what()), {TSearchPlace::TKind::Map, node.Id()}});
      ++result_.unreadMaps;
    }
  }

  void ScanEvents(const TLcfMapTreeItem& node, bool allMaps) {
    const std::string mapHead = allMaps ? "Map Name: " + node.name + " " : std::string();
    for (const TScanEvent& event : events_) {
      TSearchPlace place{TSearchPlace::TKind::MapEvent, node.Id(), event.id, 0, -1, event.x, event.y};
      const std::string location = Format("Loc:  (%3d,%3d)", event.x, event.y);
      if (query_.kind == TSearchKind::EventName) {
        if (matcher_.NameEquals(event.name)) Add(mapHead + location, place);
        continue;
      }
      const std::string eventHead =
          mapHead + "Event Name: " + (allMaps ? SearchEntryText(event.id, event.name) : event.name);
      if (query_.kind == TSearchKind::Text && matcher_.Contains(event.name)) Add(eventHead + " " + location, place);
      for (size_t p = 0; p < event.pages.size(); ++p) {
        const TScanPage& page = event.pages[p];
        place.page = static_cast<int32_t>(p) + 1;
        auto found = [&](int index, const TLcfEventScriptLine& line) {
          place.line = index;
          Add(eventHead + Format(" Page:   %d", place.page) + TextSuffix(line), place);
        };
        if (page.lines)
          ScanLines(*page.lines, matcher_, found);
        else
          ScanPackedScript(page.script, page.size, matcher_, found);
      }
    }
  }

  const TSearchSource& source_;
  const TSearchQuery& query_;
  const TSearchProgress& progress_;
  TFoldCase fold_;
  TLineMatcher matcher_;
  TSearchResult result_;
  Bytes data_;
  std::vector<TScanEvent> events_;
  TLcfMap fullMap_;
};

}  // namespace

std::string SearchEntryText(int32_t id, const std::string& name) {
  return name.empty() ? Format("%.4d", id) : Format("%.4d:", id) + name;
}

std::vector<TSearchHit> TSearchResult::Lines() const {
  std::vector<TSearchHit> lines = hits;
  if (matches == 0 && !cancelled) lines.push_back({kNoMatchesFound, {}});
  if (cancelled) lines.push_back({Format("Search cancelled after %d of %d maps.", mapsSearched, mapsToSearch), {}});
  return lines;
}

TSearchResult RunEventSearch(const TSearchSource& source, const TSearchQuery& query, const TSearchProgress& progress) {
  return TSearch(source, query, progress).Run();
}

}  // namespace tess
