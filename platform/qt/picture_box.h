#pragma once

#include <QLabel>
#include <QString>

namespace vantrel::platform {

// A picture box: shows one image at its own size from the top-left corner,
// clipped to the box. The image is read and decoded when the box is first
// painted rather than when it is made, so a box that is never seen (one that
// lies outside its window's client area) costs neither the decoder nor the
// pixels.
class PictureBox : public QLabel {
  Q_OBJECT

public:
  // imagePath: a file or Qt resource; empty for a box without an image.
  explicit PictureBox(QString imagePath, QWidget* parent = nullptr);

protected:
  void paintEvent(QPaintEvent* event) override;

private:
  QString pendingImage_;  // emptied once read
};

} // namespace vantrel::platform
