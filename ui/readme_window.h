#pragma once

#include <QDialog>
#include <memory>

namespace vantrel::ui {

namespace Ui {
class ReadmeWindow;
}

// The Readme window: the credit text on two lines, laid out by
// readme_window.ui. Each opening makes a fresh window, which is gone again
// once it has been closed.
class ReadmeWindow : public QDialog {
  Q_OBJECT

 public:
  // alwaysOnTop: whether the main window is kept above the others, read once
  // as the window is made. The main window takes no input while this one is
  // open, so it cannot change meanwhile.
  explicit ReadmeWindow(bool alwaysOnTop);
  ~ReadmeWindow() override;

  // Runs the window modally over the given one and returns when it has been
  // closed. Only that window is blocked: the rest of the program, its tray
  // icon and tray menu included, keeps taking input, so that the tray can end
  // the program meanwhile. Esc and the title bar's close button close it.
  void execOver(QWidget& blocked);

 private:
  std::unique_ptr<Ui::ReadmeWindow> ui_;
};

}  // namespace vantrel::ui
