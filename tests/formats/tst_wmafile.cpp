#include <QtTest>

#include <climits>
#include <filesystem>
#include <span>

#include "FileSource.h"
#include "Fixtures.h"
#include "WMAfile.h"

using Fx::Bytes;
Q_DECLARE_METATYPE(Fx::Bytes)

namespace {

constexpr const char* kUnknownGuid = "00112233-4455-6677-8899-AABBCCDDEEFF";

// Stereo, 44100 Hz, 128 kbit/s: passes the plausibility test.
std::vector<Bytes> GoodProperties() {
  return {Fx::FileProperties(128000), Fx::StreamProperties(2, 44100, 16000)};
}

Bytes WithProperties(std::vector<Bytes> more) {
  auto objects = GoodProperties();
  objects.insert(objects.end(), more.begin(), more.end());
  return Fx::AsfHeader(objects);
}

bool ReadBytes(TWMAfile& w, const Bytes& b) {
  FileSource src{std::span<const std::uint8_t>(b)};
  return w.ReadFrom(src);
}

QString Q(const std::u16string& s) { return QString::fromStdU16String(s); }

// A descriptor holding UTF-16 text.
Fx::Descriptor TextDesc(const std::u16string& name, const std::u16string& value) {
  return {name, 0, Fx::Utf16LE(value)};
}

void VerifyDefaults(const TWMAfile& w) {
  QVERIFY(!w.HeaderValid());
  QCOMPARE(w.FileSize(), 0);
  QCOMPARE(w.ChannelCount(), 0);
  QCOMPARE(w.SampleRate(), 0);
  QCOMPARE(w.Duration(), 0.0);
  QCOMPARE(w.BitRate(), 0);
  QVERIFY(w.Title().empty() && w.Artist().empty() && w.Album().empty() && w.Year().empty() &&
          w.Genre().empty() && w.Comment().empty());
  QCOMPARE(w.Track(), 0);
  QCOMPARE(w.ChannelModeName(), std::string("Unknown"));
}

}  // namespace

class tst_WMAfile : public QObject {
  Q_OBJECT

 private slots:
  void streamValues_data();
  void streamValues();
  void texts_data();
  void texts();
  void track_data();
  void track();
  void readResult_data();
  void readResult();
  void fileOver2GiB();
  void unopenable();
  void everyPrefix();
  void corruptedSizes();
};

void tst_WMAfile::streamValues_data() {
  QTest::addColumn<quint32>("maxBitRate");
  QTest::addColumn<int>("channels");
  QTest::addColumn<quint32>("sampleRate");
  QTest::addColumn<quint32>("byteRate");
  QTest::addColumn<int>("fileSize");
  QTest::addColumn<bool>("valid");
  QTest::addColumn<double>("duration");
  QTest::addColumn<int>("bitRate");
  QTest::addColumn<QString>("mode");

  // clang-format off
  QTest::newRow("4000000 bytes at 128000 bit/s")  << 128000u << 2 << 44100u << 16000u << 4000000 << true << 250.0 << 128 << "Stereo";
  QTest::newRow("mono")                            << 128000u << 1 << 22050u << 4000u  << 4000000 << true << 250.0 << 32  << "Mono";
  QTest::newRow("bit rate rounds down")            << 64000u  << 2 << 44100u << 16124u << 1000    << true << 0.125 << 128 << "Stereo";
  QTest::newRow("0 channels")                      << 128000u << 0 << 44100u << 16000u << 4000000 << false << 0.0 << 0 << "Unknown";
  QTest::newRow("3 channels")                      << 128000u << 3 << 44100u << 16000u << 4000000 << false << 0.0 << 0 << "Unknown";
  QTest::newRow("257 channels (low byte 1)")       << 128000u << 257 << 44100u << 16000u << 4000000 << false << 0.0 << 0 << "Unknown";
  QTest::newRow("max bit rate 0")                  << 0u      << 2 << 44100u << 16000u << 4000000 << false << 0.0 << 0 << "Unknown";
  QTest::newRow("max bit rate 1")                  << 1u      << 2 << 44100u << 16000u << 1000    << true << 8000.0 << 128 << "Stereo";
  QTest::newRow("max bit rate 319999")             << 319999u << 2 << 44100u << 16000u << 1000    << true << 8000.0 / 319999 << 128 << "Stereo";
  QTest::newRow("max bit rate 320000")             << 320000u << 2 << 44100u << 16000u << 1000    << false << 0.0 << 0 << "Unknown";
  QTest::newRow("sample rate 7999")                << 128000u << 2 << 7999u  << 16000u << 1000    << false << 0.0 << 0 << "Unknown";
  QTest::newRow("sample rate 8000")                << 128000u << 2 << 8000u  << 16000u << 1000    << true << 0.0625 << 128 << "Stereo";
  QTest::newRow("sample rate 96000")               << 128000u << 2 << 96000u << 16000u << 1000    << true << 0.0625 << 128 << "Stereo";
  QTest::newRow("sample rate 96001")               << 128000u << 2 << 96001u << 16000u << 1000    << false << 0.0 << 0 << "Unknown";
  QTest::newRow("byte rate 0")                     << 128000u << 2 << 44100u << 0u     << 1000    << false << 0.0 << 0 << "Unknown";
  QTest::newRow("byte rate 1")                     << 128000u << 2 << 44100u << 1u     << 1000    << true << 0.0625 << 0 << "Stereo";
  QTest::newRow("byte rate 39999")                 << 128000u << 2 << 44100u << 39999u << 1000    << true << 0.0625 << 319 << "Stereo";
  QTest::newRow("byte rate 40000")                 << 128000u << 2 << 44100u << 40000u << 1000    << false << 0.0 << 0 << "Unknown";
  // clang-format on
}

void tst_WMAfile::streamValues() {
  QFETCH(quint32, maxBitRate);
  QFETCH(int, channels);
  QFETCH(quint32, sampleRate);
  QFETCH(quint32, byteRate);
  QFETCH(int, fileSize);
  QFETCH(bool, valid);
  QFETCH(double, duration);
  QFETCH(int, bitRate);
  QFETCH(QString, mode);

  Bytes file = Fx::AsfHeader({Fx::FileProperties(maxBitRate),
                              Fx::StreamProperties(static_cast<std::uint16_t>(channels), sampleRate, byteRate)});
  QVERIFY(file.size() <= static_cast<std::size_t>(fileSize));
  file.resize(static_cast<std::size_t>(fileSize));  // the play time comes from the whole file's size

  TWMAfile w;
  QVERIFY(ReadBytes(w, file));
  QCOMPARE(w.ChannelModeName(), mode.toStdString());
  if (!valid) {
    VerifyDefaults(w);
    return;
  }
  QVERIFY(w.HeaderValid());
  QCOMPARE(w.FileSize(), fileSize);
  QCOMPARE(w.ChannelCount(), channels);
  QCOMPARE(w.SampleRate(), static_cast<std::int32_t>(sampleRate));
  QCOMPARE(w.Duration(), duration);
  QCOMPARE(w.BitRate(), bitRate);
}

void tst_WMAfile::texts_data() {
  QTest::addColumn<std::vector<Bytes>>("objects");
  QTest::addColumn<QString>("title");
  QTest::addColumn<QString>("artist");
  QTest::addColumn<QString>("album");
  QTest::addColumn<QString>("year");
  QTest::addColumn<QString>("genre");
  QTest::addColumn<QString>("comment");
  QTest::addColumn<int>("track");

  using Fx::ContentDescription;
  using Fx::ExtendedContent;

  QTest::newRow("content description: title, author, description")
      << std::vector<Bytes>{ContentDescription(u"Titel", u"Artist", u"Upphovsrätt", u"Kommentar", u"Betyg")}
      << "Titel" << "Artist" << "" << "" << "" << "Kommentar" << 0;

  const std::u16string longTitle = std::u16string(240, u'a') + std::u16string(60, u'b');
  QTest::newRow("300-character title keeps 250, next field still in step")
      << std::vector<Bytes>{ContentDescription(longTitle, u"Artist", u"", u"", u"")}
      << QString(240, 'a') + QString(10, 'b') << "Artist" << "" << "" << "" << "" << 0;

  // Title of 7 bytes: "Hi", a zero unit, then one odd byte that must be skipped.
  const Bytes oddTitle = Fx::AsfObject(
      Fx::kContentDescriptionGuid,
      Fx::Cat({Fx::Le16(7), Fx::Le16(4), Fx::Le16(0), Fx::Le16(0), Fx::Le16(0),
               Bytes{'H', 0, 'i', 0, 0, 0, 'X'}, Fx::Utf16LE(u"A")}));
  QTest::newRow("odd field length skips the last byte")
      << std::vector<Bytes>{oddTitle} << "Hi" << "A" << "" << "" << "" << "" << 0;

  QTest::newRow("extended descriptors fill every slot")
      << std::vector<Bytes>{ExtendedContent({TextDesc(u"WM/Title", u"T"), TextDesc(u"WM/Author", u"A"),
                                             TextDesc(u"WM/AlbumTitle", u"Skiva"), TextDesc(u"WM/Track", u"7"),
                                             TextDesc(u"WM/Year", u"1999"), TextDesc(u"WM/Genre", u"Rock"),
                                             TextDesc(u"WM/Description", u"Bra")})}
      << "T" << "A" << "Skiva" << "1999" << "Rock" << "Bra" << 7;

  QTest::newRow("names matched upper-cased and trimmed")
      << std::vector<Bytes>{ExtendedContent({TextDesc(u"  wm/title\t", u"Liten"), TextDesc(u"wM/gEnRe", u"Pop")})}
      << "Liten" << "" << "" << "" << "Pop" << "" << 0;

  QTest::newRow("other names ignored")
      << std::vector<Bytes>{ExtendedContent({TextDesc(u"WM/TITLE2", u"x"), TextDesc(u"Title", u"y"),
                                             TextDesc(u"WM/ Title", u"z")})}
      << "" << "" << "" << "" << "" << "" << 0;

  QTest::newRow("numeric track leaves the slot, later descriptors still read")
      << std::vector<Bytes>{ExtendedContent({TextDesc(u"WM/Track", u"7"), {u"WM/Track", 3, Fx::Le32(9)},
                                             {u"WM/Genre", 1, Bytes{1, 2, 3, 4, 5}}, TextDesc(u"WM/Year", u"2001")})}
      << "" << "" << "" << "2001" << "" << "" << 7;

  QTest::newRow("texts trimmed, outside Windows-1252 becomes ?")
      << std::vector<Bytes>{ContentDescription(u" \t Åsa Ω €\x01", u"", u"", u"", u"")}
      << "Åsa ? €" << "" << "" << "" << "" << "" << 0;

  QTest::newRow("extended after content description wins")
      << std::vector<Bytes>{ContentDescription(u"Först", u"A1", u"", u"K1", u""),
                            ExtendedContent({TextDesc(u"WM/Title", u"Sist"), TextDesc(u"WM/Description", u"K2")})}
      << "Sist" << "A1" << "" << "" << "" << "K2" << 0;

  QTest::newRow("content description after extended wins")
      << std::vector<Bytes>{ExtendedContent({TextDesc(u"WM/Title", u"Först"), TextDesc(u"WM/Author", u"A1")}),
                            ContentDescription(u"Sist", u"", u"", u"", u"")}
      << "Sist" << "A1" << "" << "" << "" << "" << 0;

  QTest::newRow("empty text value clears, empty description field does not")
      << std::vector<Bytes>{ContentDescription(u"Titel", u"Artist", u"", u"", u""),
                            ExtendedContent({{u"WM/Author", 0, Bytes{}}})}
      << "Titel" << "" << "" << "" << "" << "" << 0;
}

void tst_WMAfile::texts() {
  QFETCH(std::vector<Bytes>, objects);
  QFETCH(QString, title);
  QFETCH(QString, artist);
  QFETCH(QString, album);
  QFETCH(QString, year);
  QFETCH(QString, genre);
  QFETCH(QString, comment);
  QFETCH(int, track);

  TWMAfile w;
  QVERIFY(ReadBytes(w, WithProperties(objects)));
  QVERIFY(w.HeaderValid());
  QCOMPARE(Q(w.Title()), title);
  QCOMPARE(Q(w.Artist()), artist);
  QCOMPARE(Q(w.Album()), album);
  QCOMPARE(Q(w.Year()), year);
  QCOMPARE(Q(w.Genre()), genre);
  QCOMPARE(Q(w.Comment()), comment);
  QCOMPARE(w.Track(), track);
}

void tst_WMAfile::track_data() {
  QTest::addColumn<QString>("text");
  QTest::addColumn<int>("track");

  QTest::newRow("7") << "7" << 7;
  QTest::newRow("padded 07") << " 07 " << 7;
  QTest::newRow("0") << "0" << 0;
  QTest::newRow("signs") << "-3" << -3;
  QTest::newRow("plus") << "+5" << 5;
  QTest::newRow("$ hex") << "$1F" << 31;
  QTest::newRow("0x hex") << "0x1f" << 31;
  QTest::newRow("7/12") << "7/12" << 0;
  QTest::newRow("letters") << "sju" << 0;
  QTest::newRow("empty") << "" << 0;
  QTest::newRow("sign only") << "-" << 0;
  QTest::newRow("prefix only") << "0x" << 0;
  QTest::newRow("inner space") << "1 2" << 0;
  QTest::newRow("largest") << "2147483647" << INT_MAX;
  QTest::newRow("smallest") << "-2147483648" << INT_MIN;
  QTest::newRow("too large") << "2147483648" << 0;
  QTest::newRow("far too large") << "99999999999999999999999" << 0;
}

void tst_WMAfile::track() {
  QFETCH(QString, text);
  QFETCH(int, track);
  TWMAfile w;
  QVERIFY(ReadBytes(w, WithProperties({Fx::ExtendedContent({TextDesc(u"WM/Track", text.toStdU16String())})})));
  QVERIFY(w.HeaderValid());
  QCOMPARE(w.Track(), track);
}

void tst_WMAfile::readResult_data() {
  QTest::addColumn<Bytes>("file");
  QTest::addColumn<bool>("result");
  QTest::addColumn<bool>("valid");

  const Bytes good = WithProperties({});
  QTest::newRow("valid") << good << true << true;

  Bytes literal = good;
  Fx::Put(literal, 0, Bytes{0x30, 0x26, 0xB2, 0x75, 0x8E, 0x66, 0xCF, 0x11, 0xA6, 0xD9, 0x00, 0xAA, 0x00, 0x62, 0xCE, 0x6C});
  QTest::newRow("header GUID as stored bytes") << literal << true << true;

  QTest::newRow("not an ASF file") << Fx::Cat({Fx::Text("RIFF"), Fx::Zeros(60)}) << true << false;
  QTest::newRow("header of the big-endian GUID")
      << Fx::Cat({Bytes{0x75, 0xB2, 0x26, 0x30, 0x66, 0x8E, 0x11, 0xCF}, Bytes(good.begin() + 8, good.end())})
      << true << false;
  QTest::newRow("empty file") << Bytes{} << false << false;
  QTest::newRow("shorter than a GUID") << Bytes(good.begin(), good.begin() + 15) << false << false;
  QTest::newRow("count missing") << Bytes(good.begin(), good.begin() + 26) << false << false;
  QTest::newRow("no objects") << Fx::AsfHeader({}) << true << false;
  QTest::newRow("count beyond the objects") << Fx::AsfHeader(GoodProperties(), 3) << false << false;
  QTest::newRow("count below the objects")
      << Fx::AsfHeader({Fx::FileProperties(128000), Fx::StreamProperties(2, 44100, 16000), Fx::FileProperties(0)}, 2)
      << true << true;
  QTest::newRow("unknown object skipped")
      << Fx::AsfHeader({Fx::FileProperties(128000), Fx::AsfObject(kUnknownGuid, Fx::Zeros(10)),
                        Fx::StreamProperties(2, 44100, 16000)})
      << true << true;

  // Only the low half of an object size counts.
  Bytes highSize = Fx::AsfHeader({Fx::AsfObject(kUnknownGuid, Fx::Zeros(4)), GoodProperties()[0], GoodProperties()[1]});
  Fx::Put(highSize, 30 + 20, Fx::Le32(1));
  QTest::newRow("size with a high half") << highSize << true << true;

  QTest::newRow("object of only its header") << WithProperties({Fx::AsfObject(kUnknownGuid, {})}) << true << true;

  // A size below the object header never moves the walk; with a count of
  // four billion that would spin for a very long time.
  for (std::uint32_t size : {0u, 1u, 23u}) {
    Bytes bad = Fx::AsfHeader({GoodProperties()[0], GoodProperties()[1], Fx::AsfObject(kUnknownGuid, Fx::Zeros(8))},
                              0xFFFFFFFFu);
    Fx::Put(bad, bad.size() - 32 + 16, Fx::Le64(size));
    QTest::addRow("object size %u, count 0xFFFFFFFF", size) << bad << false << false;
  }
  Bytes pastEnd = WithProperties({Fx::AsfObject(kUnknownGuid, Fx::Zeros(8))});
  Fx::Put(pastEnd, pastEnd.size() - 32 + 16, Fx::Le64(33));
  QTest::newRow("object size one past the end") << pastEnd << false << false;
  Fx::Put(pastEnd, pastEnd.size() - 32 + 16, Fx::Le64(0xFFFFFFFFu));
  QTest::newRow("object size 0xFFFFFFFF") << pastEnd << false << false;

  QTest::newRow("truncated last object") << Bytes(good.begin(), good.end() - 1) << false << false;

  // The field lies inside the declared object but the object is cut short:
  // the read reaches past the end of the file.
  QTest::newRow("field past the end")
      << Fx::AsfHeader({Fx::StreamProperties(2, 44100, 16000), Fx::AsfObject(Fx::kFilePropertiesGuid, Fx::Zeros(40))})
      << false << false;

  Bytes shortDescriptors = WithProperties({Fx::ExtendedContent({TextDesc(u"WM/Title", u"T")})});
  Fx::Put(shortDescriptors, shortDescriptors.size() - Fx::ExtendedContent({TextDesc(u"WM/Title", u"T")}).size() + 24,
          Fx::Le16(0xFFFF));
  QTest::newRow("descriptor count 65535 with one descriptor") << shortDescriptors << false << false;
}

void tst_WMAfile::readResult() {
  QFETCH(Bytes, file);
  QFETCH(bool, result);
  QFETCH(bool, valid);

  TWMAfile w;
  // A read starts from nothing: what an earlier file gave does not stay.
  QVERIFY(ReadBytes(w, WithProperties({Fx::ContentDescription(u"Förra", u"", u"", u"", u"")})));
  QVERIFY(w.HeaderValid());

  QElapsedTimer timer;
  timer.start();
  QCOMPARE(ReadBytes(w, file), result);
  QVERIFY2(timer.elapsed() < 2000, "the header walk must end quickly");
  QCOMPARE(w.HeaderValid(), valid);
  if (!valid) VerifyDefaults(w);
}

void tst_WMAfile::fileOver2GiB() {
  QTemporaryDir dir;
  QVERIFY(dir.isValid());
  const std::string path = dir.filePath("stor.wma").toStdString();
  Fx::WriteFile(path, WithProperties({Fx::ContentDescription(u"Lång", u"", u"", u"", u"")}));
  constexpr std::int64_t kSize = 3LL << 30;
  std::filesystem::resize_file(path, kSize);  // sparse: takes no room on disk

  TWMAfile w;
  QVERIFY(w.ReadFromFile(path));
  QVERIFY(w.HeaderValid());
  QCOMPARE(w.FileSize(), kSize);
  QCOMPARE(w.Duration(), static_cast<double>(kSize) * 8 / 128000);
  QCOMPARE(Q(w.Title()), QString("Lång"));
}

void tst_WMAfile::unopenable() {
  QTemporaryDir dir;
  QVERIFY(dir.isValid());
  TWMAfile w;
  QVERIFY(!w.ReadFromFile(dir.filePath("saknas.wma").toStdString()));
  VerifyDefaults(w);
  QVERIFY(!w.ReadFromFile(dir.path().toStdString()));
  VerifyDefaults(w);
}

namespace {

Bytes FullFixture() {
  return WithProperties(
      {Fx::ContentDescription(u"Titel", u"Artist", u"C", u"Kommentar", u"R"),
       Fx::AsfObject(kUnknownGuid, Fx::Zeros(5)),
       Fx::ExtendedContent({TextDesc(u"WM/AlbumTitle", u"Skiva"), {u"WM/Track", 3, Fx::Le32(4)},
                            TextDesc(u"WM/Track", u"4"), TextDesc(u"WM/Year", u"2003")})});
}

}  // namespace

void tst_WMAfile::everyPrefix() {
  const Bytes full = FullFixture();
  for (std::size_t len = 0; len <= full.size(); ++len) {
    // Its own allocation, so that a read past the prefix is seen by the
    // address sanitizer.
    const Bytes prefix(full.begin(), full.begin() + static_cast<std::ptrdiff_t>(len));
    TWMAfile w;
    const bool whole = len == full.size();
    QVERIFY2(ReadBytes(w, prefix) == whole, qPrintable(QString("prefix of %1 bytes").arg(len)));
    QCOMPARE(w.HeaderValid(), whole);
  }
  TWMAfile w;
  QVERIFY(ReadBytes(w, full));
  QCOMPARE(Q(w.Album()), QString("Skiva"));
  QCOMPARE(w.Track(), 4);
}

void tst_WMAfile::corruptedSizes() {
  const Bytes full = FullFixture();
  // Offsets of every size and length field in the fixture, with their width.
  struct Field {
    std::size_t at;
    int width;
  };
  std::vector<Field> fields = {{16, 8}, {24, 4}};  // header object size, object count
  std::size_t pos = 30;
  while (pos + 24 <= full.size()) {
    fields.push_back({pos + 16, 4});
    std::uint32_t size = 0;
    for (int i = 3; i >= 0; --i) size = size << 8 | full[pos + 16 + static_cast<std::size_t>(i)];
    const Bytes guid(full.begin() + static_cast<std::ptrdiff_t>(pos), full.begin() + static_cast<std::ptrdiff_t>(pos) + 16);
    if (guid == Fx::Guid(Fx::kContentDescriptionGuid))
      for (std::size_t k = 0; k < 5; ++k) fields.push_back({pos + 24 + 2 * k, 2});
    if (guid == Fx::Guid(Fx::kExtendedContentGuid)) {
      fields.push_back({pos + 24, 2});
      // Name length, then value type and value length, of every descriptor.
      std::size_t d = pos + 26;
      while (d + 2 <= pos + size) {
        const std::size_t nameLen = full[d] | full[d + 1] << 8;
        fields.push_back({d, 2});
        fields.push_back({d + 2 + nameLen, 2});
        fields.push_back({d + 4 + nameLen, 2});
        const std::size_t valueLen = full[d + 4 + nameLen] | full[d + 5 + nameLen] << 8;
        d += 6 + nameLen + valueLen;
      }
    }
    pos += size;
  }
  QVERIFY(fields.size() > 20);

  const std::uint32_t values[] = {0, 1, 2, 23, 24, 25, 0x7FFF, 0x8000, 0xFFFF, 0x10000, 0x7FFFFFFF, 0xFFFFFFFF};
  QElapsedTimer timer;
  timer.start();
  for (const Field& f : fields) {
    for (std::uint32_t v : values) {
      Bytes bad = full;
      for (int i = 0; i < f.width; ++i)
        bad[f.at + static_cast<std::size_t>(i)] = i < 4 ? static_cast<std::uint8_t>(v >> (8 * i)) : 0;
      TWMAfile w;
      const bool ok = ReadBytes(w, bad);
      QVERIFY(ok || !w.HeaderValid());
    }
  }
  QVERIFY2(timer.elapsed() < 10000, "corrupted sizes must not make the reader slow");
}

QTEST_APPLESS_MAIN(tst_WMAfile)
#include "tst_wmafile.moc"
