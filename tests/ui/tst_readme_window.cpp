// The Readme window: its look, on top as the check box says at each opening,
// the credit text on two lines, closing, and the main window blocked meanwhile.

// Mouse clicks travel the window system's way, as real clicks do, so that a
// modal window blocks them.
#define QTEST_QPA_MOUSE_HANDLING
#include <QAction>
#include <QCheckBox>
#include <QDialog>
#include <QFontMetrics>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QWindow>
#include <functional>
#include <optional>

#include "tests/ui/main_window_fixture.h"
#include "ui/song_font.h"

using vantrel::test::control;
using vantrel::test::listLines;

namespace {

QDialog* openReadmeWindow() {
  for (QWidget* widget : QApplication::topLevelWidgets())
    if (widget->isVisible() && widget->windowTitle() == QLatin1String("Readme"))
      return qobject_cast<QDialog*>(widget);
  return nullptr;
}

int readmeWindowCount() {
  int count = 0;
  for (const QWidget* widget : QApplication::topLevelWidgets())
    if (widget->windowTitle() == QLatin1String("Readme")) ++count;
  return count;
}

// Clicks readme按钮 and runs whileOpen on the Readme window from inside its
// modal loop; whileOpen must close it. Returns once the click handler has
// returned, and tells whether the window opened. A window left open is closed
// after a few seconds so that a fault fails the test instead of hanging it.
bool withReadmeOpen(QWidget& mainWindow, const std::function<void(QDialog&)>& whileOpen) {
  bool opened = false;
  QTimer poll;
  poll.setInterval(5);
  QObject::connect(&poll, &QTimer::timeout, &poll, [&] {
    QDialog* readme = openReadmeWindow();
    if (!readme) return;
    poll.stop();
    opened = true;
    whileOpen(*readme);
  });
  bool leftOpen = false;
  QTimer guard;
  guard.setSingleShot(true);
  QObject::connect(&guard, &QTimer::timeout, &guard, [&] {
    if (QDialog* readme = openReadmeWindow()) {
      leftOpen = true;
      readme->close();
    }
  });
  poll.start();
  guard.start(5000);
  QTest::mouseClick(control<QPushButton>(mainWindow, "readme按钮"), Qt::LeftButton);
  if (leftOpen) qWarning("the Readme window was still open after five seconds");
  return opened && !leftOpen;
}

void pressEscape(QDialog& readme) {
  QTest::keyClick(readme.windowHandle(), Qt::Key_Escape);
}

// On top as the native window has it, and as the widget records it: both or
// neither, so that a later show or flag change cannot undo it.
std::optional<bool> onTop(const QWidget& window) {
  const bool native = vantrel::test::isOnTop(window);
  if (native != window.windowFlags().testFlag(Qt::WindowStaysOnTopHint)) return std::nullopt;
  return native;
}

// The rows of the image that hold ink, counted as runs of adjacent rows: one
// run per line of text.
int inkedLineCount(const QImage& image) {
  int runs = 0;
  bool inRun = false;
  for (int y = 0; y < image.height(); ++y) {
    bool ink = false;
    for (int x = 0; x < image.width() && !ink; ++x) ink = qGray(image.pixel(x, y)) < 128;
    if (ink && !inRun) ++runs;
    inRun = ink;
  }
  return runs;
}

}  // namespace

class ReadmeWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void init() { window_ = vantrel::test::showMainWindow(); }
  void cleanup() { window_.reset(); }

  void opensAsDesigned_data() {
    QTest::addColumn<bool>("checked");
    QTest::newRow("check box not checked") << false;
    QTest::newRow("check box checked") << true;
  }
  void opensAsDesigned() {
    QFETCH(bool, checked);
    if (checked)
      QTest::mouseClick(control<QCheckBox>(*window_, "窗口永远在上选择框"), Qt::LeftButton);

    QString title;
    QSize size, minimum, maximum;
    Qt::WindowFlags flags;
    bool modal = false, overMainWindow = false, hasOwner = true, exposed = false;
    std::optional<bool> readmeOnTop;
    QRect labelGeometry;
    QFont font;
    QColor background, text;
    QPoint centre;
    const bool opened = withReadmeOpen(*window_, [&](QDialog& readme) {
      exposed = QTest::qWaitForWindowExposed(&readme);
      title = readme.windowTitle();
      size = readme.size();
      minimum = readme.minimumSize();
      maximum = readme.maximumSize();
      flags = readme.windowFlags();
      modal = readme.windowModality() == Qt::WindowModal &&
              QApplication::activeModalWidget() == &readme;
      overMainWindow = readme.windowHandle()->transientParent() == window_->windowHandle();
      hasOwner = readme.parentWidget() != nullptr;
      readmeOnTop = onTop(readme);
      const auto* label = control<QLabel>(readme, "标签1");
      labelGeometry = label->geometry();
      font = label->font();
      background = label->palette().color(QPalette::Window);
      text = label->palette().color(QPalette::WindowText);
      centre = readme.geometry().center();
      pressEscape(readme);
    });

    QVERIFY(opened);
    QVERIFY(exposed);
    QCOMPARE(title, QStringLiteral("Readme"));
    QCOMPARE(size, QSize(195, 256));
    QCOMPARE(minimum, size);
    QCOMPARE(maximum, size);
    QCOMPARE(flags & Qt::WindowType_Mask, Qt::Tool);
    QVERIFY(flags.testFlag(Qt::WindowCloseButtonHint));
    QVERIFY(!flags.testFlag(Qt::WindowMaximizeButtonHint));
    QVERIFY(modal);
    QVERIFY(overMainWindow);
    QVERIFY(!hasOwner);
    QCOMPARE(readmeOnTop, std::optional<bool>(checked));
    QCOMPARE(labelGeometry, QRect(0, 0, 195, 256));
    QCOMPARE(font.pixelSize(), 12);
    QCOMPARE(font.weight(), QFont::Normal);
    QCOMPARE(font, vantrel::ui::songFont(12, QFont::Normal));
    QCOMPARE(background, QColor(0xEC, 0xEC, 0xEC));
    QCOMPARE(text, QColor(Qt::black));
    // Centred on the screen, where it leaves the main window in sight.
    const QPoint screenCentre = window_->screen()->availableGeometry().center();
    QVERIFY2((centre - screenCentre).manhattanLength() < 40,
             qPrintable(QStringLiteral("centre %1,%2").arg(centre.x()).arg(centre.y())));

    // Nothing of it is left, and the main window kept its own on-top state.
    QCOMPARE(readmeWindowCount(), 0);
    QCOMPARE(vantrel::test::isOnTop(*window_), checked);
  }

  // Each opening builds a fresh window and reads the check box anew.
  void followsTheCheckBoxAtEachOpening() {
    auto* check = control<QCheckBox>(*window_, "窗口永远在上选择框");
    QPointer<QDialog> previous;
    for (const bool checked : {false, true, true, false}) {
      if (check->isChecked() != checked) QTest::mouseClick(check, Qt::LeftButton);
      QCOMPARE(check->isChecked(), checked);

      std::optional<bool> readmeOnTop;
      bool fresh = false;
      QString credit;
      QVERIFY(withReadmeOpen(*window_, [&](QDialog& readme) {
        fresh = previous.isNull();
        previous = &readme;
        readmeOnTop = onTop(readme);
        credit = control<QLabel>(readme, "标签1")->text();
        pressEscape(readme);
      }));
      QVERIFY(fresh);
      QCOMPARE(readmeOnTop, std::optional<bool>(checked));
      QVERIFY(!credit.isEmpty());
      QVERIFY(previous.isNull());
    }
  }

  // The CR LF of the credit text starts a second line and leaves no character
  // of its own behind; each line fits the window without wrapping.
  void creditTextShowsOnTwoLines() {
    QStringList lines;
    int labelContentWidth = 0, inked = 0;
    QFont font;
    QVERIFY(withReadmeOpen(*window_, [&](QDialog& readme) {
      auto* label = control<QLabel>(readme, "标签1");
      lines = label->text().split(QLatin1Char('\n'));
      labelContentWidth = label->contentsRect().width() - 2 * label->margin();
      font = label->font();
      inked = inkedLineCount(label->grab().toImage());
      pressEscape(readme);
    }));

    QCOMPARE(lines.size(), 2);
    QVERIFY2(lines[0].startsWith(QStringLiteral("欢迎")), qPrintable(lines[0]));
    QVERIFY2(lines[1].contains(QStringLiteral("Vantrel 团队")), qPrintable(lines[1]));
    const QFontMetrics metrics(font);
    for (const QString& line : lines) {
      QVERIFY(!line.contains(QLatin1Char('\r')));
      QVERIFY(!line.trimmed().isEmpty());
      QVERIFY2(metrics.horizontalAdvance(line) <= labelContentWidth, qPrintable(line));
    }
    QCOMPARE(inked, 2);
  }

  void closesByEscapeAndByTheCloseButton_data() {
    QTest::addColumn<bool>("byEscape");
    QTest::newRow("Esc") << true;
    QTest::newRow("title bar close button") << false;
  }
  void closesByEscapeAndByTheCloseButton() {
    QFETCH(bool, byEscape);
    QPointer<QDialog> readme;
    QVERIFY(withReadmeOpen(*window_, [&](QDialog& open) {
      readme = &open;
      if (byEscape) {
        pressEscape(open);
      } else {
        // What the window manager asks for when its close button is clicked.
        QVERIFY(open.windowHandle()->close());
      }
    }));
    QVERIFY(readme.isNull());
    QCOMPARE(readmeWindowCount(), 0);
    // Back in the main window, which takes clicks again.
    QVERIFY(!QGuiApplication::modalWindow());
    QTest::mouseClick(control<QCheckBox>(*window_, "窗口永远在上选择框"), Qt::LeftButton);
    QVERIFY(control<QCheckBox>(*window_, "窗口永远在上选择框")->isChecked());
  }

  // While the Readme window is open, clicks and keys aimed at the main window
  // change nothing, while another window of the program (as the tray icon is)
  // still takes them; once it is closed, the same clicks work.
  void mainWindowRefusesInputWhileOpen() {
    const QList<QLineEdit*> boxes{
        control<QLineEdit>(*window_, "编辑框a"), control<QLineEdit>(*window_, "编辑框b"),
        control<QLineEdit>(*window_, "编辑框c"), control<QLineEdit>(*window_, "编辑框d")};
    const QStringList inputs{"3", "3", "8", "8"};
    for (int i = 0; i < 4; ++i) boxes[i]->setText(inputs[i]);
    auto* calculate = control<QPushButton>(*window_, "计算按钮");
    auto* check = control<QCheckBox>(*window_, "窗口永远在上选择框");
    // A window of the program with no tie to the main window, as the tray
    // icon's own window is.
    QPushButton other(QStringLiteral("other"));
    int otherClicks = 0;
    QObject::connect(&other, &QPushButton::clicked, &other, [&] { ++otherClicks; });
    other.show();
    QVERIFY(QTest::qWaitForWindowExposed(&other));

    QStringList linesWhileOpen{"not read"};
    QString boxWhileOpen;
    bool checkWhileOpen = true;
    QVERIFY(withReadmeOpen(*window_, [&](QDialog& readme) {
      QTest::mouseClick(calculate, Qt::LeftButton);
      QTest::mouseClick(check, Qt::LeftButton);
      QTest::keyClick(window_->windowHandle(), Qt::Key_5, Qt::NoModifier);
      QTest::mouseClick(&other, Qt::LeftButton);
      linesWhileOpen = listLines(*window_);
      boxWhileOpen = boxes[0]->text();
      checkWhileOpen = check->isChecked();
      pressEscape(readme);
    }));
    QVERIFY(linesWhileOpen.isEmpty());
    QCOMPARE(boxWhileOpen, QStringLiteral("3"));
    QVERIFY(!checkWhileOpen);
    QCOMPARE(otherClicks, 1);

    QTest::mouseClick(calculate, Qt::LeftButton);
    QVERIFY(!listLines(*window_).isEmpty());
    QTest::mouseClick(check, Qt::LeftButton);
    QVERIFY(check->isChecked());
  }

  // Window managers minimise the Readme window along with the main window; when
  // the main window comes back from the tray, or is activated while the Readme
  // window is behind it, the Readme window comes back in front, since the main
  // window is of no use without it.
  void comesBackInFrontOfTheMainWindow() {
    bool hidden = false, minimised = false, restored = false, activeAfterRestore = false,
         activeAfterClickOnMain = false;
    QVERIFY(withReadmeOpen(*window_, [&](QDialog& readme) {
      QVERIFY(QTest::qWaitForWindowActive(&readme));
      window_->trayActivated(QSystemTrayIcon::Trigger);
      readme.setWindowState(readme.windowState() |
                            Qt::WindowMinimized);  // the window manager's part
      hidden = QTest::qWaitFor([&] { return !window_->isVisible(); });
      minimised = readme.isMinimized();

      window_->trayActivated(QSystemTrayIcon::Trigger);
      restored = QTest::qWaitFor([&] { return window_->isVisible() && !readme.isMinimized(); });
      activeAfterRestore = QTest::qWaitForWindowActive(&readme);

      // A click on the main window's frame activates it at the window manager.
      window_->activateWindow();
      activeAfterClickOnMain =
          QTest::qWaitFor([&] { return QApplication::activeWindow() == &readme; });
      pressEscape(readme);
    }));
    QVERIFY(hidden);
    QVERIFY(minimised);
    QVERIFY(restored);
    QVERIFY(activeAfterRestore);
    QVERIFY(activeAfterClickOnMain);
  }

  void aboutItemDoesNotOpenIt() {
    control<QMenu>(*window_, "托盘菜单")->actions().at(2)->trigger();
    QCoreApplication::processEvents();
    QVERIFY(!QApplication::activeModalWidget());
    QCOMPARE(readmeWindowCount(), 0);
  }

  // 退出(&X) from the tray while the Readme window is open leaves both event
  // loops with status 0, and the Readme window is gone when the program ends.
  void exitWhileOpenEndsTheProgram() {
    QAction* exitItem = control<QMenu>(*window_, "托盘菜单")->actions().at(4);
    bool opened = false, clickReturned = false;
    QTimer::singleShot(0, window_.get(), [&] {
      opened = withReadmeOpen(*window_, [&](QDialog&) { exitItem->trigger(); });
      clickReturned = true;
    });
    QTimer::singleShot(8000, [] { QCoreApplication::exit(99); });  // a hang fails instead
    QCOMPARE(QApplication::exec(), 0);
    QVERIFY(opened);
    QVERIFY(clickReturned);
    QCOMPARE(readmeWindowCount(), 0);
  }

 private:
  std::unique_ptr<vantrel::ui::MainWindow> window_;
};

QTEST_MAIN(ReadmeWindowTest)
#include "tst_readme_window.moc"
