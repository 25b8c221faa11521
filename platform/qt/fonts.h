#pragma once

#include "platform/qt/layout.h"

#include <QFont>
#include <QStringList>

namespace vantrel::platform {

// The families asked for the program's own fonts, in order. The face the
// windows were drawn with ("SimSun", "宋体") is not found on Linux desktops, so
// Song-style CJK faces follow, then CJK sans faces as the last resort; Qt takes
// the first family that exists, for Latin digits and Han characters alike.
QStringList songFamilies();

// The font of a layout entry; the runtime default font for kRuntimeDefaultFont.
QFont layoutFont(const FontStyle& style, const QFont& runtimeDefault);

} // namespace vantrel::platform
