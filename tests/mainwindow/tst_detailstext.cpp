// The details panel's texts: sizes in MB, play times, tag and stream words.
#include <QtTest>
#include <limits>

#include "DetailsText.h"

class TestDetailsText : public QObject {
  Q_OBJECT
 private slots:
  void sizes_data();
  void sizes();
  void playTimes_data();
  void playTimes();
  void words();
};

void TestDetailsText::sizes_data() {
  QTest::addColumn<qint64>("bytes");
  QTest::addColumn<QString>("point");
  QTest::addColumn<QString>("text");
  QTest::newRow("5 MB") << qint64(5242880) << "." << "x.mp3: 5242880 bytes (5.00 MB)";
  QTest::newRow("half, no leading zero") << qint64(524288) << "." << "x.mp3: 524288 bytes (.50 MB)";
  QTest::newRow("comma") << qint64(524288) << "," << "x.mp3: 524288 bytes (,50 MB)";
  QTest::newRow("empty file") << qint64(0) << "." << "x.mp3: 0 bytes (.00 MB)";
  QTest::newRow("rounds half up") << qint64(5243) << "." << "x.mp3: 5243 bytes (.01 MB)";  // 0.005000...
  QTest::newRow("just under half") << qint64(5242) << "." << "x.mp3: 5242 bytes (.00 MB)";
  QTest::newRow("no grouping") << qint64(12345678901) << "." << "x.mp3: 12345678901 bytes (11773.76 MB)";
  QTest::newRow("largest size") << std::numeric_limits<qint64>::max() << "."
                                 << "x.mp3: 9223372036854775807 bytes (8796093022208.00 MB)";
}

void TestDetailsText::sizes() {
  QFETCH(qint64, bytes);
  QFETCH(QString, point);
  QFETCH(QString, text);
  QCOMPARE(SizeText("x.mp3", bytes, point.front()), text);
}

void TestDetailsText::playTimes_data() {
  QTest::addColumn<qint64>("bytes");
  QTest::addColumn<qint64>("kbps");
  QTest::addColumn<QString>("text");
  QTest::newRow("4:10") << qint64(4000000) << qint64(128) << "4:10";
  QTest::newRow("seconds padded") << qint64(16000 * 187) << qint64(128) << "3:07";
  QTest::newRow("hours stay minutes") << qint64(16000) * 4500 << qint64(128) << "75:00";
  QTest::newRow("rounded down") << qint64(15999) << qint64(128) << "0:00";
  QTest::newRow("no rate") << qint64(4000000) << qint64(0) << "";
  QTest::newRow("largest size") << std::numeric_limits<qint64>::max() << qint64(8)
                                 << "153722867280912:55";  // no overflow of size * 8
}

void TestDetailsText::playTimes() {
  QFETCH(qint64, bytes);
  QFETCH(qint64, kbps);
  QFETCH(QString, text);
  QCOMPARE(PlayTimeText(bytes, kbps), text);
}

void TestDetailsText::words() {
  QCOMPARE(ID3InfText(3, true), QString("1.1 && 2"));
  QCOMPARE(ID3InfText(3, false), QString("1 && 2"));
  QCOMPARE(ID3InfText(1, true), QString("1.1"));
  QCOMPARE(ID3InfText(0, true), QString());
  QCOMPARE(MPEGInfText("MPEG 2.5", 3), QString("MPEG 2.5 Lager 3"));
  QCOMPARE(MPEGInfText("", 2), QString(" Lager 2"));
  QCOMPARE(MPEGInfText("MPEG 1.0", 0), QString("MPEG 1.0"));
  QCOMPARE(StereoText(2), QString("2 kanaler"));
  QCOMPARE(StereoText(255), QString());
  QCOMPARE(ActionName(1), QString("Lägg på kö"));
  QCOMPARE(ThreeDecimals(215.4314, ','), QString("215,431"));
  QCOMPARE(ThreeDecimals(0.5, '.'), QString(".500"));
}

QTEST_APPLESS_MAIN(TestDetailsText)
#include "tst_detailstext.moc"
