#pragma once

// The few window services the handlers need beyond plain QWidget calls.

#include <QSystemTrayIcon>

#include <string_view>

class QDialog;
class QIcon;
class QLabel;
class QMenu;
class QWidget;

namespace vantrel::platform {

// Keeps the window above all other windows, or stops doing so, without
// recreating its native window (QWidget::setWindowFlag would).
void setAlwaysOnTop(QWidget& window, bool onTop);
bool isAlwaysOnTop(const QWidget& window);

// Sets the caption of a label. Each line break in the text, CR LF as well as a
// lone LF or CR, starts a new line; none of them is drawn as a character.
void setLabelCaption(QLabel& label, std::string_view utf8);

// Brings a shown window above the other windows and gives it the focus,
// without leaving it on top.
void raiseAboveOthers(QWidget& window);

// Runs the dialog modally over the window and returns its result when it has
// been closed. Only that window is blocked: the rest of the program, its tray
// icon and tray menu included, keeps taking input, so that the tray can end the
// program while the dialog is open. The dialog stays a window of its own, with
// no parent widget; the window manager keeps it above the blocked window.
int runModalOver(QDialog& dialog, QWidget& blocked);

// Tray event codes handed to a window's tray handler.
inline constexpr int kTrayClick = 1;        // a left click
inline constexpr int kTrayDoubleClick = 2;
inline constexpr int kTrayMenuRequest = 3;  // the context menu is asked for
inline constexpr int kTrayMiddleClick = 4;
inline constexpr int kTrayUnknown = 0;

int trayEventType(QSystemTrayIcon::ActivationReason reason);

// Shows the window's icon in the notification area, with a tooltip and the
// menu that the tray host pops up on a context request. The icon belongs to
// the window. Where no tray exists yet, it appears when a tray host starts.
QSystemTrayIcon* installTrayIcon(QWidget& window, const QIcon& icon, const QString& toolTip,
                                 QMenu* menu);

} // namespace vantrel::platform
