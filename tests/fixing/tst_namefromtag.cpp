// Name from tag without windows: the name a tag gives, and what the read
// of a file gives when it is protected or has no stream.
#include <QDir>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>

#include "FakeDialogs.h"
#include "Fixtures.h"
#include "ID3v1.h"
#include "NameFromTag.h"
#include "TestFolder.h"

using Fx::Bytes;

Q_DECLARE_METATYPE(Fx::Bytes)

namespace {

// An ID3v1.1 block with track 0: a space at 125 and a zero at 126.
Bytes TrackZero(const std::string& artist, const std::string& title) {
  Bytes b = Fx::ID3v1({.title = title, .artist = artist, .pad = ' '});
  b[126] = 0;
  return b;
}

}  // namespace

class TestNameFromTag : public QObject {
  Q_OBJECT

 private slots:
  void init();
  void cleanup();

  void nameFromTag_data();
  void nameFromTag();
  void fixaNamnetReadsTheFile_data();
  void fixaNamnetReadsTheFile();
  void batchNeverReplacesNorLeavesTheFolder();

 private:
  std::unique_ptr<QTemporaryDir> tmp_;
  std::unique_ptr<TestFolder> folder_;
  std::unique_ptr<FakeDialogs> dialogs_;
};

void TestNameFromTag::init() {
  tmp_ = std::make_unique<QTemporaryDir>();
  folder_ = std::make_unique<TestFolder>(tmp_->path());
  QVERIFY(QDir::setCurrent(tmp_->path()));
  dialogs_ = std::make_unique<FakeDialogs>();
}

void TestNameFromTag::cleanup() {
  QVERIFY2(dialogs_->unexpected().isEmpty(), qPrintable(dialogs_->unexpected().join('\n')));
  QCOMPARE(dialogs_->pending(), std::size_t(0));
  dialogs_.reset();
  QDir::setCurrent(QDir::tempPath());
  folder_.reset();
  tmp_.reset();
}

void TestNameFromTag::nameFromTag_data() {
  QTest::addColumn<Bytes>("block");
  QTest::addColumn<QByteArray>("name");
  QTest::newRow("ID3v1.0") << Fx::ID3v1({.title = "Innuendo", .artist = "Queen"}) << QByteArray("Queen - Innuendo");
  QTest::newRow("track 7") << Fx::ID3v1({.title = "Innuendo", .artist = "Queen", .track = 7})
                           << QByteArray("07 - Queen - Innuendo");
  QTest::newRow("track 12") << Fx::ID3v1({.title = "Innuendo", .artist = "Queen", .track = 12})
                            << QByteArray("12 - Queen - Innuendo");
  QTest::newRow("track 123") << Fx::ID3v1({.title = "Innuendo", .artist = "Queen", .track = 123})
                             << QByteArray("123 - Queen - Innuendo");
  QTest::newRow("track 0") << TrackZero("Queen", "Innuendo") << QByteArray("00 - Queen - Innuendo");
  QTest::newRow("track, empty title: the prefix alone")
      << Fx::ID3v1({.artist = "Queen", .track = 3}) << QByteArray("03 - ");
  QTest::newRow("ID3v1.0, empty artist: none") << Fx::ID3v1({.title = "Innuendo"}) << QByteArray();
  QTest::newRow("texts right-trimmed") << Fx::ID3v1({.title = "Innuendo", .artist = "Queen", .pad = ' '})
                                       << QByteArray("Queen - Innuendo");
  QTest::newRow("no tag") << Fx::ID3v1({.title = "Innuendo", .artist = "Queen", .marker = "TAX"}) << QByteArray();
}

void TestNameFromTag::nameFromTag() {
  QFETCH(Bytes, block);
  QFETCH(QByteArray, name);
  TID3v1 tag;
  tag.ParseBlock(std::span<const std::uint8_t, kID3v1BlockSize>(block.data(), kID3v1BlockSize));
  QCOMPARE(QByteArray::fromStdString(Fixing::NameFromTag(tag)), name);
}

void TestNameFromTag::fixaNamnetReadsTheFile_data() {
  QTest::addColumn<Bytes>("file");
  QTest::addColumn<bool>("readOnly");
  QTest::addColumn<bool>("answerYes");
  QTest::addColumn<QString>("name");
  const Bytes tag = Fx::ID3v1({.title = "\xD6ver \xE4ngen", .artist = std::string("\xC5s\0a", 4)});
  QTest::newRow("Windows-1252 becomes UTF-8; the NUL is kept here")
      << Fx::Cat({UniqueAudio(), tag}) << false << false << QStringLiteral("Ås") + QChar(u'\0') + "a - Över ängen";
  QTest::newRow("read-only, protection removed")
      << Fx::Cat({UniqueAudio(), tag}) << true << true << QStringLiteral("Ås") + QChar(u'\0') + "a - Över ängen";
  QTest::newRow("read-only, protection kept: no name") << Fx::Cat({UniqueAudio(), tag}) << true << false << QString();
  QTest::newRow("no MPEG stream: no name") << Fx::Cat({Fx::Zeros(5000), tag}) << false << false << QString();
}

void TestNameFromTag::fixaNamnetReadsTheFile() {
  QFETCH(Bytes, file);
  QFETCH(bool, readOnly);
  QFETCH(bool, answerYes);
  QFETCH(QString, name);
  folder_->Add("track.mp3", file, readOnly);
  if (readOnly) answerYes ? dialogs_->answerYes() : dialogs_->answerNo();
  QCOMPARE(Fixing::FixaNamnet("track.mp3"), name);
  QCOMPARE(Fixing::WithoutNul(name), name.isEmpty() ? QString() : QStringLiteral("Åsa - Över ängen"));
  if (readOnly) QCOMPARE(dialogs_->shownTexts(), QStringList{"Filen track.mp3 är skrivskyddad! Ska jag ta bort det?"});
}

void TestNameFromTag::batchNeverReplacesNorLeavesTheFolder() {
  // "a.mp3" and "b.mp3" give the same name: the first in list order gets it.
  // "c.mp3" names a file that is there already; "d.mp3" would go into the
  // folder AC; "e.mp3" only changes letter case.
  const Bytes queen = Fx::ID3v1({.title = "Innuendo", .artist = "Queen"});
  folder_->Add("a.mp3", Fx::Cat({UniqueAudio(), queen}));
  folder_->Add("b.mp3", Fx::Cat({UniqueAudio(), queen}));
  folder_->Add("c.mp3", Fx::Cat({UniqueAudio(), Fx::ID3v1({.title = "Tag", .artist = "Has"})}));
  folder_->Add("Has - Tag.mp3", UniqueAudio());
  folder_->Add("d.mp3", Fx::Cat({UniqueAudio(), Fx::ID3v1({.title = "Thunderstruck", .artist = "AC/DC"})}));
  QVERIFY(QDir(tmp_->path()).mkdir("AC"));
  folder_->Add("abba - waterloo.MP3", Fx::Cat({UniqueAudio(), Fx::ID3v1({.title = "Waterloo", .artist = "Abba"})}));
  const Bytes a = folder_->Read("a.mp3"), b = folder_->Read("b.mp3"), c = folder_->Read("c.mp3"),
              d = folder_->Read("d.mp3"), has = folder_->Read("Has - Tag.mp3");
  const auto inodes = folder_->Inodes();

  int steps = 0;
  Fixing::NameFromTagBatch({"a.mp3", "abba - waterloo.MP3", "b.mp3", "c.mp3", "d.mp3", "Has - Tag.mp3"},
                           [&steps] { ++steps; });
  QCOMPARE(steps, 6);
  QCOMPARE(folder_->Names(), QStringList({"AC", "Abba - Waterloo.mp3", "Has - Tag.mp3", "Queen - Innuendo.mp3", "b.mp3",
                                          "c.mp3", "d.mp3"}));
  QCOMPARE(folder_->Read("Queen - Innuendo.mp3"), a);
  QCOMPARE(folder_->Read("b.mp3"), b);
  QCOMPARE(folder_->Read("c.mp3"), c);
  QCOMPARE(folder_->Read("Has - Tag.mp3"), has);
  QCOMPARE(folder_->Read("d.mp3"), d);
  QVERIFY(QDir(folder_->FilePath("AC")).isEmpty());
  QCOMPARE(folder_->Inodes(), inodes);
}

QTEST_GUILESS_MAIN(TestNameFromTag)
#include "tst_namefromtag.moc"
