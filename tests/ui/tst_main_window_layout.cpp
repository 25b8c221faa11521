// The main window as it opens: controls, places, fonts, tab order, tray menu.

#include <QAccessible>
#include <QAction>
#include <QCheckBox>
#include <QFile>
#include <QFontDatabase>
#include <QFontInfo>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTest>

#include "tests/ui/main_window_fixture.h"

using vantrel::test::control;

namespace {

// The name a screen reader announces.
QString spokenName(QWidget* widget) {
  return QAccessible::queryAccessibleInterface(widget)->text(QAccessible::Name);
}

}  // namespace

class MainWindowLayoutTest : public QObject {
  Q_OBJECT

 private slots:
  void init() { window_ = vantrel::test::showMainWindow(); }
  void cleanup() { window_.reset(); }

  void windowItself() {
    QCOMPARE(window_->windowTitle(), QStringLiteral("Vantrel"));
    // The client area is fixed: the user cannot drag the frame to another size.
    QCOMPARE(window_->size(), QSize(206, 262));
    QCOMPARE(window_->minimumSize(), QSize(206, 262));
    QCOMPARE(window_->maximumSize(), QSize(206, 262));
    QVERIFY(window_->windowFlags().testFlag(Qt::WindowMinimizeButtonHint));
    QVERIFY(!window_->windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
    QVERIFY(!window_->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    QVERIFY(!window_->isMinimized());
    QCOMPARE(window_->palette().color(QPalette::Window), QColor(0xEC, 0xEC, 0xEC));
    QVERIFY(window_->findChildren<QMenuBar*>().isEmpty());
  }

  void controls_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("className");
    QTest::addColumn<QRect>("geometry");
    QTest::addColumn<QString>("accessibleName");

    const auto row = [](const char* name, const char* className, QRect geometry,
                        const char* accessible) {
      QTest::newRow(name) << QString::fromUtf8(name) << QString::fromLatin1(className) << geometry
                          << QString::fromUtf8(accessible);
    };
    row("编辑框a", "vantrel::ui::NumberBox", {10, 8, 30, 25}, "第一个数");
    row("编辑框b", "vantrel::ui::NumberBox", {56, 8, 30, 25}, "第二个数");
    row("编辑框c", "vantrel::ui::NumberBox", {103, 8, 30, 25}, "第三个数");
    row("编辑框d", "vantrel::ui::NumberBox", {150, 8, 30, 25}, "第四个数");
    row("计算按钮", "QPushButton", {15, 38, 74, 25}, "开始计算");
    row("结果列表框", "vantrel::ui::ResultList", {10, 68, 174, 132}, "结果");
    row("重新按钮", "QPushButton", {105, 38, 74, 25}, "重新计算");
    row("图片框1", "vantrel::ui::PictureBox", {228, 35, 106, 38}, "图片");
    row("readme按钮", "QPushButton", {112, 216, 72, 20}, "Readme");
  }

  void controls() {
    QFETCH(QString, name);
    QFETCH(QString, className);
    QFETCH(QRect, geometry);
    QFETCH(QString, accessibleName);

    auto* widget = window_->findChild<QWidget*>(name);
    QVERIFY(widget);
    QCOMPARE(widget->parentWidget(), window_.get());
    QCOMPARE(QString::fromLatin1(widget->metaObject()->className()), className);
    QCOMPARE(widget->geometry(), geometry);
    QCOMPARE(spokenName(widget), accessibleName);
    QVERIFY(widget->isEnabled());
  }

  // The caption must not be cut: the box may grow to the right, up to the
  // Readme button, but keeps its place and height.
  void checkBox() {
    auto* box = control<QCheckBox>(*window_, "窗口永远在上选择框");
    QCOMPARE(box->text(), QStringLiteral("窗口永远在上"));
    QCOMPARE(spokenName(box), box->text());
    QCOMPARE(box->pos(), QPoint(10, 216));
    QCOMPARE(box->height(), 20);
    QVERIFY(box->width() >= 86);
    QVERIFY(box->width() >= box->sizeHint().width());
    QVERIFY(box->geometry().right() < control<QPushButton>(*window_, "readme按钮")->x());
    QVERIFY(!box->isChecked());
    QCOMPARE(box->font().pixelSize(), 12);
    QVERIFY(!box->font().bold());
  }

  void buttonCaptions() {
    QCOMPARE(control<QPushButton>(*window_, "计算按钮")->text(), QStringLiteral("开始计算"));
    QCOMPARE(control<QPushButton>(*window_, "重新按钮")->text(), QStringLiteral("重新计算"));
    QCOMPARE(control<QPushButton>(*window_, "readme按钮")->text(), QStringLiteral("Readme"));
    for (auto* button : window_->findChildren<QPushButton*>()) {
      QVERIFY(!button->isDefault());
      QVERIFY(!button->autoDefault());
    }
  }

  void editBoxesAreAlike() {
    for (const char* name : {"编辑框a", "编辑框b", "编辑框c", "编辑框d"}) {
      auto* box = control<QLineEdit>(*window_, name);
      QVERIFY(box->text().isEmpty());
      QCOMPARE(box->maxLength(), 2);
      QVERIFY(box->alignment().testFlag(Qt::AlignHCenter));
      QVERIFY(box->hasFrame());
      QCOMPARE(box->palette().color(QPalette::Base), QColor(Qt::white));
      QCOMPARE(box->font().pixelSize(), 20);
      QVERIFY(box->font().bold());
    }
  }

  // 宋体 does not exist here; what is drawn must still be a CJK face, or the
  // captions would come out as boxes on a machine without a fallback.
  void fontsResolveToACjkFace() {
    const QFontInfo info(control<QLineEdit>(*window_, "编辑框a")->font());
    QVERIFY2(QFontDatabase::families(QFontDatabase::SimplifiedChinese).contains(info.family()),
             qPrintable(info.family()));
  }

  void focusStartsInFirstBoxAndTabSkipsThePicture() {
    QCOMPARE(QApplication::focusWidget(), control<QWidget>(*window_, "编辑框a"));

    const QStringList expected{"编辑框b",
                               "编辑框c",
                               "编辑框d",
                               "计算按钮",
                               "结果列表框",
                               "重新按钮",
                               "窗口永远在上选择框",
                               "readme按钮",
                               "编辑框a"};
    QStringList visited;
    for (qsizetype i = 0; i < expected.size(); ++i) {
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
      visited.append(QApplication::focusWidget()->objectName());
    }
    QCOMPARE(visited, expected);
  }

  void pictureBoxLiesOutsideTheClientArea() {
    auto* picture = control<QLabel>(*window_, "图片框1");
    QVERIFY(!window_->rect().intersects(picture->geometry()));
    QCOMPARE(picture->focusPolicy(), Qt::NoFocus);
    // Never painted where it lies, so its image has not been decoded.
    QVERIFY(picture->pixmap().isNull());
  }

  // Once painted, the box shows its image at the image's own size from its
  // top-left corner, clipped to the box.
  void pictureBoxShowsItsImageWhenPainted() {
    const QString resource = QStringLiteral(":/vantrel/picture.jpg");
    if (!QFile::exists(resource)) QSKIP("built without the picture");
    auto* picture = control<QLabel>(*window_, "图片框1");
    const QImage shown = picture->grab().toImage();
    QCOMPARE(picture->pixmap().size(), QSize(143, 60));

    const QImage image(resource);
    QCOMPARE(shown.size(), QSize(106, 38));
    for (const QPoint at : {QPoint(0, 0), QPoint(53, 19), QPoint(105, 37), QPoint(20, 30)})
      QCOMPARE(shown.pixelColor(at), image.pixelColor(at));
  }

  void trayMenu() {
    auto* menu = control<QMenu>(*window_, "托盘菜单");
    QVERIFY(!menu->isVisible());
    const QList<QAction*> items = menu->actions();
    QCOMPARE(items.size(), 5);
    QCOMPARE(items[0]->text(), QStringLiteral("恢复(&R)"));
    QCOMPARE(items[1]->text(), QStringLiteral("练习(&P)"));
    QCOMPARE(items[2]->text(), QStringLiteral("关于(&A)"));
    QVERIFY(items[3]->isSeparator());
    QCOMPARE(items[4]->text(), QStringLiteral("退出(&X)"));
    for (QAction* item : items) {
      QVERIFY(item->isVisible());
      QVERIFY(item->isEnabled());
      QVERIFY(!item->isChecked());
      QVERIFY(item->shortcut().isEmpty());
    }
  }

 private:
  std::unique_ptr<vantrel::ui::MainWindow> window_;
};

QTEST_MAIN(MainWindowLayoutTest)
#include "tst_main_window_layout.moc"
