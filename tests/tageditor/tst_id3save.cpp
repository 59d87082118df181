// The tag editor's save, offscreen with scripted dialogs: what it writes into
// files with and without tags, the bytes of the block, the track field on
// Enter, read-only files and failed writes.
#include <sys/file.h>
#include <sys/stat.h>

#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>

#include "FakeDialogs.h"
#include "FileSizeLimit.h"
#include "Fixtures.h"
#include "Id3Frm.h"

using Fx::Bytes;

namespace {

const QString kNotSaved = QStringLiteral("ID3Taggen blev inte sparad p g a ett okänt fel!");
const QString kId3v2Only = QStringLiteral(
    "Filen innehåller en ID3TagV2 som jag inte har haft tid att implementera stöd för!\r\nSparningen blev avbruten!");

void ExpectRaiseWarning() {
  if (QGuiApplication::platformName() == QLatin1String("offscreen"))
    QTest::ignoreMessage(QtWarningMsg, "This plugin does not support raise()");
}

Bytes Audio() { return Fx::Frames(Fx::Mp{}, 4); }
Bytes V2() { return Fx::ID3v2(3, {{"TIT2", Fx::TextContent("Gammal")}}); }
Bytes OldV1() { return Fx::ID3v1({.title = "Gammal", .artist = "Gammal", .track = 3, .genre = 0}); }
Bytes Tail(const Bytes& b) { return Bytes(b.end() - 128, b.end()); }
Bytes Head(const Bytes& b, std::size_t n) { return Bytes(b.begin(), b.begin() + std::ptrdiff_t(n)); }

}  // namespace

class TestId3Save : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<QTemporaryDir> dir;
  std::unique_ptr<FakeDialogs> dialogs;
  std::unique_ptr<TID3Form> form;
  QString path;

  // A file of the given bytes, chosen in the editor with the fields the
  // probe would have put there.
  void Open(const Bytes& bytes) {
    Fx::WriteFile(path.toStdString(), bytes);
    form->SetFil(path);
    form->SetTitel("Waterloo");
    form->SetArtist("ABBA");
  }
  Bytes File() const { return Fx::ReadFile(path.toStdString()); }
  // Presses Enter in a field, as the user saves.
  void Save(QWidget* field = nullptr) {
    if (!field) field = form->ITitel;
    field->setFocus();
    QTest::keyClick(field, Qt::Key_Return);
  }

 private slots:
  void init() {
    dir = std::make_unique<QTemporaryDir>();
    path = dir->filePath("ABBA - Waterloo.mp3");
    dialogs = std::make_unique<FakeDialogs>();
    ExpectRaiseWarning();
    form = std::make_unique<TID3Form>();
    form->show();
    QVERIFY(QTest::qWaitForWindowActive(form.get()));
  }
  void cleanup() {
    form.reset();
    QVERIFY2(dialogs->unexpected().isEmpty(), qPrintable(dialogs->unexpected().join('\n')));
    dialogs.reset();
    dir.reset();
  }

  // Only the last 128 bytes are ever written; a file without a block grows
  // by one, a file with only an ID3v2 tag is refused.
  void saveByTagKind_data() {
    QTest::addColumn<Bytes>("before");
    QTest::addColumn<bool>("written");
    QTest::addColumn<qint64>("growth");
    QTest::addColumn<QStringList>("messages");
    QTest::newRow("no tag") << Audio() << true << qint64(128) << QStringList{};
    QTest::newRow("ID3v1") << Fx::Cat({Audio(), OldV1()}) << true << qint64(0) << QStringList{};
    QTest::newRow("ID3v2 and ID3v1") << Fx::Cat({V2(), Audio(), OldV1()}) << true << qint64(0) << QStringList{};
    QTest::newRow("ID3v2 only") << Fx::Cat({V2(), Audio()}) << false << qint64(0) << QStringList{kId3v2Only};
  }
  void saveByTagKind() {
    QFETCH(Bytes, before);
    QFETCH(bool, written);
    QFETCH(qint64, growth);
    QFETCH(QStringList, messages);
    Open(before);
    QSignalSpy saved(form.get(), &TID3Form::tagSaved);
    Save();

    const Bytes after = File();
    QCOMPARE(qint64(after.size()), qint64(before.size()) + growth);
    if (written) {
      const std::size_t kept = after.size() - 128;
      QCOMPARE(Head(after, kept), Head(before, kept));
      QCOMPARE(Tail(after), Fx::ID3v1({.title = "Waterloo", .artist = "ABBA"}));
    } else {
      QCOMPARE(after, before);
    }
    QCOMPARE(dialogs->shownTexts(), messages);
    // The refusal refreshes like a save, and leaves nothing to save.
    QCOMPARE(saved.count(), 1);
    QVERIFY(!form->SparKnapp->isEnabled());
  }

  void savedBlock_data() {
    QTest::addColumn<QStringList>("fields");  // title, artist, album, year, comment, track
    QTest::addColumn<QString>("genre");
    QTest::addColumn<Bytes>("block");
    QTest::newRow("trailing spaces, no genre")
        << QStringList{"Dancing Queen  ", "ABBA ", "Arrival", "1976", "Pop   ", ""} << ""
        << Fx::ID3v1({.title = "Dancing Queen", .artist = "ABBA", .album = "Arrival", .year = "1976",
                      .comment = "Pop", .genre = 255});
    QTest::newRow("three spaces give one, empty stays zero")
        << QStringList{"   ", "", "", "", "", ""} << "" << Fx::ID3v1({.title = " "});
    QTest::newRow("two-character year") << QStringList{"T", "", "", "76", "", ""} << ""
                                        << Fx::ID3v1({.title = "T", .year = "76"});
    QTest::newRow("track 7 with a short comment")
        << QStringList{"T", "", "", "", "Svensk pop", "7"} << ""
        << Fx::ID3v1({.title = "T", .comment = "Svensk pop", .track = 7});
    QTest::newRow("Rock") << QStringList{"T", "", "", "", "", ""} << "Rock" << Fx::ID3v1({.title = "T", .genre = 17});
    QTest::newRow("Swedish letters") << QStringList{"Hum hum från Humlegården", "Lars Winnerbäck", "", "", "", ""}
                                     << "" << Fx::ID3v1({.title = "Hum hum fr\xE5n Humleg\xE5rden",
                                                         .artist = "Lars Winnerb\xE4" "ck"});
  }
  void savedBlock() {
    QFETCH(QStringList, fields);
    QFETCH(QString, genre);
    QFETCH(Bytes, block);
    Open(Audio());
    QLineEdit* const edits[] = {form->ITitel, form->IArtist, form->IAlbum, form->IAr, form->IKommentar, form->ITrack};
    for (int i = 0; i < 6; ++i) edits[i]->setText(fields[i]);
    form->IGenreList->setCurrentIndex(form->IGenreList->findText(genre));
    Save();
    QCOMPARE(Tail(File()), block);
    QVERIFY(dialogs->shown().isEmpty());
  }

  // Enter saves without leaving the track field: what the field holds then.
  void trackOnEnter_data() {
    QTest::addColumn<QString>("track");
    QTest::addColumn<int>("stored");  // -1: nothing written at all; 0: no track byte
    QTest::addColumn<QStringList>("messages");
    QTest::newRow("255") << "255" << 255 << QStringList{};
    QTest::newRow("300 is stored as 254") << "300" << 254 << QStringList{};
    QTest::newRow("0 stores no track") << "0" << 0 << QStringList{};
    QTest::newRow("negative") << "-5" << -1 << QStringList{"'-5' is not a valid integer value"};
    QTest::newRow("not a number") << "1.5" << -1 << QStringList{"'1.5' is not a valid integer value"};
  }
  void trackOnEnter() {
    QFETCH(QString, track);
    QFETCH(int, stored);
    QFETCH(QStringList, messages);
    const Bytes before = Fx::Cat({Audio(), OldV1()});
    Open(before);
    form->ITrack->setText(track);
    QSignalSpy saved(form.get(), &TID3Form::tagSaved);
    Save(form->ITrack);
    QVERIFY(form->ITrack->hasFocus());
    QCOMPARE(dialogs->shownTexts(), messages);
    if (stored < 0) {
      QCOMPARE(File(), before);
      QCOMPARE(saved.count(), 0);
      QVERIFY(form->SparKnapp->isEnabled());  // the user can mend the field and save again
      return;
    }
    const Bytes block = Tail(File());
    QCOMPARE(int(block[125]), 0);
    QCOMPARE(int(block[126]), stored);
    QCOMPARE(saved.count(), 1);
  }

  void readOnlyFile_data() {
    QTest::addColumn<bool>("yes");
    QTest::newRow("No: nothing written") << false;
    QTest::newRow("Yes: writable again and saved") << true;
  }
  void readOnlyFile() {
    QFETCH(bool, yes);
    const Bytes before = Audio();
    Open(before);
    QVERIFY(::chmod(QFile::encodeName(path).constData(), 0444) == 0);
    yes ? dialogs->answerYes() : dialogs->answerNo();
    Save();
    const QString question = QStringLiteral("Filen ") + path + QStringLiteral(" är skrivskyddad! Ska jag ta bort det?");
    const QStringList shown = yes ? QStringList{question} : QStringList{question, kNotSaved};
    QCOMPARE(dialogs->shownTexts(), shown);
    QCOMPARE(dialogs->shown().front().caption, QStringLiteral("Bekräfta"));
    QCOMPARE(bool(QFile::permissions(path) & QFileDevice::WriteOwner), yes);
    QCOMPARE(File().size(), before.size() + (yes ? 128 : 0));
  }

  // A save that cannot write leaves the file as it was and says so; the
  // button stays enabled for another try.
  void failedSaveLeavesTheFile_data() {
    QTest::addColumn<QString>("how");
    QTest::newRow("held by another writer") << "lock";
    QTest::newRow("no room for the block") << "full";
    QTest::newRow("file gone") << "gone";
  }
  void failedSaveLeavesTheFile() {
    QFETCH(QString, how);
    const Bytes before = Audio();
    Open(before);
    QSignalSpy saved(form.get(), &TID3Form::tagSaved);
    if (how == "lock") {
      QFile other(path);
      QVERIFY(other.open(QIODevice::ReadWrite));
      QVERIFY(::flock(other.handle(), LOCK_EX | LOCK_NB) == 0);
      Save();
    } else if (how == "full") {
      const FileSizeLimit limit(before.size() + 10);
      Save();
    } else {
      QFile::remove(path);
      Save();
    }
    QCOMPARE(dialogs->shownTexts(), QStringList{kNotSaved});
    QCOMPARE(saved.count(), 0);
    QVERIFY(form->SparKnapp->isEnabled());
    if (how != "gone") QCOMPARE(File(), before);
  }
};

QTEST_MAIN(TestId3Save)
#include "tst_id3save.moc"
