// The result list's context menu: opened by mouse and keyboard, copying a
// line or all of them, and 只列出不同的算法 with its effect and its memory.

// Mouse clicks travel the window system's way, so that a right click makes a
// context menu request as a real one does.
#define QTEST_QPA_MOUSE_HANDLING
#include <QAction>
#include <QClipboard>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QSettings>
#include <QTest>

#include "distinct/distinct.h"
#include "solver/solve.h"
#include "tests/ui/main_window_fixture.h"

using vantrel::test::control;
using vantrel::test::listLines;

namespace {

QListWidget* solve(QWidget& window, const QStringList& hand) {
  const char* names[] = {"编辑框a", "编辑框b", "编辑框c", "编辑框d"};
  for (int i = 0; i < 4; ++i) control<QLineEdit>(window, names[i])->setText(hand[i]);
  control<QPushButton>(window, "计算按钮")->click();
  return control<QListWidget>(window, "结果列表框");
}

// Opens the menu by a right click on a line, or by Shift+F10 for row -1.
QMenu* openMenu(QListWidget* list, int row) {
  if (row < 0) {
    list->setFocus();
    QTest::keyClick(list, Qt::Key_F10, Qt::ShiftModifier);
  } else {
    QTest::mouseClick(list->viewport(), Qt::RightButton, {},
                      list->visualItemRect(list->item(row)).center());
  }
  QMenu* menu = nullptr;
  const auto shown = [&] {
    return (menu = qobject_cast<QMenu*>(QApplication::activePopupWidget()));
  };
  return QTest::qWaitFor(shown) ? menu : nullptr;
}

QString clipboard() {
  return QGuiApplication::clipboard()->text();
}

}  // namespace

class ResultMenuTest : public QObject {
  Q_OBJECT

 private slots:
  void init() {
    QSettings(QSettings::NativeFormat, QSettings::UserScope, "vantrel", "vantrel").clear();
    window_ = vantrel::test::showMainWindow();
  }
  void cleanup() { window_.reset(); }

  void copying() {
    QListWidget* list = solve(*window_, {"1", "2", "9", "1"});
    QMenu* menu = openMenu(list, 2);
    QVERIFY(menu);
    const QList<QAction*> items = menu->actions();
    QCOMPARE(items.size(), 4);
    QVERIFY(items[2]->isSeparator() && items[3]->isCheckable() && !items[3]->isChecked());
    items[0]->trigger();  // 复制: the line clicked
    menu->close();
    QCOMPARE(clipboard(), list->item(2)->text());

    QTest::keyClick(list, Qt::Key_Down);
    QTest::keyClick(list, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(clipboard(), list->item(3)->text());

    menu = openMenu(list, -1);
    QVERIFY(menu && menu->geometry().contains(list->viewport()->mapToGlobal(
                        list->visualItemRect(list->item(3)).center() + QPoint(1, 1))));
    menu->actions()[1]->trigger();  // 复制全部
    QCOMPARE(clipboard(), listLines(*window_).join('\n') + '\n');
  }

  // Checked, the list holds the distinct solutions, and redoes the list
  // shown; messages stay as they are. It holds for the next window, that is
  // the next run, until it is unchecked.
  void distinctOnly_data() {
    QTest::addColumn<QStringList>("hand");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("1 2 3 4") << QStringList{"1", "2", "3", "4"}
                             << QStringList{"2 × 3 × 4 × 1", "(1 + 2 + 3) × 4", "(1 + 3) × (2 + 4)",
                                            "共有3种不同的算法！"};
    QTest::newRow("no solution") << QStringList{"1", "1", "1", "1"}
                                 << QStringList{QString::fromUtf8(vantrel::kNoSolutionLine)};
    QTest::newRow("empty box") << QStringList{"1", "", "3", "4"}
                               << QStringList{QString::fromUtf8(vantrel::kMissingInputLine)};
    // Only a program can put this in a box; it reads as 0.
    QStringList zeroFourSixOne;
    for (const std::string& line :
         vantrel::distinct::resultLines(vantrel::distinct::solve({{"0", "4", "6", "1"}}, "24")))
      zeroFourSixOne.append(QString::fromStdString(line));
    QTest::newRow("not a number") << QStringList{"x", "4", "6", "1"} << zeroFourSixOne;
  }
  void distinctOnly() {
    QFETCH(QStringList, hand);
    QFETCH(QStringList, expected);
    QListWidget* list = solve(*window_, hand);
    const QStringList everyLine = listLines(*window_);

    openMenu(list, 0)->actions()[3]->trigger();
    QCOMPARE(listLines(*window_), expected);
    window_ = vantrel::test::showMainWindow();
    list = solve(*window_, hand);
    QCOMPARE(listLines(*window_), expected);

    QMenu* menu = openMenu(list, -1);
    QVERIFY(menu && menu->actions()[3]->isChecked());
    menu->actions()[3]->trigger();
    window_ = vantrel::test::showMainWindow();
    solve(*window_, hand);
    QCOMPARE(listLines(*window_), everyLine);
  }

 private:
  std::unique_ptr<vantrel::ui::MainWindow> window_;
};

QTEST_MAIN(ResultMenuTest)
#include "tst_result_menu.moc"
