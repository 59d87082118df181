// The fixing commands of the main window, offscreen: each single-file command
// and each batch over a folder of fixtures, checked by the bytes and names of
// every file afterwards, the boxes shown and the failure report.
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QToolButton>
#include <QtTest>
#include <memory>

#include "ErrFrm.h"
#include "FakeDialogs.h"
#include "FileSizeLimit.h"
#include "Fixtures.h"
#include "FolderTree.h"
#include "MorvMP3Unit.h"
#include "StartMainWindow.h"
#include "SettingsStore.h"
#include "TestFolder.h"

using Fx::Bytes;

namespace {

// One file of a folder: before a command, its bytes, whether it is
// read-only and the answer to the write-protection question ('Y', 'N' or 0
// for none); afterwards, the bytes and read-only state expected. A name
// ending in "/" is a folder.
struct F {
  QString name;
  Bytes bytes;
  bool readOnly = false;
  char answer = 0;
};
using Files = QList<F>;

Bytes Tag(const std::string& artist, const std::string& title, std::optional<std::uint8_t> track = {}) {
  return Fx::ID3v1({.title = title, .artist = artist, .track = track});
}

// The block tag-from-name writes with every default off.
Bytes NameTag(const std::string& artist, const std::string& title) { return Tag(artist, title); }

QString Question(const QString& name) {
  return QStringLiteral("Filen ") + name + QStringLiteral(" är skrivskyddad! Ska jag ta bort det?");
}

const QString kNotTagged =
    QStringLiteral("Filen har inte alla krav uppfyllda eller så innehöll den redan en ID3Tag v1!");
const QString kNoTag = QStringLiteral("Filen innehåller ingen ID3Tag v1!");
const char* const k20 = " #20#-Ogiltig namnstruktur!";
const char* const k21 = " #21#-Filen innehåller redan en ID3Tag v1!";
const char* const k23Taken = " #23#-En fil med det namnet finns redan!";
const char* const k23Protected = " #23#-Filen är skrivskyddad och jag kunde inte ta bort det (CD-ROM)";
const char* const k24 = " #24#-Används eller är skrivskyddad!";

QStringList Rows(const QListWidget* list) {
  QStringList rows;
  for (int i = 0; i < list->count(); ++i) rows << list->item(i)->text();
  return rows;
}

// Watches the report window: each time it appears, notes what it shows and
// closes it with Enter in the list, as a user would.
class ReportWatcher : public QObject {
 public:
  explicit ReportWatcher(TErrForm* form) : form_(form) { form_->installEventFilter(this); }

  int shows = 0;
  QString status;
  QStringList lines;
  bool closedByEnter = true;

  bool eventFilter(QObject* watched, QEvent* event) override {
    if (watched == form_ && event->type() == QEvent::Show) {
      ++shows;
      QMetaObject::invokeMethod(
          this, [this] { Close(); }, Qt::QueuedConnection);
    }
    return false;
  }

 private:
  void Close() {
    status = form_->StatusBar1->currentMessage();
    lines = form_->ErrorList->toPlainText().split(u'\n');
    QTest::keyClick(form_->ErrorList, Qt::Key_Return);
    if (form_->isVisible()) {
      closedByEnter = false;
      form_->reject();
    }
  }

  TErrForm* form_;
};

}  // namespace

Q_DECLARE_METATYPE(Files)

class TestMorvFixing : public QObject {
  Q_OBJECT

 private slots:
  void init();
  void cleanup();

  void defaultsPanel();
  void defaultsGoIntoTheTag_data();
  void defaultsGoIntoTheTag();
  void singleFileCommand_data();
  void singleFileCommand();
  void batch_data();
  void batch();
  void writeErrorLeavesNothingBehind();
  void singleFileCommandsScrollBack_data();
  void singleFileCommandsScrollBack();

 private:
  void Start();
  void Make(const Files& files);
  void Select(const QString& name);
  // Scripts the questions in the order the list will ask them.
  void ScriptAnswers(const Files& files);
  void CheckFolder(const Files& after);

  std::unique_ptr<QTemporaryDir> home_;
  std::unique_ptr<TestFolder> folder_;
  std::unique_ptr<FakeDialogs> dialogs_;
  std::unique_ptr<TMorvForm> form_;
  std::unique_ptr<ReportWatcher> report_;
};

void TestMorvFixing::init() {
  home_ = std::make_unique<QTemporaryDir>();
  folder_ = std::make_unique<TestFolder>(home_->filePath("music"));
  QFile::remove(SettingsStore::userFilePath());
  dialogs_ = std::make_unique<FakeDialogs>();
}

void TestMorvFixing::cleanup() {
  report_.reset();
  if (form_) {
    form_->close();
    form_.reset();
  }
  QVERIFY2(dialogs_->unexpected().isEmpty(), qPrintable(dialogs_->unexpected().join('\n')));
  QCOMPARE(dialogs_->pending(), std::size_t(0));
  dialogs_.reset();
  QDir::setCurrent(QDir::tempPath());
  folder_.reset();
  home_.reset();
  QFile::remove(SettingsStore::userFilePath());
}

void TestMorvFixing::Start() {
  form_ = StartMainWindow(home_->filePath("data"), home_->path());
  form_->DirectoryListBox1->SetDirectory(folder_->Path());
  report_ = std::make_unique<ReportWatcher>(form_->ErrForm);
}

void TestMorvFixing::Make(const Files& files) {
  for (const F& f : files) {
    if (f.name.endsWith(u'/'))
      QVERIFY(QDir(folder_->Path()).mkdir(f.name.chopped(1)));
    else
      folder_->Add(f.name, f.bytes, f.readOnly);
  }
}

void TestMorvFixing::Select(const QString& name) {
  const QList<QListWidgetItem*> items = form_->FLB->findItems(name, Qt::MatchExactly);
  QCOMPARE(items.size(), 1);
  form_->FLB->setCurrentItem(items.front());  // a keyboard move: runs the click handler
  QCoreApplication::processEvents();
}

void TestMorvFixing::ScriptAnswers(const Files& files) {
  for (const QString& row : Rows(form_->FLB))
    for (const F& f : files)
      if (f.name == row && f.answer) f.answer == 'Y' ? dialogs_->answerYes() : dialogs_->answerNo();
}

void TestMorvFixing::CheckFolder(const Files& after) {
  QStringList names;
  for (const F& f : after) names << (f.name.endsWith(u'/') ? f.name.chopped(1) : f.name);
  std::sort(names.begin(), names.end());
  QCOMPARE(folder_->Names(), names);
  for (const F& f : after) {
    if (f.name.endsWith(u'/')) {
      QVERIFY2(QDir(folder_->FilePath(f.name)).isEmpty(), qPrintable(f.name));
      continue;
    }
    const Bytes bytes = folder_->Read(f.name);
    QVERIFY2(
        bytes.size() == f.bytes.size(),
        qPrintable(QStringLiteral("size of %1: %2, expected %3").arg(f.name).arg(bytes.size()).arg(f.bytes.size())));
    QVERIFY2(bytes == f.bytes, qPrintable(f.name + QStringLiteral(": other bytes")));
    QVERIFY2(folder_->IsReadOnly(f.name) == f.readOnly, qPrintable(f.name + QStringLiteral(": read-only state")));
  }
}

void TestMorvFixing::defaultsPanel() {
  Make({{"Queen - Innuendo.mp3", UniqueAudio()}});
  Start();
  form_->activateWindow();
  QVERIFY(QTest::qWaitForWindowActive(form_.get()));
  TMorvForm& m = *form_;
  QVERIFY(!m.GB->isVisible());
  for (QCheckBox* box : {m.GenreDo, m.StdAlbumCB, m.StdArCB, m.OWID3}) QVERIFY(!box->isChecked());
  QVERIFY(!m.GenreList->isEnabled());
  QCOMPARE(m.GenreList->count(), 126);
  QCOMPARE(m.GenreList->currentIndex(), -1);
  QVERIFY(!m.StdAlbum->isEnabled());
  QVERIFY(m.StdAr->isEnabled());  // a year can be typed before its box is ticked

  // The tool button shows the panel over the top of the list, and hides it.
  m.ID3Inst->click();
  QVERIFY(m.GB->isVisible());
  QVERIFY(m.ID3Inst->isChecked());
  QCOMPARE(m.GB->geometry().topLeft(), m.FLB->geometry().topLeft());
  QWidget* onTop = m.FLB->parentWidget()->childAt(m.FLB->geometry().topLeft() + QPoint(20, 20));
  QVERIFY(onTop == m.GB || m.GB->isAncestorOf(onTop));
  m.ID3Inst->click();
  QVERIFY(!m.GB->isVisible());
  QVERIFY(!m.ID3Inst->isChecked());
  m.ID3Inst->click();

  // Each box enables its partner and gives it the focus; unticked, it is disabled again.
  for (auto [box, partner] :
       {std::pair<QCheckBox*, QWidget*>{m.GenreDo, m.GenreList}, {m.StdAlbumCB, m.StdAlbum}, {m.StdArCB, m.StdAr}}) {
    box->click();
    QVERIFY2(partner->isEnabled(), qPrintable(box->objectName()));
    QVERIFY2(partner->hasFocus(), qPrintable(box->objectName()));
    box->click();
    QVERIFY2(!partner->isEnabled(), qPrintable(box->objectName()));
  }

  // The year keeps out typed ASCII letters only.
  m.StdArCB->click();
  QTest::keyClicks(m.StdAr, "1a9Z");
  QTest::sendKeyEvent(QTest::Click, m.StdAr, Qt::Key_unknown, QStringLiteral("å"), Qt::NoModifier);
  QCOMPARE(m.StdAr->text(), QStringLiteral("19å"));
  QTest::keyClick(m.StdAr, Qt::Key_Backspace);
  QTest::keyClicks(m.StdAr, "-");
  QCOMPARE(m.StdAr->text(), QStringLiteral("19-"));
  QTest::keyClick(m.StdAr, Qt::Key_A, Qt::ControlModifier);  // a command, not a letter
  QTest::keyClicks(m.StdAr, "7");
  QCOMPARE(m.StdAr->text(), QStringLiteral("7"));
}

void TestMorvFixing::defaultsGoIntoTheTag_data() {
  QTest::addColumn<bool>("albumOn");
  QTest::addColumn<QString>("album");
  QTest::addColumn<bool>("yearOn");
  QTest::addColumn<QString>("year");
  QTest::addColumn<bool>("genreOn");
  QTest::addColumn<QString>("genre");  // picked in the list; empty: none
  QTest::addColumn<Bytes>("block");
  const auto v1 = [](const std::string& album, const std::string& year, std::uint8_t genre) {
    return Fx::ID3v1({.title = "Innuendo", .artist = "Queen", .album = album, .year = year, .genre = genre});
  };
  QTest::newRow("all on") << true << "Greatest Hits" << true << "1991" << true << "Poweer Ballad"
                          << v1("Greatest Hits", "1991", 117);
  QTest::newRow("album box on, album empty: zeros") << true << "" << false << "" << false << "" << v1("", "", 255);
  QTest::newRow("texts typed, boxes off: zeros")
      << false << "Greatest Hits" << false << "1991" << false << "Rock" << v1("", "", 255);
  QTest::newRow("genre box on, nothing picked: 255") << false << "" << false << "" << true << "" << v1("", "", 255);
  QTest::newRow("A Capella: picked by name, not by list position")
      << false << "" << false << "" << true << "A Capella" << v1("", "", 123);
}

void TestMorvFixing::defaultsGoIntoTheTag() {
  QFETCH(bool, albumOn);
  QFETCH(QString, album);
  QFETCH(bool, yearOn);
  QFETCH(QString, year);
  QFETCH(bool, genreOn);
  QFETCH(QString, genre);
  QFETCH(Bytes, block);
  const Bytes audio = UniqueAudio();
  Make({{"Queen - Innuendo.mp3", audio}});
  Start();
  TMorvForm& m = *form_;
  m.ID3Inst->click();
  // Texts are typed while the box is on, then the box is set as the row says.
  for (auto [box, edit, text] : {std::tuple{m.StdAlbumCB, m.StdAlbum, album}, {m.StdArCB, m.StdAr, year}}) {
    box->click();
    QTest::keyClicks(edit, text);
    box->click();
  }
  if (albumOn) m.StdAlbumCB->click();
  if (yearOn) m.StdArCB->click();
  m.GenreDo->click();
  if (!genre.isEmpty()) m.GenreList->setCurrentIndex(m.GenreList->findText(genre));
  if (!genreOn) m.GenreDo->click();
  Select("Queen - Innuendo.mp3");
  m.TBNamn2Id3->click();
  CheckFolder({{"Queen - Innuendo.mp3", Appended(audio, block)}});
  QVERIFY(dialogs_->shown().isEmpty());
}

void TestMorvFixing::singleFileCommand_data() {
  QTest::addColumn<QString>("command");  // the pop-up menu item
  QTest::addColumn<bool>("overwriteOption");
  QTest::addColumn<Files>("before");
  QTest::addColumn<QString>("selected");
  QTest::addColumn<Files>("after");
  QTest::addColumn<QStringList>("shown");  // every box, questions included

  const QString tag = "FixaID3Tag1", name = "Fixanamnet1", caps = "Fixanamnetspeciell1";
  const Bytes a = UniqueAudio(), b = UniqueAudio();
  const Bytes v1 = Tag("Old", "Tag"), v2 = Version2Tag();

  // Tag from name.
  QTest::newRow("tag: good name, no tag: appended")
      << tag << false << Files{{"Queen - Innuendo.mp3", a}} << "Queen - Innuendo.mp3"
      << Files{{"Queen - Innuendo.mp3", Appended(a, NameTag("Queen", "Innuendo"))}} << QStringList();
  QTest::newRow("tag: ID3v1, option off: message")
      << tag << false << Files{{"Queen - Innuendo.mp3", Fx::Cat({a, v1})}} << "Queen - Innuendo.mp3"
      << Files{{"Queen - Innuendo.mp3", Fx::Cat({a, v1})}} << QStringList{kNotTagged};
  QTest::newRow("tag: ID3v1, option on: replaced")
      << tag << true << Files{{"Queen - Innuendo.mp3", Fx::Cat({a, v1})}} << "Queen - Innuendo.mp3"
      << Files{{"Queen - Innuendo.mp3", Fx::Cat({a, NameTag("Queen", "Innuendo")})}} << QStringList();
  QTest::newRow("tag: ID3v1 and ID3v2, option on: replaced")
      << tag << true << Files{{"Queen - Innuendo.mp3", Fx::Cat({v2, a, v1})}} << "Queen - Innuendo.mp3"
      << Files{{"Queen - Innuendo.mp3", Fx::Cat({v2, a, NameTag("Queen", "Innuendo")})}} << QStringList();
  QTest::newRow("tag: ID3v1 and ID3v2, option off: message")
      << tag << false << Files{{"Queen - Innuendo.mp3", Fx::Cat({v2, a, v1})}} << "Queen - Innuendo.mp3"
      << Files{{"Queen - Innuendo.mp3", Fx::Cat({v2, a, v1})}} << QStringList{kNotTagged};
  QTest::newRow("tag: ID3v2 only, option on: message")
      << tag << true << Files{{"Queen - Innuendo.mp3", Fx::Cat({v2, a})}} << "Queen - Innuendo.mp3"
      << Files{{"Queen - Innuendo.mp3", Fx::Cat({v2, a})}} << QStringList{kNotTagged};
  QTest::newRow("tag: bad name: message") << tag << true << Files{{"QueenInnuendo.mp3", a}} << "QueenInnuendo.mp3"
                                          << Files{{"QueenInnuendo.mp3", a}} << QStringList{kNotTagged};
  QTest::newRow("tag: read-only, Yes: appended")
      << tag << false << Files{{"Queen - Innuendo.mp3", a, true, 'Y'}} << "Queen - Innuendo.mp3"
      << Files{{"Queen - Innuendo.mp3", Appended(a, NameTag("Queen", "Innuendo"))}}
      << QStringList{Question("Queen - Innuendo.mp3")};
  QTest::newRow("tag: read-only, No: nothing more said")
      << tag << false << Files{{"Queen - Innuendo.mp3", a, true, 'N'}} << "Queen - Innuendo.mp3"
      << Files{{"Queen - Innuendo.mp3", a, true}} << QStringList{Question("Queen - Innuendo.mp3")};
  QTest::newRow("tag: å ä ö go in as Windows-1252")
      << tag << false << Files{{"Åsa - Över ängen.mp3", a}} << "Åsa - Över ängen.mp3"
      << Files{{"Åsa - Över ängen.mp3", Appended(a, NameTag("\xC5sa", "\xD6ver \xE4ngen"))}} << QStringList();
  QTest::newRow("tag: characters outside Windows-1252 become ?")
      << tag << false << Files{{"Björk - 東京.mp3", a}} << "Björk - 東京.mp3"
      << Files{{"Björk - 東京.mp3", Appended(a, NameTag("Bj\xF6rk", "??"))}} << QStringList();

  // Name from tag.
  QTest::newRow("name: ID3v1.0") << name << false << Files{{"x.mp3", Fx::Cat({a, Tag("Queen", "Innuendo")})}} << "x.mp3"
                                 << Files{{"Queen - Innuendo.mp3", Fx::Cat({a, Tag("Queen", "Innuendo")})}}
                                 << QStringList();
  QTest::newRow("name: track 7, extension .MP3 becomes .mp3")
      << name << false << Files{{"x.MP3", Fx::Cat({a, Tag("Queen", "Innuendo", 7)})}} << "x.MP3"
      << Files{{"07 - Queen - Innuendo.mp3", Fx::Cat({a, Tag("Queen", "Innuendo", 7)})}} << QStringList();
  QTest::newRow("name: track 3, empty title: the prefix alone")
      << name << false << Files{{"x.mp3", Fx::Cat({a, Tag("Queen", "", 3)})}} << "x.mp3"
      << Files{{"03 - .mp3", Fx::Cat({a, Tag("Queen", "", 3)})}} << QStringList();
  QTest::newRow("name: empty artist") << name << false << Files{{"x.mp3", Fx::Cat({a, Tag("", "Innuendo")})}} << "x.mp3"
                                      << Files{{"x.mp3", Fx::Cat({a, Tag("", "Innuendo")})}} << QStringList{kNoTag};
  QTest::newRow("name: no tag") << name << false << Files{{"x.mp3", a}} << "x.mp3" << Files{{"x.mp3", a}}
                                << QStringList{kNoTag};
  QTest::newRow("name: a WMA file has no stream")
      << name << false << Files{{"x.wma", Fx::Cat({Fx::Zeros(4000), Tag("Queen", "Innuendo")})}} << "x.wma"
      << Files{{"x.wma", Fx::Cat({Fx::Zeros(4000), Tag("Queen", "Innuendo")})}} << QStringList{kNoTag};
  QTest::newRow("name: another file has the name")
      << name << false << Files{{"x.mp3", Fx::Cat({a, Tag("Queen", "Innuendo")})}, {"Queen - Innuendo.mp3", b}}
      << "x.mp3" << Files{{"x.mp3", Fx::Cat({a, Tag("Queen", "Innuendo")})}, {"Queen - Innuendo.mp3", b}}
      << QStringList{"En fil med namnet \"Queen - Innuendo\" finns redan!"};
  QTest::newRow("name: the file has its name already")
      << name << false << Files{{"Queen - Innuendo.mp3", Fx::Cat({a, Tag("Queen", "Innuendo")})}}
      << "Queen - Innuendo.mp3" << Files{{"Queen - Innuendo.mp3", Fx::Cat({a, Tag("Queen", "Innuendo")})}}
      << QStringList{"En fil med namnet \"Queen - Innuendo\" finns redan!"};
  QTest::newRow("name: letter case only")
      << name << false << Files{{"queen - innuendo.mp3", Fx::Cat({a, Tag("Queen", "Innuendo")})}}
      << "queen - innuendo.mp3" << Files{{"Queen - Innuendo.mp3", Fx::Cat({a, Tag("Queen", "Innuendo")})}}
      << QStringList();
  QTest::newRow("name: \"/\" in the artist never moves the file")
      << name << false << Files{{"AC/"}, {"x.mp3", Fx::Cat({a, Tag("AC/DC", "Thunderstruck")})}} << "x.mp3"
      << Files{{"AC/"}, {"x.mp3", Fx::Cat({a, Tag("AC/DC", "Thunderstruck")})}} << QStringList();
  QTest::newRow("name: a NUL in the artist is dropped")
      << name << false << Files{{"x.mp3", Fx::Cat({a, Tag(std::string("Qu\0een", 6), "Innuendo")})}} << "x.mp3"
      << Files{{"Queen - Innuendo.mp3", Fx::Cat({a, Tag(std::string("Qu\0een", 6), "Innuendo")})}} << QStringList();
  QTest::newRow("name: Windows-1252 tag texts become UTF-8 names")
      << name << false << Files{{"x.mp3", Fx::Cat({a, Tag("\xC5sa", "\xD6ver \xE4ngen")})}} << "x.mp3"
      << Files{{"Åsa - Över ängen.mp3", Fx::Cat({a, Tag("\xC5sa", "\xD6ver \xE4ngen")})}} << QStringList();
  QTest::newRow("name: read-only, Yes") << name << false
                                        << Files{{"x.mp3", Fx::Cat({a, Tag("Queen", "Innuendo")}), true, 'Y'}}
                                        << "x.mp3"
                                        << Files{{"Queen - Innuendo.mp3", Fx::Cat({a, Tag("Queen", "Innuendo")})}}
                                        << QStringList{Question("x.mp3")};
  QTest::newRow("name: read-only, No") << name << false
                                       << Files{{"x.mp3", Fx::Cat({a, Tag("Queen", "Innuendo")}), true, 'N'}} << "x.mp3"
                                       << Files{{"x.mp3", Fx::Cat({a, Tag("Queen", "Innuendo")}), true}}
                                       << QStringList{Question("x.mp3"), kNoTag};

  // Capitalisation.
  QTest::newRow("caps: renamed") << caps << false << Files{{"JOHN LENNON - IMAGINE.MP3", a}}
                                 << "JOHN LENNON - IMAGINE.MP3" << Files{{"John Lennon - Imagine.mp3", a}}
                                 << QStringList();
  QTest::newRow("caps: å ä ö") << caps << false << Files{{"åsa - över ängen.mp3", a}} << "åsa - över ängen.mp3"
                               << Files{{"Åsa - Över Ängen.mp3", a}} << QStringList();
  QTest::newRow("caps: already capitalised")
      << caps << false << Files{{"01-intro.mp3", a}} << "01-intro.mp3" << Files{{"01-intro.mp3", a}}
      << QStringList{"Det fanns redan en fil med namnet: 01-intro.mp3"};
  QTest::newRow("caps: another file has the name")
      << caps << false << Files{{"ABBA.mp3", a}, {"Abba.mp3", b}} << "ABBA.mp3"
      << Files{{"ABBA.mp3", a}, {"Abba.mp3", b}} << QStringList{"Det fanns redan en fil med namnet: ABBA.mp3"};
  QTest::newRow("caps: read-only, Yes") << caps << false << Files{{"ABBA.MP3", a, true, 'Y'}} << "ABBA.MP3"
                                        << Files{{"Abba.mp3", a}} << QStringList{Question("ABBA.MP3")};
  QTest::newRow("caps: read-only, No") << caps << false << Files{{"ABBA.MP3", a, true, 'N'}} << "ABBA.MP3"
                                       << Files{{"ABBA.MP3", a, true}}
                                       << QStringList{
                                              Question("ABBA.MP3"),
                                              "Filen: ABBA.MP3 är skrivskyddad och jag kan inte få bort det (CD-ROM)"};
}

void TestMorvFixing::singleFileCommand() {
  QFETCH(QString, command);
  QFETCH(bool, overwriteOption);
  QFETCH(Files, before);
  QFETCH(QString, selected);
  QFETCH(Files, after);
  QFETCH(QStringList, shown);
  Make(before);
  Start();
  form_->OWID3->setChecked(overwriteOption);
  Select(selected);
  const int row = form_->FLB->currentRow();
  ScriptAnswers(before);

  form_->findChild<QAction*>(command)->trigger();
  QCOMPARE(dialogs_->shownTexts(), shown);
  CheckFolder(after);
  // Refreshed: the list shows the folder, with the same row selected.
  QStringList files;
  for (const F& f : after)
    if (!f.name.endsWith(u'/')) files << f.name;
  QStringList rows = Rows(form_->FLB);
  std::sort(files.begin(), files.end());
  std::sort(rows.begin(), rows.end());
  QCOMPARE(rows, files);
  QCOMPARE(form_->FLB->currentRow(), row);
  QCOMPARE(report_->shows, 0);
}

void TestMorvFixing::batch_data() {
  QTest::addColumn<QString>("command");  // the item of the menu "Fixa"
  QTest::addColumn<bool>("overwriteOption");
  QTest::addColumn<Files>("before");
  QTest::addColumn<Files>("after");
  QTest::addColumn<QStringList>("lines");  // the report's lines, in any order; the list's order is checked
  QTest::addColumn<QString>("status");     // empty: no report

  const QString tag = "FixaID3Tagarna1", names = "FixaNamnen1", caps = "FixaGemenerna1";
  const Bytes v1 = Tag("Old", "Tag"), v2 = Version2Tag();

  {
    const Bytes a = UniqueAudio(), b = UniqueAudio(), c = UniqueAudio(), d = UniqueAudio(), e = UniqueAudio(),
                f = UniqueAudio(), g = UniqueAudio(), h = UniqueAudio(), i = UniqueAudio();
    const Files mixed{{"Queen - Bohemian Rhapsody.mp3", a},
                      {"Abba - Waterloo.mp3", Fx::Cat({b, v1})},
                      {"Both - Tags.mp3", Fx::Cat({v2, c, v1})},
                      {"Only - Version2.mp3", Fx::Cat({v2, d})},
                      {"badname.mp3", e},
                      {"Locked - Declined.mp3", f, true, 'N'},
                      {"Locked - Granted.mp3", g, true, 'Y'},
                      {"Åsa - Över ängen.mp3", h},
                      {"Björk - 東京.mp3", i}};
    const Files common{{"Queen - Bohemian Rhapsody.mp3", Appended(a, NameTag("Queen", "Bohemian Rhapsody"))},
                       {"Both - Tags.mp3", Fx::Cat({v2, c, v1})},
                       {"Only - Version2.mp3", Fx::Cat({v2, d})},
                       {"badname.mp3", e},
                       {"Locked - Declined.mp3", f, true},
                       {"Locked - Granted.mp3", Appended(g, NameTag("Locked", "Granted"))},
                       {"Åsa - Över ängen.mp3", Appended(h, NameTag("\xC5sa", "\xD6ver \xE4ngen"))},
                       {"Björk - 東京.mp3", Appended(i, NameTag("Bj\xF6rk", "??"))}};
    QTest::newRow("tag, option off")
        << tag << false << mixed << (Files{{"Abba - Waterloo.mp3", Fx::Cat({b, v1})}} + common)
        << QStringList{QString("Abba - Waterloo.mp3") + k21, QString("Both - Tags.mp3") + k21,
                       QString("Only - Version2.mp3") + k21, QString("badname.mp3") + k20,
                       QString("Locked - Declined.mp3") + k24}
        << "Antal filer som inte blev fixade:5 av 9,  Namnfel:1,  Skrivfel:1,  ID3Skrivskydd:3";
    // The batch leaves a file with both tags alone even with the option on.
    QTest::newRow("tag, option on")
        << tag << true << mixed << (Files{{"Abba - Waterloo.mp3", Fx::Cat({b, NameTag("Abba", "Waterloo")})}} + common)
        << QStringList{QString("Both - Tags.mp3") + k21, QString("Only - Version2.mp3") + k21,
                       QString("badname.mp3") + k20, QString("Locked - Declined.mp3") + k24}
        << "Antal filer som inte blev fixade:4 av 9,  Namnfel:1,  Skrivfel:1,  ID3Skrivskydd:2";
  }
  {
    Files before, after;
    for (int n = 1; n <= 9; ++n) {
      const Bytes a = UniqueAudio();
      const QString name = QString("Artist %1 - Song.mp3").arg(n);
      before << F{name, a};
      after << F{name, Appended(a, NameTag(QString("Artist %1").arg(n).toStdString(), "Song"))};
    }
    QTest::newRow("tag, every file fixed: no report") << tag << false << before << after << QStringList() << "";
    const Bytes x = UniqueAudio(), y = UniqueAudio(), z = Fx::Cat({UniqueAudio(), v1});
    before << F{"badname.mp3", x} << F{"Locked - Song.mp3", y, true, 'N'} << F{"Tagged - Song.mp3", z};
    after << F{"badname.mp3", x} << F{"Locked - Song.mp3", y, true} << F{"Tagged - Song.mp3", z};
    QTest::newRow("tag, twelve files, one of each failure")
        << tag << false << before << after
        << QStringList{QString("badname.mp3") + k20, QString("Locked - Song.mp3") + k24,
                       QString("Tagged - Song.mp3") + k21}
        << "Antal filer som inte blev fixade:3 av 12,  Namnfel:1,  Skrivfel:1,  ID3Skrivskydd:1";
  }
  QTest::newRow("tag, empty list") << tag << false << Files{} << Files{} << QStringList() << "";
  {
    const Bytes a = UniqueAudio(), b = UniqueAudio(), c = UniqueAudio(), d = UniqueAudio(), e = UniqueAudio(),
                f = UniqueAudio(), g = UniqueAudio(), h = UniqueAudio(), i = UniqueAudio(), j = UniqueAudio(),
                k = UniqueAudio();
    const Bytes queen = Tag("Queen", "Innuendo"), acdc = Tag("AC/DC", "Thunderstruck");
    const Bytes nul = Tag(std::string("Qu\0een", 6), "Nul"), swedish = Tag("\xC5sa", "\xD6ver \xE4ngen");
    QTest::newRow("names") << names << false
                           << Files{{"a.mp3", Fx::Cat({a, queen})},
                                    {"b.mp3", Fx::Cat({b, queen})},  // the same name as a.mp3: stays
                                    {"c.mp3", Fx::Cat({c, Tag("ABBA", "Waterloo", 7)})},
                                    {"AC/"},
                                    {"d.mp3", Fx::Cat({d, acdc})},
                                    {"e.mp3", Fx::Cat({e, Tag("Has", "Tag")})},
                                    {"Has - Tag.mp3", f},
                                    {"f.mp3", Fx::Cat({g, Tag("Locked", "Declined")}), true, 'N'},
                                    {"g.mp3", Fx::Cat({h, Tag("Locked", "Granted")}), true, 'Y'},
                                    {"h.mp3", Fx::Cat({i, swedish})},
                                    {"i.mp3", Fx::Cat({j, nul})},
                                    {"j.MP3", Fx::Cat({v2, k})}}
                           << Files{{"Queen - Innuendo.mp3", Fx::Cat({a, queen})},
                                    {"b.mp3", Fx::Cat({b, queen})},
                                    {"07 - ABBA - Waterloo.mp3", Fx::Cat({c, Tag("ABBA", "Waterloo", 7)})},
                                    {"AC/"},
                                    {"d.mp3", Fx::Cat({d, acdc})},
                                    {"e.mp3", Fx::Cat({e, Tag("Has", "Tag")})},
                                    {"Has - Tag.mp3", f},
                                    {"f.mp3", Fx::Cat({g, Tag("Locked", "Declined")}), true},
                                    {"Locked - Granted.mp3", Fx::Cat({h, Tag("Locked", "Granted")})},
                                    {"Åsa - Över ängen.mp3", Fx::Cat({i, swedish})},
                                    {"Queen - Nul.mp3", Fx::Cat({j, nul})},
                                    {"j.MP3", Fx::Cat({v2, k})}}
                           << QStringList() << "";
  }
  {
    const Bytes a = UniqueAudio(), b = UniqueAudio(), c = UniqueAudio(), d = UniqueAudio(), e = UniqueAudio(),
                f = UniqueAudio(), g = UniqueAudio(), h = UniqueAudio();
    QTest::newRow("capitals") << caps << false
                              << Files{{"JOHN LENNON - IMAGINE.MP3", a},
                                       {"ABBA.mp3", b},
                                       {"Abba.mp3", c},
                                       {"01-intro.mp3", d},
                                       {"LOCKED NO.MP3", e, true, 'N'},
                                       {"LOCKED YES.MP3", f, true, 'Y'},
                                       {"åsa - över ängen.mp3", g},
                                       {"björk - 東京 live.mp3", h}}
                              << Files{{"John Lennon - Imagine.mp3", a},
                                       {"ABBA.mp3", b},
                                       {"Abba.mp3", c},
                                       {"01-intro.mp3", d},
                                       {"LOCKED NO.MP3", e, true},
                                       {"Locked Yes.mp3", f},
                                       {"Åsa - Över Ängen.mp3", g},
                                       {"Björk - 東京 Live.mp3", h}}
                              << QStringList{QString("ABBA.mp3") + k23Taken, QString("Abba.mp3") + k23Taken,
                                             QString("01-intro.mp3") + k23Taken,
                                             QString("LOCKED NO.MP3") + k23Protected}
                              << "Antal filer som inte blev fixade:4 av 8,  Namnfel:3,  Skrivfel:1,  ID3Skrivskydd:0";
  }
}

void TestMorvFixing::batch() {
  QFETCH(QString, command);
  QFETCH(bool, overwriteOption);
  QFETCH(Files, before);
  QFETCH(Files, after);
  QFETCH(QStringList, lines);
  QFETCH(QString, status);
  Make(before);
  const auto payloads = folder_->Payloads();
  const auto inodes = folder_->Inodes();
  Start();
  form_->OWID3->setChecked(overwriteOption);
  const QStringList rowsBefore = Rows(form_->FLB);
  ScriptAnswers(before);
  QStringList questions, expectedLines;
  for (const QString& row : rowsBefore) {
    for (const F& f : before)
      if (f.name == row && f.answer) questions << Question(row);
    for (const QString& line : lines)
      if (line.startsWith(row + " #")) expectedLines << line;
  }
  QCOMPARE(expectedLines.size(), lines.size());

  form_->findChild<QAction*>(command)->trigger();
  QCOMPARE(dialogs_->shownTexts(), questions);
  CheckFolder(after);
  // Nothing lost: the same payloads, the same files (a replaced file would
  // take its inode number with it).
  QCOMPARE(folder_->Payloads(), payloads);
  QCOMPARE(folder_->Inodes(), inodes);

  QCOMPARE(report_->shows, status.isEmpty() ? 0 : 1);
  if (!status.isEmpty()) {
    QCOMPARE(report_->lines, expectedLines);
    QCOMPARE(report_->status, status);
    QVERIFY(report_->closedByEnter);
  }
  QVERIFY(form_->FelLista.isEmpty());  // discarded after the report
  QCOMPARE(QApplication::overrideCursor(), nullptr);
  QCOMPARE(form_->PB->value(), 0);
  QVERIFY(!form_->Probe.ProbeQuiet);
  QCOMPARE(form_->FLB->count(), int(after.size()) - int(std::count_if(after.begin(), after.end(), [](const F& f) {
                                  return f.name.endsWith(u'/');
                                })));
}

void TestMorvFixing::writeErrorLeavesNothingBehind() {
  // The middle file is the only one that cannot grow under the size limit:
  // its write fails after the file was opened.
  const Bytes one = UniqueAudio(), big = Fx::Cat({UniqueAudio(), Fx::Zeros(20000)}), three = UniqueAudio();
  Make({{"A - One.mp3", one}, {"B - Big.mp3", big}, {"C - Three.mp3", three}});
  Start();
  {
    const FileSizeLimit limit(static_cast<long long>(big.size()) + 60);
    form_->FixaID3Tagarna1->trigger();
  }
  CheckFolder({{"A - One.mp3", Appended(one, NameTag("A", "One"))},
               {"B - Big.mp3", big},
               {"C - Three.mp3", Appended(three, NameTag("C", "Three"))}});
  QCOMPARE(report_->shows, 1);
  QCOMPARE(report_->lines, QStringList{QString("B - Big.mp3") + k24});
  QCOMPARE(QApplication::overrideCursor(), nullptr);
  QCOMPARE(form_->PB->value(), 0);
  QVERIFY(!form_->Probe.ProbeQuiet);
  QCOMPARE(form_->AntSkrivfel, 1);
}

void TestMorvFixing::singleFileCommandsScrollBack_data() {
  QTest::addColumn<QString>("button");
  QTest::addColumn<QString>("renamedTo");  // the selected row's text afterwards
  QTest::newRow("Fixa ID3Tag") << "TBNamn2Id3"
                               << "artist - song 30.mp3";
  QTest::newRow("Fixa namnet") << "TBId32Namn"
                               << "Artist - Song 30.mp3";
  QTest::newRow("Fixa gemener") << "TBGemener"
                                << "Artist - Song 30.mp3";
}

void TestMorvFixing::singleFileCommandsScrollBack() {
  QFETCH(QString, button);
  QFETCH(QString, renamedTo);
  for (int n = 10; n < 70; ++n)
    folder_->Add(QString("artist - song %1.mp3").arg(n),
                 Fx::Cat({UniqueAudio(), Tag("Artist", QString("Song %1").arg(n).toStdString())}));
  Start();
  form_->OWID3->setChecked(true);
  // The selected row is scrolled out of sight: the refresh selects it again,
  // which would bring it into view, and the command scrolls back.
  QListWidget* list = form_->FLB;
  list->setCurrentRow(20);
  QCoreApplication::processEvents();
  list->scrollToItem(list->item(30), QAbstractItemView::PositionAtTop);
  QCOMPARE(list->indexAt(QPoint(1, 1)).row(), 30);
  QCOMPARE(list->currentItem()->text(), QString("artist - song 30.mp3"));

  auto* b = form_->findChild<QToolButton*>(button);
  QVERIFY(b->isEnabled());
  b->click();
  QCoreApplication::processEvents();
  QVERIFY(dialogs_->shown().isEmpty());
  QCOMPARE(list->currentRow(), 20);
  QCOMPARE(list->currentItem()->text(), renamedTo);
  QCOMPARE(list->indexAt(QPoint(1, 1)).row(), 30);
}

int main(int argc, char** argv) {
  // Settings and the runtime folder of this run stay inside temporary folders.
  QTemporaryDir config;
  qputenv("XDG_CONFIG_HOME", config.path().toUtf8());
  qputenv("XDG_DATA_HOME", config.filePath("data").toUtf8());
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  TestMorvFixing test;
  return QTest::qExec(&test, argc, argv);
}

#include "tst_morvfixing.moc"
