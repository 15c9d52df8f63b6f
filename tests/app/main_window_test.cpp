// The main window driven as a person drives it: menu commands, a file chosen
// in the dialog (or the dialog cancelled), presses on the selector's arrows;
// checked by what the window shows and which commands it offers.
#include <gtest/gtest.h>
#include <unistd.h>

#include <QAction>
#include <QFontDatabase>
#include <QFontInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QShowEvent>
#include <QStyle>
#include <QTest>
#include <QToolButton>
#include <filesystem>
#include <initializer_list>
#include <set>

#include "app/main_window.h"
#include "app/up_down.h"
#include "app/window_font.h"
#include "support/capture_builder.h"
#include "support/temp_dir.h"
#include "window_harness.h"

namespace krvl2 {
namespace {

using testing::Bytes;
using testing::CaptureBuilder;
using testing::hexText;
using testing::otherStationFrame;
using testing::satelliteFrame;

// A capture of `count` safe-mode beacons to "QST", each after its time stamp.
CaptureBuilder beacons(int count) {
  CaptureBuilder capture;
  for (int i = 0; i < count; ++i) {
    capture.timestamp(testing::unixMillis(2021, 4, 10, 12, 0, i))
        .frame(satelliteFrame().to("QST").withSequence(static_cast<std::uint16_t>(i)).bytes());
  }
  return capture;
}

class MainWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    // The window takes its start directory (where exports go) from here.
    previousDirectory_ = std::filesystem::current_path();
    std::filesystem::current_path(start_.path());
    form_ = std::make_unique<TForm1>(reporter_, chooser_);
    form_->show();
  }

  void TearDown() override {
    form_.reset();
    std::filesystem::current_path(previousDirectory_);
  }

  std::string write(const std::string& name, const CaptureBuilder& capture) {
    const std::string path = files_.file(name);
    capture.writeTo(path);
    return path;
  }

  void open(const std::string& path) {
    chooser_.willConfirm(QString::fromStdString(path));
    action("OpenKSSfile1")->trigger();
  }

  void cancelOpen() {
    chooser_.willCancel();
    action("OpenKSSfile1")->trigger();
  }

  QAction* action(const char* name) const {
    auto* found = form_->findChild<QAction*>(QString::fromLatin1(name));
    EXPECT_NE(found, nullptr) << name;
    return found;
  }
  QLabel* line(int number) const { return form_->findChild<QLabel*>(QStringLiteral("Label%1").arg(number)); }
  QString text(int number) const { return line(number)->text(); }
  QLineEdit* edit1() const { return form_->findChild<QLineEdit*>(QStringLiteral("Edit1")); }
  QLabel* image1() const { return form_->findChild<QLabel*>(QStringLiteral("Image1")); }
  UpDown* selector() const { return form_->findChild<UpDown*>(QStringLiteral("UpDown1")); }

  void pressUp(int times = 1) {
    for (int i = 0; i < times; ++i) QTest::mouseClick(selector()->upButton(), Qt::LeftButton);
  }
  void pressDown() { QTest::mouseClick(selector()->downButton(), Qt::LeftButton); }

  // The picture, the selector and the lines that are shown. (The path line
  // and the menu always are.)
  std::set<QString> shown() const {
    std::set<QString> names;
    if (image1()->isVisibleTo(form_.get())) names.insert(QStringLiteral("Image1"));
    if (selector()->isVisibleTo(form_.get())) names.insert(QStringLiteral("UpDown1"));
    for (int number = 1; number <= 21; ++number) {
      if (line(number)->isVisibleTo(form_.get())) names.insert(line(number)->objectName());
    }
    return names;
  }

  // The controls whose visibility the open command decides; the decoder
  // decides that of the other beacon lines.
  std::set<QString> shownOfOwn() const {
    static const std::set<QString> own = {"Image1", "UpDown1", "Label1", "Label2", "Label4", "Label5", "Label6",
                                          "Label20"};
    std::set<QString> result;
    for (const QString& name : shown()) {
      if (own.count(name) != 0) result.insert(name);
    }
    return result;
  }

  testing::TempDir start_;
  testing::TempDir files_;
  testing::RecordingReporter reporter_;
  testing::ScriptedChooser chooser_;
  std::unique_ptr<TForm1> form_;

 private:
  std::filesystem::path previousDirectory_;
};

std::set<QString> names(std::initializer_list<const char*> list) {
  std::set<QString> result;
  for (const char* name : list) result.insert(QString::fromLatin1(name));
  return result;
}

std::set<QString> labelRange(int first, int last) {
  std::set<QString> result;
  for (int number = first; number <= last; ++number) result.insert(QStringLiteral("Label%1").arg(number));
  return result;
}

TEST_F(MainWindowTest, ComesUpIdleWithNothingLoaded) {
  EXPECT_EQ(form_->windowTitle(), "  KRVL2  beacon decoder    v1.6     by  VEMLIK");
  EXPECT_EQ(shown(), names({"Image1"}));
  EXPECT_EQ(edit1()->text(), "");
  EXPECT_TRUE(edit1()->isReadOnly());
  EXPECT_TRUE(action("OpenKSSfile1")->isEnabled());
  EXPECT_FALSE(action("Writehexfile1")->isEnabled());
  EXPECT_TRUE(action("Exit1")->isEnabled());
  EXPECT_TRUE(action("help")->isEnabled());
  EXPECT_TRUE(action("About1")->isEnabled());
  EXPECT_EQ(form_->decoderState().StartDirectory, std::filesystem::current_path().string());
  EXPECT_TRUE(reporter_.messages.empty());
}

TEST_F(MainWindowTest, MenuCaptionsKeepTheirBlanksAndAccessKeys) {
  QMenuBar* bar = form_->menuBar();
  QStringList barItems;
  for (QAction* item : bar->actions()) barItems << item->text();
  EXPECT_EQ(barItems, QStringList({" &File", " &Help", " &About"}));
  EXPECT_NE(bar->actions().at(0)->menu(), nullptr);
  EXPECT_EQ(bar->actions().at(1)->menu(), nullptr);
  EXPECT_EQ(bar->actions().at(2)->menu(), nullptr);

  QStringList fileItems;
  for (QAction* item : bar->actions().at(0)->menu()->actions()) {
    fileItems << item->text();
    EXPECT_TRUE(item->shortcut().isEmpty()) << item->text().toStdString();
  }
  EXPECT_EQ(fileItems, QStringList({"&Open .KSS file", "&Write .HEX file", "&Exit"}));
}

TEST_F(MainWindowTest, ShowsEachOutcomeOfAnOpenWithItsTexts) {
  struct Case {
    const char* what;
    CaptureBuilder capture;
    std::set<QString> expectedShown;  // of the controls the open command decides
    bool beaconLinesHidden;
    QString label5;  // "%1" stands for the path
    QString label4;  // checked when shown
    bool exportEnabled;
  };
  const Case cases[] = {
      {"empty file", CaptureBuilder(), names({"Label5"}), true, "%1   is not a valid file !", "", false},
      {"other stations and time stamps only",
       CaptureBuilder()
           .timestamp(testing::unixMillis(2021, 4, 10, 12, 0, 0))
           .frame(otherStationFrame("DK0WCY", "beacon"))
           .frame(otherStationFrame("KRVL1", "almost")),
       names({"Label5"}), true, "  This KSS file is not from KRVL2 !  ", "", false},
      {"one satellite frame", beacons(1), names({"Label4", "Label5", "Label6", "Label20"}), false,
       " AX.25   from:  KRVL2  to:  QST   ", " This file contains  1  frame", true},
      {"twelve satellite frames among others",
       beacons(6).frame(otherStationFrame("DK0WCY", "beacon")).raw(beacons(6).bytes()),
       names({"UpDown1", "Label1", "Label2", "Label4", "Label5", "Label6", "Label20"}), false,
       " AX.25   from:  KRVL2  to:  QST   ", " This file contains  12  frames", true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const std::string path = write("capture.kss", c.capture);
    open(path);

    EXPECT_TRUE(reporter_.messages.empty());
    EXPECT_EQ(edit1()->text().toStdString(), path);
    EXPECT_EQ(shownOfOwn(), c.expectedShown);
    if (c.beaconLinesHidden) {
      EXPECT_EQ(shown(), c.expectedShown);
    }
    // The open command never shows Label21; the decode of a safe-mode frame 1 does.
    EXPECT_EQ(line(21)->isVisibleTo(form_.get()), !c.beaconLinesHidden);
    EXPECT_EQ(text(5), QString(c.label5).replace("%1", QString::fromStdString(path)));
    if (c.expectedShown.count("Label4") != 0) {
      EXPECT_EQ(text(4), c.label4);
      EXPECT_EQ(text(1), "1");
      EXPECT_EQ(form_->decoderState().SelectedFrame, 1);
      EXPECT_EQ(selector()->position(), 1);
    }
    EXPECT_EQ(action("Writehexfile1")->isEnabled(), c.exportEnabled);
    if (c.expectedShown.count("Label2") != 0) {
      EXPECT_EQ(text(2), " Choose the frame to be decoded:");
    }
  }
}

TEST_F(MainWindowTest, ShowsTheReadingDisplayWhileTheCaptureIsRead) {
  ASSERT_TRUE(QTest::qWaitForWindowExposed(form_.get()));
  open(write("first.kss", beacons(3)));
  const QString firstLabel5 = text(5);

  // What stands on the screen while the file is read is what was painted
  // last before reading: the paint is caught as it happens.
  struct PaintWatcher : QObject {
    std::set<QString> shownAtPaint;
    QString label20AtPaint, edit1AtPaint;
    std::function<void()> snapshot;
    bool eventFilter(QObject*, QEvent* event) override {
      if (event->type() == QEvent::Paint && shownAtPaint.empty()) snapshot();
      return false;
    }
  } watcher;
  watcher.snapshot = [&] {
    watcher.shownAtPaint = shown();
    watcher.label20AtPaint = text(20);
    watcher.edit1AtPaint = edit1()->text();
  };
  chooser_.onConfirm = [&] { image1()->installEventFilter(&watcher); };
  const std::string second = write("second.kss", beacons(2));
  open(second);

  std::set<QString> reading = labelRange(1, 20);
  reading.insert("Image1");
  reading.insert("UpDown1");
  EXPECT_EQ(watcher.shownAtPaint, reading);
  EXPECT_EQ(watcher.label20AtPaint, "");
  EXPECT_EQ(watcher.edit1AtPaint.toStdString(), second);
  // The previous capture's texts stand in the lines until the read is done.
  EXPECT_EQ(firstLabel5, text(5));
}

TEST_F(MainWindowTest, CancellingTheDialogBeforeAnyCaptureChangesNothing) {
  cancelOpen();
  EXPECT_EQ(shown(), names({"Image1"}));
  EXPECT_EQ(edit1()->text(), "");
  EXPECT_FALSE(action("Writehexfile1")->isEnabled());
  EXPECT_EQ(chooser_.presets(), QStringList({""}));
}

TEST_F(MainWindowTest, CancellingTheDialogAfterACaptureReturnsToThePictureAndKeepsTheCapture) {
  const std::string path = write("pass.kss", beacons(5));
  open(path);
  pressUp();
  cancelOpen();

  EXPECT_EQ(shown(), names({"Image1"}));
  EXPECT_EQ(edit1()->text().toStdString(), path);
  EXPECT_TRUE(action("Writehexfile1")->isEnabled());
  EXPECT_EQ(form_->decoderState().SatelliteFrameCount, 5);
  EXPECT_EQ(form_->decoderState().SatelliteFrames.size(), 5u);
  EXPECT_EQ(form_->decoderState().SelectedFrame, 2);
  EXPECT_EQ(selector()->position(), 2);
  // The dialog offers the path confirmed last time.
  EXPECT_EQ(chooser_.presets(), QStringList({"", QString::fromStdString(path)}));
}

TEST_F(MainWindowTest, ALaterOpenReplacesTheDisplayOfAnEarlierOne) {
  open(write("many.kss", beacons(4)));
  open(write("empty.kss", CaptureBuilder()));
  EXPECT_EQ(shown(), names({"Label5"}));
  EXPECT_FALSE(action("Writehexfile1")->isEnabled());

  open(write("many.kss", beacons(4)));
  EXPECT_TRUE(action("Writehexfile1")->isEnabled());
  EXPECT_FALSE(image1()->isVisibleTo(form_.get()));
  EXPECT_TRUE(selector()->isVisibleTo(form_.get()));
}

TEST_F(MainWindowTest, AFileThatCannotBeOpenedLeavesTheWindowAsACancelledDialogDoes) {
  const std::string loaded = write("pass.kss", beacons(3));
  open(loaded);
  const std::string exportPath = form_->decoderState().HexExportPath;

  const std::string missing = files_.file("typo.kss");
  open(missing);

  EXPECT_EQ(reporter_.messages, std::vector<std::string>({"File not found"}));
  EXPECT_EQ(shown(), names({"Image1"}));
  EXPECT_EQ(edit1()->text().toStdString(), loaded);
  EXPECT_TRUE(action("Writehexfile1")->isEnabled());
  EXPECT_EQ(form_->decoderState().SatelliteFrameCount, 3);
  EXPECT_EQ(form_->decoderState().SatelliteFrames.size(), 3u);
  EXPECT_EQ(form_->decoderState().HexExportPath, exportPath);
  // The typed name is what the dialog offers next.
  cancelOpen();
  EXPECT_EQ(chooser_.presets().back().toStdString(), missing);
}

TEST_F(MainWindowTest, AFileThatCannotBeOpenedBeforeAnyCaptureLeavesTheWindowEmpty) {
  open(files_.file("no-such-directory/pass.kss"));

  EXPECT_EQ(reporter_.messages, std::vector<std::string>({"Invalid filename"}));
  EXPECT_EQ(shown(), names({"Image1"}));
  EXPECT_EQ(edit1()->text(), "");
  EXPECT_FALSE(action("Writehexfile1")->isEnabled());
}

TEST_F(MainWindowTest, ACaptureCutShortShowsTheFramesReadThenReportsTheFailure) {
  // Three beacons, and a fourth that the logger was still writing.
  const Bytes fourth = satelliteFrame().to("QST").withSequence(3).bytes();
  const CaptureBuilder capture =
      beacons(3).raw({0xC0, 0x00}).raw(Bytes(fourth.begin(), fourth.begin() + 20));
  const std::string path = write("cut.kss", capture);

  std::set<QString> shownAtReport;
  QString label4AtReport;
  reporter_.onReport = [&] {
    shownAtReport = shownOfOwn();
    label4AtReport = text(4);
  };
  open(path);

  EXPECT_EQ(reporter_.messages, std::vector<std::string>({"Read beyond end of file"}));
  EXPECT_EQ(shownAtReport, names({"UpDown1", "Label1", "Label2", "Label4", "Label5", "Label6", "Label20"}));
  EXPECT_EQ(label4AtReport, " This file contains  3  frames");
  EXPECT_EQ(text(5), " AX.25   from:  KRVL2  to:  QST   ");
  EXPECT_EQ(text(1), "1");
  EXPECT_EQ(edit1()->text().toStdString(), path);
  EXPECT_TRUE(action("Writehexfile1")->isEnabled());

  // The export writes exactly the frames read, escapes removed.
  const DecoderState& state = form_->decoderState();
  ASSERT_EQ(state.SatelliteFrames.size(), 3u);
  EXPECT_EQ(state.SatelliteFrameCount, 3);
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(state.SatelliteFrames.at(i),
              hexText(satelliteFrame().to("QST").withSequence(static_cast<std::uint16_t>(i)).bytes()));
  }

  // The selector steps through the frames read, and no further.
  pressUp(5);
  EXPECT_EQ(text(1), "3");
}

TEST_F(MainWindowTest, ACaptureCutShortBeforeAnySatelliteFrameIsForeignThenReported) {
  const std::string path =
      write("cut.kss", CaptureBuilder().frame(otherStationFrame("DK0WCY", "beacon")).raw({0xC0, 0x00, 0x96}));
  open(path);

  EXPECT_EQ(reporter_.messages, std::vector<std::string>({"Read beyond end of file"}));
  EXPECT_EQ(shown(), names({"Label5"}));
  EXPECT_EQ(text(5), "  This KSS file is not from KRVL2 !  ");
  EXPECT_EQ(edit1()->text().toStdString(), path);
  EXPECT_FALSE(action("Writehexfile1")->isEnabled());
}

TEST_F(MainWindowTest, SelectorStepsBetweenTheFirstAndTheLastFrame) {
  open(write("pass.kss", beacons(13)));

  pressDown();
  EXPECT_EQ(text(1), "1");
  EXPECT_EQ(form_->decoderState().SelectedFrame, 1);
  // Until the first step the maximum is 100, whatever the count.
  EXPECT_EQ(selector()->maximum(), 100);

  pressUp();
  EXPECT_EQ(text(1), "2");
  EXPECT_EQ(form_->decoderState().SelectedFrame, 2);
  EXPECT_EQ(selector()->maximum(), 13);

  pressUp(20);
  EXPECT_EQ(text(1), "13");
  EXPECT_EQ(form_->decoderState().SelectedFrame, 13);
  pressDown();
  EXPECT_EQ(text(1), "12");
  // Stepping never touches the summary lines.
  EXPECT_EQ(text(4), " This file contains  13  frames");
  EXPECT_EQ(text(5), " AX.25   from:  KRVL2  to:  QST   ");
}

TEST_F(MainWindowTest, SelectorStartsAgainAtOneForTheNextCapture) {
  open(write("long.kss", beacons(13)));
  pressUp(9);
  EXPECT_EQ(text(1), "10");

  open(write("short.kss", beacons(3)));
  EXPECT_EQ(text(1), "1");
  EXPECT_EQ(selector()->position(), 1);
  pressUp(5);
  EXPECT_EQ(text(1), "3");
  EXPECT_EQ(form_->decoderState().SelectedFrame, 3);
}

TEST_F(MainWindowTest, SelectorReachesEveryFrameOfACaptureOfMoreThan32767) {
  const Bytes frame = satelliteFrame().bytes();
  CaptureBuilder capture;
  for (int i = 0; i < 40000; ++i) capture.frame(frame);
  open(write("big.kss", capture));
  EXPECT_EQ(text(4), " This file contains  40000  frames");

  pressUp();
  selector()->setPosition(32767);
  pressUp();
  EXPECT_EQ(text(1), "32768");
  EXPECT_EQ(form_->decoderState().SelectedFrame, 32768);

  selector()->setPosition(39999);
  pressUp(2);
  EXPECT_EQ(text(1), "40000");
  EXPECT_EQ(form_->decoderState().SelectedFrame, 40000);
}

TEST_F(MainWindowTest, ExportCommandReportsTheFileInThePathLine) {
  open(write("pass.kss", beacons(2)));
  action("Writehexfile1")->trigger();
  EXPECT_EQ(edit1()->text(), " Writing pass.HEX");
}

std::string hexLines(const std::vector<Bytes>& frames) {
  std::string lines;
  for (const Bytes& frame : frames) lines += hexText(frame) + "\r\n";
  return lines;
}

TEST_F(MainWindowTest, SteppingDecodesEachFrameWithItsOwnReceptionTime) {
  // Two reception times for four frames; the third frame is a nominal-mode one.
  CaptureBuilder capture;
  capture.timestamp(testing::unixMillis(2021, 4, 10, 12, 0, 0, 999))
      .frame(satelliteFrame().to("QST").withSequence(1).bytes())
      .frame(otherStationFrame("DK0WCY", "beacon"))
      .timestamp(testing::unixMillis(2021, 4, 10, 23, 59, 59))
      .frame(satelliteFrame().to("QST").withSequence(2).withBatteryMv(7999).bytes())
      .frame(satelliteFrame().withMode(0x01).withSequence(3).bytes())
      .frame(satelliteFrame().withSequence(4).withRssi(958).bytes());
  open(write("pass.kss", capture));

  EXPECT_EQ(text(20), " RX date: 4/10/2021 12:00:00 PM UTC");
  EXPECT_EQ(text(7), " Sequence number: 1");
  EXPECT_EQ(text(6), " Safe mode beacon  ");

  pressUp();
  EXPECT_EQ(text(20), " RX date: 4/10/2021 11:59:59 PM UTC");
  EXPECT_EQ(text(7), " Sequence number: 2");
  EXPECT_EQ(text(9), " EPS battery voltage:  7.999 V");

  pressUp();
  EXPECT_EQ(text(20), "");  // no record of its own: no time that belongs to another frame
  EXPECT_EQ(text(6), " Nominal mode beacon   (not yet implemented) ");
  EXPECT_EQ(shown(), names({"UpDown1", "Label1", "Label2", "Label4", "Label5", "Label6", "Label20"}));

  pressUp();
  EXPECT_EQ(text(6), " Safe mode beacon  ");
  EXPECT_EQ(text(7), " Sequence number: 4");
  EXPECT_EQ(text(17), " TRXUV RX RSSI:  Bad data !");
  std::set<QString> all = labelRange(1, 21);
  all.insert("UpDown1");
  EXPECT_EQ(shown(), all);
  EXPECT_TRUE(reporter_.messages.empty());
}

TEST_F(MainWindowTest, AFirstFrameTooShortToDecodeKeepsTheSummaryAndTheWholeExport) {
  const Bytes shortFrame = satelliteFrame().to("QST").withLength(40).bytes();
  const Bytes whole = satelliteFrame().to("QST").withSequence(2).bytes();
  open(write("short.kss", CaptureBuilder().frame(shortFrame).frame(whole)));

  EXPECT_EQ(reporter_.messages, std::vector<std::string>({"'$' is not a valid integer value"}));
  EXPECT_EQ(text(4), " This file contains  2  frames");
  EXPECT_EQ(text(5), " AX.25   from:  KRVL2  to:  QST   ");
  EXPECT_EQ(text(12), " TRXUV RX current: 79 mA");  // step 9 was done
  EXPECT_EQ(text(13), "Label13");                    // step 10 failed
  EXPECT_EQ(text(21), "Label21");

  action("Writehexfile1")->trigger();
  EXPECT_EQ(testing::fileContent(start_.file("short.HEX")), hexLines({shortFrame, whole}));
}

TEST_F(MainWindowTest, ACaptureCutShortWhoseFirstFrameIsTooShortReportsBothFailures) {
  const Bytes shortFrame = satelliteFrame().withLength(30).bytes();
  open(write("cut.kss", CaptureBuilder().frame(shortFrame).raw({0xC0, 0x00, 0x96})));

  EXPECT_EQ(reporter_.messages,
            std::vector<std::string>({"Read beyond end of file", "'$' is not a valid integer value"}));
  EXPECT_EQ(text(4), " This file contains  1  frame");
  EXPECT_TRUE(action("Writehexfile1")->isEnabled());
}

TEST_F(MainWindowTest, ExportWritesTheLastCaptureOpenedToTheStartDirectory) {
  EXPECT_FALSE(action("Writehexfile1")->isEnabled());

  // A frame with bytes that the capture carries escaped.
  const Bytes escaped = satelliteFrame().withAntennaA(0xC0DB).bytes();
  const Bytes plain = satelliteFrame().withSequence(7).bytes();
  const std::string first = write("first.kss", CaptureBuilder().frame(escaped).frame(plain).frame(escaped));
  open(first);
  ASSERT_TRUE(action("Writehexfile1")->isEnabled());
  action("Writehexfile1")->trigger();
  const std::string expected = hexLines({escaped, plain, escaped});
  EXPECT_EQ(testing::fileContent(start_.file("first.HEX")), expected);
  EXPECT_FALSE(std::filesystem::exists(files_.file("first.HEX")));

  // A cancelled open keeps the capture: the export writes it again.
  std::filesystem::remove(start_.file("first.HEX"));
  cancelOpen();
  action("Writehexfile1")->trigger();
  EXPECT_EQ(testing::fileContent(start_.file("first.HEX")), expected);
  EXPECT_EQ(edit1()->text(), " Writing first.HEX");

  // A capture without the satellite's frames cannot be exported.
  open(write("foreign.kss", CaptureBuilder().frame(otherStationFrame("DK0WCY", "beacon"))));
  EXPECT_FALSE(action("Writehexfile1")->isEnabled());
  open(write("empty.kss", CaptureBuilder()));
  EXPECT_FALSE(action("Writehexfile1")->isEnabled());
  EXPECT_TRUE(reporter_.messages.empty());
}

TEST_F(MainWindowTest, AFailedExportIsReportedAndLeavesThePathLine) {
  const std::string path = write("pass.kss", beacons(2));
  open(path);
  // The directory the program was started from is gone.
  std::filesystem::current_path(files_.path());
  std::filesystem::remove_all(start_.path());

  action("Writehexfile1")->trigger();
  EXPECT_EQ(reporter_.messages, std::vector<std::string>({"Invalid filename"}));
  EXPECT_EQ(edit1()->text().toStdString(), path);
  EXPECT_TRUE(action("Writehexfile1")->isEnabled());
}

TEST_F(MainWindowTest, HelpAndAboutShowTheirWindowsModelessAndOnlyRaiseThemWhenOpen) {
  struct CountingWindow : QWidget {
    int shows = 0;
    void showEvent(QShowEvent* event) override {
      if (!event->spontaneous()) ++shows;
    }
  } about, help;
  form_->setSecondaryWindows(&about, &help);

  action("help")->trigger();
  action("help")->trigger();
  EXPECT_TRUE(help.isVisible());
  EXPECT_EQ(help.shows, 1);
  EXPECT_FALSE(about.isVisible());

  action("About1")->trigger();
  EXPECT_TRUE(about.isVisible());
  EXPECT_EQ(about.shows, 1);
  // Neither keeps the program running once the main window is closed.
  EXPECT_FALSE(help.testAttribute(Qt::WA_QuitOnClose));
  EXPECT_FALSE(about.testAttribute(Qt::WA_QuitOnClose));
  // The main window stays usable beside them.
  open(write("pass.kss", beacons(2)));
  EXPECT_TRUE(reporter_.messages.empty());
  EXPECT_EQ(text(4), " This file contains  2  frames");
  form_->setSecondaryWindows(nullptr, nullptr);
}

TEST_F(MainWindowTest, WindowHasItsFixedSizeAndEveryControlItsPlace) {
  EXPECT_EQ(form_->centralWidget()->size(), QSize(557, 496));
  EXPECT_EQ(form_->size(), QSize(557, 496 + form_->menuBar()->height()));
  EXPECT_EQ(form_->minimumSize(), form_->maximumSize());
  EXPECT_FALSE(form_->windowFlags() & Qt::WindowMaximizeButtonHint);
  EXPECT_TRUE(form_->windowFlags() & Qt::WindowMinimizeButtonHint);
  EXPECT_TRUE(form_->windowFlags() & Qt::WindowCloseButtonHint);

  EXPECT_EQ(edit1()->geometry(), QRect(8, 8, 537, 21));
  EXPECT_EQ(image1()->geometry(), QRect(56, 40, 443, 442));
  EXPECT_EQ(selector()->geometry(), QRect(496, 88, 20, 25));
  EXPECT_EQ(selector()->minimum(), 1);
  EXPECT_EQ(selector()->position(), 1);
  EXPECT_EQ(selector()->focusPolicy(), Qt::NoFocus);
  EXPECT_EQ(selector()->upButton()->focusPolicy(), Qt::NoFocus);

  const struct {
    int number, x, y;
  } places[] = {{5, 16, 56},   {20, 272, 56},  {4, 16, 96},   {2, 272, 96},   {1, 472, 96},   {6, 16, 136},
                {21, 272, 136}, {7, 16, 176},  {3, 272, 176}, {9, 16, 216},   {8, 272, 216},  {10, 16, 256},
                {13, 272, 256}, {11, 16, 296}, {12, 272, 296}, {14, 16, 336}, {15, 272, 336}, {16, 16, 376},
                {17, 272, 376}, {18, 16, 416}, {19, 272, 416}};
  for (const auto& place : places) {
    SCOPED_TRACE(place.number);
    QLabel* label = line(place.number);
    EXPECT_EQ(label->pos(), QPoint(place.x, place.y));
    EXPECT_EQ(label->height(), 13);
    EXPECT_EQ(label->width(), label->fontMetrics().horizontalAdvance(label->text()));
    EXPECT_TRUE(label->font().bold());
    EXPECT_TRUE(label->autoFillBackground());
  }
  EXPECT_EQ(text(2), " Choose the frame to be decoded:");
  EXPECT_EQ(text(4), "label4");
  EXPECT_EQ(text(1), "0");
  EXPECT_EQ(line(4)->toolTip(), "List of received thumbnails, puzzles or other scheduled images");
  EXPECT_EQ(line(4)->toolTipDuration(), 2500);
  EXPECT_EQ(line(4)->style()->styleHint(QStyle::SH_ToolTip_WakeUpDelay, nullptr, line(4)), 500);
}

TEST_F(MainWindowTest, LinesGrowAndShrinkWithTheirText) {
  open(write("a-rather-long-capture-file-name-for-this-line.kss", CaptureBuilder()));
  const int wide = line(5)->width();
  EXPECT_EQ(wide, line(5)->fontMetrics().horizontalAdvance(text(5)));
  open(write("pass.kss", beacons(2)));
  EXPECT_LT(line(5)->width(), wide);
  EXPECT_EQ(line(5)->width(), line(5)->fontMetrics().horizontalAdvance(text(5)));
  EXPECT_EQ(line(5)->height(), 13);
}

TEST_F(MainWindowTest, FourLinesLieBeneathThePictureAndTheOthersAbove) {
  // Only the reading display shows lines over the picture; show them all.
  for (int number = 1; number <= 21; ++number) line(number)->show();
  selector()->show();
  QWidget* client = form_->centralWidget();
  const QRect picture = image1()->geometry();
  for (int number = 1; number <= 21; ++number) {
    SCOPED_TRACE(number);
    const QRect area = line(number)->geometry().intersected(picture);
    if (area.isEmpty()) continue;
    const bool beneath = number == 4 || number == 1 || number == 2 || number == 3;
    EXPECT_EQ(client->childAt(area.center()), beneath ? static_cast<QWidget*>(image1()) : line(number));
  }
  const QRect arrows = selector()->geometry().intersected(picture);
  ASSERT_FALSE(arrows.isEmpty());
  EXPECT_TRUE(selector()->isAncestorOf(client->childAt(arrows.center())));
}

TEST_F(MainWindowTest, TypefaceIsTheChosenSansSerifAtElevenPixels) {
  const QString family = nearestSansSerifFamily(QFontDatabase::families());
  ASSERT_FALSE(family.isEmpty()) << "no plain sans-serif face of our list is installed";
  for (QWidget* control : {static_cast<QWidget*>(edit1()), static_cast<QWidget*>(line(5))}) {
    const QFontInfo used(control->font());
    EXPECT_EQ(used.family(), family);
    EXPECT_EQ(used.pixelSize(), 11);
  }
  EXPECT_FALSE(edit1()->font().bold());
}

TEST(WindowFont, FallsBackToTheNearestFaceThatIsInstalled) {
  const struct {
    QStringList installed;
    QString expected;
  } cases[] = {
      {{"DejaVu Sans", "MS Sans Serif", "Liberation Sans"}, "MS Sans Serif"},
      {{"DejaVu Sans", "DejaVu Serif", "Liberation Sans"}, "Liberation Sans"},
      {{"DejaVu Serif", "DejaVu Sans"}, "DejaVu Sans"},
      {{"Noto Serif", "Courier"}, ""},
  };
  for (const auto& c : cases) EXPECT_EQ(nearestSansSerifFamily(c.installed), c.expected) << c.installed.join(",").toStdString();
}

}  // namespace
}  // namespace krvl2
