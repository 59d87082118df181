#include <QtTest>

#include "NameRules.h"

class TestNameRules : public QObject {
  Q_OBJECT

 private slots:
  void harId3Namn_data();
  void harId3Namn();
  void uCase_data();
  void uCase();
  void lCase_data();
  void lCase();
  void pCase_data();
  void pCase();
};

void TestNameRules::harId3Namn_data() {
  QTest::addColumn<QString>("name");
  QTest::addColumn<bool>("expected");

  QTest::newRow("artist - title") << QStringLiteral("Abba - Waterloo.mp3") << true;
  QTest::newRow("no spaces around hyphen") << QStringLiteral("Abba-Waterloo.mp3") << false;
  QTest::newRow("en dash") << QStringLiteral("Abba – Waterloo.mp3") << false;
  QTest::newRow("empty artist, 9 characters") << QStringLiteral(" - ab.mp3") << true;
  QTest::newRow("empty artist, 8 characters") << QStringLiteral(" - a.mp3") << false;
  QTest::newRow("five after separator") << QStringLiteral("Abba - W.mp3") << false;
  QTest::newRow("six after separator") << QStringLiteral("Abba - Wa.mp3") << true;
  QTest::newRow("no extension") << QStringLiteral("Abba - Waterl") << true;
  QTest::newRow("track number as artist") << QStringLiteral("01 - Sång.mp3") << true;
  QTest::newRow("second separator too late") << QStringLiteral("Abba - Waterloo - Live.mp3") << true;
  // Measured in characters: in UTF-8 bytes this name would be long enough.
  QTest::newRow("counts characters, not bytes") << QStringLiteral(" - å.mp3") << false;
  QTest::newRow("empty") << QString() << false;

  QTest::newRow("windows path") << QStringLiteral("C:\\Musik\\Abba - Waterloo.mp3") << true;
  QTest::newRow("windows path, short name") << QStringLiteral("C:\\Musik\\Abba - W.mp3") << false;
  QTest::newRow("separator in folder (backslash)") << QStringLiteral("C:\\A - B\\x.mp3") << false;
  QTest::newRow("separator before colon") << QStringLiteral(" - ab:x.mp3") << false;
  QTest::newRow("linux path") << QStringLiteral("/home/u/Musik/Abba - Waterloo.mp3") << true;
  QTest::newRow("separator in folder (slash)") << QStringLiteral("/home/u/A - B/x.mp3") << false;
  QTest::newRow("linux path, short name") << QStringLiteral("/m/Abba - W.mp3") << false;
}

void TestNameRules::harId3Namn() {
  QFETCH(QString, name);
  QFETCH(bool, expected);
  QCOMPARE(HarID3Namn(name), expected);
}

void TestNameRules::uCase_data() {
  QTest::addColumn<QChar>("in");
  QTest::addColumn<QChar>("out");

  QTest::newRow("a") << QChar(u'a') << QChar(u'A');
  QTest::newRow("z") << QChar(u'z') << QChar(u'Z');
  QTest::newRow("å") << QChar(u'å') << QChar(u'Å');
  QTest::newRow("ä") << QChar(u'ä') << QChar(u'Ä');
  QTest::newRow("ö") << QChar(u'ö') << QChar(u'Ö');
  QTest::newRow("already upper") << QChar(u'Ö') << QChar(u'Ö');
  QTest::newRow("é has no partner") << QChar(u'é') << QChar(u'é');
  QTest::newRow("ü has no partner") << QChar(u'ü') << QChar(u'ü');
  QTest::newRow("æ has no partner") << QChar(u'æ') << QChar(u'æ');
  QTest::newRow("ÿ has no partner") << QChar(u'ÿ') << QChar(u'ÿ');
  QTest::newRow("digit") << QChar(u'1') << QChar(u'1');
  QTest::newRow("zero") << QChar(u'\0') << QChar(u'\0');
}

void TestNameRules::uCase() {
  QFETCH(QChar, in);
  QFETCH(QChar, out);
  QCOMPARE(UCase(in), out);
}

void TestNameRules::lCase_data() {
  QTest::addColumn<QString>("in");
  QTest::addColumn<QString>("out");

  QTest::newRow("swedish") << QStringLiteral("ÅSA ÖSTERLUND") << QStringLiteral("åsa österlund");
  QTest::newRow("É has no partner") << QStringLiteral("ÉLAN") << QStringLiteral("Élan");
  QTest::newRow("only the pairs change") << QStringLiteral("ÄÆØÜÇ-1.MP3") << QStringLiteral("äÆØÜÇ-1.mp3");
  QTest::newRow("non-latin stays") << QStringLiteral("ΑΒΓ İ") << QStringLiteral("ΑΒΓ İ");
  QTest::newRow("empty") << QString() << QString();
}

void TestNameRules::lCase() {
  QFETCH(QString, in);
  QFETCH(QString, out);
  QCOMPARE(LCase(in), out);
}

void TestNameRules::pCase_data() {
  QTest::addColumn<QString>("in");
  QTest::addColumn<QString>("out");

  QTest::newRow("whole name") << QStringLiteral("ABBA - DANCING QUEEN.MP3") << QStringLiteral("Abba - Dancing Queen.mp3");
  QTest::newRow("parenthesis") << QStringLiteral("the (long) road.mp3") << QStringLiteral("The (Long) Road.mp3");
  QTest::newRow("slash and dots stay low") << QStringLiteral("ac/dc - t.n.t.mp3") << QStringLiteral("Ac/dc - T.n.t.mp3");
  QTest::newRow("hyphen stays low") << QStringLiteral("hip-hop hooray") << QStringLiteral("Hip-hop Hooray");
  QTest::newRow("swedish start") << QStringLiteral("ålen") << QStringLiteral("Ålen");
  QTest::newRow("swedish words") << QStringLiteral("ÖL ÅT äLG") << QStringLiteral("Öl Åt Älg");
  QTest::newRow("accent not raised") << QStringLiteral("élan vital") << QStringLiteral("élan Vital");
  QTest::newRow("leading space") << QStringLiteral(" abc") << QStringLiteral(" Abc");
  QTest::newRow("two spaces") << QStringLiteral("a  b") << QStringLiteral("A  B");
  QTest::newRow("double parenthesis") << QStringLiteral("((a") << QStringLiteral("((A");
  QTest::newRow("digit then letter") << QStringLiteral("02 the 3rd man") << QStringLiteral("02 The 3rd Man");
  QTest::newRow("ends in space") << QStringLiteral("abc ") << QStringLiteral("Abc ");
  QTest::newRow("ends in parenthesis") << QStringLiteral("abc (") << QStringLiteral("Abc (");
  QTest::newRow("one letter") << QStringLiteral("a") << QStringLiteral("A");
  QTest::newRow("empty") << QString() << QString();
}

void TestNameRules::pCase() {
  QFETCH(QString, in);
  QFETCH(QString, out);
  QCOMPARE(PCase(in), out);
}

QTEST_APPLESS_MAIN(TestNameRules)
#include "tst_namerules.moc"
