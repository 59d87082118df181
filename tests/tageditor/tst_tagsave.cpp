// The tag editor's save without the window: which tag a file ends with, the
// space rule, the track number and the bytes of the block.
#include <QTemporaryDir>
#include <QtTest>

#include "Fixtures.h"
#include "TagSave.h"

using Fx::Bytes;

namespace {

Bytes Block(const std::array<std::uint8_t, kID3v1BlockSize>& block) { return Bytes(block.begin(), block.end()); }

}  // namespace

class TestTagSave : public QObject {
  Q_OBJECT

 private slots:
  void spaceFix_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("fixed");
    QTest::newRow("empty") << "" << "";
    QTest::newRow("one space") << " " << " ";
    QTest::newRow("three spaces") << "   " << " ";
    QTest::newRow("two words, trailing spaces") << "Dancing Queen   " << "Dancing Queen";
    QTest::newRow("leading and inner spaces stay") << "  a  b " << "  a  b";
    QTest::newRow("only the space counts") << "ab\t" << "ab\t";
    QTest::newRow("tab before spaces") << "\t  " << "\t";
  }
  void spaceFix() {
    QFETCH(QString, text);
    QFETCH(QString, fixed);
    QCOMPARE(SpaceFix(text), fixed);
  }

  void hamtaId3Status_data() {
    QTest::addColumn<Bytes>("bytes");
    QTest::addColumn<int>("status");
    const Bytes audio = Fx::Frames(Fx::Mp{}, 3);
    const Bytes v2 = Fx::ID3v2(3, {{"TIT2", Fx::TextContent("T")}});
    const Bytes v1 = Fx::ID3v1({.title = "T"});
    QTest::newRow("no tag") << audio << 0;
    QTest::newRow("ID3v1") << Fx::Cat({audio, v1}) << 1;
    QTest::newRow("ID3v1, lower-case marker") << Fx::Cat({audio, Fx::ID3v1({.marker = "tAg"})}) << 1;
    QTest::newRow("ID3v2 only") << Fx::Cat({v2, audio}) << 2;
    QTest::newRow("ID3v2 and ID3v1") << Fx::Cat({v2, audio, v1}) << 1;
    QTest::newRow("lower-case id3 is no ID3v2") << Fx::Cat({Fx::Text("id3"), audio}) << 0;
    QTest::newRow("ID3 in a file shorter than a block") << Fx::Text("ID3abc") << 2;
    QTest::newRow("TAG at the start of a short file") << Fx::Text("TAGxyz") << 0;
    QTest::newRow("exactly one block") << v1 << 1;
    QTest::newRow("empty file") << Bytes{} << 0;
  }
  void hamtaId3Status() {
    QFETCH(Bytes, bytes);
    QFETCH(int, status);
    QTemporaryDir dir;
    const QString path = dir.filePath("a.mp3");
    Fx::WriteFile(path.toStdString(), bytes);
    QCOMPARE(HamtaId3Status(path), status);
  }

  void hamtaId3StatusOfWhatIsNoFile() {
    QTemporaryDir dir;
    QCOMPARE(HamtaId3Status(dir.filePath("gone.mp3")), 0);
    QCOMPARE(HamtaId3Status(dir.path()), 0);
    QVERIFY(!CanOpenForWriting(dir.filePath("gone.mp3")));
    QVERIFY(!CanOpenForWriting(dir.path()));
  }

  void trackText_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("stored");  // -1: nothing stored
    QTest::newRow("empty") << "" << int(TrackText::Empty) << -1;
    QTest::newRow("0") << "0" << int(TrackText::Number) << -1;
    QTest::newRow("1") << "1" << int(TrackText::Number) << 1;
    QTest::newRow("7") << "7" << int(TrackText::Number) << 7;
    QTest::newRow("007") << "007" << int(TrackText::Number) << 7;
    QTest::newRow("254") << "254" << int(TrackText::Number) << 254;
    QTest::newRow("255") << "255" << int(TrackText::Number) << 255;
    QTest::newRow("256 is capped") << "256" << int(TrackText::Number) << 254;
    QTest::newRow("300 is capped") << "300" << int(TrackText::Number) << 254;
    QTest::newRow("999 is capped") << "999" << int(TrackText::Number) << 254;
    QTest::newRow("-5 is refused") << "-5" << int(TrackText::Invalid) << -1;
    QTest::newRow("1.5 is refused") << "1.5" << int(TrackText::Invalid) << -1;
    QTest::newRow("Å is refused") << "Å" << int(TrackText::Invalid) << -1;
    QTest::newRow("- is refused") << "-" << int(TrackText::Invalid) << -1;
  }
  void trackText() {
    QFETCH(QString, text);
    QFETCH(int, kind);
    QFETCH(int, stored);
    const TrackText track = ReadTrackText(text);
    QCOMPARE(int(track.kind), kind);
    if (track.kind != TrackText::Number) return;
    const std::optional<std::uint8_t> byte = TrackByte(track.number);
    QCOMPARE(byte ? int(*byte) : -1, stored);
  }

  void notAnIntegerText() {
    QCOMPARE(NotAnIntegerText("1.5"), QStringLiteral("'1.5' is not a valid integer value"));
  }

  void saveBlock_data() {
    QTest::addColumn<QStringList>("texts");  // title, artist, album, year, comment, genre
    QTest::addColumn<int>("track");          // -1: none
    QTest::addColumn<Bytes>("block");
    QTest::newRow("all fields, no genre")
        << QStringList{"Waterloo", "ABBA", "Waterloo", "1974", "Eurovision", ""} << -1
        << Fx::ID3v1({.title = "Waterloo", .artist = "ABBA", .album = "Waterloo", .year = "1974",
                      .comment = "Eurovision", .genre = 255});
    QTest::newRow("trailing spaces go") << QStringList{"Dancing Queen   ", "", "", "", "", ""} << -1
                                        << Fx::ID3v1({.title = "Dancing Queen"});
    QTest::newRow("three spaces, one stays") << QStringList{"   ", "", "", "", "", ""} << -1
                                             << Fx::ID3v1({.title = " "});
    QTest::newRow("empty fields stay zero") << QStringList{"", "", "", "", "", ""} << -1 << Fx::ID3v1({});
    QTest::newRow("two-character year") << QStringList{"", "", "", "74", "", ""} << -1
                                        << Fx::ID3v1({.year = "74"});
    QTest::newRow("year keeps its spaces") << QStringList{"", "", "", "19  ", "", ""} << -1
                                           << Fx::ID3v1({.year = "19  "});
    QTest::newRow("track 7, short comment") << QStringList{"", "", "", "", "Svensk pop", ""} << 7
                                            << Fx::ID3v1({.comment = "Svensk pop", .track = 7});
    QTest::newRow("Rock is 17") << QStringList{"", "", "", "", "", "Rock"} << -1 << Fx::ID3v1({.genre = 17});
    QTest::newRow("the picker's spelling") << QStringList{"", "", "", "", "", "Progressive Rock"} << -1
                                           << Fx::ID3v1({.genre = 92});
    QTest::newRow("Å is one Windows-1252 byte") << QStringList{"Åsa", "Björk", "", "", "", ""} << -1
                                                << Fx::ID3v1({.title = "\xC5sa", .artist = "Bj\xF6rk"});
    QTest::newRow("cut to 30, then spaces go")
        << QStringList{QString(29, u'a') + "  b", "", "", "", "", ""} << -1
        << Fx::ID3v1({.title = std::string(29, 'a')});
    QTest::newRow("a character beyond 16 bits is one byte")
        << QStringList{QString::fromUtf8("\xF0\x9F\x8E\xB5") + QString(29, u'a') + "b", "", "", "", "", ""} << -1
        << Fx::ID3v1({.title = "?" + std::string(29, 'a')});
    // A comment of 30 characters keeps its 29th at 125 under the track.
    Bytes long29 = Fx::ID3v1({.comment = std::string(30, 'c')});
    long29[126] = 5;
    QTest::newRow("track over a 30-character comment") << QStringList{"", "", "", "", QString(30, u'c'), ""} << 5
                                                       << long29;
  }
  void saveBlock() {
    QFETCH(QStringList, texts);
    QFETCH(int, track);
    QFETCH(Bytes, block);
    const TagTexts fields{texts[0], texts[1], texts[2], texts[3], texts[4], texts[5]};
    const std::optional<std::uint8_t> byte = track < 0 ? std::nullopt : std::optional<std::uint8_t>(track);
    QCOMPARE(Block(BuildSaveBlock(fields, byte)), block);
  }
};

QTEST_GUILESS_MAIN(TestTagSave)
#include "tst_tagsave.moc"
