#include "ui/about_box.h"

#include <QApplication>
#include <QCoreApplication>
#include <QMessageBox>
#include <QPushButton>

#include "ui/song_font.h"

namespace vantrel::ui {

// The About box has no class of its own: its texts are translated in the
// context vantrel::ui::AboutBox.

QString creditLine() {
  return QCoreApplication::translate("vantrel::ui::AboutBox", "作者：Vantrel 团队");
}

QMessageBox* createAboutBox(QWidget* parent) {
  auto* box = new QMessageBox(parent);
  box->setAttribute(Qt::WA_DeleteOnClose);
  box->setWindowModality(Qt::NonModal);
  // A fixed frame with a title and the buttons to minimise and close.
  box->setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                      Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                      Qt::WindowCloseButtonHint);
  box->setWindowTitle(QCoreApplication::translate("vantrel::ui::AboutBox", "关于 Vantrel"));
  box->setIconPixmap(QApplication::windowIcon().pixmap(48, 48));
  box->setFont(songFont(12, QFont::Normal));
  // One label, so that the lines keep their length rather than wrap at the
  // width of the first. VANTREL_VERSION is the project's version, given by
  // the build.
  box->setTextFormat(Qt::RichText);
  box->setText(QStringLiteral("<b>Vantrel %1</b><br><br>%2<br>%3<br>%4")
                   .arg(QStringLiteral(VANTREL_VERSION),
                        QCoreApplication::translate("vantrel::ui::AboutBox",
                                                    "找出用四个数算出 24 的所有算法。")
                            .toHtmlEscaped(),
                        QCoreApplication::translate("vantrel::ui::AboutBox", "以 MIT 许可证发布。")
                            .toHtmlEscaped(),
                        creditLine().toHtmlEscaped()));
  // The one button is the program's own, so that it says 确定 in Simplified
  // Chinese whether or not Qt's own translations are installed; Esc and
  // Enter both close the box through it.
  QPushButton* close = box->addButton(QCoreApplication::translate("vantrel::ui::AboutBox", "确定"),
                                      QMessageBox::AcceptRole);
  box->setDefaultButton(close);
  box->setEscapeButton(close);
  return box;
}

}  // namespace vantrel::ui
