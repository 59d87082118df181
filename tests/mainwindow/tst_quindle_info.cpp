// quindle-info end to end: the JSON it prints for files built from bytes, and
// for files made by real encoders (lame, twolame) when they are installed.
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>
#include <cmath>

#include "Fixtures.h"

namespace {

struct Run {
  int exitCode = -1;
  QList<QJsonObject> lines;
};

Run Info(const QStringList& args) {
  QProcess p;
  p.start(QUINDLE_INFO_PATH, args);
  p.waitForFinished(30000);
  Run r;
  r.exitCode = p.exitCode();
  for (const QByteArray& line : p.readAllStandardOutput().split('\n'))
    if (!line.isEmpty()) r.lines << QJsonDocument::fromJson(line).object();
  return r;
}

// 16-bit PCM sine in a WAV container.
void WriteWav(const QString& path, int rate, int channels, double seconds) {
  const int frames = int(rate * seconds);
  QByteArray data;
  for (int i = 0; i < frames; ++i) {
    const auto s = qint16(8000 * std::sin(2 * M_PI * 440 * i / rate));
    for (int c = 0; c < channels; ++c) data.append(reinterpret_cast<const char*>(&s), 2);
  }
  auto le32 = [](quint32 v) { return QByteArray(reinterpret_cast<const char*>(&v), 4); };
  auto le16 = [](quint16 v) { return QByteArray(reinterpret_cast<const char*>(&v), 2); };
  QByteArray wav = "RIFF" + le32(quint32(36 + data.size())) + "WAVEfmt " + le32(16) + le16(1) +
                   le16(quint16(channels)) + le32(quint32(rate)) + le32(quint32(rate * channels * 2)) +
                   le16(quint16(channels * 2)) + le16(16) + "data" + le32(quint32(data.size())) + data;
  QFile f(path);
  QVERIFY(f.open(QIODevice::WriteOnly));
  f.write(wav);
}

}  // namespace

class TestQuindleInfo : public QObject {
  Q_OBJECT
 private slots:
  void describesFixture();
  void missingFileAndWma();
  void realEncoders_data();
  void realEncoders();
};

void TestQuindleInfo::describesFixture() {
  QTemporaryDir dir;
  const QString path = dir.filePath("Abba - Waterloo.mp3");
  Fx::Mp m;  // MPEG-1 Layer III 128 kbit/s 44100 Hz
  // A title with a zero byte inside, a Windows-1252 "å" (0xE5) and a track.
  Fx::WriteFile(path.toStdString(),
                Fx::Cat({Fx::ID3v2(3, {{"TIT2", Fx::TextContent("V2 title")}}), Fx::Frames(m, 50),
                         Fx::ID3v1({.title = std::string("ab\0c\xE5", 5), .artist = "Abba", .track = 7,
                                    .genre = 17})}));
  const Run r = Info({path});
  QCOMPARE(r.exitCode, 0);
  QCOMPARE(r.lines.size(), 1);
  const QJsonObject o = r.lines[0];
  // --pretty prints the same object over several lines.
  QProcess p;
  p.start(QUINDLE_INFO_PATH, {"--pretty", path});
  p.waitForFinished();
  const QByteArray pretty = p.readAllStandardOutput();
  QVERIFY(pretty.count('\n') > 10);
  QCOMPARE(QJsonDocument::fromJson(pretty).object(), o);
  QCOMPARE(o["file"].toString(), path);
  const QJsonObject v1 = o["id3v1"].toObject();
  QCOMPARE(v1["Title"].toString(), QString::fromUtf8("ab\0cå", 6));
  QCOMPARE(v1["TagVersion"].toInt(), 2);
  QCOMPARE(v1["Track"].toInt(), 7);
  QCOMPARE(v1["GenreName"].toString(), QString("Rock"));
  QCOMPARE(o["id3v2"].toObject()["Title"].toString(), QString("V2 title"));
  const QJsonObject mpeg = o["mpeg"].toObject();
  QVERIFY(mpeg["ok"].toBool());
  QVERIFY(mpeg["IsValid"].toBool());
  QCOMPARE(mpeg["BitRate"].toInt(), 128);
  QCOMPARE(mpeg["Frame"].toObject()["HeaderBytes"].toString(), QString("fffb9040"));
  QVERIFY(!o.contains("wma"));
  const QJsonObject probe = o["probe"].toObject();
  QCOMPARE(probe["TagKind"].toInt(), 3);
  QCOMPARE(probe["VersionText"].toString(), QString("MPEG 1.0"));  // read just after the ID3v2 tag
  QCOMPARE(probe["SampleRate"].toInt(), 44100);
  QCOMPARE(probe["last_block"].toObject()["ProbeTitle"].toString(), QString("ab"));
  QCOMPARE(probe["last_block"].toObject()["ProbeTrack"].toInt(), 7);
}

void TestQuindleInfo::missingFileAndWma() {
  QTemporaryDir dir;
  const QString wma = dir.filePath("x.WMA");
  Fx::WriteFile(wma.toStdString(),
                Fx::AsfHeader({Fx::FileProperties(128000), Fx::StreamProperties(2, 44100, 16000),
                               Fx::ContentDescription(u"Titel", u"Artist", u"", u"", u"")}));
  const Run r = Info({wma, dir.filePath("missing.mp3")});
  QCOMPARE(r.exitCode, 1);
  QCOMPARE(r.lines.size(), 2);
  const QJsonObject w = r.lines[0]["wma"].toObject();
  QVERIFY(w["HeaderValid"].toBool());
  QCOMPARE(w["ChannelModeName"].toString(), QString("Stereo"));
  QCOMPARE(w["BitRate"].toInt(), 128);
  QCOMPARE(w["Title"].toString(), QString("Titel"));
  const QJsonObject missing = r.lines[1];
  QVERIFY(missing["size"].isNull());
  QVERIFY(!missing["mpeg"].toObject()["ok"].toBool());
  QVERIFY(!missing["id3v1"].toObject()["ok"].toBool());
  QCOMPARE(missing["probe"].toObject()["TagKind"].toInt(), 0);
}

void TestQuindleInfo::realEncoders_data() {
  QTest::addColumn<QString>("encoder");
  QTest::addColumn<QStringList>("args");
  QTest::addColumn<int>("rate");      // of the input
  QTest::addColumn<int>("channels");  // of the input
  QTest::addColumn<int>("version");
  QTest::addColumn<int>("layer");
  QTest::addColumn<int>("kbps");
  QTest::addColumn<int>("hz");
  QTest::addColumn<int>("mode");
  QTest::addColumn<bool>("xing");
  QTest::newRow("lame cbr 128") << "lame" << QStringList{"-b", "128"} << 44100 << 2 << 3 << 1 << 128 << 44100 << 1 << false;
  QTest::newRow("lame vbr") << "lame" << QStringList{"-V", "2"} << 44100 << 2 << 3 << 1 << 0 << 44100 << 1 << true;
  QTest::newRow("lame mpeg-2 mono") << "lame" << QStringList{"-b", "48", "-m", "m"} << 22050 << 1 << 2 << 1 << 48 << 22050 << 3 << false;
  QTest::newRow("lame mpeg-2.5") << "lame" << QStringList{"-b", "32"} << 8000 << 1 << 0 << 1 << 32 << 8000 << 3 << false;
  QTest::newRow("twolame mpeg-2 layer II") << "twolame" << QStringList{"-b", "64"} << 22050 << 1 << 2 << 2 << 64 << 22050 << 3 << false;
  QTest::newRow("twolame mpeg-1 layer II") << "twolame" << QStringList{"-b", "192"} << 48000 << 2 << 3 << 2 << 192 << 48000 << 0 << false;
}

void TestQuindleInfo::realEncoders() {
  QFETCH(QString, encoder);
  QFETCH(QStringList, args);
  QFETCH(int, rate);
  QFETCH(int, channels);
  QFETCH(int, version);
  QFETCH(int, layer);
  QFETCH(int, kbps);
  QFETCH(int, hz);
  QFETCH(int, mode);
  QFETCH(bool, xing);
  const QString exe = QStandardPaths::findExecutable(encoder);
  if (exe.isEmpty()) QSKIP("encoder not installed");
  QTemporaryDir dir;
  const QString wav = dir.filePath("in.wav"), out = dir.filePath("out.mp3");
  const double seconds = 6;
  WriteWav(wav, rate, channels, seconds);
  QProcess enc;
  enc.start(exe, QStringList{"--quiet"} + args + QStringList{wav, out});
  QVERIFY(enc.waitForFinished(60000));
  QCOMPARE(enc.exitCode(), 0);

  const Run r = Info({out});
  QCOMPARE(r.exitCode, 0);
  const QJsonObject mpeg = r.lines.value(0)["mpeg"].toObject();
  const QJsonObject frame = mpeg["Frame"].toObject();
  QVERIFY(mpeg["ok"].toBool());
  QVERIFY(mpeg["IsValid"].toBool());
  QCOMPARE(frame["VersionCode"].toInt(), version);
  QCOMPARE(frame["LayerCode"].toInt(), layer);
  QCOMPARE(frame["ModeCode"].toInt(), mode);
  const QJsonObject vbr = mpeg["VBR"].toObject();
  QCOMPARE(vbr["Found"].toBool(), xing);
  const double samplesPerFrame = layer == 3 ? 384 : (layer == 2 || version == 3) ? 1152 : 576;
  if (xing) {
    // Xing frame count gives the duration; the average rate lies in the VBR range.
    QCOMPARE(mpeg["Duration"].toDouble(), samplesPerFrame * vbr["FrameCount"].toInt() / hz);
    QVERIFY(mpeg["BitRate"].toInt() >= 32 && mpeg["BitRate"].toInt() <= 320);
  } else {
    QCOMPARE(mpeg["BitRate"].toInt(), kbps);
  }
  // Encoders add at most a few frames of delay and padding.
  const double slack = 4 * samplesPerFrame / hz + 0.1;
  QVERIFY2(std::abs(mpeg["Duration"].toDouble() - seconds) < slack,
           qPrintable(QString::number(mpeg["Duration"].toDouble())));
  const QJsonObject probe = r.lines.value(0)["probe"].toObject();
  QCOMPARE(probe["SampleRate"].toInt(), hz);
  QCOMPARE(probe["Layer"].toInt(), 4 - layer);
}

QTEST_GUILESS_MAIN(TestQuindleInfo)
#include "tst_quindle_info.moc"
