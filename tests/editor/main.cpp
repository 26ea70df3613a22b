#include <gtest/gtest.h>

#include <QApplication>
#include <QStandardPaths>

// Editor tests run on the offscreen platform with test-mode paths, so no test touches a real
// profile or display.
int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QStandardPaths::setTestModeEnabled(true);
  QApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
