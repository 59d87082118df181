#include <sys/stat.h>
#include <unistd.h>

#include <QtTest>
#include <optional>

#include "Fixtures.h"
#include "QuickProbe.h"

namespace {

QByteArray Q(const Fx::Bytes& b) { return QByteArray(reinterpret_cast<const char*>(b.data()), static_cast<qsizetype>(b.size())); }
QByteArray Q(std::initializer_list<Fx::Bytes> parts) { return Q(Fx::Cat(parts)); }
std::string Raw(const char* s, std::size_t n) { return std::string(s, n); }

// Remembers the last value the probe gave each editor field.
class RecordingEditor : public ITagEditorFields {
 public:
  QMap<QString, QString> fields;
  int calls = 0;

  std::optional<QString> Get(const QString& key) const {
    if (!fields.contains(key)) return std::nullopt;
    return fields.value(key);
  }

  void SetTitel(const QString& t) override { Set("Titel", t); }
  void SetArtist(const QString& t) override { Set("Artist", t); }
  void SetAlbum(const QString& t) override { Set("Album", t); }
  void SetAr(const QString& t) override { Set("Ar", t); }
  void SetKommentar(const QString& t) override { Set("Kommentar", t); }
  void SetTrack(const QString& t) override { Set("Track", t); }
  void SelectGenre(const QString& name) override { Set("Genre", name); }
  void ClearGenreSelection() override { Set("Genre", "<none>"); }

 private:
  void Set(const QString& key, const QString& value) {
    fields[key] = value;
    ++calls;
  }
};

// Four frames of MPEG-1 Layer III, joint stereo, 44100 Hz.
Fx::Bytes Audio() { return Fx::Frames(Fx::Mp{}, 4); }
Fx::Bytes V2Tag() { return Fx::ID3v2(3, {{"TIT2", Fx::TextContent("Waterloo")}}, 20); }
Fx::Bytes Block(const std::string& marker = "TAG") {
  Fx::V1 v;
  v.title = "Waterloo";
  v.marker = marker;
  return Fx::ID3v1(v);
}
// An ID3v1 block whose bytes 97-126 are exactly tail (30 bytes).
Fx::Bytes BlockWithCommentBytes(const QByteArray& tail) {
  Fx::Bytes b = Block();
  Fx::Put(b, 97, Fx::Bytes(tail.begin(), tail.end()));
  return b;
}

}  // namespace

class TestQuickProbe : public QObject {
  Q_OBJECT

 private slots:
  void init();

  void tagKind_data();
  void tagKind();
  void frameHeader_data();
  void frameHeader();
  void unopenableFile_data();
  void unopenableFile();
  void fifoDoesNotBlock();

  void blockFields();
  void editorTexts_data();
  void editorTexts();
  void trackAndComment_data();
  void trackAndComment();
  void genre_data();
  void genre();
  void quietLeavesEditorAlone();
  void fileWithoutBlockLeavesEditorAlone();

  void rTrim_data();
  void rTrim();

 private:
  std::string Write(const QByteArray& bytes);
  Morv::TID3Svar Probe(const QByteArray& bytes, std::int32_t frameOffset = 0);

  QTemporaryDir dir_;
  int files_ = 0;
  TagProbe probe_;
  RecordingEditor editor_;
};

void TestQuickProbe::init() {
  QVERIFY(dir_.isValid());
  probe_ = TagProbe();
  editor_ = RecordingEditor();
  probe_.SetEditor(&editor_);
}

std::string TestQuickProbe::Write(const QByteArray& bytes) {
  const std::string path = dir_.filePath(QStringLiteral("f%1.mp3").arg(files_++)).toStdString();
  Fx::WriteFile(path, Fx::Bytes(bytes.begin(), bytes.end()));
  return path;
}

Morv::TID3Svar TestQuickProbe::Probe(const QByteArray& bytes, std::int32_t frameOffset) {
  Morv::TID3Svar svar;
  probe_.HamtaId3Tag(Write(bytes), frameOffset, svar);
  return svar;
}

// --- tag kind -------------------------------------------------------------------

void TestQuickProbe::tagKind_data() {
  QTest::addColumn<QByteArray>("file");
  QTest::addColumn<int>("expected");

  QTest::newRow("neither") << Q(Audio()) << 0;
  QTest::newRow("ID3v2 only") << Q({V2Tag(), Audio()}) << 2;
  QTest::newRow("ID3v1 only") << Q({Audio(), Block()}) << 1;
  QTest::newRow("both") << Q({V2Tag(), Audio(), Block()}) << 3;
  QTest::newRow("lower-case marker") << Q({Audio(), Block("tag")}) << 1;
  QTest::newRow("mixed-case marker with ID3v2") << Q({V2Tag(), Audio(), Block("Tag")}) << 3;
  QTest::newRow("other marker") << Q({Audio(), Block("TAB")}) << 0;
  QTest::newRow("ID3 is matched byte for byte") << Q({Fx::Text("id3"), Audio(), Block()}) << 1;
  QTest::newRow("block not at the end") << Q({Audio(), Block(), Fx::Zeros(1)}) << 0;
  QTest::newRow("file is exactly a block") << Q(Block()) << 1;
  // Shorter than 128 bytes: no block, even with "TAG" at the start.
  QTest::newRow("127 bytes starting with TAG") << Q({Fx::Text("TAG"), Fx::Zeros(124)}) << 0;
  QTest::newRow("3-byte file ID3") << Q(Fx::Text("ID3")) << 2;
  QTest::newRow("2-byte file") << Q(Fx::Text("ID")) << 0;
  QTest::newRow("empty file") << QByteArray() << 0;
}

void TestQuickProbe::tagKind() {
  QFETCH(QByteArray, file);
  QFETCH(int, expected);
  QCOMPARE(int(Probe(file).TagKind), expected);
}

// --- frame header ------------------------------------------------------------------

void TestQuickProbe::frameHeader_data() {
  QTest::addColumn<QByteArray>("file");
  QTest::addColumn<int>("frameOffset");
  QTest::addColumn<QString>("version");
  QTest::addColumn<int>("layer");
  QTest::addColumn<int>("protection");
  QTest::addColumn<int>("rate");
  QTest::addColumn<int>("mode");

  const Fx::Bytes pad = Fx::Zeros(200);
  auto hdr = [](std::initializer_list<std::uint8_t> b) { return Fx::Bytes(b); };

  QTest::newRow("FF FB 90 64") << Q({hdr({0xFF, 0xFB, 0x90, 0x64}), pad}) << 0 << "MPEG 1.0" << 3 << 1 << 44100 << 1;
  QTest::newRow("MPEG 1 layer II 48000 stereo") << Q({hdr({0xFF, 0xFD, 0x94, 0x00}), pad}) << 0 << "MPEG 1.0" << 2 << 1 << 48000 << 3;
  QTest::newRow("MPEG 1 layer I 32000 dual, CRC") << Q({hdr({0xFF, 0xFE, 0x98, 0x80}), pad}) << 0 << "MPEG 1.0" << 1 << 0 << 32000 << 2;
  QTest::newRow("FF F3: MPEG 2 24000 mono") << Q({hdr({0xFF, 0xF3, 0x94, 0xC0}), pad}) << 0 << "MPEG 2.0" << 3 << 1 << 24000 << 0;
  QTest::newRow("MPEG 2 22050") << Q({hdr({0xFF, 0xF3, 0x90, 0x40}), pad}) << 0 << "MPEG 2.0" << 3 << 1 << 22050 << 1;
  QTest::newRow("MPEG 2 16000") << Q({hdr({0xFF, 0xF3, 0x98, 0x40}), pad}) << 0 << "MPEG 2.0" << 3 << 1 << 16000 << 1;
  QTest::newRow("FF E3: MPEG 2.5 11025") << Q({hdr({0xFF, 0xE3, 0x80, 0x40}), pad}) << 0 << "MPEG 2.5" << 3 << 1 << 11025 << 1;
  QTest::newRow("MPEG 2.5 12000") << Q({hdr({0xFF, 0xE3, 0x84, 0x40}), pad}) << 0 << "MPEG 2.5" << 3 << 1 << 12000 << 1;
  QTest::newRow("MPEG 2.5 8000, CRC, dual") << Q({hdr({0xFF, 0xE2, 0x88, 0x80}), pad}) << 0 << "MPEG 2.5" << 3 << 0 << 8000 << 2;
  QTest::newRow("reserved rate index") << Q({hdr({0xFF, 0xFB, 0x9C, 0x40}), pad}) << 0 << "MPEG 1.0" << 3 << 1 << 0 << 1;
  QTest::newRow("reserved version: no text, no rate") << Q({hdr({0xFF, 0xEB, 0x90, 0x40}), pad}) << 0 << "" << 3 << 1 << 0 << 1;
  QTest::newRow("layer code 0") << Q({hdr({0xFF, 0xF9, 0x90, 0x40}), pad}) << 0 << "MPEG 1.0" << 0 << 1 << 44100 << 1;
  // Only byte 0 is tested as sync; the rest decodes as it stands.
  QTest::newRow("only byte 0 is sync") << Q({hdr({0xFF, 0x00, 0x00, 0x00}), pad}) << 0 << "MPEG 2.5" << 0 << 0 << 11025 << 3;
  QTest::newRow("no sync: FE") << Q({hdr({0xFE, 0xFB, 0x90, 0x64}), pad}) << 0 << "" << 0 << 0 << 0 << 255;
  QTest::newRow("ID3v2 at offset 0") << Q({V2Tag(), Audio()}) << 0 << "" << 0 << 0 << 0 << 255;
  QTest::newRow("offset past ID3v2") << Q({V2Tag(), Audio(), Block()}) << int(V2Tag().size()) << "MPEG 1.0" << 3 << 1 << 44100 << 1;
  QTest::newRow("offset inside the audio") << Q({pad, hdr({0xFF, 0xF3, 0x94, 0xC0}), pad}) << 200 << "MPEG 2.0" << 3 << 1 << 24000 << 0;
  // Two header bytes before the end: the missing ones read as zero.
  QTest::newRow("header cut by end of file") << Q({pad, hdr({0xFF, 0xFB})}) << 200 << "MPEG 1.0" << 3 << 1 << 44100 << 3;
  QTest::newRow("offset past end of file") << Q({hdr({0xFF, 0xFB, 0x90, 0x64}), pad}) << 5000 << "" << 0 << 0 << 0 << 255;
  QTest::newRow("negative offset") << Q({hdr({0xFF, 0xFB, 0x90, 0x64}), pad}) << -1 << "" << 0 << 0 << 0 << 255;
}

void TestQuickProbe::frameHeader() {
  QFETCH(QByteArray, file);
  QFETCH(int, frameOffset);
  QFETCH(QString, version);
  QFETCH(int, layer);
  QFETCH(int, protection);
  QFETCH(int, rate);
  QFETCH(int, mode);

  const Morv::TID3Svar svar = Probe(file, frameOffset);
  QCOMPARE(QString::fromStdString(svar.VersionText), version);
  QCOMPARE(int(svar.Layer), layer);
  QCOMPARE(int(svar.ProtectionBit), protection);
  QCOMPARE(int(svar.SampleRate), rate);
  QCOMPARE(int(svar.ChannelMode), mode);
  QCOMPARE(svar.BitRate, 0);
}

// --- files that cannot be read --------------------------------------------------------

void TestQuickProbe::unopenableFile_data() {
  QTest::addColumn<bool>("exists");
  QTest::newRow("missing") << false;
  QTest::newRow("no read permission") << true;
}

void TestQuickProbe::unopenableFile() {
  QFETCH(bool, exists);
  // A previous probe fills the last-block fields.
  Probe(Q({Fx::Header(Fx::Mp{}), Audio(), Block()}));
  QVERIFY(!probe_.ProbeTitle.empty());
  editor_ = RecordingEditor();

  std::string path = dir_.filePath(QStringLiteral("missing.mp3")).toStdString();
  if (exists) {
    if (::geteuid() == 0) QSKIP("root reads files whatever their permissions");
    path = Write(Q({V2Tag(), Audio(), Block()}));
    QVERIFY(::chmod(path.c_str(), 0) == 0);
  }

  Morv::TID3Svar svar;
  svar.TagKind = 3;
  svar.Layer = 2;
  svar.VersionText = "MPEG 1.0";
  svar.ProtectionBit = 1;
  svar.SampleRate = 44100;
  svar.ChannelMode = 1;
  svar.BitRate = 128;
  svar.TimeText = "3:07";
  svar.VbrFlag = true;
  probe_.HamtaId3Tag(path, 0, svar);

  QCOMPARE(int(svar.TagKind), 0);
  QCOMPARE(int(svar.Layer), 0);
  QVERIFY(svar.VersionText.empty());
  QCOMPARE(int(svar.ProtectionBit), 0);
  QCOMPARE(svar.SampleRate, 0);
  QCOMPARE(int(svar.ChannelMode), 255);
  QCOMPARE(svar.BitRate, 0);
  // Written by the details panel only.
  QCOMPARE(svar.TimeText, std::string("3:07"));
  QVERIFY(svar.VbrFlag);

  QVERIFY(probe_.ProbeTitle.empty());
  QVERIFY(probe_.ProbeArtist.empty());
  QVERIFY(probe_.ProbeAlbum.empty());
  QVERIFY(probe_.ProbeYear.empty());
  QVERIFY(probe_.ProbeComment.empty());
  QCOMPARE(editor_.calls, 0);
}

void TestQuickProbe::fifoDoesNotBlock() {
  const std::string path = dir_.filePath(QStringLiteral("pipe.mp3")).toStdString();
  QVERIFY(::mkfifo(path.c_str(), 0600) == 0);
  Morv::TID3Svar svar;
  probe_.HamtaId3Tag(path, 0, svar);
  QCOMPARE(int(svar.TagKind), 0);
  QCOMPARE(int(svar.ChannelMode), 255);
}

// --- the block's fields -----------------------------------------------------------------

void TestQuickProbe::blockFields() {
  Fx::V1 v;
  v.title = "Sj\xF6ng \x80";  // Windows-1252: ö, €
  v.artist = "Abba";
  v.album = "Waterloo";
  v.year = "1974";
  v.comment = "Bra";
  v.track = 7;
  v.genre = 17;
  const Morv::TID3Svar svar = Probe(Q({V2Tag(), Audio(), Fx::ID3v1(v)}));

  QCOMPARE(int(svar.TagKind), 3);
  // Raw block bytes, zero padding included.
  QCOMPARE(probe_.ProbeTitle, Raw("Sj\xF6ng \x80\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0", 30));
  QCOMPARE(probe_.ProbeArtist, std::string("Abba") + std::string(26, '\0'));
  QCOMPARE(probe_.ProbeAlbum, std::string("Waterloo") + std::string(22, '\0'));
  QCOMPARE(probe_.ProbeYear, std::string("1974"));
  QCOMPARE(probe_.ProbeComment, std::string("Bra") + std::string(26, '\0') + '\x07');
  QCOMPARE(int(probe_.ProbeTrack), 7);

  QCOMPARE(editor_.Get("Titel"), QStringLiteral("Sjöng €"));
  QCOMPARE(editor_.Get("Artist"), QStringLiteral("Abba"));
  QCOMPARE(editor_.Get("Album"), QStringLiteral("Waterloo"));
  QCOMPARE(editor_.Get("Ar"), QStringLiteral("1974"));
  QCOMPARE(editor_.Get("Kommentar"), QStringLiteral("Bra"));
  QCOMPARE(editor_.Get("Track"), QStringLiteral("7"));
  QCOMPARE(editor_.Get("Genre"), QStringLiteral("Rock"));
}

void TestQuickProbe::editorTexts_data() {
  QTest::addColumn<int>("pad");
  QTest::addColumn<QString>("title");
  QTest::addColumn<QString>("year");

  QTest::newRow("padded with spaces keeps them") << int(' ') << QStringLiteral("Waterloo") + QString(22, u' ')
                                                 << QStringLiteral("    ");
  QTest::newRow("padded with zeros") << 0 << QStringLiteral("Waterloo") << QString();
}

void TestQuickProbe::editorTexts() {
  QFETCH(int, pad);
  QFETCH(QString, title);
  QFETCH(QString, year);

  Fx::V1 v;
  v.title = "Waterloo";
  v.pad = static_cast<std::uint8_t>(pad);
  Probe(Q({Audio(), Fx::ID3v1(v)}));
  QCOMPARE(editor_.Get("Titel"), title);
  QCOMPARE(editor_.Get("Ar"), year);
  QCOMPARE(probe_.ProbeTitle.size(), std::size_t(30));
}

void TestQuickProbe::trackAndComment_data() {
  QTest::addColumn<QByteArray>("bytes97to126");
  QTest::addColumn<QString>("track");  // null: ITrack left as it is
  QTest::addColumn<QString>("kommentar");
  QTest::addColumn<QByteArray>("probeComment");
  QTest::addColumn<int>("probeTrack");

  const QByteArray v11 = QByteArray("Bra l\xE5t") + QByteArray(22, '\0') + '\x07';
  QTest::newRow("0 then 7: track, 28-byte comment")
      << v11 << QStringLiteral("7") << QStringLiteral("Bra låt") << v11 << 7;
  const QByteArray full = QByteArray("Bra l\xE5t") + QByteArray(22, '\0') + '\xFF';
  QTest::newRow("track 255") << full << QStringLiteral("255") << QStringLiteral("Bra låt") << full << 255;
  const QByteArray zeros = QByteArray("Hej") + QByteArray(27, '\0');
  QTest::newRow("0 then 0: no track") << zeros << QString() << QStringLiteral("Hej") << zeros << 0;
  QTest::newRow("spaces at the end: no track, trimmed")
      << QByteArray("Hej") + QByteArray(27, ' ') << QString() << QStringLiteral("Hej") << QByteArray("Hej") << 32;
  const QByteArray digit = QByteArray("Hej") + QByteArray(26, ' ') + '5';
  QTest::newRow("space then digit: no track")
      << digit << QString() << QStringLiteral("Hej") + QString(26, u' ') + u'5' << digit << int('5');
  const QByteArray letters = "abcdefghijklmnopqrstuvwxyzabxy";
  QTest::newRow("30 letters ending xy") << letters << QStringLiteral("121") << QString::fromLatin1(letters) << letters
                                        << int('y');
  // Zero bytes end the trimming, and spaces before them stay.
  const QByteArray spacesThenZeros = QByteArray("Hej  ") + QByteArray(25, '\0');
  QTest::newRow("spaces before zeros stay")
      << spacesThenZeros << QString() << QStringLiteral("Hej  ") << spacesThenZeros << 0;
}

void TestQuickProbe::trackAndComment() {
  QFETCH(QByteArray, bytes97to126);
  QFETCH(QString, track);
  QFETCH(QString, kommentar);
  QFETCH(QByteArray, probeComment);
  QFETCH(int, probeTrack);
  QCOMPARE(bytes97to126.size(), 30);

  Probe(Q({Audio(), BlockWithCommentBytes(bytes97to126)}));
  QCOMPARE(editor_.Get("Track"), track.isNull() ? std::nullopt : std::optional<QString>(track));
  QCOMPARE(editor_.Get("Kommentar"), kommentar);
  QCOMPARE(QByteArray::fromStdString(probe_.ProbeComment), probeComment);
  QCOMPARE(int(probe_.ProbeTrack), probeTrack);
}

void TestQuickProbe::genre_data() {
  QTest::addColumn<int>("genre");
  QTest::addColumn<QString>("selected");

  QTest::newRow("0") << 0 << QStringLiteral("Blues");
  QTest::newRow("17") << 17 << QStringLiteral("Rock");
  QTest::newRow("92, a name of its own") << 92 << QStringLiteral("Progressive Rock");
  QTest::newRow("125") << 125 << QStringLiteral("Dance Hall");
  QTest::newRow("126") << 126 << QStringLiteral("<none>");
  QTest::newRow("255") << 255 << QStringLiteral("<none>");
}

void TestQuickProbe::genre() {
  QFETCH(int, genre);
  QFETCH(QString, selected);
  Fx::V1 v;
  v.genre = static_cast<std::uint8_t>(genre);
  Probe(Q({Audio(), Fx::ID3v1(v)}));
  QCOMPARE(editor_.Get("Genre"), selected);
}

// --- when the editor stays untouched ----------------------------------------------------

void TestQuickProbe::quietLeavesEditorAlone() {
  probe_.ProbeQuiet = true;
  Fx::V1 v;
  v.title = "Waterloo";
  v.comment = "Bra";
  v.track = 7;
  v.genre = 17;
  const Morv::TID3Svar svar = Probe(Q({V2Tag(), Audio(), Fx::ID3v1(v)}));

  QCOMPARE(int(svar.TagKind), 3);
  QCOMPARE(probe_.ProbeTitle, std::string("Waterloo") + std::string(22, '\0'));
  QCOMPARE(int(probe_.ProbeTrack), 7);
  QCOMPARE(editor_.calls, 0);
}

void TestQuickProbe::fileWithoutBlockLeavesEditorAlone() {
  Probe(Q({Audio(), Block()}));
  QVERIFY(editor_.calls > 0);
  editor_ = RecordingEditor();

  const Morv::TID3Svar svar = Probe(Q({V2Tag(), Audio()}));
  QCOMPARE(int(svar.TagKind), 2);
  QVERIFY(probe_.ProbeTitle.empty());
  QVERIFY(probe_.ProbeComment.empty());
  QCOMPARE(editor_.calls, 0);
}

// --- RTrim ---------------------------------------------------------------------------------

void TestQuickProbe::rTrim_data() {
  QTest::addColumn<QByteArray>("in");
  QTest::addColumn<QByteArray>("out");

  QTest::newRow("empty") << QByteArray() << QByteArray();
  QTest::newRow("only spaces") << QByteArray("   ") << QByteArray();
  QTest::newRow("trailing spaces") << QByteArray("a b  ") << QByteArray("a b");
  QTest::newRow("leading spaces stay") << QByteArray("  ab") << QByteArray("  ab");
  QTest::newRow("zero byte ends trimming") << QByteArray("ab \0", 4) << QByteArray("ab \0", 4);
  QTest::newRow("tab ends trimming") << QByteArray("ab\t ") << QByteArray("ab\t");
}

void TestQuickProbe::rTrim() {
  QFETCH(QByteArray, in);
  QFETCH(QByteArray, out);
  QCOMPARE(QByteArray::fromStdString(RTrim(std::string_view(in.constData(), std::size_t(in.size())))), out);
}

QTEST_GUILESS_MAIN(TestQuickProbe)
#include "tst_quickprobe.moc"
