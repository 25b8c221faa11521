#pragma once

#include <QString>

class QMessageBox;
class QWidget;

namespace vantrel::ui {

// Who made the program, as the Readme window and the About box both say it.
QString creditLine();

// The About box of 关于(&A): the program's name and version, what it does,
// its licence and the credit line. It is not modal: the program, its tray
// and 退出(&X) included, works on while it is open. It deletes itself once
// closed. parent: the main window, which it stands over; the box shows also
// while that window is hidden in the tray.
QMessageBox* createAboutBox(QWidget* parent);

}  // namespace vantrel::ui
