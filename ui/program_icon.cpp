#include "ui/program_icon.h"

#include <QApplication>
#include <QSize>
#include <QString>
#include <QStyle>

namespace vantrel::ui {

// The sizes a title bar, a task bar and a tray ask for, and 128 for what a
// screen at twice the scale asks (64 and 96 are scaled down from it); larger
// ones come from the desktop entry's icon in the hicolor theme. Few images
// keep the icon cheap to decode at start-up and the window's icon property
// (every image, unscaled) small.
inline constexpr int kRuntimeIconSizes[] = {16, 24, 32, 48, 128};

QIcon programIcon() {
  QIcon icon;
  for (const int size : kRuntimeIconSizes)
    icon.addFile(QStringLiteral(":/vantrel/icons/%1.png").arg(size), QSize(size, size));
  if (icon.isNull()) {
    // Built without the icon resource: any icon beats none, which the tray refuses.
    icon = QApplication::style()->standardIcon(QStyle::SP_ComputerIcon);
  }
  return icon;
}

}  // namespace vantrel::ui
