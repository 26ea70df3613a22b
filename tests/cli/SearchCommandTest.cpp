// tessaly-cli search: its words, its columns and its exit status. The lines themselves are the
// window's (tests/editor) and the search's (tests/project).
#include <gtest/gtest.h>

#include "core/AtomicFile.h"
#include "database/DataBaseObj.h"
#include "maps/LD_Map.h"
#include "maps/LD_MapTree.h"
#include "tests/SampleProject.h"
#include "tests/TestFolder.h"
#include "tests/cli/CliRun.h"

using namespace tess;
using namespace tess::test;

namespace {

// The sample project; map 1's event "Gate" (4, 2) turns switch 2 on and says "Welcome to Ca\xe9n".
struct TProject {
  TTestFolder folder;
  TProject() {
    WriteSampleProject(folder.Path());
    TLcfMap map;
    map.LoadFromProject(folder.Path(), 1);
    TLcfEventItem* gate = map.events.Obtain(1);
    gate->name = "Gate";
    gate->x = 4;
    gate->y = 2;
    TLcfEventScriptList& lines = gate->pages.ItemAt(0)->lines;
    lines.InsertLine(0, std::make_unique<TLcfEventScriptLine>(10110, 0, "Welcome to Ca\xe9n"));
    lines.InsertLine(1, std::make_unique<TLcfEventScriptLine>(10210, 0, "", std::vector<int32_t>{0, 2, 2, 0}));
    map.SaveToProject(folder.Path(), 1);
  }
  TCliRun Search(std::vector<std::string> words) {
    words.insert(words.begin(), {"search", folder.Path()});
    return RunCliWords(words);
  }
};

}  // namespace

TEST(SearchCommand, WordsColumnsAndExitStatus) {
  TProject project;
  struct TCase {
    std::vector<std::string> words;
    int status;
    std::string out;
  };
  const std::vector<TCase> cases = {
      {{"--switch", "2"}, 0, "Map Name: MAP0001 Event Name: 0001:Gate Page:   1\n"},
      {{"--switch", "2", "--scope", "map:1"}, 0, "Event Name: Gate Page:   1\n"},
      {{"--switch", "2", "--scope", "common"}, 1, "No Matches Found.\n"},
      {{"--switch", "2", "--where"},
       0,
       "map     event   page    line    result\n1       1       1       1       Map Name: MAP0001 Event Name: "
       "0001:Gate Page:   1\n"},
      {{"--text", "CA\xc3\x89N", "--where"},
       0,  // UTF-8 on the command line, in any case
       "map     event   page    line    result\n1       1       1       0       Map Name: MAP0001 Event Name: "
       "0001:Gate Page:   1 Text: Welcome to Ca\xc3\xa9n\n"},
      {{"--event-name", "GATE", "--scope", "map:1"}, 0, "Loc:  (  4,  2)\n"},
      {{"--variable", "2", "--where"},
       1,
       "map     event   page    line    result\n-       -       -       -       No Matches Found.\n"},
      {{"--switch", "0"}, 2, ""},
      {{"--switch", "2", "--variable", "2"}, 2, ""},
      {{"--switch", "2", "--scope", "map:7"}, 2, ""},
      {{"--switch", "2", "--scope", "maps"}, 2, ""},
      {{"--text", "\xe2\x82\xac\xe2\x9c\x93"}, 2, ""},  // not in the code page
      {{}, 2, ""},
  };
  for (const TCase& c : cases) {
    const TCliRun run = project.Search(c.words);
    SCOPED_TRACE(c.words.empty() ? "" : c.words[0]);
    EXPECT_EQ(run.status, c.status) << run.err;
    EXPECT_EQ(run.out, c.out);
  }
}

TEST(SearchCommand, AMapThatCannotBeReadIsNamedAndFailsTheCommand) {
  TProject project;
  WriteFileAtomic(project.folder.Path() + "Map0001.lmu", std::string("not a map"));
  const TCliRun run = project.Search({"--switch", "2"});
  EXPECT_EQ(run.status, 3);
  EXPECT_EQ(run.out.rfind("Map Name: MAP0001 Not searched: ", 0), 0u) << run.out;
  EXPECT_NE(run.out.find("\nNo Matches Found.\n"), std::string::npos);
  EXPECT_NE(run.err.find("1 map could not be read"), std::string::npos);
}
