#include "cli/SearchCommand.h"

#include <charconv>
#include <cstdio>
#include <ostream>

#include "core/Errors.h"
#include "database/DataBaseObj.h"
#include "maps/LD_MapTree.h"
#include "platform/SearchText.h"
#include "platform/TextCodec.h"
#include "project/EventSearch.h"

namespace tess::cli {

namespace {

constexpr const char* kUsage =
    "usage: tessaly-cli search PROJECT_DIR (--switch N | --variable N | --event-name NAME | --text TEXT) "
    "[--scope map:N|common|all] [--where]\n";

bool ParseId(const std::string& word, int32_t& id) {
  auto [end, ec] = std::from_chars(word.data(), word.data() + word.size(), id);
  return ec == std::errc() && end == word.data() + word.size() && id > 0;
}

bool ParseScope(const std::string& word, TSearchQuery& query) {
  if (word == "all") {
    query.scope = TSearchScope::AllMaps;
    return true;
  }
  if (word == "common") {
    query.scope = TSearchScope::CommonEvents;
    return true;
  }
  query.scope = TSearchScope::CurrentMap;
  return word.rfind("map:", 0) == 0 && ParseId(word.substr(4), query.currentMapId);
}

// The place's columns: map id ("common" for a common event), event id, page and line index, "-"
// where a result has none.
std::string PlaceColumns(const TSearchPlace& place) {
  using K = TSearchPlace::TKind;
  auto column = [](bool has, int32_t value) { return has ? std::to_string(value) : std::string("-"); };
  const bool event = place.kind == K::MapEvent || place.kind == K::CommonEvent;
  const std::string map = place.kind == K::CommonEvent ? "common" : column(place.kind != K::None, place.mapId);
  char columns[80];
  std::snprintf(columns, sizeof columns, "%-8s%-8s%-8s%-8s", map.c_str(), column(event, place.eventId).c_str(),
                column(place.kind == K::MapEvent && place.page > 0, place.page).c_str(),
                column(event && place.line >= 0, place.line).c_str());
  return columns;
}

}  // namespace

int Search(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  std::string folder;
  TSearchQuery query;
  query.scope = TSearchScope::AllMaps;
  bool kindGiven = false, where = false;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    const bool hasValue = i + 1 < args.size();
    auto kind = [&](TSearchKind k) {
      if (kindGiven) return false;
      kindGiven = true;
      query.kind = k;
      return true;
    };
    bool ok = true;
    if ((a == "--switch" || a == "--variable") && hasValue) {
      ok = kind(a == "--switch" ? TSearchKind::Switch : TSearchKind::Variable) && ParseId(args[++i], query.id);
    } else if ((a == "--event-name" || a == "--text") && hasValue) {
      // The words come in UTF-8; the project's text is in its code page.
      const QString text = QString::fromStdString(args[++i]);
      ok = kind(a == "--text" ? TSearchKind::Text : TSearchKind::EventName) && TextCodec::Current().CanEncode(text) &&
           !text.isEmpty();
      if (ok) query.text = TextCodec::Current().FromUnicode(text);
    } else if (a == "--scope" && hasValue) {
      ok = ParseScope(args[++i], query);
    } else if (a == "--where") {
      where = true;
    } else if (a.rfind("--", 0) != 0 && folder.empty()) {
      folder = a;
    } else {
      ok = false;
    }
    if (!ok) {
      err << kUsage;
      return 2;
    }
  }
  if (folder.empty() || !kindGiven) {
    err << kUsage;
    return 2;
  }
  if (folder.back() != '/') folder += '/';

  TLcfDataBase db;
  std::string error;
  if (!db.LoadDatabase(folder, &error, TErrorWording::Plain)) {
    err << "tessaly-cli: " << kDataBaseFileName << ": " << error << "\n";
    return 3;
  }
  TLcfMapTree tree;
  tree.projectFolder = folder;
  try {
    tree.LoadTree();
    tree.RequireRoot();
  } catch (const ETessError& e) {
    err << "tessaly-cli: " << kMapTreeFileName << ": " << e.Plain() << "\n";
    return 3;
  }
  if (query.scope == TSearchScope::CurrentMap && !tree.FindById(query.currentMapId)) {
    err << "tessaly-cli: the map tree has no node " << query.currentMapId << "\n";
    return 2;
  }

  const TextCodec& codec = TextCodec::Current();
  TSearchSource source{&db, &tree, folder, folder, CaseFoldOf(codec)};
  const TSearchResult result = RunEventSearch(source, query);
  std::string text;
  if (where) text = "map     event   page    line    result\n";
  for (const TSearchHit& hit : result.Lines()) {
    if (where) text += PlaceColumns(hit.place);
    text += codec.ToUnicode(hit.text).toStdString();
    text += '\n';
  }
  out << text;
  if (result.unreadMaps > 0) {
    err << "tessaly-cli: " << result.unreadMaps << (result.unreadMaps == 1 ? " map" : " maps")
        << " could not be read (named among the results)\n";
    return 3;
  }
  return result.matches > 0 ? 0 : 1;
}

}  // namespace tess::cli
