// The ID3v1 block: reading the last 128 bytes, the two genre lists, and the
// writer that appends or replaces a block without ever losing the file.
#include <QtTest>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <map>
#include <span>

#include "FileSource.h"
#include "FileSizeLimit.h"
#include "Fixtures.h"
#include "ID3v1.h"
#include "ID3v1Writer.h"

using Fx::Bytes;

Q_DECLARE_METATYPE(Bytes)

namespace {

QByteArray Q(const std::string& s) { return QByteArray::fromStdString(s); }

// A block whose comment bytes 28 and 29 (offsets 125, 126) are set by hand.
Bytes WithCommentTail(const std::string& comment, std::uint8_t b125, std::uint8_t b126) {
  Bytes b = Fx::ID3v1({.title = "T", .comment = comment});
  b[125] = b125;
  b[126] = b126;
  return b;
}

}  // namespace

class TestID3v1 : public QObject {
  Q_OBJECT

 private slots:
  void read_data();
  void read();
  void readFromFile();
  void readingNames_data();
  void readingNames();
  void pickerDiffersOnlyAtFourNames();
  void genreByteOf_data();
  void genreByteOf();
  void buildBlock();
  void appendThenReplace();
  void replaceOnShortFileFails();
  void refusedOpenLeavesFile_data();
  void refusedOpenLeavesFile();
  void readOnlyFileLeftAlone();
  void failedAppendIsCutBack();
  void failedOverwriteIsRestored();

 private:
  QTemporaryDir dir_;
  QString Path(const char* name) const { return dir_.filePath(QString::fromLatin1(name)); }
};

void TestID3v1::read_data() {
  QTest::addColumn<Bytes>("file");
  QTest::addColumn<bool>("ok");
  QTest::addColumn<bool>("found");
  QTest::addColumn<int>("version");
  QTest::addColumn<QByteArray>("title");
  QTest::addColumn<QByteArray>("comment");
  QTest::addColumn<int>("track");
  QTest::addColumn<int>("genre");

  const Bytes full = Fx::ID3v1({.title = "Song", .artist = "Band", .album = "Disc", .year = "1999",
                                .comment = "Nice", .genre = 17});
  QTest::newRow("exactly 128 bytes") << full << true << true << 1 << QByteArray("Song") << QByteArray("Nice") << 0
                                     << 17;
  QTest::newRow("127 bytes") << Bytes(full.begin() + 1, full.end()) << false << false << 1 << QByteArray()
                             << QByteArray() << 0 << 255;
  QTest::newRow("empty file") << Bytes{} << false << false << 1 << QByteArray() << QByteArray() << 0 << 255;
  QTest::newRow("audio before the tag") << Fx::Cat({Bytes(1000, 0xFF), full}) << true << true << 1
                                        << QByteArray("Song") << QByteArray("Nice") << 0 << 17;
  QTest::newRow("no tag") << Bytes(500, 0x55) << true << false << 1 << QByteArray() << QByteArray() << 0 << 255;
  QTest::newRow("tag not at the very end") << Fx::Cat({full, Fx::Zeros(1)}) << true << false << 1 << QByteArray()
                                           << QByteArray() << 0 << 255;
  QTest::newRow("lower-case marker") << Fx::ID3v1({.title = "Song", .marker = "tag"}) << true << false << 1
                                     << QByteArray() << QByteArray() << 0 << 255;
  QTest::newRow("mixed-case marker") << Fx::ID3v1({.title = "Song", .marker = "TaG"}) << true << false << 1
                                     << QByteArray() << QByteArray() << 0 << 255;

  // Trimming: only trailing bytes of 0x20 and below go.
  QTest::newRow("zero padding") << Fx::ID3v1({.title = "Abba", .pad = 0}) << true << true << 1 << QByteArray("Abba")
                                << QByteArray() << 0 << 255;
  QTest::newRow("space padding") << Fx::ID3v1({.title = "Abba", .pad = ' '}) << true << true << 1
                                 << QByteArray("Abba") << QByteArray() << 0 << 255;
  QTest::newRow("inner zero byte kept") << Fx::ID3v1({.title = std::string("ab\0cd", 5)}) << true << true << 1
                                        << QByteArray("ab\0cd", 5) << QByteArray() << 0 << 255;
  QTest::newRow("trailing controls") << Fx::ID3v1({.title = "Ab \t\x01\x1F"}) << true << true << 1
                                     << QByteArray("Ab") << QByteArray() << 0 << 255;
  QTest::newRow("leading spaces kept") << Fx::ID3v1({.title = "  Ab"}) << true << true << 1 << QByteArray("  Ab")
                                       << QByteArray() << 0 << 255;
  QTest::newRow("high bytes are text") << Fx::ID3v1({.title = "Gr\xE5\xA0\x80"}) << true << true << 1
                                       << QByteArray("Gr\xE5\xA0\x80") << QByteArray() << 0 << 255;
  QTest::newRow("full 30-byte title") << Fx::ID3v1({.title = std::string(30, 'x')}) << true << true << 1
                                      << QByteArray(30, 'x') << QByteArray() << 0 << 255;

  // The version rule on comment bytes 28 and 29.
  const std::string c30 = "abcdefghijklmnopqrstuvwxyz0123";
  QTest::newRow("0 and 7: v1.1") << WithCommentTail(c30, 0, 7) << true << true << 2 << QByteArray("T")
                                 << QByteArray("abcdefghijklmnopqrstuvwxyz01") << 7 << 255;
  QTest::newRow("space and '5': v1.1 track 53") << WithCommentTail(c30, ' ', '5') << true << true << 2
                                                << QByteArray("T") << QByteArray("abcdefghijklmnopqrstuvwxyz01")
                                                << 53 << 255;
  QTest::newRow("space and 0: v1.1 track 0") << WithCommentTail("hi", ' ', 0) << true << true << 2
                                             << QByteArray("T") << QByteArray("hi") << 0 << 255;
  QTest::newRow("both 0: v1.0") << WithCommentTail("hi", 0, 0) << true << true << 1 << QByteArray("T")
                                << QByteArray("hi") << 0 << 255;
  QTest::newRow("both spaces: v1.0") << WithCommentTail("hi", ' ', ' ') << true << true << 1 << QByteArray("T")
                                     << QByteArray("hi") << 0 << 255;
  QTest::newRow("full 30-byte comment: v1.0") << Fx::ID3v1({.comment = c30}) << true << true << 1 << QByteArray()
                                              << QByteArray::fromStdString(c30) << 0 << 255;
  QTest::newRow("fixture track") << Fx::ID3v1({.comment = "c", .track = 12, .genre = 147}) << true << true << 2
                                 << QByteArray() << QByteArray("c") << 12 << 147;
}

void TestID3v1::read() {
  QFETCH(Bytes, file);
  QFETCH(bool, ok);
  QFETCH(bool, found);
  QFETCH(int, version);
  QFETCH(QByteArray, title);
  QFETCH(QByteArray, comment);
  QFETCH(int, track);
  QFETCH(int, genre);

  TID3v1 tag;
  FileSource src{std::span<const std::uint8_t>(file)};
  QCOMPARE(tag.ReadFrom(src), ok);
  QCOMPARE(tag.TagFound(), found);
  QCOMPARE(int(tag.TagVersion()), version);
  QCOMPARE(Q(tag.Title()), title);
  QCOMPARE(Q(tag.Comment()), comment);
  QCOMPARE(int(tag.Track()), track);
  QCOMPARE(int(tag.GenreIndex()), genre);
  if (!found) {
    QVERIFY(tag.Artist().empty() && tag.Album().empty() && tag.Year().empty());
  }
}

void TestID3v1::readFromFile() {
  const QString path = Path("read.mp3");
  Fx::WriteFile(path.toStdString(),
                Fx::Cat({Bytes(300, 0xFF), Fx::ID3v1({.title = "Song", .artist = "Band", .album = "Disc",
                                                       .year = "2003", .genre = 92})}));
  TID3v1 tag;
  QVERIFY(tag.ReadFromFile(path.toStdString()));
  QVERIFY(tag.TagFound());
  QCOMPARE(tag.Artist(), std::string("Band"));
  QCOMPARE(tag.Album(), std::string("Disc"));
  QCOMPARE(tag.Year(), std::string("2003"));
  QCOMPARE(tag.GenreName(), std::string("Progessive Rock"));

  // A failed read after a good one leaves nothing of the old tag behind.
  QVERIFY(!tag.ReadFromFile(Path("missing.mp3").toStdString()));
  QVERIFY(!tag.TagFound());
  QVERIFY(tag.Title().empty());
  QCOMPARE(int(tag.GenreIndex()), 255);
  QVERIFY(!tag.ReadFromFile(dir_.path().toStdString()));
}

// One name per row of ten: a lost or doubled name shifts every later row.
void TestID3v1::readingNames_data() {
  QTest::addColumn<int>("index");
  QTest::addColumn<QByteArray>("name");
  const std::pair<int, const char*> rows[] = {
      {0, "Blues"},          {9, "Metal"},           {19, "Industrial"},   {29, "Jazz+Funk"},
      {39, "Noise"},         {49, "Gothic"},         {59, "Gangsta"},      {67, "Psychadelic"},
      {79, "Hard Rock"},     {89, "Bluegrass"},      {92, "Progessive Rock"}, {99, "Acoustic"},
      {109, "Porn Groove"},  {117, "Power Ballad"},  {118, "Rhythmic Soul"}, {123, "A capella"},
      {129, "Hardcore"},     {139, "Crossover"},     {147, "Synthpop"},    {148, ""},
      {200, ""},             {255, ""}};
  for (const auto& [index, name] : rows) QTest::addRow("%d", index) << index << QByteArray(name);
}

void TestID3v1::readingNames() {
  QFETCH(int, index);
  QFETCH(QByteArray, name);
  TID3v1 tag;
  tag.ParseBlock(std::span<const std::uint8_t, 128>(Fx::ID3v1({.genre = static_cast<std::uint8_t>(index)})));
  QCOMPARE(Q(tag.GenreName()), name);
}

void TestID3v1::pickerDiffersOnlyAtFourNames() {
  const std::map<std::size_t, std::string> own = {
      {92, "Progressive Rock"}, {117, "Poweer Ballad"}, {118, "Rhytmic Soul"}, {123, "A Capella"}};
  for (std::size_t i = 0; i < GenreChoices.size(); ++i) {
    QVERIFY(GenreChoices[i] != nullptr);
    const auto it = own.find(i);
    const std::string expected = it != own.end() ? it->second : std::string(ID3v1Genres[i]);
    QCOMPARE(std::string(GenreChoices[i]), expected);
  }
  for (const char* name : ID3v1Genres) QVERIFY(name != nullptr && *name != '\0');
  QCOMPARE(std::string(GenreChoices[125]), std::string("Dance Hall"));
}

void TestID3v1::genreByteOf_data() {
  QTest::addColumn<QByteArray>("name");
  QTest::addColumn<int>("byte");
  QTest::newRow("first") << QByteArray("Blues") << 0;
  QTest::newRow("last") << QByteArray("Dance Hall") << 125;
  QTest::newRow("picker spelling") << QByteArray("Progressive Rock") << 92;
  QTest::newRow("reading spelling") << QByteArray("Progessive Rock") << 255;
  QTest::newRow("picker typo") << QByteArray("Poweer Ballad") << 117;
  QTest::newRow("reading name not offered") << QByteArray("Power Ballad") << 255;
  QTest::newRow("case matters") << QByteArray("rock") << 255;
  QTest::newRow("beyond the picker") << QByteArray("Synthpop") << 255;
  QTest::newRow("empty") << QByteArray() << 255;
  QTest::newRow("trailing space") << QByteArray("Rock ") << 255;
}

void TestID3v1::genreByteOf() {
  QFETCH(QByteArray, name);
  QFETCH(int, byte);
  QCOMPARE(int(GenreByteOf(name.toStdString())), byte);
}

void TestID3v1::buildBlock() {
  const std::string long40(40, 'L');
  const auto v10 = BuildID3v1Block({.Title = long40, .Artist = "Ar", .Album = "Al", .Year = "19999",
                                    .Comment = std::string(30, 'c'), .GenreName = "Rock"});
  Bytes expected = Fx::Zeros(128);
  Fx::Put(expected, 0, Fx::Text("TAG"));
  Fx::Put(expected, 3, Fx::Text(std::string(30, 'L')));
  Fx::Put(expected, 33, Fx::Text("Ar"));
  Fx::Put(expected, 63, Fx::Text("Al"));
  Fx::Put(expected, 93, Fx::Text("1999"));
  Fx::Put(expected, 97, Fx::Text(std::string(30, 'c')));
  expected[127] = 17;
  QCOMPARE(Bytes(v10.begin(), v10.end()), expected);

  // With a track the comment gives up bytes 28 and 29; no spaces anywhere.
  const auto v11 = BuildID3v1Block({.Title = "T", .Comment = std::string(30, 'c'), .Track = 7, .GenreName = "Nope"});
  expected = Fx::Zeros(128);
  Fx::Put(expected, 0, Fx::Text("TAGT"));
  Fx::Put(expected, 97, Fx::Text(std::string(28, 'c')));
  expected[126] = 7;
  expected[127] = 255;
  QCOMPARE(Bytes(v11.begin(), v11.end()), expected);

  TID3v1 back;
  back.ParseBlock(v11);
  QCOMPARE(int(back.TagVersion()), 2);
  QCOMPARE(int(back.Track()), 7);
  QCOMPARE(back.Comment(), std::string(28, 'c'));
}

void TestID3v1::appendThenReplace() {
  const std::string path = Path("write.mp3").toStdString();
  const Bytes audio(1000, 0xAB);
  Fx::WriteFile(path, audio);

  const auto first = BuildID3v1Block({.Title = "One", .GenreName = "Progressive Rock"});
  QCOMPARE(WriteID3v1Block(path, first, false), ID3v1WriteResult::Ok);
  Bytes now = Fx::ReadFile(path);
  QCOMPARE(now.size(), audio.size() + 128);
  QCOMPARE(Bytes(now.begin(), now.begin() + 1000), audio);
  QCOMPARE(Bytes(now.end() - 128, now.end()), Bytes(first.begin(), first.end()));
  TID3v1 tag;
  QVERIFY(tag.ReadFromFile(path));
  QCOMPARE(tag.Title(), std::string("One"));
  QCOMPARE(tag.GenreName(), std::string("Progessive Rock"));

  const auto second = BuildID3v1Block({.Title = "Two", .Track = 3});
  QCOMPARE(WriteID3v1Block(path, second, true), ID3v1WriteResult::Ok);
  now = Fx::ReadFile(path);
  QCOMPARE(now.size(), audio.size() + 128);
  QCOMPARE(Bytes(now.begin(), now.begin() + 1000), audio);
  QVERIFY(tag.ReadFromFile(path));
  QCOMPARE(tag.Title(), std::string("Two"));
  QCOMPARE(int(tag.Track()), 3);
}

void TestID3v1::replaceOnShortFileFails() {
  const std::string path = Path("short.mp3").toStdString();
  const Bytes small(100, 0x11);
  Fx::WriteFile(path, small);
  QCOMPARE(WriteID3v1Block(path, BuildID3v1Block({.Title = "x"}), true), ID3v1WriteResult::WriteFailed);
  QCOMPARE(Fx::ReadFile(path), small);
}

void TestID3v1::refusedOpenLeavesFile_data() {
  QTest::addColumn<QString>("what");
  QTest::newRow("missing") << "missing";
  QTest::newRow("directory") << "directory";
  QTest::newRow("locked by another writer") << "locked";
  QTest::newRow("fifo") << "fifo";
}

void TestID3v1::refusedOpenLeavesFile() {
  QFETCH(QString, what);
  const auto block = BuildID3v1Block({.Title = "x"});
  const std::string path = Path("refused.mp3").toStdString();
  ::unlink(path.c_str());
  if (what == "missing") {
    QCOMPARE(WriteID3v1Block(path, block, false), ID3v1WriteResult::OpenFailed);
    QVERIFY(!QFile::exists(QString::fromStdString(path)));
  } else if (what == "directory") {
    QCOMPARE(WriteID3v1Block(dir_.path().toStdString(), block, false), ID3v1WriteResult::OpenFailed);
  } else if (what == "fifo") {
    QCOMPARE(::mkfifo(path.c_str(), 0600), 0);
    QCOMPARE(WriteID3v1Block(path, block, false), ID3v1WriteResult::OpenFailed);
  } else {
    const Bytes audio(500, 0x22);
    Fx::WriteFile(path, audio);
    const int other = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    QVERIFY(other >= 0);
    QCOMPARE(::flock(other, LOCK_EX), 0);
    const auto result = WriteID3v1Block(path, block, false);
    ::close(other);
    QCOMPARE(result, ID3v1WriteResult::OpenFailed);
    QCOMPARE(Fx::ReadFile(path), audio);
  }
  ::unlink(path.c_str());
}

void TestID3v1::readOnlyFileLeftAlone() {
  if (::geteuid() == 0) QSKIP("root may write to a read-only file");
  const std::string path = Path("readonly.mp3").toStdString();
  const Bytes audio(500, 0x33);
  Fx::WriteFile(path, audio);
  QCOMPARE(::chmod(path.c_str(), 0444), 0);
  QCOMPARE(WriteID3v1Block(path, BuildID3v1Block({.Title = "x"}), false), ID3v1WriteResult::OpenFailed);
  QCOMPARE(Fx::ReadFile(path), audio);
}

// A file-size limit just past the old end lets the first part of the block
// through and refuses the rest: the partial block must not stay.
void TestID3v1::failedAppendIsCutBack() {
  const std::string path = Path("append-limit.mp3").toStdString();
  const Bytes audio(1000, 0x44);
  Fx::WriteFile(path, audio);
  ID3v1WriteResult result{};
  {
    const FileSizeLimit limit(1050);
    result = WriteID3v1Block(path, BuildID3v1Block({.Title = "x"}), false);
  }
  QCOMPARE(result, ID3v1WriteResult::WriteFailed);
  QCOMPARE(Fx::ReadFile(path), audio);
}

// A limit inside the old block: the overwrite gets partway and fails, and the
// old bytes go back.
void TestID3v1::failedOverwriteIsRestored() {
  const std::string path = Path("replace-limit.mp3").toStdString();
  const Bytes original = Fx::Cat({Bytes(200, 0x55), Fx::ID3v1({.title = "Old", .artist = "Old band"})});
  Fx::WriteFile(path, original);
  ID3v1WriteResult result{};
  {
    const FileSizeLimit limit(250);
    result = WriteID3v1Block(path, BuildID3v1Block({.Title = "New", .Artist = "New band"}), true);
  }
  QCOMPARE(result, ID3v1WriteResult::WriteFailed);
  QCOMPARE(Fx::ReadFile(path), original);
}

QTEST_APPLESS_MAIN(TestID3v1)
#include "tst_id3v1.moc"
