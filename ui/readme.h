#pragma once

class QWidget;

namespace vantrel::ui {

// The click of readme按钮: builds a fresh Readme window, runs it modally, and
// returns when the user has closed it. Nothing of the window outlives the call.
void openReadme(QWidget& mainWindow);

} // namespace vantrel::ui
