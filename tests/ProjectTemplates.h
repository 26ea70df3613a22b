#pragma once
// Test helper: the two templates a new project is made from, written into a folder that stands
// for the editor's own. The runtime template is a small shell script, so a copy that loses its
// permissions shows.

#include <sys/stat.h>

#include <string>

#include "core/AtomicFile.h"
#include "database/DataBaseObj.h"

namespace tess::test {

inline constexpr const char* kRuntimeTemplateText = "#!/bin/sh\nexit 0\n";

inline void WriteProjectTemplates(const std::string& applicationFolder) {
  WriteFileAtomic(applicationFolder + "TESS_RT.exe.dat", std::string(kRuntimeTemplateText));
  ::chmod((applicationFolder + "TESS_RT.exe.dat").c_str(), 0755);
  TLcfDataBase database;
  database.ResetDatabase();
  WriteFileAtomic(applicationFolder + "TESS_RT.ldb.dat", database.SaveToMemory(TCatalogVarData::Mode::Copy));
}

}  // namespace tess::test
