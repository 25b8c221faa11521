#include "ui/readme.h"

#include "ui/readme_layout.h"

#include "platform/qt/window_builder.h"
#include "platform/qt/window_services.h"

#include <QCheckBox>
#include <QDialog>
#include <QLabel>

namespace vantrel::ui {

using platform::findControl;

namespace {

void buildReadmeWindow(QDialog& readme) {
  platform::buildWindow(readme, kReadmeWindowLayout);
  auto* label = findControl<QLabel>(readme, "标签1");
  // A little room between the frame and the text; a line too long for the
  // window wraps rather than being cut off.
  label->setMargin(8);
  label->setWordWrap(true);
}

// The created event: the credit text, then the main window's check box, read
// once; when it is checked this window stays on top too.
void readmeCreated(QDialog& readme, const QWidget& mainWindow) {
  platform::setLabelCaption(*findControl<QLabel>(readme, "标签1"), kCreditText);

  // Read once: the main window takes no input while this one is open, so the
  // check box cannot change under it. Not created yet, the window takes the
  // flag along when it is.
  if (findControl<QCheckBox>(mainWindow, "窗口永远在上选择框")->isChecked())
    platform::setAlwaysOnTop(readme, true);
}

} // namespace

void openReadme(QWidget& mainWindow) {
  // No owner widget; modal to the main window only, so that the tray icon and
  // its 退出(&X) stay usable. Esc as well as the title bar's close button close
  // it (QDialog rejects on both).
  QDialog readme;
  buildReadmeWindow(readme);
  readmeCreated(readme, mainWindow);
  platform::runModalOver(readme, mainWindow);
}

} // namespace vantrel::ui
