#include "program_icon.h"

#include <QApplication>
#include <QStyle>

namespace vantrel::ui {

QIcon programIcon() {
  QIcon icon(QStringLiteral(":/vantrel/vantrel.ico"));
  if (icon.isNull()) {
    // Built without the icon resource: any icon beats none, which the tray refuses.
    icon = QApplication::style()->standardIcon(QStyle::SP_ComputerIcon);
  }
  return icon;
}

} // namespace vantrel::ui
