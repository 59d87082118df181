// The main window offscreen: listing and filters, the restored row, the
// details panel, the tool buttons, settings at start and close.
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QGroupBox>
#include <QScreen>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QLockFile>
#include <QMenu>
#include <QPushButton>
#include <QSettings>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolButton>
#include <QtTest>
#include <memory>

#include "FakeDialogs.h"
#include "Fixtures.h"
#include "OpenWatch.h"
#include "FolderTree.h"
#include "HintStyle.h"
#include "Id3Frm.h"
#include "LstFrm.h"
#include "MorvMP3Unit.h"
#include "StartMainWindow.h"
#include "SettingsStore.h"
#include "SingleInstance.h"
#include "StartupChecks.h"

using Fx::Bytes;

namespace {

const Fx::Mp kMp3;  // MPEG-1 Layer III, 128 kbit/s, 44100 Hz, joint stereo

Bytes Audio(int frames = 30) { return Fx::Frames(kMp3, std::size_t(frames)); }
Bytes V1(std::optional<std::uint8_t> track = {}) { return Fx::ID3v1({.title = "T", .artist = "A", .track = track}); }
Bytes V2() { return Fx::ID3v2(3, {{"TIT2", Fx::TextContent("Titel")}}); }

void Write(const QDir& dir, const QString& name, const Bytes& bytes) {
  Fx::WriteFile(dir.filePath(name).toStdString(), bytes);
}

QStringList Rows(const QListWidget* list) {
  QStringList rows;
  for (int i = 0; i < list->count(); ++i) rows << list->item(i)->text();
  return rows;
}

}  // namespace

class TestMorvForm : public QObject {
  Q_OBJECT

 private slots:
  void init();
  void cleanup();

  void filtersSortFilesByTagState_data();
  void filtersSortFilesByTagState();
  void allaScanOpensNoFile();
  void rowIndexIsRestored();
  void detailsOfAnMp3File_data();
  void detailsOfAnMp3File();
  void detailsOfAWmaFile();
  void toolButtonsFollowTheSelection();
  void rightClickChoosesRowAndMenu();
  void settingsRoundTrip();
  void firstStartAndBrokenValues();
  void secondInstanceIsRefused();
  void menusCarryTheirCommands();

 private:
  std::unique_ptr<TMorvForm> Start();
  void ChooseFolder(const QString& path);
  void Select(int row);

  std::unique_ptr<QTemporaryDir> home_;
  std::unique_ptr<FakeDialogs> dialogs_;
  std::unique_ptr<TMorvForm> form_;
};

void TestMorvForm::init() {
  home_ = std::make_unique<QTemporaryDir>();
  QFile::remove(SettingsStore::userFilePath());
  dialogs_ = std::make_unique<FakeDialogs>();
}

void TestMorvForm::cleanup() {
  if (form_) {
    form_->close();
    form_.reset();
  }
  QVERIFY2(dialogs_->unexpected().isEmpty(), qPrintable(dialogs_->unexpected().join('\n')));
  dialogs_.reset();
  QFile::remove(SettingsStore::userFilePath());
}

std::unique_ptr<TMorvForm> TestMorvForm::Start() {
  return StartMainWindow(home_->filePath("data"), home_->path());
}

void TestMorvForm::ChooseFolder(const QString& path) { form_->DirectoryListBox1->SetDirectory(path); }

void TestMorvForm::Select(int row) {
  form_->FLB->setCurrentRow(row);  // a keyboard move: runs the click handler
  QCoreApplication::processEvents();
}

void TestMorvForm::filtersSortFilesByTagState_data() {
  QTest::addColumn<QString>("item");
  QTest::addColumn<QStringList>("rows");
  QTest::addColumn<QString>("info");
  QTest::newRow("Alla") << "Id3alla" << QStringList{"a.mp3", "b.mp3", "c.mp3", "d.wma", "e - ab.mp3", "SONG.MP3"} << "";
  QTest::newRow("Med ID3v1 (endast)") << "Id3v1" << QStringList{"a.mp3"} << "med ID3v1 (endast)";
  QTest::newRow("Utan ID3v1") << "Id3v1inte" << QStringList{"d.wma", "e - ab.mp3", "SONG.MP3"} << "utan ID3Tagv1";
  QTest::newRow("Med ID3v2") << "Id3v2" << QStringList{"b.mp3", "c.mp3"} << "med ID3Tagv2";
  QTest::newRow("Med felaktig namnstruktur")
      << "id3felnamn" << QStringList{"a.mp3", "b.mp3", "c.mp3", "d.wma", "SONG.MP3"} << "med felaktig namnstruktur";
}

void TestMorvForm::filtersSortFilesByTagState() {
  QFETCH(QString, item);
  QFETCH(QStringList, rows);
  QFETCH(QString, info);
  QDir dir(home_->path());
  dir.mkdir("music");
  dir.cd("music");
  Write(dir, "a.mp3", Fx::Cat({Audio(), V1()}));
  Write(dir, "b.mp3", Fx::Cat({V2(), Audio()}));
  Write(dir, "c.mp3", Fx::Cat({V2(), Audio(), V1()}));
  Write(dir, "d.wma", Fx::Zeros(300));
  Write(dir, "e - ab.mp3", Audio());
  Write(dir, "SONG.MP3", Audio());
  Write(dir, "notes.txt", V1());
  dir.mkdir("sub.mp3x");
  form_ = Start();
  ChooseFolder(dir.path());
  Select(2);

  auto* action = form_->findChild<QAction*>(item);
  QVERIFY(action);
  action->trigger();
  QCOMPARE(Rows(form_->FLB), rows);
  QCOMPARE(form_->AntFiler->text(), QString::number(rows.size()));
  QCOMPARE(form_->InfoTxt->text(), info);
  QVERIFY(action->isChecked());
  QCOMPARE(form_->FLB->currentRow(), -1);  // the filter leaves the list without a selection
  QCOMPARE(form_->InfoTxt->x(), form_->AntFiler->x() + form_->AntFiler->width() + 5);
  // Exactly one of the five is checked.
  int checked = 0;
  for (const char* name : {"Id3alla", "Id3v1", "Id3v1inte", "Id3v2", "id3felnamn"})
    checked += form_->findChild<QAction*>(name)->isChecked() ? 1 : 0;
  QCOMPARE(checked, 1);

  // Back to "Alla": every file again, without a new scan of the tags.
  form_->Id3alla->trigger();
  QCOMPARE(form_->FLB->count(), 6);
  QCOMPARE(form_->InfoTxt->text(), QString());
}

void TestMorvForm::allaScanOpensNoFile() {
  QDir dir(home_->path());
  dir.mkdir("music");
  dir.cd("music");
  for (int i = 0; i < 20; ++i) Write(dir, QString("f%1.mp3").arg(i), Fx::Cat({V2(), Audio(), V1()}));
  form_ = Start();
  OpenWatch watch(dir.path().toStdString());
  QVERIFY(watch.IsValid());
  ChooseFolder(dir.path());  // "Alla": names only
  QCOMPARE(form_->FLB->count(), 20);
  QCOMPARE(watch.TakeOpens(), 0);
  form_->Id3v2->trigger();  // the probing filters open every file
  QCOMPARE(form_->FLB->count(), 20);
  QVERIFY(watch.TakeOpens() >= 20);
}

void TestMorvForm::rowIndexIsRestored() {
  QDir dir(home_->path());
  dir.mkdir("seven");
  dir.mkdir("three");
  for (int i = 0; i < 7; ++i) Write(QDir(dir.filePath("seven")), QString("s%1.mp3").arg(i), Audio());
  for (int i = 0; i < 3; ++i) Write(QDir(dir.filePath("three")), QString("t%1.mp3").arg(i), Fx::Cat({Audio(), V1()}));
  form_ = Start();
  ChooseFolder(dir.filePath("seven"));
  Select(5);
  form_->Uppdatera1->trigger();  // F5
  QCOMPARE(form_->FLB->currentRow(), 5);
  QVERIFY(form_->FLB->currentItem()->isSelected());
  QCOMPARE(form_->ID3Form->Fil(), dir.filePath("seven/s5.mp3"));

  ChooseFolder(dir.filePath("three"));  // row 5 does not exist there
  QCOMPARE(form_->FLB->currentRow(), -1);
  QVERIFY(!form_->TBSpela->isEnabled());

  ChooseFolder(dir.filePath("seven"));
  Select(2);
  ChooseFolder(dir.filePath("three"));  // the index, not the file, is kept
  QCOMPARE(form_->FLB->currentRow(), 2);
  QCOMPARE(form_->ID3Form->Fil(), dir.filePath("three/t2.mp3"));
  QCOMPARE(form_->ID3Form->ITitel->text(), QString("T"));
}

void TestMorvForm::detailsOfAnMp3File_data() {
  QTest::addColumn<Bytes>("bytes");
  QTest::addColumn<QString>("id3");
  QTest::addColumn<QString>("bitrate");
  QTest::addColumn<QString>("stereo");
  QTest::addColumn<QString>("hz");
  const Bytes audio = Audio(40);
  QTest::newRow("v1.1 and v2") << Fx::Cat({V2(), audio, V1(5)}) << "1.1 & 2" << "128kbps" << "Joint Stereo" << "44100";
  QTest::newRow("v1 and v2") << Fx::Cat({V2(), audio, V1()}) << "1 & 2" << "128kbps" << "Joint Stereo" << "44100";
  QTest::newRow("v1.1") << Fx::Cat({audio, V1(5)}) << "1.1" << "128kbps" << "Joint Stereo" << "44100";
  QTest::newRow("v2 only") << Fx::Cat({V2(), audio}) << "2" << "128kbps" << "Joint Stereo" << "44100";
  Fx::Mp mono22 = kMp3;
  mono22.version = 2;
  mono22.bitrateIndex = 8;
  mono22.mode = 3;
  QTest::newRow("mpeg-2 mono, no tag") << Fx::Frames(mono22, 80) << "" << "64kbps" << "Mono" << "22050";
  QTest::newRow("vbr") << Fx::Cat({Fx::XingFrame(kMp3, 1000, 1000 * 418), audio}) << "" << "128kbps (VBR)"
                       << "Joint Stereo" << "44100";
}

void TestMorvForm::detailsOfAnMp3File() {
  QFETCH(Bytes, bytes);
  QFETCH(QString, id3);
  QFETCH(QString, bitrate);
  QFETCH(QString, stereo);
  QFETCH(QString, hz);
  QDir dir(home_->path());
  Write(dir, "x.mp3", bytes);
  form_ = Start();
  ChooseFolder(dir.path());
  Select(0);
  const TID3Form* ed = form_->ID3Form;
  QCOMPARE(ed->ID3Inf->text(), id3);
  QCOMPARE(ed->BitrateInf->text(), bitrate);
  QCOMPARE(ed->StereoInf->text(), stereo);
  QCOMPARE(ed->HzInf->text(), hz);
  QVERIFY(ed->MPEGInf->text().endsWith(" Lager 3"));
  // Play time: whole file size * 8 / rate, as M:SS.
  const qint64 seconds = qint64(bytes.size()) * 8 / (bitrate.left(bitrate.indexOf("kbps")).toLongLong() * 1000);
  QCOMPARE(ed->LengthInf->text(), QString("%1:%2").arg(seconds / 60).arg(seconds % 60, 2, 10, QChar('0')));
  // Size in MB with two decimals, the locale's separator and no leading zero below 1.
  QString mb = QString::number(double(bytes.size()) / 1024 / 1024, 'f', 2).replace('.', QLocale().decimalPoint());
  if (mb.startsWith('0')) mb.remove(0, 1);
  QCOMPARE(form_->SBPanel0->text(), QString("x.mp3: %1 bytes (%2 MB)").arg(bytes.size()).arg(mb));
  QVERIFY(ed->isVisible());
  QVERIFY(!ed->SparKnapp->isEnabled());
}

void TestMorvForm::detailsOfAWmaFile() {
  QDir dir(home_->path());
  Bytes wma = Fx::AsfHeader({Fx::FileProperties(128000), Fx::StreamProperties(1, 44100, 16000),
                             Fx::ExtendedContent({{u"WM/TRACK", 0, Fx::Utf16LE(u"7")}}),
                             Fx::ContentDescription(u"Låt", u"Artist", u"", u"", u"")});
  wma.resize(4000000);
  Write(dir, "a.mp3", Fx::Cat({Audio(), V1()}));
  Write(dir, "b.wma", wma);
  Write(dir, "c.wma", Fx::Zeros(500));
  form_ = Start();
  ChooseFolder(dir.path());
  Select(0);
  QVERIFY(form_->TBId32Namn->isEnabled());
  QCOMPARE(HintStyle::HintPause(), 500);
  Select(1);
  // WMA hints come quicker and stay longer.
  QCOMPARE(HintStyle::HintPause(), 100);
  QCOMPARE(HintStyle().styleHint(QStyle::SH_ToolTip_WakeUpDelay), 100);
  QCOMPARE(form_->FLB->toolTipDuration(), 10000);
  const QString tip = form_->FLB->toolTip();
  QVERIFY2(tip.startsWith("FilNamn: " + dir.filePath("b.wma") + "\nMono\n44100 hz\n250"), qPrintable(tip));
  QVERIFY(tip.contains("\n128 kbit\nTitel: Låt\nArtist: Artist\nAlbum: \nSpår: 7\nÅr: \n"));
  QVERIFY(form_->SBPanel0->text().startsWith("b.wma: 4000000 bytes (3"));
  QVERIFY(form_->TBId32Namn->isEnabled());  // a WMA file leaves the buttons as they were
  Select(2);
  QCOMPARE(form_->FLB->toolTip(), QString("Finns ingen igenkännbar TAG-data i filen!"));
}

void TestMorvForm::toolButtonsFollowTheSelection() {
  QDir dir(home_->path());
  Write(dir, "a.mp3", Fx::Cat({Audio(), V1()}));
  Write(dir, "b.mp3", Fx::Cat({V2(), Audio()}));
  form_ = Start();
  ChooseFolder(dir.path());
  QToolButton* const buttons[] = {form_->TBSpela, form_->TBGemener, form_->TBNamn2Id3, form_->TBTaBort};
  for (QToolButton* b : buttons) QVERIFY(!b->isEnabled());
  QVERIFY(!form_->TBId32Namn->isEnabled());
  Select(0);
  for (QToolButton* b : buttons) QVERIFY(b->isEnabled());
  QVERIFY(form_->TBId32Namn->isEnabled());  // it has an ID3v1 block to build a name from
  Select(1);
  QVERIFY(!form_->TBId32Namn->isEnabled());
  // Without the tag editor the stream is not examined and no name can be built.
  form_->ID3Info1->trigger();
  QVERIFY(!form_->ID3Info1->isChecked());
  QVERIFY(!form_->ID3Form->isVisible());
  Select(0);
  QVERIFY(!form_->TBId32Namn->isEnabled());
  QVERIFY(form_->ID3Form->BitrateInf->text().isEmpty());
  QVERIFY(form_->SBPanel0->text().startsWith("a.mp3: "));
}

void TestMorvForm::rightClickChoosesRowAndMenu() {
  QDir dir(home_->path());
  Write(dir, "a.mp3", Fx::Cat({Audio(), V1()}));
  Write(dir, "b.mp3", Audio());
  form_ = Start();
  ChooseFolder(dir.path());
  form_->ActionMode = 2;
  QWidget* view = form_->FLB->viewport();
  const QPoint onSecond = form_->FLB->visualItemRect(form_->FLB->item(1)).center();
  QTest::mouseClick(view, Qt::RightButton, {}, onSecond);
  QCOMPARE(form_->FLB->currentRow(), 1);
  QVERIFY(form_->TBSpela->isEnabled());
  QCOMPARE(form_->ListMenyn->defaultAction(), form_->Lggtillilistan1);
  QVERIFY(form_->ListMenyn->isVisible());
  form_->ListMenyn->hide();

  // Below the last row: no row, no file commands, no menu.
  QTest::mouseClick(view, Qt::RightButton, {}, QPoint(5, view->height() - 3));
  QVERIFY(form_->FLB->selectedItems().isEmpty());
  for (QToolButton* b : {form_->TBSpela, form_->TBGemener, form_->TBId32Namn, form_->TBNamn2Id3, form_->TBTaBort})
    QVERIFY(!b->isEnabled());
  QVERIFY(!form_->ListMenyn->isVisible());
}

void TestMorvForm::settingsRoundTrip() {
  QDir dir(home_->path());
  dir.mkdir("start");
  dir.mkdir("move");
  {
    auto store = SettingsStore::open();
    QVERIFY(store);
    store->writeString(SettingsValue::ActFolder, dir.filePath("start"));
    store->writeString(SettingsValue::MoveFolder, dir.filePath("move"));
    store->writeInteger(SettingsValue::WindowX, 100000);  // beyond the screen: designed left edge kept
    store->writeInteger(SettingsValue::WindowY, 50);
    store->writeInteger(SettingsValue::WindowW, 700);
    store->writeInteger(SettingsValue::DblKlick, 1);
    store->writeInteger(SettingsValue::SplashTime, 3);
    store->writeBoolean(SettingsValue::ID3Show, false);
    store->writeBoolean(SettingsValue::MP3Show, true);
  }
  form_ = Start();
  QCOMPARE(form_->DirectoryListBox1->Directory(), dir.filePath("start"));
  QCOMPARE(form_->MoveFolder, dir.filePath("move"));
  QCOMPARE(form_->Timer1->interval(), 3000);
  QCOMPARE(form_->SBPanel1->text(), QString("Lägg på kö"));
  QCOMPARE(form_->TBSpela->toolTip(), QString("Lägg på kö"));
  QVERIFY(!form_->ID3Info1->isChecked());
  QVERIFY(!form_->ID3Form->isVisible());
  QVERIFY(form_->MP3Lista1->isChecked());
  QCOMPARE(form_->y(), 50);
  QCOMPARE(form_->width(), 700);
  QCOMPARE(form_->height(), 456);

  // Close: everything is written back, the hidden MP3 list's placement too.
  ChooseFolder(dir.filePath("move"));
  form_->ListForm->hide();
  form_->ListForm->move(33, 44);
  // A left-over "latest.txt" of the program goes; a file of that name elsewhere stays.
  QDir().mkpath(home_->filePath("data"));
  Write(QDir(home_->filePath("data")), "latest.txt", Fx::Text("1.10"));
  Write(dir, "latest.txt", Fx::Text("mine"));
  form_->close();
  QVERIFY(!QFile::exists(home_->filePath("data/latest.txt")));
  QVERIFY(QFile::exists(dir.filePath("latest.txt")));
  form_.reset();
  QSettings ini(SettingsStore::userFilePath(), QSettings::IniFormat);
  QCOMPARE(ini.value("ActFolder").toString(), dir.filePath("move"));
  QCOMPARE(ini.value("MP3WindowX").toInt(), 33);
  QCOMPARE(ini.value("MP3WindowY").toInt(), 44);
  QCOMPARE(ini.value("WindowW").toInt(), 700);
  QCOMPARE(ini.value("DblKlick").toInt(), 1);
  QCOMPARE(ini.value("SplashTime").toInt(), 3);
  QCOMPARE(ini.value("ID3Show").toInt(), 0);
  for (const char* name : SettingsValue::All) QVERIFY2(ini.contains(name), name);
}

void TestMorvForm::firstStartAndBrokenValues() {
  form_ = Start();  // no settings at all
  const QSize screen = QGuiApplication::primaryScreen()->size();
  QCOMPARE(form_->pos(), QPoint(screen.width() / 2 - 530 / 2, screen.height() / 2 - 456 / 2));
  QCOMPARE(form_->ListForm->pos(), form_->pos());
  QCOMPARE(form_->ListForm->size(), QSize(537, 444));
  QCOMPARE(form_->ID3Form->pos(), QPoint(form_->x() + form_->width(), form_->y()));
  QVERIFY(form_->ID3Form->isVisible());
  QVERIFY(!form_->ListForm->isVisible());
  QCOMPARE(form_->Timer1->interval(), 2000);
  QCOMPARE(form_->DirectoryListBox1->Directory(), home_->path());
  form_->close();
  form_.reset();

  // Values that cannot be used fall back to their defaults; the window still appears.
  {
    QSettings ini(SettingsStore::userFilePath(), QSettings::IniFormat);
    ini.setValue("SplashTime", 0);
    ini.setValue("DblKlick", 7);
    ini.setValue("WindowW", "wide");
    ini.setValue("ActFolder", home_->filePath("gone"));
  }
  form_ = std::make_unique<TMorvForm>(home_->filePath("data"), home_->path());
  form_->FormCreate();
  QCOMPARE(form_->Timer1->interval(), 2000);
  QTRY_VERIFY_WITH_TIMEOUT(form_->isVisible(), 5000);
  QCOMPARE(form_->ActionMode, 0);
  QCOMPARE(form_->SBPanel1->text(), QString("Spela upp"));
  QCOMPARE(form_->DirectoryListBox1->Directory(), home_->path());
}

void TestMorvForm::secondInstanceIsRefused() {
  const QString lock = home_->filePath("Morv.lock");
  SingleInstance first(lock);
  QVERIFY(!AnotherInstanceRuns(first, *dialogs_));
  QVERIFY(dialogs_->shown().isEmpty());

  SingleInstance second(lock);
  QVERIFY(AnotherInstanceRuns(second, *dialogs_));
  QCOMPARE(dialogs_->shown().size(), 1);
  QCOMPARE(dialogs_->shown()[0].caption, QString("MORVANTA Quindle"));
  QCOMPARE(dialogs_->shown()[0].text, QString("Det finns redan en instans av detta program igång!"));

  first.release();  // the first copy ended: the next start is a first one again
  SingleInstance third(lock);
  QVERIFY(!AnotherInstanceRuns(third, *dialogs_));
}

void TestMorvForm::menusCarryTheirCommands() {
  form_ = Start();
  struct Expect {
    const char* name;
    const char* caption;
    QKeySequence key;
  };
  const Expect items[] = {{"Uppdatera1", "Uppdatera", QKeySequence(Qt::Key_F5)},
                          {"Sk1", "Sök...", QKeySequence(Qt::Key_F3)},
                          {"OmMorvantaVindrel1", "Om Morvanta Quindle...", QKeySequence(Qt::Key_F1)},
                          {"Tabort2", "Ta bort", QKeySequence(Qt::Key_Delete)},
                          {"Avsluta1", "&Avsluta", {}},
                          {"StartaWinamp1", "&Starta Winamp", {}},
                          {"Allaltarmedsammaartist1", "Alla låtar med samma artist (ej klar)", {}},
                          {"Tabort1", "Ta bort ID3Tag v2", {}}};
  for (const Expect& e : items) {
    auto* a = form_->findChild<QAction*>(e.name);
    QVERIFY2(a, e.name);
    QCOMPARE(a->text(), QString(e.caption));
    QCOMPARE(a->shortcut(), e.key);
  }
  QVERIFY(!form_->Allaltarmedsammaartist1->isEnabled());
  QVERIFY(!form_->Tabort1->isEnabled());
  QCOMPARE(form_->windowTitle(), QString("Morvanta Quindle 1.09"));
  QCOMPARE(form_->minimumHeight(), 456);
  QCOMPARE(form_->maximumHeight(), 456);
  QCOMPARE(form_->minimumWidth(), 530);
  QVERIFY(!(form_->windowFlags() & Qt::WindowMaximizeButtonHint));
  for (const char* name : {"ToolBar1", "DriveComboBox1", "DirectoryListBox1", "FLB", "GB", "ListLbl", "MP3ListCount",
                           "StaticText1", "AntFiler", "InfoTxt", "PB", "SB", "Timer1", "ListMenyn", "PopupMenu2", "SBPopup",
                           "TBGemener", "TBId32Namn", "TBNamn2Id3", "TBTaBort", "TBSpela", "ID3Inst", "MM"})
    QVERIFY2(form_->findChild<QObject*>(name), name);
  QVERIFY(!form_->GB->isVisible());
}

int main(int argc, char** argv) {
  // Settings and the runtime folder of this run stay inside temporary folders.
  QTemporaryDir config;
  qputenv("XDG_CONFIG_HOME", config.path().toUtf8());
  qputenv("XDG_DATA_HOME", config.filePath("data").toUtf8());
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  TestMorvForm test;
  return QTest::qExec(&test, argc, argv);
}

#include "tst_morvform.moc"
