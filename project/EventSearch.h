#pragma once
// Event search: where a variable or a switch is used, where events of a name stand, and where a
// piece of the author's text is written, over the current map, the common events, or every map and
// the common events. Each result is a line of text and the place it was found, so that a view can
// lead the author there.
//
// Maps are read from their files (a pending map from its work copy) into the search's own reading
// of them, never into the editor's map: the scan decodes only the events and their scripts, and a
// file it cannot follow is loaded in full to find out whether it is damaged. A map that cannot be
// read is named among the results with the reason, and the search goes on.

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace tess {

class TLcfDataBase;
class TLcfMapTree;

inline constexpr const char* kNoMatchesFound = "No Matches Found.";

enum class TSearchKind : uint8_t { Variable = 0, Switch = 1, EventName = 2, Text = 3 };
// In the order the search window lists them.
enum class TSearchScope : uint8_t { CurrentMap = 0, CommonEvents = 1, AllMaps = 2 };

// Where a result was found.
struct TSearchPlace {
  enum class TKind : uint8_t {
    None,         // the summary lines
    Map,          // a map as a whole (one that could not be read)
    MapEvent,     // an event of a map: a page and line, or the event itself (page 0)
    CommonEvent,  // a common event: a line, or the common event itself (line -1)
  };
  TKind kind = TKind::None;
  int32_t mapId = 0;
  int32_t eventId = 0;  // the map event's or the common event's id
  int32_t page = 0;     // the page's number from 1
  int32_t line = -1;    // the line's index in its script
  int32_t x = 0;        // the map event's cell
  int32_t y = 0;

  bool operator==(const TSearchPlace&) const = default;
};

struct TSearchHit {
  std::string text;  // in the project's code page
  TSearchPlace place;
};

struct TSearchQuery {
  TSearchKind kind = TSearchKind::Variable;
  int32_t id = 1;    // the variable or switch
  std::string text;  // the event name or the text, in the project's code page
  TSearchScope scope = TSearchScope::CurrentMap;
  int32_t currentMapId = 0;  // the tree node the current-map scope reads
};

// Maps a text in the project's code page to a form in which texts equal but for case are equal
// (and a text contains another but for case when its form contains the other's form). Without
// one, ASCII letters are lowered.
using TFoldCase = std::function<std::string(std::string_view)>;

struct TSearchSource {
  const TLcfDataBase* database = nullptr;
  const TLcfMapTree* tree = nullptr;
  std::string projectFolder;  // with a trailing '/'
  std::string scratchFolder;  // the work copies of pending maps, with a trailing '/'
  TFoldCase foldCase;
};

struct TSearchResult {
  TSearchKind kind = TSearchKind::Variable;
  // The matches and the maps that could not be read, in the order they were scanned.
  std::vector<TSearchHit> hits;
  int matches = 0;
  int unreadMaps = 0;
  int mapsSearched = 0;
  int mapsToSearch = 0;
  bool cancelled = false;

  // The lines a view lists: the hits, then "No Matches Found." when nothing matched, and a line
  // saying so when the search was cancelled.
  std::vector<TSearchHit> Lines() const;
};

// Asked before each map of the scope: the maps read so far and the maps to read; returning false
// cancels the search, which keeps what it found.
using TSearchProgress = std::function<bool(int done, int total)>;

TSearchResult RunEventSearch(const TSearchSource& source, const TSearchQuery& query,
                             const TSearchProgress& progress = {});

// "%.4d:%s" with a name, "%.4d" without.
std::string SearchEntryText(int32_t id, const std::string& name);

}  // namespace tess
