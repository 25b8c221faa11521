#include "readme.h"

namespace vantrel::ui {

void openReadme(QWidget& /*mainWindow*/) {
  // The Readme window comes next.
}

} // namespace vantrel::ui
