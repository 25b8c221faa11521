#pragma once

#include <QIcon>

namespace vantrel::ui {

// The program icon, for the title bar, the task bar and the tray: the artwork
// of the hicolor theme icons at 16, 24, 32, 48 and 128 pixels. The many-image
// icon file in packaging/ is the same artwork for other uses; decoding all its
// images would cost the start-up time for sizes no window here shows.
QIcon programIcon();

}  // namespace vantrel::ui
