// Windows-1252 conversion: the one table every tag text goes through.
#include <QtTest>

#include <string>

#include "Ansi.h"

class TestAnsi : public QObject {
  Q_OBJECT

 private slots:
  void decodeHighRange_data();
  void decodeHighRange();
  void roundTripsEveryByte();
  void encodeUnmappable_data();
  void encodeUnmappable();
  void fromUtf8Malformed_data();
  void fromUtf8Malformed();
};

// 0x80-0x9F is where Windows-1252 differs from Latin-1; the five undefined
// bytes keep their own value so that decoding never loses a byte.
void TestAnsi::decodeHighRange_data() {
  QTest::addColumn<int>("byte");
  QTest::addColumn<int>("unicode");
  QTest::newRow("euro") << 0x80 << 0x20AC;
  QTest::newRow("undefined 81") << 0x81 << 0x81;
  QTest::newRow("S caron") << 0x8A << 0x0160;
  QTest::newRow("undefined 8D") << 0x8D << 0x8D;
  QTest::newRow("left single quote") << 0x91 << 0x2018;
  QTest::newRow("em dash") << 0x97 << 0x2014;
  QTest::newRow("undefined 9D") << 0x9D << 0x9D;
  QTest::newRow("Y diaeresis") << 0x9F << 0x0178;
  QTest::newRow("nbsp") << 0xA0 << 0xA0;
  QTest::newRow("a ring") << 0xE5 << 0xE5;
  QTest::newRow("y diaeresis") << 0xFF << 0xFF;
}

void TestAnsi::decodeHighRange() {
  QFETCH(int, byte);
  QFETCH(int, unicode);
  QCOMPARE(int(Ansi::DecodeByte(static_cast<std::uint8_t>(byte))), unicode);
  QCOMPARE(int(static_cast<std::uint8_t>(Ansi::EncodeChar(static_cast<char32_t>(unicode)))), byte);
}

void TestAnsi::roundTripsEveryByte() {
  std::string all;
  for (int b = 0; b < 256; ++b) all += static_cast<char>(b);
  QCOMPARE(Ansi::FromUtf16(Ansi::ToUtf16(all)), all);
  QCOMPARE(Ansi::FromUtf8(Ansi::ToUtf8(all)), all);
  // The UTF-8 form really is UTF-8: "å" is two bytes, "€" three.
  QCOMPARE(Ansi::ToUtf8("\xE5\x80"), std::string("\xC3\xA5\xE2\x82\xAC"));
}

void TestAnsi::encodeUnmappable_data() {
  QTest::addColumn<QString>("text");  // UTF-16 through QString
  QTest::addColumn<QByteArray>("expected");
  QTest::newRow("latin extended") << QString(QChar(0x0100)) << QByteArray("?");
  QTest::newRow("cjk among ascii") << (QStringLiteral("a") + QChar(0x4E2D) + QStringLiteral("b")) << QByteArray("a?b");
  QTest::newRow("near the euro") << QString(QChar(0x20AD)) << QByteArray("?");
  QTest::newRow("surrogate pair is one character")
      << (QStringLiteral("x") + QChar(0xD83C) + QChar(0xDFB5) + QStringLiteral("y")) << QByteArray("x?y");
  QTest::newRow("lone high surrogate") << (QString(QChar(0xD83C)) + QStringLiteral("y")) << QByteArray("?y");
  QTest::newRow("lone low surrogate") << QString(QChar(0xDFB5)) << QByteArray("?");
  QTest::newRow("swedish letters") << QStringLiteral("\u00C5\u00E4\u00F6") << QByteArray("\xC5\xE4\xF6");
}

void TestAnsi::encodeUnmappable() {
  QFETCH(QString, text);
  QFETCH(QByteArray, expected);
  const std::u16string u16(reinterpret_cast<const char16_t*>(text.utf16()), static_cast<std::size_t>(text.size()));
  QCOMPARE(QByteArray::fromStdString(Ansi::FromUtf16(u16)), expected);
  QCOMPARE(QByteArray::fromStdString(Ansi::FromUtf8(text.toUtf8().toStdString())), expected);
}

void TestAnsi::fromUtf8Malformed_data() {
  QTest::addColumn<QByteArray>("utf8");
  QTest::addColumn<QByteArray>("expected");
  QTest::newRow("lone continuation") << QByteArray("a\x80z") << QByteArray("a?z");
  QTest::newRow("lead at the end") << QByteArray("a\xC3") << QByteArray("a?");
  QTest::newRow("truncated three-byte") << QByteArray("\xE2\x82") << QByteArray("??");
  QTest::newRow("lead then ascii") << QByteArray("\xE2\x82" "A") << QByteArray("??A");
  QTest::newRow("invalid lead F8") << QByteArray("\xF8\x88\x80\x80\x80") << QByteArray("?????");
  QTest::newRow("valid between bad") << QByteArray("\xFF\xC3\xA5\xFF") << QByteArray("?\xE5?");
}

void TestAnsi::fromUtf8Malformed() {
  QFETCH(QByteArray, utf8);
  QFETCH(QByteArray, expected);
  QCOMPARE(QByteArray::fromStdString(Ansi::FromUtf8(utf8.toStdString())), expected);
}

QTEST_APPLESS_MAIN(TestAnsi)
#include "tst_ansi.moc"
