// The widget tests run inside one application object, without a display
// (QT_QPA_PLATFORM=offscreen).
#include <gtest/gtest.h>

#include <QApplication>

int main(int argc, char** argv) {
  // Also when the tests are only being listed, outside of ctest's settings.
  if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication application(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
