#pragma once

#include <QIcon>

namespace vantrel::ui {

// The program icon, for the title bar, the task bar and the tray.
QIcon programIcon();

} // namespace vantrel::ui
