// The GUI tests run offscreen with a settings store of their own.
#include <gtest/gtest.h>

#include <QApplication>
#include <QStandardPaths>
#include <cstdlib>

int main(int argc, char** argv) {
  ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
  // Never the user's own settings: a fresh configuration folder for this run.
  char folder[] = "/tmp/ostrin-gui-test-XXXXXX";
  if (::mkdtemp(folder)) ::setenv("XDG_CONFIG_HOME", folder, 1);
  QStandardPaths::setTestModeEnabled(true);
  QApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
