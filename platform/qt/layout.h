#pragma once

// The static description of a window: its own properties followed by its
// controls in creation order. Layouts are constant tables in ui/; the builder in
// window_builder.h turns them into Qt widgets. Nothing here depends on Qt.

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

namespace vantrel::platform {

// An RGB colour written RRGGBB, as 0xRRGGBB.
using Rgb = std::uint32_t;

enum class ControlKind { EditBox, Button, ListBox, CheckBox, PictureBox, Label };

// A font of the program's own: the Song-style family list (see fonts.h) at a
// character height in pixels and a weight (400 normal, 700 bold).
// A pixel height of 0 means the runtime default font.
struct FontStyle {
  int pixelHeight = 0;
  int weight = 400;

  constexpr bool isRuntimeDefault() const { return pixelHeight == 0; }
};

inline constexpr FontStyle kRuntimeDefaultFont{};

struct ControlLayout {
  std::string_view name;  // objectName, unique within the window
  ControlKind kind;
  int left;               // client-area pixels
  int top;
  int width;
  int height;
  std::string_view caption;  // buttons, check boxes, labels; the initial text of an edit box
  FontStyle font;
  bool tabStop;
  bool visible = true;
  bool disabled = false;
  std::optional<Rgb> background{};  // picture boxes and labels
  std::string_view image{};  // picture boxes only: a Qt resource path
  int maxLength = 0;         // edit boxes only: at most this many characters (0: no limit)
  std::optional<Rgb> textColour{};  // labels only
};

// One entry of a pop-up menu. The caption marks its mnemonic with '&';
// the caption "-" makes the entry a separator.
struct MenuItemLayout {
  std::string_view caption;
  bool hidden = false;
  bool disabled = false;
  bool checked = false;

  constexpr bool isSeparator() const { return caption == "-"; }
};

struct MenuLayout {
  std::string_view name;  // objectName of the menu
  std::span<const MenuItemLayout> items;
};

enum class Placement {
  AsStored,  // the frame's top-left corner at the stored left and top
  Centred,   // centred on the screen it opens on; left and top are not used
};

enum class FrameStyle {
  Normal,      // normal title bar with a minimise button
  ToolWindow,  // narrow title bar
};

struct WindowLayout {
  std::string_view caption;
  // The outer size as designed, frame and title bar included. Window managers
  // on Linux draw their own frames, so the builder fixes the client area below
  // and lets the window manager add the frame.
  int outerWidth;
  int outerHeight;
  int clientWidth;
  int clientHeight;
  int left;  // top-left corner of the frame on the screen
  int top;
  FrameStyle frame;
  // The window's background; none keeps the runtime default window colour.
  std::optional<Rgb> background;
  std::span<const ControlLayout> controls;
  Placement placement = Placement::AsStored;
};

} // namespace vantrel::platform
