#include <QBitmap>
#include <QImage>
#include <QtTest>

#include "Artwork.h"

namespace {

QImage imageOf(const QPixmap& px) { return px.toImage().convertToFormat(QImage::Format_ARGB32); }

int opaquePixels(const QImage& img) {
  int n = 0;
  for (int y = 0; y < img.height(); ++y)
    for (int x = 0; x < img.width(); ++x)
      if (qAlpha(img.pixel(x, y)) >= 128) ++n;
  return n;
}

bool hasColour(const QImage& img) {
  for (int y = 0; y < img.height(); ++y)
    for (int x = 0; x < img.width(); ++x) {
      const QRgb p = img.pixel(x, y);
      if (qAlpha(p) != 0 && (qRed(p) != qGreen(p) || qGreen(p) != qBlue(p))) return true;
    }
  return false;
}

}  // namespace

class tst_Artwork : public QObject {
  Q_OBJECT

 private slots:
  void toolIconHasThreeModes_data();
  void toolIconHasThreeModes();
  void toolImagesAreDistinct();
  void largerSizesAreDrawnNotBlownUp();
  void indexOutOfRangeGivesNullIcon();
  void cursor_data();
  void cursor();
  void cursorsAreDistinct();
};

void tst_Artwork::toolIconHasThreeModes_data() {
  QTest::addColumn<int>("index");
  for (int i = 0; i < ToolImageCount; ++i) QTest::addRow("image %d", i) << i;
}

void tst_Artwork::toolIconHasThreeModes() {
  QFETCH(int, index);
  const QIcon icon = ToolIcon(index);
  QVERIFY(!icon.isNull());
  const QSize size(ToolImageSize, ToolImageSize);
  const QImage normal = imageOf(icon.pixmap(size, QIcon::Normal));
  const QImage active = imageOf(icon.pixmap(size, QIcon::Active));
  const QImage disabled = imageOf(icon.pixmap(size, QIcon::Disabled));
  for (const QImage* img : {&normal, &active, &disabled}) {
    QCOMPARE(img->size(), size);
    // A picture, not a speck: at least a tenth of the square is solidly drawn ...
    QVERIFY2(opaquePixels(*img) >= size.width() * size.height() / 10,
             qPrintable(QString::number(opaquePixels(*img))));
    // ... and the tool-bar colour shows through somewhere around it.
    QVERIFY(opaquePixels(*img) < size.width() * size.height());
  }
  QVERIFY(normal != active);
  QVERIFY(normal != disabled);
  QVERIFY(active != disabled);
  QVERIFY(hasColour(normal));
  QVERIFY2(!hasColour(disabled), "a disabled button shows no colour");
  // The button under the pointer keeps the picture's shape.
  QCOMPARE(opaquePixels(active), opaquePixels(normal));
}

void tst_Artwork::toolImagesAreDistinct() {
  QList<QImage> seen;
  for (int i = 0; i < ToolImageCount; ++i) {
    const QImage img = imageOf(ToolPixmap(i, QIcon::Normal));
    for (int j = 0; j < seen.size(); ++j)
      QVERIFY2(img != seen[j], qPrintable(QStringLiteral("images %1 and %2").arg(j).arg(i)));
    seen << img;
  }
}

void tst_Artwork::largerSizesAreDrawnNotBlownUp() {
  // On a high-density screen the icon hands out a picture painted at twice the size, which
  // has finer detail than the 20 × 20 one scaled up.
  const QIcon icon = ToolIcon(ImgSpela);
  const QImage large = imageOf(icon.pixmap(QSize(2 * ToolImageSize, 2 * ToolImageSize)));
  QCOMPARE(large.size(), QSize(2 * ToolImageSize, 2 * ToolImageSize));
  const QImage blown = imageOf(ToolPixmap(ImgSpela, QIcon::Normal))
                           .scaled(large.size(), Qt::IgnoreAspectRatio, Qt::FastTransformation);
  QVERIFY(large != blown);
  QVERIFY(opaquePixels(large) > 3 * opaquePixels(imageOf(ToolPixmap(ImgSpela, QIcon::Normal))));
}

void tst_Artwork::indexOutOfRangeGivesNullIcon() {
  QVERIFY(ToolIcon(-1).isNull());
  QVERIFY(ToolIcon(ToolImageCount).isNull());
  QVERIFY(ToolPixmap(ToolImageCount, QIcon::Normal).isNull());
}

void tst_Artwork::cursor_data() {
  QTest::addColumn<QCursor>("cursor");
  QTest::addRow("CRMOVE") << MoveCursor();
  QTest::addRow("CRID3") << Id3Cursor();
  QTest::addRow("CRLIST") << ListCursor();
}

void tst_Artwork::cursor() {
  QFETCH(QCursor, cursor);
  QCOMPARE(cursor.shape(), Qt::BitmapCursor);
  const QImage img = imageOf(cursor.pixmap());
  QCOMPARE(img.size(), QSize(CursorSize, CursorSize));
  const QPoint hot = cursor.hotSpot();
  QVERIFY(img.rect().contains(hot));
  // The pointer's tip is drawn exactly on the hot spot.
  QCOMPARE(qAlpha(img.pixel(hot)), 255);
  const int drawn = opaquePixels(img);
  QVERIFY(drawn >= 100);
  // Transparent around the picture, so it floats over whatever lies below.
  QVERIFY(drawn <= img.width() * img.height() / 2);
  QCOMPARE(qAlpha(img.pixel(CursorSize - 1, 0)), 0);
  QCOMPARE(qAlpha(img.pixel(0, CursorSize - 1)), 0);
  // The badge beside the arrow is in colour; the arrow alone would be black and white.
  QVERIFY(hasColour(img));
}

void tst_Artwork::cursorsAreDistinct() {
  const QImage move = imageOf(MoveCursor().pixmap());
  const QImage id3 = imageOf(Id3Cursor().pixmap());
  const QImage list = imageOf(ListCursor().pixmap());
  QVERIFY(move != id3);
  QVERIFY(move != list);
  QVERIFY(id3 != list);
}

QTEST_MAIN(tst_Artwork)
#include "tst_artwork.moc"
