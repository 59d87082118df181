#include <QApplication>
#include <QClipboard>
#include <QFileInfo>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>

#include "Caption.h"
#include "FakeDialogs.h"
#include "Fixtures.h"
#include "ID3v1.h"
#include "Id3Frm.h"
#include "QuickProbe.h"
#include "SwedishOrder.h"

namespace {

const QString kFile = QStringLiteral("/musik/ABBA - Waterloo.mp3");

// Types text character by character; keyClicks cannot send å, ä, ö.
void Type(QWidget* w, const QString& text) {
  for (const QChar ch : text) QTest::sendKeyEvent(QTest::Click, w, Qt::Key_unknown, QString(ch), Qt::NoModifier);
}

// Qt raises a tool window when it is shown, which the offscreen platform
// cannot do and says so.
void ExpectRaiseWarning() {
  if (QGuiApplication::platformName() == QLatin1String("offscreen"))
    QTest::ignoreMessage(QtWarningMsg, "This plugin does not support raise()");
}

QString FocusName() { return QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : QString(); }

}  // namespace

class TestId3Frm : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<FakeDialogs> dialogs;
  std::unique_ptr<TID3Form> form;

  QLineEdit* Field(const QString& name) const { return form->findChild<QLineEdit*>(name); }

 private slots:
  void init() {
    dialogs = std::make_unique<FakeDialogs>();
    ExpectRaiseWarning();
    form = std::make_unique<TID3Form>();
    form->show();
    QVERIFY(QTest::qWaitForWindowActive(form.get()));
  }
  void cleanup() {
    form.reset();
    dialogs.reset();
  }

  void controlsCarryTheirNames_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("maxLength");  // 0: not an edit field
    QTest::newRow("ITitel") << "ITitel" << 30;
    QTest::newRow("IArtist") << "IArtist" << 30;
    QTest::newRow("IAlbum") << "IAlbum" << 30;
    QTest::newRow("IAr") << "IAr" << 4;
    QTest::newRow("IKommentar") << "IKommentar" << 30;
    QTest::newRow("ITrack") << "ITrack" << 3;
    QTest::newRow("IGenreList") << "IGenreList" << 0;
    QTest::newRow("SparKnapp") << "SparKnapp" << 0;
    QTest::newRow("GroupBox1") << "GroupBox1" << 0;
    for (const char* info : {"ID3Inf", "MPEGInf", "BitrateInf", "LengthInf", "HzInf", "StereoInf"})
      QTest::newRow(info) << info << 0;
  }
  void controlsCarryTheirNames() {
    QFETCH(QString, name);
    QFETCH(int, maxLength);
    QWidget* control = form->findChild<QWidget*>(name);
    QVERIFY2(control, qPrintable(name));
    if (maxLength > 0) QCOMPARE(qobject_cast<QLineEdit*>(control)->maxLength(), maxLength);
    if (auto* info = qobject_cast<QLabel*>(control)) {
      QVERIFY(info->font().bold());
      QCOMPARE(info->parentWidget(), form->GroupBox1);
    }
  }

  void windowShowsItsTexts() {
    QCOMPARE(form->windowTitle(), QStringLiteral("ID3Info"));
    QCOMPARE(form->size(), QSize(201, 362));
    QVERIFY(form->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    QVERIFY(!form->windowFlags().testFlag(Qt::WindowMinimizeButtonHint));
    QVERIFY(!form->windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
    QCOMPARE(form->SparKnapp->text(), QStringLiteral("Spara förändringar!"));
    QVERIFY(form->SparKnapp->isDefault());
    QVERIFY(!form->SparKnapp->isEnabled());
    QCOMPARE(form->GroupBox1->title(), QStringLiteral(" MPEG/ID3Info "));
    QCOMPARE(form->LengthInf->toolTip(), QStringLiteral("Tid i Minuter:Sekunder"));

    QStringList labels;
    for (const QLabel* label : form->findChildren<QLabel*>()) labels << label->text();
    for (const char* caption : {"Titel:", "Artist:", "Album:", "År:", "Genre:", "Kommentar:", "Spår:", "Tag Version:",
                                "Typ:", "Bitrate:", "Längd:", "Hz:"})
      QVERIFY2(labels.contains(QString::fromUtf8(caption)), caption);
  }

  void tabGoesThroughTheFieldsInOrder() {
    form->SetFil(kFile);  // the first key enables SparKnapp, so it takes part
    form->ITitel->setFocus();
    QStringList order;
    for (int i = 0; i < 8; ++i) {
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
      order << FocusName();
    }
    QCOMPARE(order, QStringList({"IArtist", "IAlbum", "IAr", "IGenreList", "IKommentar", "ITrack", "SparKnapp",
                                 "ITitel"}));
  }

  void genreListHoldsThePickerNamesSorted() {
    QComboBox* list = form->IGenreList;
    QCOMPARE(list->currentIndex(), -1);
    QVERIFY(!list->isEditable());
    QStringList items, names;
    for (int i = 0; i < list->count(); ++i) items << list->itemText(i);
    for (const char* name : GenreChoices) names << QString::fromLatin1(name);
    QCOMPARE(items.size(), 126);
    QStringList sortedItems = items;
    sortedItems.sort();
    names.sort();
    QCOMPARE(sortedItems, names);
    // Letter case does not count: a code-point sort puts "AlternRock" first.
    QVERIFY(items.indexOf("Alternative") < items.indexOf("AlternRock"));
    QCOMPARE(items.front(), QStringLiteral("A Capella"));
    QCOMPARE(items.back(), QStringLiteral("Vocal"));
  }

  void sortSwedish_data() {
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<QStringList>("sorted");
    QTest::newRow("case ignored") << QStringList{"beta", "Alfa", "alfa2", "Gamma"}
                                  << QStringList{"Alfa", "alfa2", "beta", "Gamma"};
    QTest::newRow("å ä ö after z") << QStringList{"Ödla", "ärm", "Zebra", "Åska", "apa", "Vals"}
                                   << QStringList{"apa", "Vals", "Zebra", "Åska", "ärm", "Ödla"};
  }
  void sortSwedish() {
    QFETCH(QStringList, names);
    QFETCH(QStringList, sorted);
    SortSwedish(names);
    QCOMPARE(names, sorted);
  }

  // What a key does to a field's text, with and without a file chosen.
  void keyFilters_data() {
    QTest::addColumn<QString>("field");
    QTest::addColumn<bool>("withFile");
    QTest::addColumn<QString>("before");
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("after");
    const int ch = Qt::Key_unknown;
    const int bs = Qt::Key_Backspace;
    QTest::newRow("ITitel, no file, letter") << "ITitel" << false << "" << ch << "a" << "";
    QTest::newRow("ITitel, no file, backspace") << "ITitel" << false << "abc" << bs << "" << "abc";
    QTest::newRow("ITitel, file, letter") << "ITitel" << true << "" << ch << "a" << "a";
    QTest::newRow("ITitel, file, Å") << "ITitel" << true << "" << ch << "Å" << "Å";
    QTest::newRow("ITitel, file, backspace") << "ITitel" << true << "abc" << bs << "" << "ab";
    QTest::newRow("IArtist, no file, digit") << "IArtist" << false << "" << ch << "1" << "";
    QTest::newRow("IAlbum, no file, point") << "IAlbum" << false << "" << ch << "." << "";
    QTest::newRow("IKommentar, no file, letter") << "IKommentar" << false << "" << ch << "x" << "";
    QTest::newRow("IKommentar, file, letter") << "IKommentar" << true << "" << ch << "x" << "x";
    QTest::newRow("IAr, no file, digit") << "IAr" << false << "" << ch << "1" << "";
    QTest::newRow("IAr, file, digit") << "IAr" << true << "" << ch << "1" << "1";
    QTest::newRow("IAr, file, a") << "IAr" << true << "" << ch << "a" << "";
    QTest::newRow("IAr, file, Z") << "IAr" << true << "" << ch << "Z" << "";
    QTest::newRow("IAr, file, Å") << "IAr" << true << "" << ch << "Å" << "Å";
    QTest::newRow("IAr, file, ä") << "IAr" << true << "" << ch << "ä" << "ä";
    QTest::newRow("IAr, file, ö") << "IAr" << true << "" << ch << "ö" << "ö";
    QTest::newRow("IAr, file, minus") << "IAr" << true << "" << ch << "-" << "-";
    // A year read from a tag may hold letters already; typing may not add more.
    QTest::newRow("IAr, file, letter after tag letters") << "IAr" << true << "19x" << ch << "y" << "19x";
    QTest::newRow("IAr, file, backspace") << "IAr" << true << "1999" << bs << "" << "199";
    QTest::newRow("ITrack, no file, digit") << "ITrack" << false << "" << ch << "5" << "5";
    QTest::newRow("ITrack, no file, letter") << "ITrack" << false << "" << ch << "a" << "";
    QTest::newRow("ITrack, file, Q") << "ITrack" << true << "" << ch << "Q" << "";
    QTest::newRow("ITrack, file, Ö") << "ITrack" << true << "" << ch << "Ö" << "Ö";
  }
  void keyFilters() {
    QFETCH(QString, field);
    QFETCH(bool, withFile);
    QFETCH(QString, before);
    QFETCH(int, key);
    QFETCH(QString, text);
    QFETCH(QString, after);
    if (withFile) form->SetFil(kFile);
    QLineEdit* edit = Field(field);
    edit->setText(before);
    edit->setFocus();
    QTest::sendKeyEvent(QTest::Click, edit, static_cast<Qt::Key>(key), text, Qt::NoModifier);
    QCOMPARE(edit->text(), after);
  }

  void cursorKeysWorkWithoutFile() {
    form->SetTitel("abc");
    form->ITitel->setFocus();
    QTest::keyClick(form->ITitel, Qt::Key_End);
    QCOMPARE(form->ITitel->cursorPosition(), 3);
    QTest::keyClick(form->ITitel, Qt::Key_Left);
    QCOMPARE(form->ITitel->cursorPosition(), 2);
  }

  void commandKeysPassTheLetterFilter() {
    form->SetFil(kFile);
    form->SetAr("1999");
    form->IAr->setFocus();
    QTest::keyClick(form->IAr, Qt::Key_A, Qt::ControlModifier);  // select all
    Type(form->IAr, "2");
    QCOMPARE(form->IAr->text(), QStringLiteral("2"));
  }

  // Pasting must not get round the key filters.
  void paste_data() {
    QTest::addColumn<QString>("field");
    QTest::addColumn<bool>("withFile");
    QTest::addColumn<QString>("clip");
    QTest::addColumn<QString>("after");
    QTest::newRow("ITitel, no file") << "ITitel" << false << "Waterloo" << "";
    QTest::newRow("IKommentar, no file") << "IKommentar" << false << "Waterloo" << "";
    QTest::newRow("IAr, no file") << "IAr" << false << "1974" << "";
    QTest::newRow("ITitel, file") << "ITitel" << true << "Waterloo" << "Waterloo";
    QTest::newRow("IAr, file, digits") << "IAr" << true << "1974" << "1974";
    QTest::newRow("IAr, file, letters refused whole") << "IAr" << true << "19ab" << "";
    QTest::newRow("ITrack, no file, digits") << "ITrack" << false << "7" << "7";
    QTest::newRow("ITrack, file, letters refused whole") << "ITrack" << true << "7a" << "";
  }
  void paste() {
    QFETCH(QString, field);
    QFETCH(bool, withFile);
    QFETCH(QString, clip);
    QFETCH(QString, after);
    if (withFile) form->SetFil(kFile);
    QGuiApplication::clipboard()->setText(clip);
    QCOMPARE(QGuiApplication::clipboard()->text(), clip);
    QLineEdit* edit = Field(field);
    edit->setFocus();
    QTest::keyClick(edit, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(edit->text(), after);
  }

  void anyKeyEnablesSaving_data() {
    QTest::addColumn<QString>("field");
    QTest::addColumn<bool>("withFile");
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("enabled");
    QTest::newRow("arrow in ITitel") << "ITitel" << true << int(Qt::Key_Left) << "" << true;
    QTest::newRow("refused letter in IAr") << "IAr" << true << int(Qt::Key_unknown) << "a" << true;
    QTest::newRow("digit in ITrack") << "ITrack" << true << int(Qt::Key_unknown) << "5" << true;
    QTest::newRow("letter in IKommentar, no file") << "IKommentar" << false << int(Qt::Key_unknown) << "x" << false;
    QTest::newRow("digit in ITrack, no file") << "ITrack" << false << int(Qt::Key_unknown) << "5" << false;
  }
  void anyKeyEnablesSaving() {
    QFETCH(QString, field);
    QFETCH(bool, withFile);
    QFETCH(int, key);
    QFETCH(QString, text);
    QFETCH(bool, enabled);
    if (withFile) form->SetFil(kFile);
    QLineEdit* edit = Field(field);
    edit->setFocus();
    QTest::sendKeyEvent(QTest::Click, edit, static_cast<Qt::Key>(key), text, Qt::NoModifier);
    QCOMPARE(form->SparKnapp->isEnabled(), enabled);
  }

  void pickingAGenre_data() {
    QTest::addColumn<bool>("withFile");
    QTest::newRow("with file") << true;
    QTest::newRow("no file") << false;
  }
  void pickingAGenre() {
    QFETCH(bool, withFile);
    if (withFile) form->SetFil(kFile);
    form->IGenreList->setFocus();
    QTest::keyClick(form->IGenreList, Qt::Key_Down);
    QCOMPARE(form->SparKnapp->isEnabled(), withFile);
    QCOMPARE(form->IGenreList->currentIndex(), withFile ? 0 : -1);
  }

  void probeSelectionDoesNotEnableSaving() {
    form->SetFil(kFile);
    form->SelectGenre("rock");
    QVERIFY(!form->SparKnapp->isEnabled());
  }

  void enterPressesSparKnapp_data() {
    QTest::addColumn<QString>("focus");
    QTest::addColumn<bool>("withFile");
    QTest::addColumn<bool>("enabled");  // before the key; in a text field the key itself enables it
    QTest::addColumn<int>("saves");
    QTest::newRow("ITitel") << "ITitel" << true << false << 1;
    QTest::newRow("ITrack") << "ITrack" << true << false << 1;
    QTest::newRow("IGenreList, after a pick") << "IGenreList" << true << true << 1;
    QTest::newRow("IGenreList, nothing changed") << "IGenreList" << true << false << 0;
    QTest::newRow("ITitel, no file") << "ITitel" << false << false << 0;
  }
  void enterPressesSparKnapp() {
    QFETCH(QString, focus);
    QFETCH(bool, withFile);
    QFETCH(bool, enabled);
    QFETCH(int, saves);
    QTemporaryDir dir;
    const QString path = dir.filePath("a.mp3");
    Fx::WriteFile(path.toStdString(), Fx::Frames(Fx::Mp{}, 2));
    if (withFile) form->SetFil(path);
    form->SparKnapp->setEnabled(enabled);
    QSignalSpy saved(form.get(), &TID3Form::tagSaved);
    QWidget* control = form->findChild<QWidget*>(focus);
    control->setFocus();
    QTest::keyClick(control, Qt::Key_Return);
    QCOMPARE(saved.count(), saves);
    QCOMPARE(QFileInfo(path).size(), qint64(2 * Fx::FrameLen(Fx::Mp{}) + saves * 128));
    QVERIFY(dialogs->shown().isEmpty());
  }

  void escapeDoesNotHide() {
    QSignalSpy hidden(form.get(), &TID3Form::hiddenByClose);
    form->ITitel->setFocus();
    QTest::keyClick(form->ITitel, Qt::Key_Escape);
    QVERIFY(form->isVisible());
    QCOMPARE(hidden.count(), 0);
  }

  // Leaving the field caps a large number; a text that is no whole number
  // stays and is reported once.
  void trackAboveLimitIsCappedOnLeaving_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("after");
    QTest::addColumn<QStringList>("messages");
    const QStringList none;
    QTest::newRow("300") << "300" << "254" << none;
    QTest::newRow("255") << "255" << "254" << none;
    QTest::newRow("999") << "999" << "254" << none;
    QTest::newRow("254 stays") << "254" << "254" << none;
    QTest::newRow("7 stays") << "7" << "7" << none;
    QTest::newRow("empty stays") << "" << "" << none;
    QTest::newRow("negative stays") << "-5" << "-5" << none;
    QTest::newRow("not a number stays") << "1.5" << "1.5" << QStringList{"'1.5' is not a valid integer value"};
    QTest::newRow("Å stays") << "Å" << "Å" << QStringList{"'Å' is not a valid integer value"};
  }
  void trackAboveLimitIsCappedOnLeaving() {
    QFETCH(QString, typed);
    QFETCH(QString, after);
    QFETCH(QStringList, messages);
    form->SetFil(kFile);
    form->ITrack->setFocus();
    Type(form->ITrack, typed);
    QCOMPARE(form->ITrack->text(), typed);
    QTest::keyClick(form->ITrack, Qt::Key_Tab);
    QVERIFY(!form->ITrack->hasFocus());
    QCOMPARE(form->ITrack->text(), after);
    QCoreApplication::processEvents();
    QCOMPARE(dialogs->shownTexts(), messages);
  }

  void leavingTheWindowIsNotLeavingTheField() {
    form->SetFil(kFile);
    form->ITrack->setFocus();
    Type(form->ITrack, "1.5");
    QWidget other;
    other.show();
    other.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&other));
    QCoreApplication::processEvents();
    QVERIFY(dialogs->shown().isEmpty());
  }

  void closingHidesAndTells() {
    QSignalSpy hidden(form.get(), &TID3Form::hiddenByClose);
    QVERIFY(!form->close());
    QVERIFY(!form->isVisible());
    QCOMPARE(hidden.count(), 1);
    ExpectRaiseWarning();
    form->show();
    QVERIFY(form->isVisible());
  }

  void fieldsTakeWhatTheyAreGiven() {
    ITagEditorFields& fields = *form;
    fields.SetTitel("Waterloo  ");
    fields.SetArtist("ABBA");
    fields.SetAlbum("Waterloo");
    fields.SetAr("1974");
    fields.SetKommentar("Eurovision");
    fields.SetTrack("1");
    fields.SelectGenre("rock");
    QCOMPARE(form->ITitel->text(), QStringLiteral("Waterloo  "));
    QCOMPARE(form->IArtist->text(), QStringLiteral("ABBA"));
    QCOMPARE(form->IAlbum->text(), QStringLiteral("Waterloo"));
    QCOMPARE(form->IAr->text(), QStringLiteral("1974"));
    QCOMPARE(form->IKommentar->text(), QStringLiteral("Eurovision"));
    QCOMPARE(form->ITrack->text(), QStringLiteral("1"));
    QCOMPARE(form->IGenreList->currentText(), QStringLiteral("Rock"));
    fields.SelectGenre("DANCE HALL");
    QCOMPARE(form->IGenreList->currentText(), QStringLiteral("Dance Hall"));
    fields.ClearGenreSelection();
    QCOMPARE(form->IGenreList->currentIndex(), -1);
  }

  // The probe fills the window from a file's ID3v1 block; the genre byte
  // names an entry of the picker list, whose position in the sorted list differs.
  void probeFillsTheWindow_data() {
    QTest::addColumn<int>("genre");
    QTest::addColumn<QString>("selected");
    QTest::newRow("17") << 17 << "Rock";
    QTest::newRow("92, the picker's spelling") << 92 << "Progressive Rock";
    QTest::newRow("125") << 125 << "Dance Hall";
    QTest::newRow("255, none") << 255 << "";
  }
  void probeFillsTheWindow() {
    QFETCH(int, genre);
    QFETCH(QString, selected);
    QTemporaryDir dir;
    const std::string path = (dir.path() + "/a.mp3").toStdString();
    Fx::V1 v{.title = "Dancing Queen", .artist = "Bj\xF6rn", .album = "Arrival", .year = "1976",
             .comment = "Svensk pop", .track = 7, .genre = static_cast<std::uint8_t>(genre)};
    Fx::WriteFile(path, Fx::Cat({Fx::Frames(Fx::Mp{}, 2), Fx::ID3v1(v)}));
    form->SelectGenre("Blues");  // a selection left from an earlier file

    TagProbe probe;
    probe.SetEditor(form.get());
    Morv::TID3Svar svar;
    probe.HamtaId3Tag(path, 0, svar);

    QCOMPARE(form->ITitel->text(), QStringLiteral("Dancing Queen"));
    QCOMPARE(form->IArtist->text(), QStringLiteral("Björn"));
    QCOMPARE(form->IAlbum->text(), QStringLiteral("Arrival"));
    QCOMPARE(form->IAr->text(), QStringLiteral("1976"));
    QCOMPARE(form->IKommentar->text(), QStringLiteral("Svensk pop"));
    QCOMPARE(form->ITrack->text(), QStringLiteral("7"));
    QCOMPARE(form->IGenreList->currentText(), selected);
  }

  void rensaFieldsEmptiesEverything() {
    form->SetFil(kFile);
    for (QLineEdit* edit : form->findChildren<QLineEdit*>()) edit->setText("12");
    form->SelectGenre("Rock");
    for (QLabel* info : {form->ID3Inf, form->MPEGInf, form->BitrateInf, form->LengthInf, form->HzInf, form->StereoInf})
      info->setText("x");
    form->RensaFields();
    for (QLineEdit* edit : form->findChildren<QLineEdit*>()) QVERIFY2(edit->text().isEmpty(), qPrintable(edit->objectName()));
    QCOMPARE(form->IGenreList->currentIndex(), -1);
    for (QLabel* info : {form->ID3Inf, form->MPEGInf, form->BitrateInf, form->LengthInf, form->HzInf, form->StereoInf})
      QVERIFY2(info->text().isEmpty(), qPrintable(info->objectName()));
  }

  void captionRule_data() {
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("shown");
    QTest::newRow("both tags") << "1 && 2" << "1 & 2";
    QTest::newRow("v1.1 and v2") << "1.1 && 2" << "1.1 & 2";
    QTest::newRow("access key") << "&Spara" << "Spara";
    QTest::newRow("three") << "R&&&B" << "R&B";
    QTest::newRow("trailing single") << "R&" << "R";
    QTest::newRow("none") << "Titel:" << "Titel:";
  }
  void captionRule() {
    QFETCH(QString, caption);
    QFETCH(QString, shown);
    SetCaption(form->ID3Inf, caption);
    QCOMPARE(form->ID3Inf->text(), shown);
    QCOMPARE(form->ID3Inf->textFormat(), Qt::PlainText);
  }
};

QTEST_MAIN(TestId3Frm)
#include "tst_id3frm.moc"
