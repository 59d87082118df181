#include <QTemporaryDir>
#include <QtTest>

#include "FileSource.h"
#include "Fixtures.h"
#include "MPEGaudio.h"

using Fx::Bytes;
using Fx::Mp;

namespace {

constexpr Mp kCbr128{};  // MPEG-1 Layer III, 128 kbit/s, 44100 Hz, joint stereo

struct Analysis {
  bool ok;
  TMPEGaudio mpeg;
};

// Runs the analysis over bytes in memory.
bool Analyse(TMPEGaudio& mpeg, const Bytes& bytes) {
  FileSource src{std::span<const std::uint8_t>(bytes)};
  return mpeg.ReadFrom(src);
}

std::array<std::uint8_t, MPEG::kWindowSize> WindowOf(const Bytes& bytes) {
  std::array<std::uint8_t, MPEG::kWindowSize> w{};
  std::copy_n(bytes.begin(), std::min(bytes.size(), w.size()), w.begin());
  return w;
}

Bytes Junk(std::size_t n) {
  Bytes b(n);
  for (std::size_t i = 0; i < n; ++i) b[i] = static_cast<std::uint8_t>(0x11 + i % 7);
  return b;
}

}  // namespace

class TestMPEGaudio : public QObject {
  Q_OBJECT
 private slots:
  void frameLength_data();
  void frameLength();
  void headerTest_data();
  void headerTest();
  void locateSkipsFalseSync();
  void vbrHeaders_data();
  void vbrHeaders();
  void vbrMarkerOffPlaceIsCbr();
  void cbrDurationWithBothTags();
  void mpeg2LayerTwoStreamIsRecognised();
  void encoderTag_data();
  void encoderTag();
  void searchFromTheMiddle();
  void shortFileKeepsFrameButFails();
  void noFrameClearsTags();
  void validity_data();
  void validity();
  void readsThroughARealFile();
  void survivesEveryPrefixAndCorruption();
};

void TestMPEGaudio::frameLength_data() {
  QTest::addColumn<int>("version");
  QTest::addColumn<int>("layer");
  QTest::addColumn<int>("bitrateIndex");
  QTest::addColumn<int>("rateIndex");
  QTest::addColumn<bool>("padding");
  QTest::addColumn<int>("length");
  QTest::addColumn<int>("factor");
  // MPEG-1 Layer III 128 kbit/s 44100 Hz: truncate(144 * 128000 / 44100).
  QTest::newRow("mpeg1 L3 128k") << 3 << 1 << 9 << 0 << false << 417 << 144;
  QTest::newRow("mpeg1 L3 128k padded") << 3 << 1 << 9 << 0 << true << 418 << 144;
  QTest::newRow("mpeg1 L1 448k 32k padded") << 3 << 3 << 14 << 2 << true << 672 + 4 << 48;
  QTest::newRow("mpeg1 L2 384k 32k padded: longest") << 3 << 2 << 14 << 2 << true << 1729 << 144;
  // Layers I and II keep 384 and 1152 samples in MPEG-2 and 2.5.
  QTest::newRow("mpeg2 L2 64k 22050") << 2 << 2 << 8 << 0 << false << 417 << 144;
  QTest::newRow("mpeg2 L1 256k 16000 padded") << 2 << 3 << 14 << 2 << true << 768 + 4 << 48;
  QTest::newRow("mpeg2 L3 64k 22050") << 2 << 1 << 8 << 0 << false << 208 << 72;
  QTest::newRow("mpeg2.5 L3 32k 8000") << 0 << 1 << 4 << 2 << false << 288 << 72;
}

void TestMPEGaudio::frameLength() {
  QFETCH(int, version);
  QFETCH(int, layer);
  QFETCH(int, bitrateIndex);
  QFETCH(int, rateIndex);
  QFETCH(bool, padding);
  QFETCH(int, length);
  QFETCH(int, factor);
  Mp m;
  m.version = static_cast<std::uint8_t>(version);
  m.layer = static_cast<std::uint8_t>(layer);
  m.bitrateIndex = static_cast<std::uint8_t>(bitrateIndex);
  m.rateIndex = static_cast<std::uint8_t>(rateIndex);
  m.padding = padding;
  const Bytes h = Fx::Header(m);
  const FrameInfo f = MPEG::ParseHeader(std::span<const std::uint8_t, 4>(h.data(), 4));
  QCOMPARE(int(MPEG::FrameLength(f)), length);
  QCOMPARE(int(MPEG::SizeFactor(f)), factor);

  // The analysis finds a stream of such frames and gives its table rate.
  TMPEGaudio mpeg;
  QVERIFY(Analyse(mpeg, Fx::Frames(m, 40)));
  QVERIFY(mpeg.Frame().Found);
  QCOMPARE(int(mpeg.Frame().Size), length);
  QCOMPARE(mpeg.BitRate(), MPEG::TableBitRate(m.version, m.layer, m.bitrateIndex));
  QVERIFY(mpeg.IsValid());
}

void TestMPEGaudio::headerTest_data() {
  QTest::addColumn<QByteArray>("header");
  QTest::addColumn<bool>("valid");
  QTest::newRow("mpeg1 L3") << QByteArray("\xFF\xFB\x90\x64", 4) << true;
  QTest::newRow("mpeg2 L3") << QByteArray("\xFF\xF3\x90\x64", 4) << true;
  QTest::newRow("mpeg2.5 L3") << QByteArray("\xFF\xE3\x40\x64", 4) << true;
  QTest::newRow("byte 0 not FF") << QByteArray("\xFE\xFB\x90\x64", 4) << false;
  QTest::newRow("sync bits of byte 1") << QByteArray("\xFF\xDB\x90\x64", 4) << false;
  QTest::newRow("reserved version") << QByteArray("\xFF\xEB\x90\x64", 4) << false;
  QTest::newRow("reserved layer") << QByteArray("\xFF\xF9\x90\x64", 4) << false;
  QTest::newRow("free format") << QByteArray("\xFF\xFB\x00\x64", 4) << false;
  QTest::newRow("bit-rate index 15") << QByteArray("\xFF\xFB\xF0\x64", 4) << false;
  QTest::newRow("sample-rate index 3") << QByteArray("\xFF\xFB\x9C\x64", 4) << false;
  QTest::newRow("reserved emphasis") << QByteArray("\xFF\xFB\x90\x66", 4) << false;
}

void TestMPEGaudio::headerTest() {
  QFETCH(QByteArray, header);
  QFETCH(bool, valid);
  const auto* p = reinterpret_cast<const std::uint8_t*>(header.constData());
  QCOMPARE(MPEG::IsValidHeader(std::span<const std::uint8_t, 4>(p, 4)), valid);
}

void TestMPEGaudio::locateSkipsFalseSync() {
  // A lone header-like run in junk is not followed by a header one frame later.
  Bytes b = Junk(100);
  Fx::Put(b, 10, Fx::Header(kCbr128));
  b = Fx::Cat({b, Fx::Frames(kCbr128, 10)});
  FrameInfo frame{};
  VBRInfo vbr{};
  vbr.Found = true;
  MPEG::LocateFirstFrame(WindowOf(b), frame, vbr);
  QVERIFY(frame.Found);
  QCOMPARE(frame.Position, 100u);
  QCOMPARE(int(frame.Size), 417);
  QVERIFY(frame.StartsEmpty);
  QVERIFY(!vbr.Found);  // looked for, cleared, none there

  // Nothing acceptable: the frame record is cleared, the VBR record untouched.
  vbr.Found = true;
  MPEG::LocateFirstFrame(WindowOf(Junk(3458)), frame, vbr);
  QVERIFY(!frame.Found);
  QCOMPARE(int(frame.VersionCode), 1);
  QCOMPARE(int(frame.ModeCode), 4);
  QVERIFY(vbr.Found);
}

void TestMPEGaudio::vbrHeaders_data() {
  QTest::addColumn<bool>("vbri");
  QTest::addColumn<int>("mode");
  QTest::addColumn<int>("version");
  QTest::addColumn<int>("offset");
  QTest::newRow("xing mpeg1 stereo") << false << 1 << 3 << 36;
  QTest::newRow("xing mpeg1 mono") << false << 3 << 3 << 21;
  QTest::newRow("xing mpeg2 stereo") << false << 0 << 2 << 21;
  QTest::newRow("xing mpeg2 mono") << false << 3 << 2 << 13;
  QTest::newRow("vbri mpeg1 stereo") << true << 1 << 3 << 36;
}

void TestMPEGaudio::vbrHeaders() {
  QFETCH(bool, vbri);
  QFETCH(int, mode);
  QFETCH(int, version);
  QFETCH(int, offset);
  Mp m = kCbr128;
  m.mode = static_cast<std::uint8_t>(mode);
  m.version = static_cast<std::uint8_t>(version);
  if (version != 3) m.bitrateIndex = 8;  // 64 kbit/s
  QCOMPARE(int(Fx::SideInfoOffset(m)), offset);
  const std::uint32_t frames = 1000;
  const std::uint32_t bytes = 1000 * 418;
  const Bytes first = vbri ? Fx::VbriFrame(m, frames, bytes, 77) : Fx::XingFrame(m, frames, bytes, 77, "LAME3.99");
  TMPEGaudio mpeg;
  QVERIFY(Analyse(mpeg, Fx::Cat({first, Fx::Frames(m, 20)})));
  QVERIFY(mpeg.VBR().Found);
  QCOMPARE(QString::fromStdString(mpeg.VBR().Marker), vbri ? QString("VBRI") : QString("Xing"));
  QCOMPARE(mpeg.VBR().FrameCount, frames);
  QCOMPARE(mpeg.VBR().ByteCount, bytes);
  QCOMPARE(int(mpeg.VBR().Quality), 77);
  QCOMPARE(QString::fromStdString(mpeg.VBR().EncoderText), vbri ? QString() : QString("LAME3.99"));
  const double hz = Fx::HzOf(m);
  const double samples = version == 3 ? 1152 : 576;
  QVERIFY(qFuzzyCompare(mpeg.Duration(), samples * frames / hz));
  // Average: (bytes / frames - padding) * rate / factor / 1000, rounded.
  QCOMPARE(int(mpeg.BitRate()), int(std::nearbyint(418.0 * hz / (samples / 8) / 1000)));
  QVERIFY(mpeg.EncoderTag().empty());  // with a VBR header the tail is not searched
}

void TestMPEGaudio::vbrMarkerOffPlaceIsCbr() {
  Bytes first = Fx::Frames(kCbr128, 1);
  Fx::Put(first, 40, Fx::Text("Xing"));  // 36 is the place for MPEG-1 stereo
  TMPEGaudio mpeg;
  QVERIFY(Analyse(mpeg, Fx::Cat({first, Fx::Frames(kCbr128, 20)})));
  QVERIFY(mpeg.Frame().Found);
  QVERIFY(!mpeg.VBR().Found);
  QCOMPARE(int(mpeg.BitRate()), 128);
}

void TestMPEGaudio::cbrDurationWithBothTags() {
  // 4096-byte ID3v2 tag, junk of 5 bytes, frames, ID3v1 block.
  const Bytes tag = Fx::ID3v2(3, {{"TIT2", Fx::TextContent("Song")}}, 4096 - 10 - 15);
  QCOMPARE(tag.size(), std::size_t{4096});
  const Bytes file = Fx::Cat({tag, Junk(5), Fx::Frames(kCbr128, 30), Fx::ID3v1({.title = "T"})});
  TMPEGaudio mpeg;
  QVERIFY(Analyse(mpeg, file));
  QCOMPARE(mpeg.ID3v2().TagSize(), 4096);
  QVERIFY(mpeg.ID3v1().TagFound());
  QCOMPARE(mpeg.Frame().Position, 5u);
  const double expected = double(file.size() - 4096 - 128 - 5) * 8 / (128 * 1000);
  QCOMPARE(mpeg.Duration(), expected);
  QCOMPARE(mpeg.FileSize(), std::int64_t(file.size()));
  QVERIFY(mpeg.IsValid());
}

void TestMPEGaudio::mpeg2LayerTwoStreamIsRecognised() {
  // 64 kbit/s, 22050 Hz Layer II: 417-byte frames; at byte 208 there is audio.
  Mp m;
  m.version = 2;
  m.layer = 2;
  m.bitrateIndex = 8;
  m.rateIndex = 0;
  Bytes frames = Fx::Frames(m, 30);
  for (std::size_t i = 0; i < frames.size(); i += 417) frames[i + 208] = 0x55;
  TMPEGaudio mpeg;
  QVERIFY(Analyse(mpeg, frames));
  QVERIFY(mpeg.Frame().Found);
  QCOMPARE(mpeg.Frame().Position, 0u);
  QCOMPARE(int(mpeg.Frame().Size), 417);
  QCOMPARE(int(mpeg.BitRate()), 64);
  QVERIFY(mpeg.IsValid());
}

void TestMPEGaudio::encoderTag_data() {
  QTest::addColumn<int>("fromEnd");  // offset of "LAME" counted back from window offset 3450
  QTest::addColumn<QString>("marker");
  QTest::addColumn<QString>("expected");
  // The span is 5 frame sizes: 5 * 417 = 2085.
  QTest::newRow("at the end") << 0 << "LAME3.98" << "LAME3.98";
  QTest::newRow("at the span's edge") << 2085 << "LAME3.97" << "LAME3.97";
  QTest::newRow("beyond the span") << 2086 << "LAME3.97" << "";
  QTest::newRow("gogo") << 100 << "GOGOxxxx" << "GOGO";
}

void TestMPEGaudio::encoderTag() {
  QFETCH(int, fromEnd);
  QFETCH(QString, marker);
  QFETCH(QString, expected);
  Bytes audio = Fx::Frames(kCbr128, 40);
  // Window = the last 3458 bytes before the ID3v1 block.
  Fx::Put(audio, audio.size() - 3458 + 3450 - std::size_t(fromEnd), Fx::Text(marker.toStdString()));
  TMPEGaudio mpeg;
  QVERIFY(Analyse(mpeg, Fx::Cat({audio, Fx::ID3v1({})})));
  QCOMPARE(QString::fromStdString(mpeg.EncoderTag()), expected);

  // The nearest occurrence to the end wins.
  std::array<std::uint8_t, MPEG::kWindowSize> w{};
  std::memcpy(w.data() + 1000, "LAMEold!", 8);
  std::memcpy(w.data() + 3000, "LAMEnew!", 8);
  QCOMPARE(MPEG::FindEncoderTag(w, 100000), std::string("LAMEnew!"));
  // Letters that only start a marker are passed over; "GOGO" nearer the end wins.
  std::memcpy(w.data() + 3100, "LAMB", 4);
  std::memcpy(w.data() + 3200, "GOGO", 4);
  std::memcpy(w.data() + 3300, "GOGI", 4);
  QCOMPARE(MPEG::FindEncoderTag(w, 100000), std::string("GOGO"));
  QCOMPARE(MPEG::FindEncoderTag(w, 3450 - 3201), std::string());
}

void TestMPEGaudio::searchFromTheMiddle() {
  // The first window holds no stream; the read from the middle finds it.
  const Bytes file = Fx::Cat({Junk(20000), Fx::Frames(kCbr128, 60)});
  TMPEGaudio mpeg;
  QVERIFY(Analyse(mpeg, file));
  QVERIFY(mpeg.Frame().Found);
  const std::size_t middle = file.size() / 2;
  QCOMPARE(std::size_t(mpeg.Frame().Position), (20000 - middle) % 417 == 0 ? 0 : 417 - (middle - 20000) % 417);

  // A short file with no stream in its only window is not searched again.
  QVERIFY(Analyse(mpeg, Junk(3000)));
  QVERIFY(!mpeg.Frame().Found);
}

void TestMPEGaudio::shortFileKeepsFrameButFails() {
  // A frame but no VBR header, file shorter than one window: the tail read fails.
  const Bytes file = Fx::Frames(kCbr128, 6);
  TMPEGaudio mpeg;
  QVERIFY(!Analyse(mpeg, file));
  QVERIFY(mpeg.Frame().Found);
  QCOMPARE(mpeg.BitRate(), std::uint16_t{128});
}

void TestMPEGaudio::noFrameClearsTags() {
  const Bytes file = Fx::Cat({Fx::ID3v2(3, {{"TIT2", Fx::TextContent("Title")}}), Junk(9000),
                              Fx::ID3v1({.title = "Kept?"})});
  TMPEGaudio mpeg;
  QVERIFY(Analyse(mpeg, file));
  QVERIFY(!mpeg.Frame().Found);
  QVERIFY(!mpeg.ID3v1().TagFound());
  QVERIFY(!mpeg.ID3v2().TagFound());
  QVERIFY(!mpeg.IsValid());
  QCOMPARE(mpeg.Duration(), 0.0);

  // Too short for either tag reader: false with everything at its defaults.
  QVERIFY(!Analyse(mpeg, Bytes{0xFF, 0xFB}));
  QVERIFY(!Analyse(mpeg, Bytes(100, 0)));
  QCOMPARE(mpeg.FileSize(), std::int64_t{0});
}

void TestMPEGaudio::validity_data() {
  QTest::addColumn<std::uint32_t>("frames");
  QTest::addColumn<std::uint32_t>("bytes");
  QTest::addColumn<bool>("valid");
  // MPEG-1 Layer III at 44100 Hz: kbit/s = bytes/frame * 44100 / 144 / 1000.
  QTest::newRow("ordinary") << 1000u << 418000u << true;
  QTest::newRow("448 kbit/s") << 1000u << 1462857u << true;     // 447.99 -> 448
  QTest::newRow("449 kbit/s") << 1000u << 1466122u << false;    // 449.0
  QTest::newRow("below 8") << 1000u << 20000u << false;         // 6.1
  QTest::newRow("under 0.1 s") << 3u << 1254u << false;         // 0.078 s
  QTest::newRow("huge byte count") << 1u << 0xFFFFFFFFu << false;
}

void TestMPEGaudio::validity() {
  QFETCH(std::uint32_t, frames);
  QFETCH(std::uint32_t, bytes);
  QFETCH(bool, valid);
  TMPEGaudio mpeg;
  QVERIFY(Analyse(mpeg, Fx::Cat({Fx::XingFrame(kCbr128, frames, bytes), Fx::Frames(kCbr128, 10)})));
  QCOMPARE(mpeg.IsValid(), valid);
}

void TestMPEGaudio::readsThroughARealFile() {
  QTemporaryDir dir;
  const std::string path = dir.filePath("a.mp3").toStdString();
  const Bytes tag = Fx::ID3v2(4, {{"TIT2", Fx::TextContent("Long tag")}}, 20000);
  const Bytes file = Fx::Cat({tag, Fx::Frames(kCbr128, 100), Fx::ID3v1({.title = "Tail"})});
  Fx::WriteFile(path, file);
  TMPEGaudio fromDisk, fromMemory;
  QVERIFY(fromDisk.ReadFromFile(path));
  QVERIFY(Analyse(fromMemory, file));
  QCOMPARE(fromDisk.Duration(), fromMemory.Duration());
  QCOMPARE(fromDisk.Frame().Position, 0u);
  QCOMPARE(fromDisk.ID3v2().TagSize(), int(tag.size()));
  QCOMPARE(fromDisk.ID3v1().Title(), std::string("Tail"));
  QVERIFY(!fromDisk.ReadFromFile(dir.filePath("missing.mp3").toStdString()));
}

void TestMPEGaudio::survivesEveryPrefixAndCorruption() {
  const Bytes file = Fx::Cat({Fx::ID3v2(3, {{"TIT2", Fx::TextContent("x")}}, 50),
                              Fx::XingFrame(kCbr128, 10, 4180, 1, "LAME3.99"), Fx::Frames(kCbr128, 12),
                              Fx::ID3v1({.title = "t"})});
  TMPEGaudio mpeg;
  for (std::size_t n = 0; n <= file.size(); ++n) Analyse(mpeg, Bytes(file.begin(), file.begin() + std::ptrdiff_t(n)));
  // Size bytes of the ID3v2 header and the Xing counts at their extremes.
  for (std::uint8_t v : {std::uint8_t{0x00}, std::uint8_t{0x7F}, std::uint8_t{0x80}, std::uint8_t{0xFF}}) {
    for (std::size_t at : {6u, 7u, 8u, 9u}) {
      Bytes bad = file;
      bad[at] = v;
      Analyse(mpeg, bad);
    }
    Bytes bad = file;
    for (std::size_t i = 0; i < 8; ++i) bad[70 + 36 + 8 + i] = v;
    Analyse(mpeg, bad);
    (void)mpeg.BitRate();
    (void)mpeg.Duration();
  }
  QVERIFY(true);
}

QTEST_APPLESS_MAIN(TestMPEGaudio)
#include "tst_mpegaudio.moc"
