#pragma once
// A whole project as text and back: the folder layout of a dumped project, and the two directions.
//
//   database/heroes.json ... database/vocabulary.json   one file per part of the database
//   database/kept.json                                  top-level chunks the database does not use
//   maptree.json
//   maps/Map0001.json ...                               one per map file of the project
//
// A load checks every text file before it writes anything, and writes only the files whose bytes
// differ, each through the atomic writer: all new files are put on the disk first and then renamed
// into place, so a failure leaves every file either old or new, and the report names which.

#include <ostream>
#include <string>
#include <vector>

namespace tess {

struct TProjectTextReport {
  std::vector<std::string> failures;  // one line per file that failed, naming it
  std::vector<std::string> written;   // files written (or, for a dump, replaced)
  std::vector<std::string> removed;   // texts of maps the project no longer has (dump)
  int files = 0;                      // files converted
  int unchanged = 0;                  // files whose bytes were already those
  bool Ok() const { return failures.empty(); }
};

// Writes the text of every file of projectFolder into textFolder (created when missing).
TProjectTextReport DumpProject(const std::string& projectFolder, const std::string& textFolder,
                               const std::string& codePage);
// Writes the binaries of a dumped project back into projectFolder. Nothing is written when any text
// fails.
TProjectTextReport LoadProject(const std::string& textFolder, const std::string& projectFolder);

// The file names of a dumped project.
inline constexpr const char* kTextDataBaseFolder = "database";
inline constexpr const char* kTextMapTreeFile = "maptree.json";
inline constexpr const char* kTextMapsFolder = "maps";
inline constexpr const char* kTextKeptFile = "kept";

}  // namespace tess
