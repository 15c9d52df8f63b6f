// The widget tests need one application object for all of them, and no
// display: test discovery at build time runs this program too.
#include <gtest/gtest.h>

#include <QApplication>

namespace {

QtMessageHandler defaultHandler = nullptr;

// Without a window system the windows cannot be raised; the platform says so
// at every raise(), which would bury the tests' own output.
void quietHandler(QtMsgType type, const QMessageLogContext& context, const QString& message) {
  if (message.contains("does not support raise()")) return;
  defaultHandler(type, context, message);
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  defaultHandler = qInstallMessageHandler(quietHandler);
  QApplication application(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
