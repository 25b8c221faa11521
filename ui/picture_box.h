#pragma once

#include <QLabel>
#include <QString>

namespace vantrel::ui {

// A picture box: shows one image at its own size from the top-left corner,
// clipped to the box. The image is read and decoded when the box is first
// painted rather than when it is made, so a box that is never seen (one that
// lies outside its window's client area) costs neither the decoder nor the
// pixels.
class PictureBox : public QLabel {
  Q_OBJECT
  // A file or Qt resource; empty for a box without an image.
  Q_PROPERTY(QString imageFile READ imageFile WRITE setImageFile)

 public:
  explicit PictureBox(QWidget* parent = nullptr);

  QString imageFile() const { return imageFile_; }
  void setImageFile(const QString& file);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QString imageFile_;
  bool imageRead_ = false;
};

}  // namespace vantrel::ui
