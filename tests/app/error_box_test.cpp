// The error box (its title, its text and its look) and the one place where
// failures stop on their way to it.
#include <gtest/gtest.h>

#include <QAction>
#include <QMessageBox>
#include <new>
#include <stdexcept>

#include "app/error_box.h"
#include "app/handler_guard.h"
#include "capture/failure.h"
#include "window_harness.h"

namespace {

TEST(ErrorBox, TitleIsTheProgramFilesNameCutAtItsFirstDotWithTheRestInLowerCase) {
  const struct {
    const char* path;
    const char* title;
  } cases[] = {
      {"/usr/bin/krvl2-decoder", "krvl2-decoder"},
      {"/opt/KRVL2DEC.EXE", "Krvl2dec"},
      {"/home/op/Decoder.Old.exe", "Decoder"},
      {"/home/op.v2/KrVl2", "Krvl2"},
      {"krvl2", "krvl2"},
      {"/opt/\xC3\x89""CRAN-\xC3\x89T\xC3\x89", "\xC3\x89""cran-\xC3\xA9t\xC3\xA9"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(programTitle(QString::fromUtf8(c.path)), QString::fromUtf8(c.title)) << c.path;
  }
}

TEST(ErrorBox, MessageGetsAFullStopWhenItsLastCharacterComesAfterTheFullStop) {
  const struct {
    std::string message;
    std::string shown;
  } cases[] = {
      {"File not found", "File not found."},
      {"I/O error 28", "I/O error 28."},
      {"'$' is not a valid integer value", "'$' is not a valid integer value."},
      {"Read beyond end of file.", "Read beyond end of file."},
      {"This is not a valid file !", "This is not a valid file !"},
      {"ends in a dash -", "ends in a dash -"},
      {"ends in a slash /", "ends in a slash /."},
      {"ends in a bracket )", "ends in a bracket )"},
      {"ends in a degree sign \xB0", "ends in a degree sign \xB0."},
      {"", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(messageBoxText(c.message), c.shown) << c.message;
}

TEST(ErrorBox, IsAStopBoxWithOneOkButton) {
  const auto box = makeErrorBox("krvl2-decoder", "Degree sign \xB0", nullptr);
  EXPECT_EQ(box->windowTitle(), "krvl2-decoder");
  EXPECT_EQ(box->icon(), QMessageBox::Critical);
  EXPECT_EQ(box->standardButtons(), QMessageBox::Ok);
  // Failures carry 8-bit Western text.
  EXPECT_EQ(box->text(), QString::fromUtf8("Degree sign \xC2\xB0."));
  EXPECT_EQ(box->textFormat(), Qt::PlainText);
}

TEST(HandlerGuard, AFailureEndsTheHandlerAndReachesTheReporter) {
  krvl2::testing::RecordingReporter reporter;
  int stepsDone = 0;
  runHandler(reporter, [&] {
    ++stepsDone;
    throw krvl2::Failure("File access denied");
  });
  EXPECT_EQ(stepsDone, 1);
  EXPECT_EQ(reporter.messages, std::vector<std::string>({"File access denied"}));

  runHandler(reporter, [] { throw std::bad_alloc(); });
  ASSERT_EQ(reporter.messages.size(), 2u);
  EXPECT_FALSE(reporter.messages[1].empty());

  runHandler(reporter, [&] { ++stepsDone; });
  EXPECT_EQ(reporter.messages.size(), 2u);
  EXPECT_EQ(stepsDone, 2);
}

TEST(HandlerGuard, ConnectedCommandsReportTheirFailuresAndStayUsable) {
  krvl2::testing::RecordingReporter reporter;
  QAction command;
  int runs = 0;
  connectHandler(&command, &QAction::triggered, &command, reporter, [&] {
    if (++runs == 1) throw krvl2::Failure("Read beyond end of file");
  });
  command.trigger();
  command.trigger();
  EXPECT_EQ(runs, 2);
  EXPECT_EQ(reporter.messages, std::vector<std::string>({"Read beyond end of file"}));
}

}  // namespace
