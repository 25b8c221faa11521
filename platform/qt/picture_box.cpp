#include "platform/qt/picture_box.h"

#include <QPixmap>

#include <utility>

namespace vantrel::platform {

PictureBox::PictureBox(QString imagePath, QWidget* parent)
    : QLabel(parent), pendingImage_(std::move(imagePath)) {
  setFrameShape(QFrame::NoFrame);
  setAlignment(Qt::AlignLeft | Qt::AlignTop);
}

void PictureBox::paintEvent(QPaintEvent* event) {
  if (!pendingImage_.isEmpty()) {
    // Read once, even when the file turns out to be missing or unreadable.
    const QPixmap image(std::exchange(pendingImage_, QString()));
    if (!image.isNull()) setPixmap(image);
  }
  QLabel::paintEvent(event);
}

} // namespace vantrel::platform
