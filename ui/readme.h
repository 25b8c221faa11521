#pragma once

class QWidget;

namespace vantrel::ui {

// Opens the Readme window over the main window and returns when it is closed.
void openReadme(QWidget& mainWindow);

} // namespace vantrel::ui
