// One or two flipped bits in the scripts of the demo's maps: every changed map is refused with a
// named place, or loads with every event, page and script line it had. Nothing is lost without a
// word.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <iostream>
#include <map>
#include <random>
#include <sstream>

#include "cli/FileKinds.h"
#include "core/Errors.h"
#include "core/PathUtils.h"
#include "core/StreamUtils.h"
#include "events/CommandShapes.h"
#include "maps/LD_Map.h"
#include "tools/rtpgen/DemoProject.h"

using namespace tess;

namespace {

// What a map's events hold, line by line: codes and depths of every page's script.
struct TLineShape {
  int32_t code, indent;
};
using TEventsShape = std::vector<std::vector<std::vector<TLineShape>>>;

TEventsShape ShapeOf(const TLcfMap& map) {
  TEventsShape shape;
  for (int e = 0; e < map.events.Count(); ++e) {
    const TLcfEventItem* event = map.events.ItemAt(e);
    auto& pages = shape.emplace_back();
    for (int p = 0; p < event->pages.Count(); ++p) {
      auto& lines = pages.emplace_back();
      const TLcfEventScriptList& script = event->pages.ItemAt(p)->lines;
      for (int i = 0; i < script.Count(); ++i) lines.push_back({script.LineAt(i)->code, script.LineAt(i)->indent});
    }
  }
  return shape;
}

// What a mutant lost of what the original held, or nothing when it kept the same events, pages and
// lines at the same depths; a code may only have turned into one the editor does not know, which is
// kept as it is.
std::string Loss(const TEventsShape& original, const TEventsShape& mutant) {
  if (original.size() != mutant.size())
    return std::to_string(original.size()) + " events became " + std::to_string(mutant.size());
  for (size_t e = 0; e < original.size(); ++e) {
    const std::string event = "event " + std::to_string(e + 1);
    if (original[e].size() != mutant[e].size())
      return event + ": " + std::to_string(original[e].size()) + " pages became " + std::to_string(mutant[e].size());
    for (size_t p = 0; p < original[e].size(); ++p) {
      const auto& a = original[e][p];
      const auto& b = mutant[e][p];
      const std::string page = event + " page " + std::to_string(p + 1);
      if (a.size() != b.size())
        return page + ": " + std::to_string(a.size()) + " lines became " + std::to_string(b.size());
      for (size_t i = 0; i < a.size(); ++i)
        if (a[i].indent != b[i].indent || (a[i].code != b[i].code && FindCommandShape(b[i].code)))
          return page + " line " + std::to_string(i + 1) + ": code " + std::to_string(a[i].code) + " at depth " +
                 std::to_string(a[i].indent) + " became code " + std::to_string(b[i].code) + " at depth " +
                 std::to_string(b[i].indent);
    }
  }
  return {};
}

// Where the body of the map's event list (chunk 81) lies in the file.
std::pair<size_t, size_t> EventsChunk(const Bytes& file) {
  TByteReader r(file.data(), file.size());
  r.ReadString();
  for (int32_t id = r.ReadInt(); id != 0; id = r.ReadInt()) {
    const size_t size = r.ReadLength();
    if (id == 81) return {r.Pos(), size};
    r.Skip(size);
  }
  return {0, 0};
}

// The byte ranges of every page's script block in a map file.
std::vector<std::pair<size_t, size_t>> ScriptBlocks(const TLcfMap& map, const Bytes& file) {
  std::vector<std::pair<size_t, size_t>> blocks;
  auto from = file.begin();
  for (int e = 0; e < map.events.Count(); ++e)
    for (int p = 0; p < map.events.ItemAt(e)->pages.Count(); ++p) {
      Bytes block;
      map.events.ItemAt(e)->pages.ItemAt(p)->lines.EncodeTo(block);
      from = std::search(from, file.end(), block.begin(), block.end());
      blocks.push_back({static_cast<size_t>(from - file.begin()), block.size()});
      from += static_cast<ptrdiff_t>(block.size());
    }
  return blocks;
}

struct TMutationRun {
  int mutants = 0, named = 0, whole = 0, silent = 0;
  // Silent losses where a text swallowed whole lines: the text holds their control bytes.
  int swallowed = 0;
  std::vector<std::string> losses;
};

bool HoldsControlBytes(const TLcfMap& map) {
  for (int e = 0; e < map.events.Count(); ++e)
    for (int p = 0; p < map.events.ItemAt(e)->pages.Count(); ++p) {
      const TLcfEventScriptList& lines = map.events.ItemAt(e)->pages.ItemAt(p)->lines;
      for (int i = 0; i < lines.Count(); ++i)
        for (unsigned char c : lines.LineAt(i)->text)
          if (c < 0x20) return true;
    }
  return false;
}

// Flips one or two bits (alternately) at bits drawn from the ranges, n times, and sorts what each
// mutant's load gives.
void Mutate(const Bytes& file, const std::vector<std::pair<size_t, size_t>>& ranges, int n, std::mt19937& random,
            TMutationRun& run) {
  size_t bits = 0;
  for (const auto& r : ranges) bits += r.second * 8;
  TLcfMap map;
  map.LoadFromBytes(file);
  const TEventsShape original = ShapeOf(map);
  for (int i = 0; i < n; ++i) {
    Bytes mutant = file;
    for (int f = 0; f < 1 + i % 2; ++f) {
      size_t bit = std::uniform_int_distribution<size_t>(0, bits - 1)(random);
      for (const auto& r : ranges) {
        if (bit < r.second * 8) {
          mutant[r.first + bit / 8] ^= static_cast<uint8_t>(1u << (bit % 8));
          break;
        }
        bit -= r.second * 8;
      }
    }
    if (mutant == file) continue;
    ++run.mutants;
    TLcfMap loaded;
    try {
      loaded.LoadFromBytes(mutant);
    } catch (const EDamagedData& e) {
      if (e.Offset() >= 0 && !e.Problem().empty())
        ++run.named;
      else
        ADD_FAILURE() << "damage without its place: " << e.what();
      continue;
    } catch (const ETessError& e) {
      ADD_FAILURE() << "refused without a place: " << e.what();
      continue;
    }
    const std::string loss = Loss(original, ShapeOf(loaded));
    if (loss.empty()) {
      ++run.whole;
    } else {
      ++run.silent;
      if (HoldsControlBytes(loaded))
        ++run.swallowed;
      else
        run.losses.push_back(loss);
    }
  }
}

std::ostream& operator<<(std::ostream& out, const TMutationRun& run) {
  return out << run.mutants << " mutants: " << run.named << " refused with a named place, " << run.whole
             << " loaded whole, " << run.silent << " lost something silently (" << run.swallowed
             << " of them into a text)";
}

}  // namespace

// Bits flipped inside the script blocks of the demo's maps: every mutant is refused with its
// place or keeps every line.
TEST(ScriptMutations, EveryChangedScriptOfTheDemoIsRefusedByNameOrLoadsWhole) {
  std::mt19937 random(37);
  TMutationRun scripts, events;
  for (const auto& demoMap : rtp::BuildDemoMaps()) {
    const Bytes file = demoMap->SaveToBytes();
    Mutate(file, ScriptBlocks(*demoMap, file), 1500, random, scripts);
    // The same over the whole event list, pages and their fields included: figures only, since
    // an event or a page whose id changed stands elsewhere in its list, which this comparison by
    // position counts as a loss (the whole-map run below tells the two apart).
    Mutate(file, {EventsChunk(file)}, 1500, random, events);
  }
  std::cout << "script blocks: " << scripts << "\nwhole event lists: " << events << "\n";
  // A text length that grew by exactly the lines after it leaves their 0 bytes in the text, which
  // is damage too.
  for (const std::string& loss : scripts.losses) ADD_FAILURE() << "loaded without damage: " << loss;
  EXPECT_EQ(scripts.silent, 0);
  EXPECT_GT(scripts.named, 1000);
  EXPECT_GT(scripts.whole, 1000);
  EXPECT_EQ(scripts.named + scripts.whole + scripts.silent, scripts.mutants);
}

namespace {

// The skeleton of a map file as the chunk listing shows it: one path per chunk, list item or
// nested record, items by their position in the list, with what each line holds beyond its value
// (a list's count, a record). Values are left out: a flipped value is a change, not a loss.
std::map<std::string, std::string> Skeleton(const Bytes& file) {
  const TChunkDump dump = DumpChunks(file, cli::FindFileKind(file)->layout);
  std::map<std::string, std::string> paths;
  std::vector<std::string> stack;
  std::vector<int> items(1, 0);
  std::istringstream lines(dump.text);
  for (std::string line; std::getline(lines, line);) {
    const size_t depth = line.find_first_not_of(' ') / 2;
    line = line.substr(depth * 2);
    stack.resize(depth);
    items.resize(depth + 1, 0);
    std::string key;
    if (line.rfind("item ", 0) == 0) {
      key = "item#" + std::to_string(++items[depth]);
    } else if (line.rfind("chunk ", 0) == 0) {
      key = line.substr(0, line.find(' ', 6));
    } else {
      continue;
    }
    items.resize(depth + 1);
    items.push_back(0);
    stack.push_back(key);
    std::string path;
    for (const std::string& part : stack) path += "/" + part;
    const size_t list = line.find(": list of ");
    paths[path] = list != std::string::npos                    ? line.substr(list)
                  : line.find(": record") != std::string::npos ? "record"
                                                               : "";
  }
  return paths;
}

// The events and pages as sets: each event's pages' codes and depths, in id order of neither, and
// the ids apart. A changed id moves an event or a page without losing it.
std::pair<std::vector<std::string>, std::vector<int32_t>> EventSets(const TLcfMap& map) {
  std::vector<std::string> events;
  std::vector<int32_t> ids;
  for (int e = 0; e < map.events.Count(); ++e) {
    const TLcfEventItem* event = map.events.ItemAt(e);
    ids.push_back(event->Id());
    std::vector<std::string> pages;
    for (int p = 0; p < event->pages.Count(); ++p) {
      ids.push_back(event->pages.ItemAt(p)->Id());
      std::string page;
      const TLcfEventScriptList& script = event->pages.ItemAt(p)->lines;
      for (int i = 0; i < script.Count(); ++i)
        page += std::to_string(script.LineAt(i)->code) + "@" + std::to_string(script.LineAt(i)->indent) + " ";
      pages.push_back(page);
    }
    std::sort(pages.begin(), pages.end());
    std::string all;
    for (const std::string& page : pages) all += page + "| ";
    events.push_back(all);
  }
  std::sort(events.begin(), events.end());
  return {events, ids};
}

}  // namespace

// Not run by CI (run it with --gtest_also_run_disabled_tests): one or two bits flipped anywhere in
// each map of a project, TESS_MUTATION_PROJECT (the demo as tessaly-rtpgen builds it) or, without
// it, the demo's maps made here. Each mutant is refused with a named place, loads whole (saved
// again it is the original byte for byte), loads with values changed in place, keeps a chunk
// whose id it no longer knows (written back as it was), or loses a list item, a record, a list's
// item or a script line without a word.
TEST(ScriptMutations, DISABLED_EveryBitOfTheDemosMaps) {
  std::vector<Bytes> files;
  if (const char* project = std::getenv("TESS_MUTATION_PROJECT")) {
    for (const std::string& name : ListFolder(project))
      if (name.size() == 11 && name.compare(0, 3, "Map") == 0)
        files.push_back(ReadWholeFile(std::string(project) + "/" + name));
  } else {
    for (const auto& demoMap : rtp::BuildDemoMaps()) files.push_back(demoMap->SaveToBytes());
  }
  ASSERT_FALSE(files.empty());
  const int perMap = std::getenv("TESS_MUTANTS") ? std::atoi(std::getenv("TESS_MUTANTS")) : 5000;
  std::mt19937 random(3737);
  int mutants = 0, named = 0, whole = 0, changed = 0, unknownKept = 0, lost = 0;
  std::map<std::string, int> losses;
  for (const Bytes& file : files) {
    TLcfMap map;
    map.LoadFromBytes(file);
    const TEventsShape shape = ShapeOf(map);
    const auto skeleton = Skeleton(file);
    const auto sets = EventSets(map);
    const size_t magic = 1 + file[0];  // the length byte and the magic string stay
    for (int i = 0; i < perMap; ++i) {
      Bytes mutant = file;
      for (int f = 0; f < 1 + i % 2; ++f) {
        const size_t bit = std::uniform_int_distribution<size_t>(magic * 8, file.size() * 8 - 1)(random);
        mutant[bit / 8] ^= static_cast<uint8_t>(1u << (bit % 8));
      }
      if (mutant == file) continue;
      ++mutants;
      TLcfMap loaded;
      try {
        loaded.LoadFromBytes(mutant);
      } catch (const EDamagedData& e) {
        if (e.Offset() >= 0 && !e.Problem().empty())
          ++named;
        else
          ADD_FAILURE() << "damage without its place: " << e.what();
        continue;
      } catch (const ETessError& e) {
        ADD_FAILURE() << "refused without a place: " << e.what();
        continue;
      }
      const Bytes again = loaded.SaveToBytes();
      if (again == file) {
        ++whole;
        continue;
      }
      std::string loss = Loss(shape, ShapeOf(loaded));
      bool unknown = false;
      const auto kept = Skeleton(again);
      for (const auto& [path, holds] : skeleton) {
        const auto found = kept.find(path);
        // A value that became its default is no longer written: a change, not a loss. A list, a
        // record or an item that is gone is a loss, and so is a list that holds fewer items. (A
        // short record's body may read as a list as well; the listing's choice is no loss.)
        const bool isItem =
            path.rfind("item#") != std::string::npos && path.find('/', path.rfind("item#")) == std::string::npos;
        const bool fewer = found != kept.end() && holds.rfind(": list of ", 0) == 0 &&
                           found->second.rfind(": list of ", 0) == 0 &&
                           std::stoi(found->second.substr(10)) < std::stoi(holds.substr(10));
        bool readAnotherWay = false;
        for (size_t slash = path.find('/', 1); slash != std::string::npos; slash = path.find('/', slash + 1)) {
          const auto a = skeleton.find(path.substr(0, slash)), b = kept.find(path.substr(0, slash));
          readAnotherWay = readAnotherWay || (a != skeleton.end() && b != kept.end() && a->second != b->second &&
                                              (a->second == "record" || b->second == "record"));
        }
        if (!readAnotherWay && (found == kept.end() ? !holds.empty() || isItem : fewer)) {
          loss = loss.empty() ? path + (found == kept.end() ? " is gone" : " became " + found->second) : loss;
          break;
        }
      }
      for (const auto& [path, holds] : kept)
        if (!skeleton.count(path)) unknown = true;
      // An event or page whose id changed stands elsewhere in its list; it is all there.
      const auto [events, ids] = EventSets(loaded);
      if (!loss.empty() && ids != sets.second && events == sets.first) loss.clear();
      if (!loss.empty()) {
        ++lost;
        ++losses[loss.substr(0, loss.find_first_of("0123456789"))];
        if (std::getenv("TESS_MUTATION_DEBUG")) {
          std::cout << "lost: " << loss << " at";
          for (size_t b = 0; b < file.size(); ++b)
            if (file[b] != mutant[b]) std::cout << " byte " << b << " " << int(file[b]) << "->" << int(mutant[b]);
          std::cout << "\n";
        }
      } else if (unknown) {
        ++unknownKept;
      } else {
        ++changed;
      }
    }
  }
  std::cout << files.size() << " maps, " << mutants << " mutants: " << named << " refused with a named place, " << whole
            << " loaded whole, " << changed << " loaded with values changed in place, " << unknownKept
            << " keep a chunk under an id their record does not know, " << lost << " lost something silently\n";
  for (const auto& [kind, count] : losses) std::cout << "  " << count << " x " << kind << "\n";
}
