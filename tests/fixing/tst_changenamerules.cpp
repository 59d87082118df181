// The rename dialog's rules without the window, and folder creation.
#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

#include "ChangeNameRules.h"
#include "NewFolder.h"

class TestChangeNameRules : public QObject {
  Q_OBJECT

 private slots:
  void composing_data() {
    QTest::addColumn<QString>("track");
    QTest::addColumn<QString>("artist");
    QTest::addColumn<QString>("titel");
    QTest::addColumn<QString>("name");
    QTest::newRow("artist and title") << "" << "Queen" << "Innuendo" << "Queen - Innuendo";
    QTest::newRow("one-digit track") << "7" << "Queen" << "Innuendo" << "07 - Queen - Innuendo";
    QTest::newRow("two-digit track") << "12" << "Queen" << "Innuendo" << "12 - Queen - Innuendo";
    QTest::newRow("three-digit track from a tag") << "255" << "Queen" << "Innuendo" << "255 - Queen - Innuendo";
    QTest::newRow("empty fields keep the separator") << "" << "" << "" << " - ";
    QTest::newRow("track, empty fields") << "3" << "" << "" << "03 -  - ";
  }
  void composing() {
    QFETCH(QString, track);
    QFETCH(QString, artist);
    QFETCH(QString, titel);
    QFETCH(QString, name);
    QCOMPARE(TrackArtistTitleName(track, artist, titel), name);
    if (track.isEmpty()) QCOMPARE(ArtistTitleName(artist, titel), name);
  }

  void nameWithoutExtension_data() {
    QTest::addColumn<QString>("entry");
    QTest::addColumn<QString>("old");
    QTest::newRow("mp3") << "track01.mp3" << "track01";
    QTest::newRow("wma") << "song.wma" << "song";
    QTest::newRow("upper case") << "SONG.MP3" << "SONG";
    QTest::newRow("short") << "abc" << "";
  }
  void nameWithoutExtension() {
    QFETCH(QString, entry);
    QFETCH(QString, old);
    QCOMPARE(NameWithoutExtension(entry), old);
  }

  void newName_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("old");
    QTest::addColumn<bool>("unchanged");
    QTest::addColumn<QString>("name");
    QTest::newRow("new name") << "Queen - Innuendo" << "track01" << false << "Queen - Innuendo.mp3";
    QTest::newRow("typed .MP3 is not doubled")
        << "Queen - Innuendo.MP3" << "track01" << false << "Queen - Innuendo.mp3";
    QTest::newRow("typed .mp3") << "Queen - Innuendo.mp3" << "track01" << false << "Queen - Innuendo.mp3";
    QTest::newRow("two typed extensions give one") << "a.mp3.Mp3" << "x" << false << "a.mp3";
    QTest::newRow("unchanged") << "track01" << "track01" << true << "track01.mp3";
    QTest::newRow("unchanged with extension") << "track01.mp3" << "track01" << true << "track01.mp3";
    QTest::newRow("wma to the same stem") << "song" << "song" << true << "song.mp3";
    QTest::newRow("wma to a new case") << "Song" << "song" << false << "Song.mp3";
    QTest::newRow("case only") << "Queen - Innuendo" << "queen - innuendo" << false << "Queen - Innuendo.mp3";
    QTest::newRow("other extension stays") << "a.wav" << "a" << false << "a.wav.mp3";
  }
  void newName() {
    QFETCH(QString, typed);
    QFETCH(QString, old);
    QFETCH(bool, unchanged);
    QFETCH(QString, name);
    const NewFileName n = NewNameFor(typed, old);
    QCOMPARE(n.unchanged, unchanged);
    QCOMPARE(n.name, name);
  }

  void nameTakenText() {
    QCOMPARE(NameTakenText("a.mp3"), QStringLiteral("En fil med namnet \"a.mp3\" finns redan!"));
  }

  void createFolder_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("created");
    QTest::newRow("new") << "Ny mapp" << true;
    QTest::newRow("Swedish letters") << "Låtar från förr" << true;
    QTest::newRow("exists") << "finns" << false;
    QTest::newRow("file of that name") << "fil.mp3" << false;
    QTest::newRow("empty") << "" << false;
    QTest::newRow("dot") << "." << false;
    QTest::newRow("dot dot") << ".." << false;
    QTest::newRow("separator") << "finns/under" << false;
    QTest::newRow("out of the folder") << "../ute" << false;
  }
  void createFolder() {
    QFETCH(QString, name);
    QFETCH(bool, created);
    QTemporaryDir tmp;
    QDir base(tmp.path());
    base.mkdir("inne");
    base.mkdir("inne/finns");
    QFile(base.filePath("inne/fil.mp3")).open(QIODevice::WriteOnly);
    const QStringList before = QDir(tmp.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
    const QStringList inside = QDir(base.filePath("inne/finns")).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);

    QCOMPARE(CreateFolderIn(base.filePath("inne"), name), created);
    if (created) QVERIFY(QFileInfo(base.filePath("inne/" + name)).isDir());
    // Nothing appears anywhere else.
    QCOMPARE(QDir(tmp.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), before);
    QCOMPARE(QDir(base.filePath("inne/finns")).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), inside);
  }

  void createFolderInMissingParent() {
    QTemporaryDir tmp;
    QVERIFY(!CreateFolderIn(tmp.filePath("saknas"), "ny"));
    QVERIFY(!QFileInfo::exists(tmp.filePath("saknas")));
  }
};

QTEST_GUILESS_MAIN(TestChangeNameRules)
#include "tst_changenamerules.moc"
