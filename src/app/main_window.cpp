#include "app/main_window.h"

#include <QAction>
#include <QFile>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QProxyStyle>
#include <QScreen>
#include <QShowEvent>
#include <algorithm>
#include <filesystem>
#include <optional>
#include <system_error>

#include "app/handler_guard.h"
#include "app/pictures.h"
#include "app/up_down.h"
#include "app/window_font.h"
#include "beacon/calcula.h"
#include "beacon/display_lines.h"
#include "beacon/summary_lines.h"
#include "capture/failure.h"
#include "capture/frame_text.h"
#include "capture/kss_reader.h"
#include "capture/windows1252.h"
#include "export/hex_writer.h"

namespace {

constexpr int kClientWidth = 557;
constexpr int kClientHeight = 496;
constexpr int kLineHeight = 13;

struct LinePlace {
  int number;
  int x;
  int y;
  const char* text;
};

// Every line with its place and its first text, in the order of the rows of
// the window; the texts other than Label2's are placeholders.
constexpr LinePlace kLines[] = {
    {5, 16, 56, "Label5"},
    {20, 272, 56, "Label20"},
    {4, 16, 96, "label4"},
    {2, 272, 96, " Choose the frame to be decoded:"},
    {1, 472, 96, "0"},
    {6, 16, 136, "Label6"},
    {21, 272, 136, "Label21"},
    {7, 16, 176, "Label7"},
    {3, 272, 176, "Label3"},
    {9, 16, 216, "Label9"},
    {8, 272, 216, "Label8"},
    {10, 16, 256, "Label10"},
    {13, 272, 256, "Label13"},
    {11, 16, 296, "Label11"},
    {12, 272, 296, "Label12"},
    {14, 16, 336, "Label14"},
    {15, 272, 336, "Label15"},
    {16, 16, 376, "Label16"},
    {17, 272, 376, "Label17"},
    {18, 16, 416, "Label18"},
    {19, 272, 416, "Label19"},
};

// These lines lie beneath the picture; all others above it.
constexpr int kLinesUnderPicture[] = {4, 1, 2, 3};

// The lines that the reading display shows, in the order they are shown.
constexpr int kReadingLines[] = {2, 3, 1, 4, 5, 6, 7, 8, 9, 20, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19};

const QString kLabel4Hint = QStringLiteral("List of received thumbnails, puzzles or other scheduled images");

// The hint of Label4 comes up after half a second.
class HintDelayStyle : public QProxyStyle {
 public:
  int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                QStyleHintReturn* returnData) const override {
    if (hint == QStyle::SH_ToolTip_WakeUpDelay) return 500;
    return QProxyStyle::styleHint(hint, option, widget, returnData);
  }
};

QString fromWindows1252(const std::string& text) { return QString::fromStdString(krvl2::windows1252ToUtf8(text)); }

std::string currentDirectory() {
  std::error_code error;
  const auto path = std::filesystem::current_path(error);
  if (error) throw krvl2::ioFailure(error.value());
  return path.string();
}

}  // namespace

// The lines as the decoder writes them.
class TForm1::Lines : public krvl2::DisplayLines {
 public:
  explicit Lines(TForm1& form) : form_(form) {}
  void setText(int label, const std::string& text) override {
    if (label >= 1 && label <= 21) form_.setLabelText(label, fromWindows1252(text));
  }
  void setVisible(int label, bool visible) override {
    if (label >= 1 && label <= 21) form_.label(label)->setVisible(visible);
  }

 private:
  TForm1& form_;
};

TForm1::TForm1(ErrorReporter& reporter, CaptureFileChooser& chooser)
    : reporter_(reporter), chooser_(chooser), lines_(std::make_unique<Lines>(*this)) {
  setObjectName(QStringLiteral("Form1"));
  setWindowTitle(QStringLiteral("  KRVL2  beacon decoder    v1.6     by  VEMLIK"));
  setWindowIcon(programIcon());
  setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                 Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
  setFont(windowFont());
  QPalette buttonFace = palette();
  buttonFace.setColor(QPalette::Window, buttonFace.color(QPalette::Button));
  setPalette(buttonFace);

  auto* client = new QWidget(this);
  client->setObjectName(QStringLiteral("client"));
  client->setFixedSize(kClientWidth, kClientHeight);
  client->setAutoFillBackground(true);
  setCentralWidget(client);
  buildControls(client);
  buildMenu();
  // The window itself refuses resizing, not only its contents.
  layout()->setSizeConstraint(QLayout::SetFixedSize);
}

TForm1::~TForm1() = default;

void TForm1::buildControls(QWidget* client) {
  QFont lineFont = font();
  lineFont.setBold(true);
  for (const LinePlace& place : kLines) {
    auto* line = new QLabel(client);
    line->setObjectName(QStringLiteral("Label%1").arg(place.number));
    line->setFont(lineFont);
    line->setTextFormat(Qt::PlainText);
    line->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    line->setAutoFillBackground(true);
    line->move(place.x, place.y);
    labels_.at(static_cast<std::size_t>(place.number - 1)) = line;
    setLabelText(place.number, QString::fromLatin1(place.text));
  }

  QLabel* const hinted = label(4);
  hinted->setToolTip(kLabel4Hint);
  hinted->setToolTipDuration(2500);
  // Owned by the window, whose children (the line among them) go first.
  auto* hintStyle = new HintDelayStyle;
  hintStyle->setParent(this);
  hinted->setStyle(hintStyle);

  Image1 = new QLabel(client);
  Image1->setObjectName(QStringLiteral("Image1"));
  Image1->setGeometry(56, 40, 443, 442);
  Image1->setPixmap(satellitePicture(devicePixelRatioF()));

  Edit1 = new QLineEdit(client);
  Edit1->setObjectName(QStringLiteral("Edit1"));
  Edit1->setReadOnly(true);
  Edit1->setGeometry(8, 8, 537, 21);

  UpDown1 = new UpDown(client);
  UpDown1->setObjectName(QStringLiteral("UpDown1"));
  UpDown1->setGeometry(496, 88, 20, 25);
  connectHandler(UpDown1, &UpDown::clicked, this, reporter_, [this] { UpDown1Click(); });

  // Stacking, from the bottom: four lines, the picture, the other lines, then
  // the path line and the selector above everything.
  for (const int number : kLinesUnderPicture) label(number)->raise();
  Image1->raise();
  for (const LinePlace& place : kLines) {
    if (std::find(std::begin(kLinesUnderPicture), std::end(kLinesUnderPicture), place.number) ==
        std::end(kLinesUnderPicture)) {
      label(place.number)->raise();
    }
  }
  Edit1->raise();
  UpDown1->raise();
}

void TForm1::buildMenu() {
  QMenuBar* const bar = menuBar();
  bar->setObjectName(QStringLiteral("MainMenu1"));
  File1 = bar->addMenu(QStringLiteral(" &File"));
  File1->setObjectName(QStringLiteral("File1"));
  OpenKSSfile1 = File1->addAction(QStringLiteral("&Open .KSS file"));
  OpenKSSfile1->setObjectName(QStringLiteral("OpenKSSfile1"));
  Writehexfile1 = File1->addAction(QStringLiteral("&Write .HEX file"));
  Writehexfile1->setObjectName(QStringLiteral("Writehexfile1"));
  Writehexfile1->setEnabled(false);
  Exit1 = File1->addAction(QStringLiteral("&Exit"));
  Exit1->setObjectName(QStringLiteral("Exit1"));
  help = bar->addAction(QStringLiteral(" &Help"));
  help->setObjectName(QStringLiteral("help"));
  About1 = bar->addAction(QStringLiteral(" &About"));
  About1->setObjectName(QStringLiteral("About1"));

  connectHandler(OpenKSSfile1, &QAction::triggered, this, reporter_, [this] { OpenKSSfile1Click(); });
  connectHandler(Writehexfile1, &QAction::triggered, this, reporter_, [this] { Writehexfile1Click(); });
  connectHandler(Exit1, &QAction::triggered, this, reporter_, [this] { Exit1Click(); });
  connectHandler(help, &QAction::triggered, this, reporter_, [this] { helpClick(); });
  connectHandler(About1, &QAction::triggered, this, reporter_, [this] { About1Click(); });
}

void TForm1::setSecondaryWindows(QWidget* about, QWidget* help) {
  aboutWindow_ = about;
  helpWindow_ = help;
  for (QWidget* window : {about, help}) {
    if (window != nullptr) window->setAttribute(Qt::WA_QuitOnClose, false);
  }
}

void TForm1::setLabelText(int number, const QString& text) {
  QLabel* const line = label(number);
  line->setText(text);
  // An empty line keeps the width of one blank, as a line sized to its text
  // would.
  const int width = line->fontMetrics().horizontalAdvance(text.isEmpty() ? QStringLiteral(" ") : text);
  line->resize(width, kLineHeight);
}

void TForm1::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  // Coming back from the task bar is not showing the window again.
  if (event->spontaneous()) return;
  if (!centred_) {
    centreOnScreen();
    centred_ = true;
  }
  runHandler(reporter_, [this] { FormShow(); });
}

void TForm1::centreOnScreen() {
  const QRect screenArea = screen()->geometry();
  const QSize outer = frameGeometry().size();
  move(screenArea.left() + std::max(0, (screenArea.width() - outer.width()) / 2),
       screenArea.top() + std::max(0, (screenArea.height() - outer.height()) / 2));
}

void TForm1::FormShow() {
  state_.SatelliteFramesEscaped.clear();
  state_.SatelliteFrames.clear();
  apaga();
  state_.StartDirectory = currentDirectory();
}

void TForm1::apaga() {
  Image1->show();
  for (QLabel* line : labels_) line->hide();
  UpDown1->hide();
}

void TForm1::calcula() { krvl2::calcula(state_, locale_, *lines_); }

void TForm1::showReadingDisplay() {
  for (const int number : kReadingLines) label(number)->show();
  UpDown1->show();
}

namespace {

// Reports a failure when the scope it guards is left, normally or by a
// failure of its own, so that neither of the two goes unreported.
class ReportWhenDone {
 public:
  ReportWhenDone(ErrorReporter& reporter, const std::optional<krvl2::Failure>& failure)
      : reporter_(reporter), failure_(failure) {}
  ReportWhenDone(const ReportWhenDone&) = delete;
  ReportWhenDone& operator=(const ReportWhenDone&) = delete;
  ~ReportWhenDone() {
    if (failure_) reporter_.report(failure_->message());
  }

 private:
  ErrorReporter& reporter_;
  const std::optional<krvl2::Failure>& failure_;
};

}  // namespace

void TForm1::OpenKSSfile1Click() {
  apaga();
  const std::optional<QString> chosen = chooser_.chooseCapture(this, confirmedPath_);
  if (!chosen) return;
  confirmedPath_ = *chosen;

  // The file is opened before anything on the window changes, so that a file
  // that cannot be opened leaves the window as a cancelled dialog does: the
  // picture, and the path of the capture still loaded beside it.
  krvl2::KssCapture capture = krvl2::ReadKssFile(state_, QFile::encodeName(*chosen).toStdString());

  showReadingDisplay();
  UpDown1->setPosition(1);
  setLabelText(20, QString());
  Edit1->setText(*chosen);
  // The window does not repaint while the capture is read; what stands on
  // the screen meanwhile is this.
  repaint();

  if (capture.isEmpty()) {
    apaga();
    Image1->hide();
    label(5)->show();
    Writehexfile1->setEnabled(false);
    setLabelText(5, *chosen + QString::fromLatin1(krvl2::kInvalidFileSuffix));
    return;
  }

  Writehexfile1->setEnabled(true);
  // Millions of frames may be read: the count is shown once, at the end.
  std::optional<std::int32_t> runningCount;
  const std::optional<krvl2::Failure> failure =
      capture.readAvailableFrames(state_, [&runningCount](std::int32_t count) { runningCount = count; });
  if (runningCount) setLabelText(4, QString::number(*runningCount));

  // A capture cut short shows the frames read before the cut, exactly as a
  // whole capture would, and then reports the failure: also when decoding
  // frame 1 fails too, which is then reported after it.
  const ReportWhenDone reportCut(reporter_, failure);
  showCaptureRead();
}

void TForm1::showCaptureRead() {
  const std::int32_t count = state_.SatelliteFrameCount;
  for (QWidget* control : {static_cast<QWidget*>(UpDown1), static_cast<QWidget*>(label(2)),
                           static_cast<QWidget*>(label(1))}) {
    control->setVisible(count != 1);
  }
  UpDown1->setPosition(1);

  if (count == 0) {
    apaga();
    label(5)->show();
    Image1->hide();
    setLabelText(5, QString::fromLatin1(krvl2::kForeignFileLine));
    Writehexfile1->setEnabled(false);
    return;
  }

  setLabelText(5, fromWindows1252(krvl2::addressLine(state_.SatelliteFrames.at(0))));
  setLabelText(4, fromWindows1252(krvl2::frameCountLine(count)));
  state_.SelectedFrame = 1;
  Image1->hide();
  setLabelText(1, QStringLiteral("1"));
  calcula();
}

void TForm1::Writehexfile1Click() {
  krvl2::WriteHexFile(state_);
  Edit1->setText(QFile::decodeName(QByteArray::fromStdString(krvl2::exportNotice(state_.HexExportPath))));
}

void TForm1::UpDown1Click() {
  UpDown1->setMaximum(state_.SatelliteFrameCount);
  state_.SelectedFrame = UpDown1->position();
  setLabelText(1, QString::number(state_.SelectedFrame));
  calcula();
}

void TForm1::Exit1Click() { close(); }

namespace {

void showModeless(QWidget* window) {
  if (window == nullptr) return;
  window->show();
  window->raise();
  window->activateWindow();
}

}  // namespace

void TForm1::helpClick() { showModeless(helpWindow_); }

void TForm1::About1Click() { showModeless(aboutWindow_); }
