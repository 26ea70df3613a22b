#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QStandardPaths>

// GUI tests run on the offscreen platform with test-mode paths, so no test touches a real profile.
int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QStandardPaths::setTestModeEnabled(true);
  QGuiApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
