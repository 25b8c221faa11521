#include "ui/picture_box.h"

#include <QPixmap>

namespace vantrel::ui {

PictureBox::PictureBox(QWidget* parent) : QLabel(parent) {
  setFrameShape(QFrame::NoFrame);
  setAlignment(Qt::AlignLeft | Qt::AlignTop);
}

void PictureBox::setImageFile(const QString& file) {
  imageFile_ = file;
  imageRead_ = false;
  clear();
  update();
}

void PictureBox::paintEvent(QPaintEvent* event) {
  if (!imageRead_) {
    // Read once, even when the file turns out to be missing or unreadable.
    imageRead_ = true;
    const QPixmap image(imageFile_);
    if (!image.isNull()) setPixmap(image);
  }
  QLabel::paintEvent(event);
}

}  // namespace vantrel::ui
