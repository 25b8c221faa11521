#pragma once

// The main window as designed: the window record, its ten controls in creation
// order, and the tray menu. Positions are client-area pixels.

#include "platform/qt/layout.h"

#include <array>

namespace vantrel::ui {

using platform::ControlKind;
using platform::ControlLayout;
using platform::FontStyle;
using platform::MenuItemLayout;
using platform::MenuLayout;
using platform::WindowLayout;

inline constexpr FontStyle kNumberFont{20, 700};
inline constexpr FontStyle kCheckBoxFont{12, 400};
inline constexpr FontStyle kDefaultFont = platform::kRuntimeDefaultFont;
inline constexpr int kNumberLength = 2;

// The image of 图片框1, compiled in as a resource.
inline constexpr std::string_view kPictureResource = ":/vantrel/picture.jpg";

// clang-format off
inline constexpr std::array<ControlLayout, 10> kMainWindowControls{{
  // name                 kind                     left top  width height caption        font           tab stop
  {"编辑框a",             ControlKind::EditBox,      10,   8,  30,  25, "",             kNumberFont,   true, true, false, {}, {}, kNumberLength},
  {"编辑框b",             ControlKind::EditBox,      56,   8,  30,  25, "",             kNumberFont,   true, true, false, {}, {}, kNumberLength},
  {"编辑框c",             ControlKind::EditBox,     103,   8,  30,  25, "",             kNumberFont,   true, true, false, {}, {}, kNumberLength},
  {"编辑框d",             ControlKind::EditBox,     150,   8,  30,  25, "",             kNumberFont,   true, true, false, {}, {}, kNumberLength},
  {"计算按钮",            ControlKind::Button,       15,  38,  74,  25, "开始计算",     kDefaultFont,  true},
  {"结果列表框",          ControlKind::ListBox,      10,  68, 174, 132, "",             kDefaultFont,  true},
  {"重新按钮",            ControlKind::Button,      105,  38,  74,  25, "重新计算",     kDefaultFont,  true},
  // Beyond the right edge of the client area: never seen at the designed size.
  {"图片框1",             ControlKind::PictureBox,  228,  35, 106,  38, "",             kDefaultFont,  false, true, false, 0xC0C0C0, kPictureResource},
  // (托盘菜单 is created here; it is a pop-up menu, not placed on the surface.)
  {"窗口永远在上选择框",  ControlKind::CheckBox,     10, 216,  86,  20, "窗口永远在上", kCheckBoxFont, true},
  {"readme按钮",          ControlKind::Button,      112, 216,  72,  20, "Readme",       kDefaultFont,  true},
}};
// clang-format on

// The window was drawn as 222 × 301 pixels outside, frame and title bar
// included; under that frame its client area is 206 × 262, which is what is
// fixed here. The window manager adds its own frame around it.
inline constexpr WindowLayout kMainWindowLayout{
    .caption = "Vantrel",
    .outerWidth = 222,
    .outerHeight = 301,
    .clientWidth = 206,
    .clientHeight = 262,
    .left = 50,
    .top = 50,
    .frame = platform::FrameStyle::Normal,
    .background = 0xECECEC,
    .controls = kMainWindowControls,
};

// 托盘菜单: never a menu bar, only popped up from the tray icon.
inline constexpr std::array<MenuItemLayout, 4> kTrayMenuItems{{
    {"恢复(&R)"},
    {"关于(&A)"},
    {"-"},
    {"退出(&X)"},
}};
inline constexpr MenuLayout kTrayMenuLayout{"托盘菜单", kTrayMenuItems};

// Positions of the items among the menu's actions (the separator counts).
inline constexpr int kRestoreItem = 0;
inline constexpr int kAboutItem = 1;
inline constexpr int kExitItem = 3;

// The program's title, also the tray icon's tooltip.
inline constexpr std::string_view kProgramTitle = kMainWindowLayout.caption;

} // namespace vantrel::ui
