#pragma once
// A small project made with the models, for editor tests: database, map tree with the root and
// one map, the map file, the settings file and a runtime that records how it was started.

#include <QTemporaryDir>
#include <string>

#include "tests/SampleProject.h"

namespace tess::test {

struct TEditorProject {
  QTemporaryDir base;
  std::string name = "Game";
  // The project folder with a trailing '/'.
  std::string Folder() const { return base.path().toStdString() + "/" + name + "/"; }
  // Writes the project. ini is the settings file's text.
  void Make(const std::string& ini = kSampleIni);
  // What the recording runtime wrote: its folder and its words, one line each; empty when it
  // did not run.
  std::string RuntimeRecord() const;
};

}  // namespace tess::test
