// The rename dialog on its own: its controls, how the name is composed from
// the fields, the "<- ID3" buttons, "Fixa Gemener", keys and the pointer.
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>

#include "ChangeName.h"
#include "Fixtures.h"

namespace {

// Types text character by character; keyClicks cannot send å, ä, ö.
void Type(QWidget* w, const QString& text) {
  for (const QChar ch : text) QTest::sendKeyEvent(QTest::Click, w, Qt::Key_unknown, QString(ch), Qt::NoModifier);
}

QString FocusName() { return QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : QString(); }

}  // namespace

class TestChangeName : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<QTemporaryDir> dir;
  std::unique_ptr<TBytNamnDLG> dlg;

  // Shows the dialog for a file of the given bytes, as the command does.
  void ShowFor(const Fx::Bytes& bytes, const QString& name = "track01.mp3") {
    const QString path = dir->filePath(name);
    Fx::WriteFile(path.toStdString(), bytes);
    dlg->BNPath = path;
    dlg->BNTitel->clear();
    dlg->SetName(name.chopped(4));
    dlg->show();
    QVERIFY(QTest::qWaitForWindowActive(dlg.get()));
  }
  QPushButton* Button(const char* name) const { return dlg->findChild<QPushButton*>(name); }

 private slots:
  void init() {
    dir = std::make_unique<QTemporaryDir>();
    dlg = std::make_unique<TBytNamnDLG>();
  }
  void cleanup() {
    dlg.reset();
    dir.reset();
  }

  void controls() {
    const struct {
      const char* name;
      const char* caption;
    } buttons[] = {{"ID3ToArtist", "<- ID3"}, {"ID3ToTitel", "<- ID3"}, {"ID3ToTrack", "<- ID3"},
                   {"Button1", "Fixa Gemener"}, {"OKBtn", "Byt namn!"}, {"CancelBtn", "Avbryt"}};
    for (const auto& b : buttons) {
      QVERIFY2(Button(b.name), b.name);
      QCOMPARE(Button(b.name)->text(), QString::fromUtf8(b.caption));
    }
    for (const char* edit : {"BNArtist", "BNTitel", "BNTrack", "BNName"})
      QVERIFY2(dlg->findChild<QLineEdit*>(edit), edit);
    QCOMPARE(dlg->BNArtist->maxLength(), 30);
    QCOMPARE(dlg->BNTitel->maxLength(), 30);
    QStringList labels;
    for (const QLabel* label : dlg->findChildren<QLabel*>()) labels << label->text();
    for (const char* caption : {"Artist:", "Titel:", "Spår:", "Filnamn efter byte:", ".mp3"})
      QVERIFY2(labels.contains(QString::fromUtf8(caption)), caption);
    QVERIFY(dlg->isModal());
  }

  // The edge cases of a rename by hand, key by key.
  void composingByKeys() {
    ShowFor(Fx::Frames(Fx::Mp{}, 2));
    QCOMPARE(dlg->BNName->text(), QStringLiteral("track01"));
    QCOMPARE(FocusName(), QStringLiteral("BNArtist"));
    QTest::keyClicks(dlg->BNArtist, "Queen");
    QCOMPARE(dlg->BNName->text(), QStringLiteral("Queen - "));
    QTest::keyClick(dlg->BNArtist, Qt::Key_Return);
    QCOMPARE(FocusName(), QStringLiteral("BNTitel"));
    QTest::keyClicks(dlg->BNTitel, "Innuendo");
    QCOMPARE(dlg->BNName->text(), QStringLiteral("Queen - Innuendo"));
    QTest::keyClicks(dlg->BNTrack, "7");
    QCOMPARE(dlg->BNName->text(), QStringLiteral("07 - Queen - Innuendo"));
    QTest::keyClicks(dlg->BNTrack, "1");
    QCOMPARE(dlg->BNName->text(), QStringLiteral("71 - Queen - Innuendo"));
    // Editing the title afterwards drops the prefix.
    QTest::keyClicks(dlg->BNTitel, "!");
    QCOMPARE(dlg->BNName->text(), QStringLiteral("Queen - Innuendo!"));
    QTest::keyClick(dlg->BNTitel, Qt::Key_Return);
    QCOMPARE(FocusName(), QStringLiteral("OKBtn"));
    QTest::keyClick(dlg->OKBtn, Qt::Key_Return);
    QVERIFY(!dlg->isVisible());
    QCOMPARE(dlg->result(), int(QDialog::Accepted));
  }

  void trackField_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("track");
    QTest::newRow("digits") << "12" << "12";
    QTest::newRow("letters refused") << "a7Z" << "7";
    QTest::newRow("Å passes") << "Å" << "Å";
    QTest::newRow("punctuation passes") << "-." << "-.";
    QTest::newRow("two characters at most") << "123" << "12";
  }
  void trackField() {
    QFETCH(QString, typed);
    QFETCH(QString, track);
    ShowFor(Fx::Frames(Fx::Mp{}, 2));
    dlg->BNTrack->setFocus();
    Type(dlg->BNTrack, typed);
    QCOMPARE(dlg->BNTrack->text(), track);
  }

  void enterInTrackPressesNothing() {
    ShowFor(Fx::Frames(Fx::Mp{}, 2));
    dlg->BNTrack->setFocus();
    QTest::keyClick(dlg->BNTrack, Qt::Key_Return);
    QVERIFY(dlg->isVisible());
    QCOMPARE(FocusName(), QStringLiteral("BNTrack"));
  }

  void enterInNameGoesToOk() {
    ShowFor(Fx::Frames(Fx::Mp{}, 2));
    dlg->BNName->setFocus();
    QTest::keyClick(dlg->BNName, Qt::Key_Return);
    QVERIFY(dlg->isVisible());
    QCOMPARE(FocusName(), QStringLiteral("OKBtn"));
  }

  void escapeCancels() {
    ShowFor(Fx::Frames(Fx::Mp{}, 2));
    QTest::keyClick(dlg->BNArtist, Qt::Key_Escape);
    QVERIFY(!dlg->isVisible());
    QCOMPARE(dlg->result(), int(QDialog::Rejected));
  }

  // Each button copies only what the tag holds; otherwise nothing changes.
  void copyFromTag_data() {
    QTest::addColumn<Fx::Bytes>("tag");  // empty: the file has none
    QTest::addColumn<QString>("button");
    QTest::addColumn<QStringList>("after");  // artist, title, track, name
    const Fx::Bytes v11 = Fx::ID3v1({.title = "Innuendo", .artist = "Queen", .track = 3});
    const Fx::Bytes v10 = Fx::ID3v1({.title = "Innuendo", .artist = "Queen"});
    const Fx::Bytes noArtist = Fx::ID3v1({.title = "Innuendo"});
    const Fx::Bytes swedish = Fx::ID3v1({.title = "J\xE4nta \xE5 ja", .artist = "Bj\xF6rn"});
    QTest::newRow("artist") << v10 << "ID3ToArtist" << QStringList{"Queen", "", "", "Queen - "};
    QTest::newRow("title") << v10 << "ID3ToTitel" << QStringList{"", "Innuendo", "", " - Innuendo"};
    QTest::newRow("track of v1.1") << v11 << "ID3ToTrack" << QStringList{"", "", "3", "03 -  - "};
    QTest::newRow("track of v1.0: nothing") << v10 << "ID3ToTrack" << QStringList{"", "", "", "track01"};
    QTest::newRow("empty artist: nothing") << noArtist << "ID3ToArtist" << QStringList{"", "", "", "track01"};
    QTest::newRow("no tag: nothing") << Fx::Bytes{} << "ID3ToTitel" << QStringList{"", "", "", "track01"};
    QTest::newRow("Swedish letters") << swedish << "ID3ToTitel" << QStringList{"", "Jänta å ja", "", " - Jänta å ja"};
  }
  void copyFromTag() {
    QFETCH(Fx::Bytes, tag);
    QFETCH(QString, button);
    QFETCH(QStringList, after);
    ShowFor(Fx::Cat({Fx::Frames(Fx::Mp{}, 2), tag}));
    QTest::mouseClick(Button(qPrintable(button)), Qt::LeftButton);
    QCOMPARE(QStringList({dlg->BNArtist->text(), dlg->BNTitel->text(), dlg->BNTrack->text(), dlg->BNName->text()}),
             after);
  }

  // A file that is gone has no tag: nothing of the previous file is copied.
  void goneFileForgetsThePreviousTag() {
    ShowFor(Fx::Cat({Fx::Frames(Fx::Mp{}, 2), Fx::ID3v1({.artist = "Queen"})}));
    dlg->hide();
    dlg->BNPath = dir->filePath("gone.mp3");
    dlg->show();
    QTest::mouseClick(dlg->ID3ToArtist, Qt::LeftButton);
    QCOMPARE(dlg->BNArtist->text(), QString());
  }

  void fixaGemener_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("fixed");
    QTest::newRow("words") << "QUEEN - innuendo (live)" << "Queen - Innuendo (Live)";
    QTest::newRow("Swedish") << "ÅSA ÖSTLUND" << "Åsa Östlund";
    QTest::newRow("empty stays empty") << "" << "";
  }
  void fixaGemener() {
    QFETCH(QString, name);
    QFETCH(QString, fixed);
    ShowFor(Fx::Frames(Fx::Mp{}, 2));
    dlg->SetName(name);
    QTest::mouseClick(dlg->Button1, Qt::LeftButton);
    QCOMPARE(dlg->BNName->text(), fixed);
    QCOMPARE(FocusName(), QStringLiteral("OKBtn"));
  }

  // The artist kept from an earlier use puts the focus on the title.
  void focusOnShow() {
    dlg->BNArtist->setText("Queen");
    ShowFor(Fx::Frames(Fx::Mp{}, 2));
    QCOMPARE(FocusName(), QStringLiteral("BNTitel"));
  }

  void pointerGivesFocus_data() {
    QTest::addColumn<QString>("field");
    QTest::newRow("BNArtist") << "BNArtist";
    QTest::newRow("BNTitel") << "BNTitel";
    QTest::newRow("BNTrack") << "BNTrack";
  }
  void pointerGivesFocus() {
    QFETCH(QString, field);
    ShowFor(Fx::Frames(Fx::Mp{}, 2));
    dlg->BNName->setFocus();
    QWidget* edit = dlg->findChild<QLineEdit*>(field);
    QTest::mouseMove(edit, edit->rect().center());
    QCOMPARE(FocusName(), field);
  }

  // A composed name may be longer than the 64 characters one may type; it
  // keeps its end, can be shortened, but not lengthened by typing.
  void longComposedName() {
    ShowFor(Fx::Frames(Fx::Mp{}, 2));
    dlg->BNArtist->setText(QString(30, u'a'));
    dlg->BNTitel->setFocus();
    Type(dlg->BNTitel, QString(30, u'b'));
    QTest::keyClicks(dlg->BNTrack, "12");
    const QString full = "12 - " + QString(30, u'a') + " - " + QString(30, u'b');
    QCOMPARE(dlg->BNName->text(), full);
    dlg->BNName->setFocus();
    dlg->BNName->end(false);
    Type(dlg->BNName, "x");
    QCOMPARE(dlg->BNName->text(), full);
    QTest::keyClick(dlg->BNName, Qt::Key_Backspace);
    QCOMPARE(dlg->BNName->text(), full.chopped(1));
    dlg->SetName(QString());
    Type(dlg->BNName, QString(70, u'n'));
    QCOMPARE(dlg->BNName->text(), QString(64, u'n'));
  }
};

QTEST_MAIN(TestChangeName)
#include "tst_changename.moc"
