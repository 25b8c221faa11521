// The yardstick for script/bench-startup: a bare Qt 6 program that shows one
// empty top-level window of the desktop program's client size, and nothing
// else (no icon, no tray, no controls, no text of its own).
//
// With --text the window holds one label with a Chinese caption instead of
// nothing: the least that any window with text pays for, since the first
// text brings up fontconfig, the font database and a CJK fallback face.

#include <QApplication>
#include <QLabel>
#include <QStringList>
#include <QWidget>

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  QWidget window;
  window.setWindowTitle(QStringLiteral("Bare Qt window"));
  window.setFixedSize(206, 262);
  if (QApplication::arguments().contains(QStringLiteral("--text"))) {
    auto* label = new QLabel(QStringLiteral("开始计算"), &window);
    label->move(15, 38);
  }
  window.show();
  return QApplication::exec();
}
