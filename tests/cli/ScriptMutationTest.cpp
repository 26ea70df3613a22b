// One or two flipped bits in the events of the demo project's maps: every changed map is refused
// with a named place, or loads with every event, page and script line it had. Nothing is lost
// without a word.
#include <gtest/gtest.h>

#include <filesystem>
#include <iostream>
#include <random>

#include "TestFolder.h"
#include "core/Errors.h"
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

// Whether a mutant kept everything the original held: the same events, pages and lines at the
// same depths; a code may only have turned into one the editor does not know, which is kept as it
// is.
bool KeepsEverything(const TEventsShape& original, const TEventsShape& mutant) {
  if (original.size() != mutant.size()) return false;
  for (size_t e = 0; e < original.size(); ++e) {
    if (original[e].size() != mutant[e].size()) return false;
    for (size_t p = 0; p < original[e].size(); ++p) {
      const auto& a = original[e][p];
      const auto& b = mutant[e][p];
      if (a.size() != b.size()) return false;
      for (size_t i = 0; i < a.size(); ++i)
        if (a[i].indent != b[i].indent || (a[i].code != b[i].code && FindCommandShape(b[i].code))) return false;
    }
  }
  return true;
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

}  // namespace

TEST(ScriptMutations, EveryChangedDemoMapIsRefusedByNameOrLoadsWhole) {
  test::TTestFolder folder;
  const std::string project = folder.Path() + "DemoGame/";
  rtp::WriteDemoProject(project, TESS_BINARY_DIR "/app");
  std::mt19937 random(37);
  int mutants = 0, named = 0, whole = 0, silent = 0, maps = 0, lines = 0;
  for (const auto& entry : std::filesystem::directory_iterator(project)) {
    if (entry.path().extension() != ".lmu") continue;
    ++maps;
    const Bytes file = ReadWholeFile(entry.path().string());
    TLcfMap map;
    map.LoadFromBytes(file);
    const TEventsShape original = ShapeOf(map);
    for (const auto& event : original)
      for (const auto& page : event) lines += static_cast<int>(page.size());
    const auto [start, size] = EventsChunk(file);
    ASSERT_GT(size, 0u) << entry.path();
    for (int n = 0; n < 1500; ++n) {
      Bytes mutant = file;
      const int flips = 1 + n % 2;
      for (int f = 0; f < flips; ++f) {
        const size_t bit = std::uniform_int_distribution<size_t>(0, size * 8 - 1)(random);
        mutant[start + bit / 8] ^= static_cast<uint8_t>(1u << (bit % 8));
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
      if (KeepsEverything(original, ShapeOf(loaded))) {
        ++whole;
      } else {
        ++silent;
        ADD_FAILURE() << entry.path().filename() << " mutant " << n << " lost events, pages or lines silently";
      }
    }
  }
  EXPECT_GE(maps, 3);
  std::cout << maps << " maps (" << lines << " script lines), " << mutants << " mutants: " << named
            << " refused with a named place, " << whole << " loaded whole, " << silent << " lost something silently\n";
  EXPECT_EQ(silent, 0);
  EXPECT_GT(named, 0);
  EXPECT_EQ(named + whole + silent, mutants);
}
