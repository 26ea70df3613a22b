#pragma once
// Test fixture for the document's tests: quiet mode as inside the editor, message boxes scripted,
// and a project folder and a scratch folder side by side in a fresh test folder.

#include <gtest/gtest.h>

#include <string>

#include "TestFolder.h"
#include "core/MessagePort.h"
#include "core/QuietMode.h"

namespace tess::test {

struct TProjectRun : ::testing::Test {
  TQuietModeScope quiet{true};
  TScriptedMessages messages;
  TMessagePortScope port{&messages};
  TTestFolder base;
  std::string folder = base.Sub("Game");
  std::string scratch = base.Sub("scratch");
};

}  // namespace tess::test
