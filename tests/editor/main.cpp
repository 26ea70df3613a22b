#include <gtest/gtest.h>

#include <QApplication>
#include <QStandardPaths>

#include "audio/AudioHarmony.h"

// Editor tests run on the offscreen platform with test-mode paths and an offline audio output, so
// no test touches a real profile, display or sound device.
int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QStandardPaths::setTestModeEnabled(true);
  tess::SetAudioOutputFactory([] { return std::make_unique<tess::TOfflineAudioOutput>(); });
  QApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
