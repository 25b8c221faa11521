#pragma once

// The Readme window as designed: the window record, its one label, and the
// credit text that the label shows. Positions are client-area pixels.

#include "ui/main_window_layout.h"

#include <array>
#include <string_view>

namespace vantrel::ui {

inline constexpr FontStyle kCreditFont{12, 400};

// Two lines joined by CR LF: a welcome line and the author line.
inline constexpr std::string_view kCreditText = "欢迎使用 Vantrel！\r\n作者：Vantrel 团队";

// clang-format off
inline constexpr std::array<ControlLayout, 1> kReadmeControls{{
  // name    kind                left top width height caption font         tab stop
  // Black on the main window's background; the text is set when the window is created.
  {"标签1",  ControlKind::Label,    0,   0, 195,  256, "",     kCreditFont, false, true, false,
   kMainWindowLayout.background, {}, 0, 0x000000},
}};
// clang-format on

// Drawn as 202 × 273 pixels outside with a narrow title bar; the client area
// under it is the label's 195 × 256. Stored at (50, 50), where it would all but
// cover the main window: it opens centred on the screen instead.
inline constexpr WindowLayout kReadmeWindowLayout{
    .caption = "Readme",
    .outerWidth = 202,
    .outerHeight = 273,
    .clientWidth = 195,
    .clientHeight = 256,
    .left = 50,
    .top = 50,
    .frame = platform::FrameStyle::ToolWindow,
    .background = {},  // the runtime default window colour
    .controls = kReadmeControls,
    .placement = platform::Placement::Centred,
};

} // namespace vantrel::ui
