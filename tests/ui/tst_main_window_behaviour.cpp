// The main window's handlers: typing, select on focus, the solve command,
// reset, and the always-on-top check box.

#include <QCheckBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QWindow>
#include <string>

#include "solver/solve.h"
#include "tests/ui/main_window_fixture.h"

using vantrel::test::control;
using vantrel::test::listLines;

namespace {

// Types each character as a key press with text, as a keyboard would; works for
// characters outside ASCII too.
void type(QWidget* target, const QString& text) {
  for (const QChar ch : text)
    QTest::sendKeyEvent(QTest::Click, target, Qt::Key_unknown, QString(ch), Qt::NoModifier);
}

QStringList expectedLines(const char* a, const char* b, const char* c, const char* d) {
  QStringList lines;
  for (const std::string& line : vantrel::solve({a, b, c, d}).lines)
    lines.append(QString::fromStdString(line));
  return lines;
}

}  // namespace

class MainWindowBehaviourTest : public QObject {
  Q_OBJECT

 private slots:
  void init() {
    window_ = vantrel::test::showMainWindow();
    for (const char* name : {"编辑框a", "编辑框b", "编辑框c", "编辑框d"})
      boxes_.append(control<QLineEdit>(*window_, name));
  }
  void cleanup() {
    boxes_.clear();
    window_.reset();
  }

  void typing_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("kept");
    QTest::newRow("two digits") << "42"
                                << "42";
    QTest::newRow("leading zero") << "07"
                                  << "07";
    QTest::newRow("third digit refused") << "123"
                                         << "12";
    QTest::newRow("letters between digits") << "a1b2c"
                                            << "12";
    QTest::newRow("plus sign") << "+5"
                               << "5";
    QTest::newRow("minus sign") << "-5"
                                << "5";
    QTest::newRow("minus after a digit") << "5-"
                                         << "5";
    QTest::newRow("blank and point") << " 3.5"
                                     << "35";
    QTest::newRow("exponent") << "1e"
                              << "1";
    QTest::newRow("full-width digits") << "１２"
                                       << "";
    QTest::newRow("Han numerals") << "二四"
                                  << "";
  }

  void typing() {
    QFETCH(QString, typed);
    QFETCH(QString, kept);
    type(boxes_[0], typed);
    QCOMPARE(boxes_[0]->text(), kept);
  }

  // Whatever gives a box the focus selects its text, so that typing replaces
  // the old number; an empty box selects nothing.
  void selectOnFocus_data() {
    QTest::addColumn<QString>("how");
    QTest::addColumn<QString>("text");
    for (const char* how : {"tab", "program", "click", "click at the left edge"}) {
      QTest::addRow("%s, two digits", how) << how << "12";
      QTest::addRow("%s, one digit", how) << how << "7";
      QTest::addRow("%s, empty", how) << how << "";
    }
  }

  void selectOnFocus() {
    QFETCH(QString, how);
    QFETCH(QString, text);
    QLineEdit* box = boxes_[1];
    box->setText(text);
    box->deselect();
    QVERIFY(boxes_[0]->hasFocus());

    if (how == "tab") {
      QTest::keyClick(boxes_[0], Qt::Key_Tab);
    } else if (how == "program") {
      box->setFocus();
    } else if (how == "click") {
      QTest::mouseClick(box, Qt::LeftButton, {}, box->rect().center());
    } else {
      QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(2, box->height() / 2));
    }
    QVERIFY(box->hasFocus());
    QCOMPARE(box->selectedText(), text);

    // The new number replaces the old one.
    type(box, QStringLiteral("9"));
    QCOMPARE(box->text(), QStringLiteral("9"));
  }

  // A second click into a box that has the focus places the cursor as usual.
  void clickInFocusedBoxPlacesTheCursor() {
    QLineEdit* box = boxes_[0];
    type(box, QStringLiteral("12"));
    QVERIFY(box->hasFocus());
    box->selectAll();
    QTest::mouseClick(box, Qt::LeftButton, {}, box->rect().center());
    QVERIFY(!box->hasSelectedText());
  }

  void calculate_data() {
    QTest::addColumn<QStringList>("inputs");
    QTest::addColumn<QStringList>("expected");
    QTest::addColumn<bool>("focusToFirstBox");
    QTest::newRow("1 2 9 1") << QStringList{"1", "2", "9", "1"} << expectedLines("1", "2", "9", "1")
                             << false;
    QTest::newRow("no solution") << QStringList{"1", "1", "1", "1"}
                                 << QStringList{QString::fromUtf8(vantrel::kNoSolutionLine)}
                                 << false;
    QTest::newRow("second box empty")
        << QStringList{"3", "", "8", "8"}
        << QStringList{QString::fromUtf8(vantrel::kMissingInputLine)} << true;
    QTest::newRow("last box empty")
        << QStringList{"3", "3", "8", ""}
        << QStringList{QString::fromUtf8(vantrel::kMissingInputLine)} << true;
  }

  void calculate() {
    QFETCH(QStringList, inputs);
    QFETCH(QStringList, expected);
    QFETCH(bool, focusToFirstBox);

    auto* list = control<QListWidget>(*window_, "结果列表框");
    list->addItem(QStringLiteral("left over from before"));
    for (int i = 0; i < 4; ++i) boxes_[i]->setText(inputs[i]);

    auto* button = control<QPushButton>(*window_, "计算按钮");
    QTest::mouseClick(button, Qt::LeftButton);

    QCOMPARE(listLines(*window_), expected);
    if (focusToFirstBox) {
      QVERIFY(boxes_[0]->hasFocus());
      QCOMPARE(boxes_[0]->selectedText(), inputs[0]);
    } else {
      QVERIFY(!boxes_[0]->hasFocus());
    }
  }

  void solutionListEndsWithTheSummary() {
    const QStringList inputs{"1", "2", "9", "1"};
    for (int i = 0; i < 4; ++i) boxes_[i]->setText(inputs[i]);
    control<QPushButton>(*window_, "计算按钮")->click();
    const QStringList lines = listLines(*window_);
    QVERIFY(lines.size() > 1);
    QCOMPARE(lines.last(), QStringLiteral("共有%1种算法！").arg(lines.size() - 1));
  }

  // What a screen reader reads along with the list and the first box: the
  // list's description fits what it holds, and the missing-number line comes
  // with the first box while the focus is there.
  void descriptionsFollowTheResult() {
    auto* list = control<QListWidget>(*window_, "结果列表框");
    auto* solveButton = control<QPushButton>(*window_, "计算按钮");
    const QString boxDescription = boxes_[0]->accessibleDescription();
    const QString emptyList = list->accessibleDescription();

    const QStringList inputs{"3", "3", "8", ""};
    for (int i = 0; i < 4; ++i) boxes_[i]->setText(inputs[i]);
    solveButton->setFocus();
    solveButton->click();
    QVERIFY(list->accessibleDescription().isEmpty());
    QCOMPARE(boxes_[0]->accessibleDescription(), QString::fromUtf8(vantrel::kMissingInputLine));
    QTest::keyClick(boxes_[0], Qt::Key_Tab);
    QCOMPARE(boxes_[0]->accessibleDescription(), boxDescription);

    boxes_[3]->setText(QStringLiteral("8"));
    solveButton->click();
    const QString solutions = list->accessibleDescription();
    QVERIFY(!solutions.isEmpty() && solutions != emptyList);
    QCOMPARE(boxes_[0]->accessibleDescription(), boxDescription);

    control<QPushButton>(*window_, "重新按钮")->click();
    QCOMPARE(list->accessibleDescription(), emptyList);
  }

  void reset() {
    auto* check = control<QCheckBox>(*window_, "窗口永远在上选择框");
    QTest::mouseClick(check, Qt::LeftButton);
    QVERIFY(check->isChecked());
    const QStringList inputs{"4", "6", "8", "10"};
    for (int i = 0; i < 4; ++i) boxes_[i]->setText(inputs[i]);
    control<QPushButton>(*window_, "计算按钮")->click();
    QVERIFY(!listLines(*window_).isEmpty());

    QTest::mouseClick(control<QPushButton>(*window_, "重新按钮"), Qt::LeftButton);

    for (QLineEdit* box : boxes_) QVERIFY(box->text().isEmpty());
    QVERIFY(listLines(*window_).isEmpty());
    QVERIFY(boxes_[0]->hasFocus());
    QVERIFY(!boxes_[0]->hasSelectedText());
    // Nothing else changes.
    QVERIFY(check->isChecked());
    QVERIFY(vantrel::test::isOnTop(*window_));
    QVERIFY(window_->isVisible());
  }

  void resetOnEmptyWindowOnlyMovesTheFocus() {
    control<QPushButton>(*window_, "重新按钮")->setFocus();
    control<QPushButton>(*window_, "重新按钮")->click();
    QVERIFY(boxes_[0]->hasFocus());
    QVERIFY(listLines(*window_).isEmpty());
  }

  // The check box keeps the window on top without recreating it.
  void alwaysOnTop() {
    auto* check = control<QCheckBox>(*window_, "窗口永远在上选择框");
    QWindow* handle = window_->windowHandle();
    const WId id = window_->winId();
    QVERIFY(!handle->flags().testFlag(Qt::WindowStaysOnTopHint));

    QTest::mouseClick(check, Qt::LeftButton);
    QVERIFY(handle->flags().testFlag(Qt::WindowStaysOnTopHint));
    QVERIFY(window_->windowFlags().testFlag(Qt::WindowStaysOnTopHint));

    QTest::mouseClick(check, Qt::LeftButton);
    QVERIFY(!handle->flags().testFlag(Qt::WindowStaysOnTopHint));
    QVERIFY(!window_->windowFlags().testFlag(Qt::WindowStaysOnTopHint));

    QCOMPARE(window_->windowHandle(), handle);
    QCOMPARE(window_->winId(), id);
    QVERIFY(window_->isVisible());
  }

 private:
  std::unique_ptr<vantrel::ui::MainWindow> window_;
  QList<QLineEdit*> boxes_;
};

QTEST_MAIN(MainWindowBehaviourTest)
#include "tst_main_window_behaviour.moc"
