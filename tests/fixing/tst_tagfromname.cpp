// Tag from name without windows: the splitting rule, the block a name gives,
// the write itself and the batch's failure lines.
#include <QDir>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>

#include "FakeDialogs.h"
#include "FileSizeLimit.h"
#include "Fixtures.h"
#include "QuickProbe.h"
#include "TagFromName.h"
#include "TestFolder.h"

using Fx::Bytes;

Q_DECLARE_METATYPE(Fx::V1)
Q_DECLARE_METATYPE(Fx::Bytes)

namespace {

Bytes BlockOf(const QString& name, const Fixing::TagDefaults& defaults = {}) {
  const auto block = BuildID3v1Block(Fixing::TagFromName(name, defaults));
  return Bytes(block.begin(), block.end());
}

}  // namespace

class TestTagFromName : public QObject {
  Q_OBJECT

 private slots:
  void init();
  void cleanup();

  void splitName_data();
  void splitName();
  void blockOfAName_data();
  void blockOfAName();
  void writeAppendsOrReplaces_data();
  void writeAppendsOrReplaces();
  void failedWriteLeavesTheFile();
  void batchListsEveryFileItCouldNotTag();

 private:
  std::unique_ptr<QTemporaryDir> tmp_;
  std::unique_ptr<TestFolder> folder_;
  std::unique_ptr<FakeDialogs> dialogs_;
};

void TestTagFromName::init() {
  tmp_ = std::make_unique<QTemporaryDir>();
  folder_ = std::make_unique<TestFolder>(tmp_->path());
  QVERIFY(QDir::setCurrent(tmp_->path()));  // names are bare, as in the file list
  dialogs_ = std::make_unique<FakeDialogs>();
}

void TestTagFromName::cleanup() {
  QVERIFY2(dialogs_->unexpected().isEmpty(), qPrintable(dialogs_->unexpected().join('\n')));
  QCOMPARE(dialogs_->pending(), std::size_t(0));
  dialogs_.reset();
  QDir::setCurrent(QDir::tempPath());
  folder_.reset();
  tmp_.reset();
}

void TestTagFromName::splitName_data() {
  QTest::addColumn<QByteArray>("name");
  QTest::addColumn<QByteArray>("artist");
  QTest::addColumn<QByteArray>("title");
  QTest::newRow("plain") << QByteArray("Queen - Bohemian Rhapsody.mp3") << QByteArray("Queen")
                         << QByteArray("Bohemian Rhapsody");
  QTest::newRow("only the first separator") << QByteArray("A - B - C.mp3") << QByteArray("A") << QByteArray("B - C");
  QTest::newRow("track number is artist")
      << QByteArray("07 - Artist - Title.mp3") << QByteArray("07") << QByteArray("Artist - Title");
  QTest::newRow(".MP3 in any case") << QByteArray("Abba - Waterloo.MP3") << QByteArray("Abba")
                                    << QByteArray("Waterloo");
  QTest::newRow("other extension stays") << QByteArray("Abba - Waterloo.wma") << QByteArray("Abba")
                                         << QByteArray("Waterloo.wma");
  QTest::newRow("leading separator: no artist") << QByteArray(" - Title.mp3") << QByteArray() << QByteArray("Title");
  QTest::newRow("no separator") << QByteArray("AbbaWaterloo.mp3") << QByteArray() << QByteArray();
  QTest::newRow("hyphen without spaces") << QByteArray("Jay-Z-Song.mp3") << QByteArray() << QByteArray();
}

void TestTagFromName::splitName() {
  QFETCH(QByteArray, name);
  QFETCH(QByteArray, artist);
  QFETCH(QByteArray, title);
  const Fixing::NameParts parts = Fixing::SplitName(name.toStdString());
  QCOMPARE(QByteArray::fromStdString(parts.Artist), artist);
  QCOMPARE(QByteArray::fromStdString(parts.Title), title);
}

void TestTagFromName::blockOfAName_data() {
  QTest::addColumn<QString>("name");
  QTest::addColumn<QString>("album");
  QTest::addColumn<QString>("year");
  QTest::addColumn<QString>("genre");
  QTest::addColumn<Fx::V1>("expected");
  QTest::newRow("no defaults: texts, zeros and genre 255")
      << "Queen - Bohemian Rhapsody.mp3"
      << ""
      << ""
      << "" << Fx::V1{.title = "Bohemian Rhapsody", .artist = "Queen"};
  QTest::newRow("35-character artist, 40-character title: first 30 of each")
      << QString(35, u'a') + " - " + QString(40, u't') + ".mp3"
      << ""
      << ""
      << "" << Fx::V1{.title = std::string(30, 't'), .artist = std::string(30, 'a')};
  QTest::newRow("å ä ö become Windows-1252 bytes") << QStringLiteral("Åsa - Över ängen.mp3") << ""
                                                   << ""
                                                   << "" << Fx::V1{.title = "\xD6ver \xE4ngen", .artist = "\xC5sa"};
  QTest::newRow("widths count Windows-1252 bytes, not UTF-8 bytes")
      << QStringLiteral("Ö - ") + QString(30, u'ö') + ".mp3"
      << ""
      << ""
      << "" << Fx::V1{.title = std::string(30, '\xF6'), .artist = "\xD6"};
  QTest::newRow("characters outside Windows-1252 become ?") << QStringLiteral("Björk - 東京 🎵.mp3") << ""
                                                            << ""
                                                            << "" << Fx::V1{.title = "?? ?", .artist = "Bj\xF6rk"};
  QTest::newRow("album, year and a picked genre")
      << "Queen - Innuendo.mp3" << QStringLiteral("Greatest Hits Ö") << "1991"
      << "Poweer Ballad"
      << Fx::V1{.title = "Innuendo", .artist = "Queen", .album = "Greatest Hits \xD6", .year = "1991", .genre = 117};
  QTest::newRow("a genre name of the reading table only: 255")
      << "Queen - Innuendo.mp3"
      << ""
      << ""
      << "Power Ballad" << Fx::V1{.title = "Innuendo", .artist = "Queen"};
  QTest::newRow("a year of more than four characters: first four")
      << "Queen - Innuendo.mp3"
      << ""
      << "19911"
      << "" << Fx::V1{.title = "Innuendo", .artist = "Queen", .year = "1991"};
}

void TestTagFromName::blockOfAName() {
  QFETCH(QString, name);
  QFETCH(QString, album);
  QFETCH(QString, year);
  QFETCH(QString, genre);
  QFETCH(Fx::V1, expected);
  QCOMPARE(BlockOf(name, {album, year, genre}), Fx::ID3v1(expected));
}

void TestTagFromName::writeAppendsOrReplaces_data() {
  QTest::addColumn<Bytes>("before");
  QTest::addColumn<bool>("overwrite");
  QTest::addColumn<bool>("readOnly");
  QTest::addColumn<bool>("answerYes");
  QTest::addColumn<int>("result");
  QTest::addColumn<bool>("written");
  const Bytes audio = UniqueAudio();
  const Bytes tagged = Fx::Cat({audio, Fx::ID3v1({.title = "Old", .artist = "Old"})});
  using W = Fixing::TagWrite;
  QTest::newRow("append") << audio << false << false << false << int(W::Written) << true;
  QTest::newRow("replace the last 128 bytes") << tagged << true << false << false << int(W::Written) << true;
  QTest::newRow("read-only, protection removed") << audio << false << true << true << int(W::Written) << true;
  QTest::newRow("read-only, protection kept") << audio << false << true << false << int(W::WriteProtected) << false;
}

void TestTagFromName::writeAppendsOrReplaces() {
  QFETCH(Bytes, before);
  QFETCH(bool, overwrite);
  QFETCH(bool, readOnly);
  QFETCH(bool, answerYes);
  QFETCH(int, result);
  QFETCH(bool, written);
  const QString name = QStringLiteral("Queen - Innuendo.mp3");
  folder_->Add(name, before, readOnly);
  if (readOnly) answerYes ? dialogs_->answerYes() : dialogs_->answerNo();

  QCOMPARE(int(Fixing::SkrivId3Tag(name, overwrite, {})), result);
  const Bytes block = BlockOf(name);
  const Bytes expected = !written ? before : overwrite ? Overwritten(before, block) : Appended(before, block);
  QCOMPARE(folder_->Read(name), expected);
  QCOMPARE(folder_->IsReadOnly(name), readOnly && !answerYes);
}

void TestTagFromName::failedWriteLeavesTheFile() {
  const QString name = QStringLiteral("Queen - Innuendo.mp3");
  const Bytes before = UniqueAudio();
  folder_->Add(name, before);
  {
    // Room for part of the block only: the write starts and then fails.
    const FileSizeLimit limit(static_cast<long long>(before.size()) + 50);
    QCOMPARE(Fixing::SkrivId3Tag(name, false, {}), Fixing::TagWrite::WriteFailed);
  }
  QCOMPARE(folder_->Read(name), before);
  QCOMPARE(Fixing::SkrivId3Tag(QStringLiteral("Gone - Away.mp3"), false, {}), Fixing::TagWrite::OpenFailed);
}

void TestTagFromName::batchListsEveryFileItCouldNotTag() {
  // The first file is the largest and cannot grow under the limit; the batch
  // goes on with the others.
  const Bytes big = Fx::Cat({UniqueAudio(), Fx::Zeros(8000)});
  folder_->Add("Big - File.mp3", big);
  folder_->Add("badname.mp3", UniqueAudio());
  folder_->Add("Has - Version1.mp3", Fx::Cat({UniqueAudio(), Fx::ID3v1({.title = "T", .artist = "A"})}));
  folder_->Add("Has - Both.mp3", Fx::Cat({Version2Tag(), UniqueAudio(), Fx::ID3v1({.title = "T", .artist = "A"})}));
  folder_->Add("Only - Version2.mp3", Fx::Cat({Version2Tag(), UniqueAudio()}));
  folder_->Add("No - Tag.mp3", UniqueAudio());
  const QStringList entries{"Big - File.mp3", "badname.mp3",         "Has - Version1.mp3",
                            "Has - Both.mp3", "Only - Version2.mp3", "No - Tag.mp3"};
  const auto payloads = folder_->Payloads();

  TagProbe probe;
  probe.ProbeQuiet = true;
  int steps = 0;
  FailureReport report;
  {
    const FileSizeLimit limit(static_cast<long long>(big.size()) + 60);
    report = Fixing::TagFromNameBatch(
        entries, probe, true,
        [](const QString& name, bool overwrite) {
          return Fixing::SkrivId3Tag(name, overwrite, {}) == Fixing::TagWrite::Written;
        },
        [&steps] { ++steps; });
  }
  QCOMPARE(report.FelLista,
           QStringList({"Big - File.mp3 #24#-Används eller är skrivskyddad!", "badname.mp3 #20#-Ogiltig namnstruktur!",
                        "Has - Both.mp3 #21#-Filen innehåller redan en ID3Tag v1!",
                        "Only - Version2.mp3 #21#-Filen innehåller redan en ID3Tag v1!"}));
  QCOMPARE(report.AntNamnfel, 1);
  QCOMPARE(report.AntSkrivfel, 1);
  QCOMPARE(report.AntID3Skrivskydd, 2);
  QCOMPARE(steps, 6);
  QCOMPARE(folder_->Read("Big - File.mp3"), big);
  const Bytes appended = folder_->Read("No - Tag.mp3");
  QCOMPARE(Bytes(appended.end() - 128, appended.end()), BlockOf("No - Tag.mp3"));
  const Bytes replaced = folder_->Read("Has - Version1.mp3");
  QCOMPARE(Bytes(replaced.end() - 128, replaced.end()), BlockOf("Has - Version1.mp3"));
  QCOMPARE(folder_->Payloads(), payloads);
}

QTEST_GUILESS_MAIN(TestTagFromName)
#include "tst_tagfromname.moc"
