// Vantrel, the desktop program: finds every way to make 24 from four numbers.

#include <QApplication>
#include <QCommandLineParser>
#include <QLocale>

#include "app/single_instance.h"
#include "platform/fp_environment.h"
#include "ui/language.h"
#include "ui/main_window.h"
#include "ui/program_icon.h"

namespace {

// On a Wayland session that also offers X11 (XWayland), runs on X11 unless
// the user chose a platform: keeping the window on top, hiding it in the tray
// on a minimise and placing it exist only there. Wayland stays the fallback.
void preferX11() {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && !qEnvironmentVariableIsEmpty("DISPLAY"))
    qputenv("QT_QPA_PLATFORM", "xcb;wayland");
}

}  // namespace

int main(int argc, char* argv[]) {
  // Round to nearest, every floating-point exception masked: a division by
  // zero in the solver gives an infinity or a NaN, never a trap.
  vantrel::useDefaultFloatingPoint();

  preferX11();
  // Qt takes its own options (-platform, -display ...); the program has one,
  // --practice, which opens the practice window instead of the main window.
  QApplication app(argc, argv);
  QCommandLineParser parser;
  const QCommandLineOption practice(QStringLiteral("practice"));
  parser.addOption(practice);
  // Other arguments are ignored, as they always were.
  parser.parse(QCoreApplication::arguments());
  // The desktop entry's action, as org.freedesktop.Application names it.
  const QString action = parser.isSet(practice) ? QStringLiteral("practice") : QString();
  // The desktop entry's id, for desktops that match windows to their entry
  // (on Wayland it is the windows' app id).
  QGuiApplication::setDesktopFileName(QStringLiteral("org.vantrel.Vantrel"));
  // The name tray hosts show for the icon, and the X window class "vantrel",
  // "Vantrel" (the entry's StartupWMClass). Window titles stay as they are: Qt
  // adds only a display name to them, and none is set.
  QCoreApplication::setApplicationName(QStringLiteral("Vantrel"));
  QApplication::setWindowIcon(vantrel::ui::programIcon());
  vantrel::ui::installTranslations(app,
                                   vantrel::ui::chooseLanguage(QLocale::system().uiLanguages()));

  vantrel::ui::MainWindow window;
  const auto open = [&window](const QString& asked) {
    if (asked == QLatin1String("practice")) {
      window.openPractice();
    } else {
      window.bringToFront();
    }
  };
  vantrel::app::SingleInstance instance(open);
  if (instance.handOverToRunningCopy(action)) return 0;
  if (action.isEmpty()) {
    window.show();
  } else {
    open(action);
  }

  // Returns when the main window has been closed (or the practice window,
  // where it was the only one), or at once from 退出(&X).
  return QApplication::exec();
}
