// Reads the committed artwork the way the program does, through Qt's image
// plugins (qico for the icon, qjpeg for the picture box), so a file that our
// own byte checks accept but Qt cannot decode, or decodes upside down or
// without transparency, is caught here.

#include <QColor>
#include <QImage>
#include <QImageReader>
#include <QSize>
#include <QString>
#include <QTest>

namespace {

QString artwork(const char* name) {
  return QStringLiteral(VANTREL_ICON_DIR "/") + QLatin1String(name);
}

}  // namespace

class ProgramIconTest : public QObject {
  Q_OBJECT

 private slots:
  void iconHoldsEighteenImages();
  void eachImageDecodes_data();
  void eachImageDecodes();
  void pictureDecodes();
};

void ProgramIconTest::iconHoldsEighteenImages() {
  QImageReader reader(artwork("vantrel.ico"));
  QVERIFY2(reader.canRead(), qPrintable(reader.errorString()));
  QCOMPARE(reader.format(), QByteArray("ico"));
  QCOMPARE(reader.imageCount(), 18);
}

void ProgramIconTest::eachImageDecodes_data() {
  QTest::addColumn<int>("index");
  QTest::addColumn<int>("size");
  const int sizes[] = {256, 128, 48, 32, 24, 16};
  int index = 0;
  for (const int bits : {4, 8, 32}) {
    for (const int size : sizes) {
      QTest::addRow("%d bpp %d px", bits, size) << index++ << size;
    }
  }
}

void ProgramIconTest::eachImageDecodes() {
  QFETCH(int, index);
  QFETCH(int, size);
  QImageReader reader(artwork("vantrel.ico"));
  QVERIFY(reader.jumpToImage(index));
  const QImage image = reader.read();
  QVERIFY2(!image.isNull(), qPrintable(reader.errorString()));
  QCOMPARE(image.size(), QSize(size, size));
  QVERIFY(image.hasAlphaChannel());

  const auto at = [&](double fx, double fy) {
    return image.pixelColor(static_cast<int>(fx * size), static_cast<int>(fy * size));
  };
  // Clear top-left corner, white card to the right of the 4, the 4's cross
  // bar below its middle, and the blue card behind on the left: an image that
  // Qt reads flipped, unmasked or with the wrong palette fails one of these.
  QCOMPARE(at(0.0, 0.0).alpha(), 0);
  const QColor card = at(0.85, 0.4);
  QCOMPARE(card.alpha(), 255);
  QVERIFY2(card.lightness() > 200, qPrintable(card.name()));
  const QColor bar = at(0.82, 0.58);
  QCOMPARE(bar.alpha(), 255);
  QVERIFY2(bar.red() > bar.green() + 80 && bar.red() > bar.blue() + 80, qPrintable(bar.name()));
  const QColor back = at(0.18, 0.45);
  QCOMPARE(back.alpha(), 255);
  QVERIFY2(back.blue() > back.red() + 60, qPrintable(back.name()));
}

void ProgramIconTest::pictureDecodes() {
  QImageReader reader(artwork("picture.jpg"));
  QCOMPARE(reader.format(), QByteArray("jpeg"));
  const QImage image = reader.read();
  QVERIFY2(!image.isNull(), qPrintable(reader.errorString()));
  QCOMPARE(image.size(), QSize(143, 60));
  QVERIFY(!image.isGrayscale());
}

QTEST_GUILESS_MAIN(ProgramIconTest)
#include "tst_program_icon.moc"
