// The main window's file commands, offscreen with scripted dialogs: renaming
// through the rename dialog, moving with the folder chooser and by dragging
// onto the folder tree, deleting, new folders, and the refresh after the tag
// editor saved.
#include <sys/stat.h>

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QDropEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMimeData>
#include <QPushButton>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolButton>
#include <QtTest>
#include <functional>
#include <memory>

#include "ChangeName.h"
#include "ChooseFldr.h"
#include "FakeDialogs.h"
#include "Fixtures.h"
#include "FolderTree.h"
#include "Id3Frm.h"
#include "MorvMP3Unit.h"
#include "StartMainWindow.h"
#include "MoveFrm.h"
#include "SettingsStore.h"
#include "TestFolder.h"

using Fx::Bytes;

namespace {

QStringList Rows(const QListWidget* list) {
  QStringList rows;
  for (int i = 0; i < list->count(); ++i) rows << list->item(i)->text();
  return rows;
}

// Types text character by character; keyClicks cannot send å, ä, ö.
void Type(QWidget* w, const QString& text) {
  for (const QChar ch : text) QTest::sendKeyEvent(QTest::Click, w, Qt::Key_unknown, QString(ch), Qt::NoModifier);
}

// Runs act once, as soon as window has been shown (a modal window's own
// loop is then running). Removed with the window if it never shows.
class OnShow : public QObject {
 public:
  OnShow(QWidget* window, std::function<void()> act) : QObject(window), window_(window), act_(std::move(act)) {
    window_->installEventFilter(this);
  }
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (watched == window_ && event->type() == QEvent::Show) {
      window_->removeEventFilter(this);
      QMetaObject::invokeMethod(
          this,
          [this] {
            act_();
            deleteLater();
          },
          Qt::QueuedConnection);
    }
    return false;
  }

 private:
  QWidget* window_;
  std::function<void()> act_;
};

dev_t DeviceOf(const QString& path) {
  struct stat st {};
  return ::stat(QFile::encodeName(path).constData(), &st) == 0 ? st.st_dev : 0;
}

const QString kMime = QStringLiteral("application/x-morvanta-quindle-file");

}  // namespace

class TestMorvFiles : public QObject {
  Q_OBJECT

 private slots:
  void init();
  void cleanup();

  void rename_data();
  void rename();
  void renameKeepsArtistAndTrackForTheNextUse();
  void renameKeepsRowAndScroll();
  void moveByMenu_data();
  void moveByMenu();
  void moveChooserCancelled();
  void moveAcrossFileSystems();
  void dragOntoTheTree();
  void dragIsRefusedOffTheFolders();
  void dragWithTheMouse();
  void deleteFile_data();
  void deleteFile();
  void createFolder_data();
  void createFolder();
  void tagSaveRefreshesTheFile();

 private:
  void Start();
  void Select(const QString& name);
  QTreeWidgetItem* TreeItem(const QString& name) const;
  QPoint TreePoint(const QString& name) const;
  void SendDrag(QWidget* target, QEvent::Type type, const QPoint& pos, bool* accepted = nullptr);

  std::unique_ptr<QTemporaryDir> home_;
  std::unique_ptr<TestFolder> folder_;
  std::unique_ptr<FakeDialogs> dialogs_;
  std::unique_ptr<TMorvForm> form_;
  QMimeData mime_;
};

void TestMorvFiles::init() {
  home_ = std::make_unique<QTemporaryDir>();
  folder_ = std::make_unique<TestFolder>(home_->filePath("music"));
  QFile::remove(SettingsStore::userFilePath());
  dialogs_ = std::make_unique<FakeDialogs>();
}

void TestMorvFiles::cleanup() {
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

void TestMorvFiles::Start() {
  form_ = StartMainWindow(home_->filePath("data"), home_->path());
  form_->DirectoryListBox1->SetDirectory(folder_->Path());
}

void TestMorvFiles::Select(const QString& name) {
  const QList<QListWidgetItem*> items = form_->FLB->findItems(name, Qt::MatchExactly);
  QCOMPARE(items.size(), 1);
  form_->FLB->setCurrentItem(items.front());  // a keyboard move: runs the click handler
  QCoreApplication::processEvents();
}

QTreeWidgetItem* TestMorvFiles::TreeItem(const QString& name) const {
  const QList<QTreeWidgetItem*> items =
      form_->DirectoryListBox1->findItems(name, Qt::MatchExactly | Qt::MatchRecursive);
  return items.isEmpty() ? nullptr : items.front();
}

QPoint TestMorvFiles::TreePoint(const QString& name) const {
  return form_->DirectoryListBox1->visualItemRect(TreeItem(name)).center();
}

// Delivers one drag event of a drag from the file list, as the platform would.
void TestMorvFiles::SendDrag(QWidget* target, QEvent::Type type, const QPoint& pos, bool* accepted) {
  mime_.setData(kMime, QFile::encodeName(form_->DragFile));
  std::unique_ptr<QDropEvent> event;
  if (type == QEvent::DragEnter)
    event = std::make_unique<QDragEnterEvent>(pos, Qt::MoveAction, &mime_, Qt::LeftButton, Qt::NoModifier);
  else if (type == QEvent::DragMove)
    event = std::make_unique<QDragMoveEvent>(pos, Qt::MoveAction, &mime_, Qt::LeftButton, Qt::NoModifier);
  else
    event = std::make_unique<QDropEvent>(QPointF(pos), Qt::MoveAction, &mime_, Qt::LeftButton, Qt::NoModifier);
  event->setAccepted(false);
  QApplication::sendEvent(target, event.get());
  if (accepted) *accepted = event->isAccepted();
}

// The cases of a rename by hand. Fields are typed key by key; "name" replaces
// whatever the fields composed.
void TestMorvFiles::rename_data() {
  QTest::addColumn<QStringList>("files");
  QTest::addColumn<QString>("selected");
  QTest::addColumn<QStringList>("typed");  // artist, title, track, name; "" leaves a field alone
  QTest::addColumn<bool>("ok");
  QTest::addColumn<QStringList>("after");
  QTest::addColumn<QStringList>("messages");
  const QStringList none;
  QTest::newRow("artist and title") << QStringList{"track01.mp3"} << "track01.mp3"
                                    << QStringList{"Queen", "Innuendo", "", ""} << true
                                    << QStringList{"Queen - Innuendo.mp3"} << none;
  QTest::newRow("with a track") << QStringList{"track01.mp3"} << "track01.mp3"
                                << QStringList{"Queen", "Innuendo", "7", ""} << true
                                << QStringList{"07 - Queen - Innuendo.mp3"} << none;
  QTest::newRow("typed extension is not doubled") << QStringList{"track01.mp3"} << "track01.mp3"
                                                  << QStringList{"", "", "", "Queen - Innuendo.MP3"} << true
                                                  << QStringList{"Queen - Innuendo.mp3"} << none;
  QTest::newRow("unchanged name") << QStringList{"track01.mp3"} << "track01.mp3" << QStringList{"", "", "", ""}
                                  << true << QStringList{"track01.mp3"}
                                  << QStringList{"En fil med namnet \"track01.mp3\" finns redan!"};
  QTest::newRow("wma to its own stem") << QStringList{"song.wma"} << "song.wma" << QStringList{"", "", "", "song"}
                                       << true << QStringList{"song.wma"}
                                       << QStringList{"En fil med namnet \"song.mp3\" finns redan!"};
  QTest::newRow("wma to a new case") << QStringList{"song.wma"} << "song.wma" << QStringList{"", "", "", "Song"}
                                     << true << QStringList{"Song.mp3"} << none;
  QTest::newRow("letter case only") << QStringList{"queen - innuendo.mp3"} << "queen - innuendo.mp3"
                                    << QStringList{"", "", "", "Queen - Innuendo"} << true
                                    << QStringList{"Queen - Innuendo.mp3"} << none;
  QTest::newRow("name of another file") << QStringList{"a.mp3", "b.mp3"} << "a.mp3" << QStringList{"", "", "", "b"}
                                        << true << QStringList{"a.mp3", "b.mp3"}
                                        << QStringList{"En fil med namnet \"b.mp3\" finns redan!"};
  QTest::newRow("a slash never moves the file") << QStringList{"a.mp3", "sub/"} << "a.mp3"
                                                << QStringList{"", "", "", "sub/a"} << true
                                                << QStringList{"a.mp3", "sub"} << none;
  QTest::newRow("Swedish letters") << QStringList{"a.mp3"} << "a.mp3" << QStringList{"Björk", "Jóga", "", ""} << true
                                   << QStringList{"Björk - Jóga.mp3"} << none;
  QTest::newRow("cancelled") << QStringList{"track01.mp3"} << "track01.mp3"
                             << QStringList{"Queen", "Innuendo", "", ""} << false << QStringList{"track01.mp3"}
                             << none;
}

void TestMorvFiles::rename() {
  QFETCH(QStringList, files);
  QFETCH(QString, selected);
  QFETCH(QStringList, typed);
  QFETCH(bool, ok);
  QFETCH(QStringList, after);
  QFETCH(QStringList, messages);
  std::map<QString, Bytes> payload;
  for (const QString& f : files) {
    if (f.endsWith(u'/')) {
      QDir(folder_->Path()).mkdir(f.chopped(1));
      continue;
    }
    payload[f] = UniqueAudio();
    folder_->Add(f, payload[f]);
  }
  Start();
  Select(selected);
  TBytNamnDLG* dlg = form_->BytNamnDLG;
  QString caption, startName;
  new OnShow(dlg, [&] {
    caption = dlg->windowTitle();
    startName = dlg->BNName->text();
    if (!typed[0].isEmpty()) Type(dlg->BNArtist, typed[0]);
    if (!typed[1].isEmpty()) Type(dlg->BNTitel, typed[1]);
    if (!typed[2].isEmpty()) Type(dlg->BNTrack, typed[2]);
    if (!typed[3].isEmpty()) {
      dlg->BNName->selectAll();
      Type(dlg->BNName, typed[3]);
    }
    QTest::mouseClick(ok ? dlg->OKBtn : dlg->CancelBtn, Qt::LeftButton);
  });
  form_->Bytnamn1->trigger();

  QCOMPARE(caption, QStringLiteral("Byt namn på filen: ") + selected.chopped(4) + QStringLiteral(".mp3"));
  QCOMPARE(startName, selected.chopped(4));
  QCOMPARE(dialogs_->shownTexts(), messages);
  QCOMPARE(folder_->Names(), after);
  QCOMPARE(Rows(form_->FLB), [&] {
    QStringList listed;
    for (const QString& a : after)
      if (a.endsWith(".mp3") || a.endsWith(".wma")) listed << a;
    return listed;
  }());
  // Every file keeps its bytes, under whichever name it now has.
  std::multiset<Bytes> before;
  for (const auto& [name, bytes] : payload) before.insert(bytes);
  QCOMPARE(folder_->Payloads(), before);
  QVERIFY(form_->BytNamnDLG->BNPath.isEmpty() || !ok);
}

void TestMorvFiles::renameKeepsArtistAndTrackForTheNextUse() {
  folder_->Add("x.mp3", UniqueAudio());
  folder_->Add("y.mp3", UniqueAudio());
  Start();
  TBytNamnDLG* dlg = form_->BytNamnDLG;
  Select("x.mp3");
  new OnShow(dlg, [&] {
    Type(dlg->BNArtist, "Queen");
    Type(dlg->BNTitel, "One");
    Type(dlg->BNTrack, "1");
    QTest::mouseClick(dlg->OKBtn, Qt::LeftButton);
  });
  form_->Bytnamn1->trigger();
  QCOMPARE(Rows(form_->FLB), QStringList({"01 - Queen - One.mp3", "y.mp3"}));

  Select("y.mp3");
  QStringList shown;
  new OnShow(dlg, [&] {
    shown = {dlg->BNArtist->text(), dlg->BNTitel->text(), dlg->BNTrack->text(), dlg->BNName->text(),
             dlg->focusWidget() ? dlg->focusWidget()->objectName() : QString()};
    QTest::mouseClick(dlg->CancelBtn, Qt::LeftButton);
  });
  form_->Bytnamn1->trigger();
  QCOMPARE(shown, QStringList({"Queen", "", "1", "y", "BNTitel"}));
}

// After the refresh the same row is selected (another file, as the list is
// sorted) and the list scrolls back to where it was.
void TestMorvFiles::renameKeepsRowAndScroll() {
  for (int i = 0; i < 60; ++i) folder_->Add(QString("f%1.mp3").arg(i, 2, 10, QChar(u'0')), UniqueAudio());
  Start();
  QListWidget* flb = form_->FLB;
  Select("f30.mp3");
  flb->scrollToItem(flb->item(25), QAbstractItemView::PositionAtTop);
  QCOMPARE(flb->indexAt(QPoint(1, 1)).row(), 25);
  TBytNamnDLG* dlg = form_->BytNamnDLG;
  new OnShow(dlg, [&] {
    dlg->BNName->selectAll();
    Type(dlg->BNName, "zz");
    QTest::mouseClick(dlg->OKBtn, Qt::LeftButton);
  });
  form_->Bytnamn1->trigger();
  QCOMPARE(flb->item(59)->text(), QStringLiteral("zz.mp3"));
  QCOMPARE(flb->currentRow(), 30);
  QCOMPARE(flb->currentItem()->text(), QStringLiteral("f31.mp3"));
  QCOMPARE(form_->ID3Form->Fil(), folder_->FilePath("f31.mp3"));
  QCOMPARE(flb->indexAt(QPoint(1, 1)).row(), 25);
}

void TestMorvFiles::moveByMenu_data() {
  QTest::addColumn<QString>("existing");  // "": none at the target; "no"/"yes": the answer
  QTest::newRow("new name") << "";
  QTest::newRow("existing name, No") << "no";
  QTest::newRow("existing name, Yes") << "yes";
}

void TestMorvFiles::moveByMenu() {
  QFETCH(QString, existing);
  const Bytes mine = UniqueAudio(), theirs = UniqueAudio();
  folder_->Add("a.mp3", mine);
  folder_->Add("b.mp3", UniqueAudio());
  TestFolder target(home_->filePath("target"));
  if (!existing.isEmpty()) target.Add("a.mp3", theirs);
  if (existing == "no") dialogs_->answerNo();
  if (existing == "yes") dialogs_->answerYes();
  Start();
  Select("a.mp3");

  TFolderForm* chooser = form_->FolderForm;
  QString message;
  new OnShow(chooser, [&] {
    message = chooser->MeddText->text();
    chooser->SetFolder(target.Path());
    QTest::keyClick(chooser->DirectoryListBox1, Qt::Key_Return);  // "Välj!" is the default button
  });
  form_->Flyttatill1->trigger();

  QCOMPARE(message, QStringLiteral("Fil att flytta: ") + folder_->Path() + QStringLiteral("/a.mp3"));
  QCOMPARE(form_->MoveFolder, target.Path());
  const bool moved = existing != "no";
  QCOMPARE(folder_->Names(), moved ? QStringList{"b.mp3"} : QStringList({"a.mp3", "b.mp3"}));
  QCOMPARE(target.Read("a.mp3"), moved ? mine : theirs);
  if (!moved) QCOMPARE(folder_->Read("a.mp3"), mine);
  QCOMPARE(Rows(form_->FLB), folder_->Names());
  // The main folder is shown and current again.
  QCOMPARE(form_->DirectoryListBox1->Directory(), folder_->Path());
  QCOMPARE(QDir::currentPath(), folder_->Path());
  // The small window said what went where, and was wide enough for it.
  TFlyttFrm* shown = form_->FlyttFrm;
  QVERIFY(!shown->isVisible());
  QCOMPARE(shown->FromLbl->text(), folder_->FilePath("a.mp3"));
  QCOMPARE(shown->ToLbl->text(), target.FilePath("a.mp3"));
  QCOMPARE(shown->width(), std::max(shown->FromLbl->geometry().right(), shown->ToLbl->geometry().right()) + 11);

  // The next time the chooser opens at the folder chosen now.
  Select("b.mp3");
  QString opened;
  new OnShow(chooser, [&] {
    opened = chooser->Folder();
    QTest::mouseClick(chooser->Button2, Qt::LeftButton);
  });
  form_->Flyttatill1->trigger();
  QCOMPARE(opened, target.Path());
}

void TestMorvFiles::moveChooserCancelled() {
  folder_->Add("a.mp3", UniqueAudio());
  QDir(folder_->Path()).mkdir("sub");
  Start();
  Select("a.mp3");
  const QString moveFolder = form_->MoveFolder;
  TFolderForm* chooser = form_->FolderForm;
  new OnShow(chooser, [&] {
    chooser->SetFolder(folder_->FilePath("sub"));  // the chooser's tree makes it current
    QTest::mouseClick(chooser->Button2, Qt::LeftButton);
  });
  form_->Flyttatill1->trigger();
  QCOMPARE(folder_->Names(), QStringList({"a.mp3", "sub"}));
  QCOMPARE(form_->MoveFolder, moveFolder);
  QCOMPARE(QDir::currentPath(), folder_->Path());
  QVERIFY(dialogs_->shown().isEmpty());
}

// The work folder and a memory file system: the file is copied, checked and
// only then taken away at its source.
void TestMorvFiles::moveAcrossFileSystems() {
  QTemporaryDir shm("/dev/shm/quindle-XXXXXX");
  if (!shm.isValid() || DeviceOf(shm.path()) == DeviceOf(folder_->Path()))
    QSKIP("needs /dev/shm on a file system of its own");
  const Bytes mine = Fx::Cat({UniqueAudio(), Fx::Zeros(1 << 20)});
  folder_->Add("a.mp3", mine);
  Start();
  Select("a.mp3");
  TFolderForm* chooser = form_->FolderForm;
  new OnShow(chooser, [&] {
    chooser->SetFolder(shm.path());
    QTest::mouseClick(chooser->Button1, Qt::LeftButton);
  });
  form_->Flyttatill1->trigger();
  QCOMPARE(folder_->Names(), QStringList{});
  QCOMPARE(Fx::ReadFile(shm.filePath("a.mp3").toStdString()), mine);
  QCOMPARE(QDir(shm.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"a.mp3"});
  QCOMPARE(form_->FLB->count(), 0);
  QVERIFY(dialogs_->shown().isEmpty());
}

// A drag from the list onto a folder of the tree: the status bar names both
// ends while the pointer is over the folder, the drop moves the file.
void TestMorvFiles::dragOntoTheTree() {
  const Bytes mine = UniqueAudio();
  folder_->Add("a.mp3", mine);
  folder_->Add("b.mp3", UniqueAudio());
  QDir(folder_->Path()).mkdir("Arkiv");
  Start();
  Select("a.mp3");
  form_->FLBStartDrag();
  QCOMPARE(form_->DragFile, folder_->FilePath("a.mp3"));

  QWidget* tree = form_->DirectoryListBox1->viewport();
  bool accepted = false;
  SendDrag(tree, QEvent::DragEnter, TreePoint("Arkiv"), &accepted);
  QVERIFY(accepted);
  SendDrag(tree, QEvent::DragMove, TreePoint("Arkiv"), &accepted);
  QVERIFY(accepted);
  const QString hint =
      QStringLiteral("Flytta \"%1\" till \"%2\"").arg(folder_->FilePath("a.mp3"), folder_->FilePath("Arkiv"));
  QCOMPARE(form_->SBPanel0->text(), hint);
  SendDrag(tree, QEvent::Drop, TreePoint("Arkiv"), &accepted);
  QVERIFY(accepted);
  // The move runs when the drag is over.
  QCOMPARE(folder_->Names(), QStringList({"Arkiv", "a.mp3", "b.mp3"}));
  form_->FinishFLBDrag();

  QCOMPARE(folder_->Names(), QStringList({"Arkiv", "b.mp3"}));
  QCOMPARE(Fx::ReadFile(folder_->FilePath("Arkiv/a.mp3").toStdString()), mine);
  QCOMPARE(Rows(form_->FLB), QStringList{"b.mp3"});
  QVERIFY(form_->DragFile.isEmpty());
  QVERIFY(dialogs_->shown().isEmpty());
}

void TestMorvFiles::dragIsRefusedOffTheFolders() {
  folder_->Add("a.mp3", UniqueAudio());
  QDir(folder_->Path()).mkdir("Arkiv");
  Start();
  Select("a.mp3");
  form_->FLBStartDrag();
  QWidget* tree = form_->DirectoryListBox1->viewport();
  bool accepted = true;
  // Below the last folder item there is only room.
  const QPoint between(5, tree->height() - 3);
  QVERIFY(!form_->DirectoryListBox1->itemAt(between));
  SendDrag(tree, QEvent::DragEnter, TreePoint("Arkiv"));
  SendDrag(tree, QEvent::DragMove, between, &accepted);
  QVERIFY(!accepted);
  SendDrag(tree, QEvent::Drop, between, &accepted);
  QVERIFY(!accepted);

  // Back over the file list: refused, and the hint goes.
  SendDrag(tree, QEvent::DragMove, TreePoint("Arkiv"));
  QVERIFY(!form_->SBPanel0->text().isEmpty());
  SendDrag(form_->FLB->viewport(), QEvent::DragEnter, QPoint(5, 5), &accepted);
  QVERIFY(!accepted);
  QCOMPARE(form_->SBPanel0->text(), QString());

  // A drag from anywhere else is refused by the tree.
  QMimeData text;
  text.setText("x");
  QDragEnterEvent other(TreePoint("Arkiv"), Qt::MoveAction, &text, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(tree, &other);
  QVERIFY(!other.isAccepted());

  form_->FinishFLBDrag();
  QCOMPARE(folder_->Names(), QStringList({"Arkiv", "a.mp3"}));
  QVERIFY(form_->DragFile.isEmpty());
}

// The whole drag as the mouse does it: press on a row, move past the
// threshold, release over a folder of the tree. The steps of the drag are
// checked one by one above; this runs them through the platform's drag.
void TestMorvFiles::dragWithTheMouse() {
  if (QGuiApplication::platformName() == QLatin1String("offscreen"))
    QSKIP("the offscreen platform has no drag and drop; run under xvfb-run with -platform xcb");
  folder_->Add("a.mp3", UniqueAudio());
  QDir(folder_->Path()).mkdir("Arkiv");
  Start();
  form_->activateWindow();
  QVERIFY(QTest::qWaitForWindowActive(form_.get()));
  // Through the window, as the platform delivers the pointer: the drag
  // follows only such events.
  QWindow* window = form_->windowHandle();
  auto at = [&](QWidget* w, QPoint p) { return w->mapTo(form_.get(), p); };
  QWidget* list = form_->FLB->viewport();
  QWidget* tree = form_->DirectoryListBox1->viewport();
  const QPoint row = at(list, form_->FLB->visualItemRect(form_->FLB->item(0)).center());
  const QPoint folder = at(tree, TreePoint("Arkiv"));
  QString hint;
  // The drag runs its own loop; the pointer goes on from inside it.
  QTimer::singleShot(50, [&] {
    QTest::mouseMove(window, folder);
    QTimer::singleShot(50, [&] {
      QTest::mouseMove(window, folder + QPoint(1, 0));
      hint = form_->SBPanel0->text();
      QTest::mouseRelease(window, Qt::LeftButton, Qt::NoModifier, folder + QPoint(1, 0));
    });
  });
  QTest::mousePress(window, Qt::LeftButton, Qt::NoModifier, row);
  QCoreApplication::processEvents();
  QTest::mouseMove(window, row + QPoint(QApplication::startDragDistance() + 5, 0));
  QTRY_COMPARE(folder_->Names(), QStringList({"Arkiv"}));
  QVERIFY(QFileInfo::exists(folder_->FilePath("Arkiv/a.mp3")));
  QCOMPARE(hint,
           QStringLiteral("Flytta \"%1\" till \"%2\"").arg(folder_->FilePath("a.mp3"), folder_->FilePath("Arkiv")));
  QVERIFY(form_->DragFile.isEmpty());
}

void TestMorvFiles::deleteFile_data() {
  QTest::addColumn<QString>("how");
  QTest::addColumn<bool>("yes");
  QTest::newRow("menu, No") << "menu" << false;
  QTest::newRow("menu, Yes") << "menu" << true;
  QTest::newRow("Del key, No") << "key" << false;
  QTest::newRow("Del key, Yes") << "key" << true;
  QTest::newRow("tool button, Yes") << "button" << true;
}

void TestMorvFiles::deleteFile() {
  QFETCH(QString, how);
  QFETCH(bool, yes);
  const Bytes mine = UniqueAudio();
  folder_->Add("a b.mp3", mine);
  folder_->Add("c.mp3", UniqueAudio());
  Start();
  Select("a b.mp3");
  yes ? dialogs_->answerYes() : dialogs_->answerNo();
  if (how == "menu") form_->Tabort2->trigger();
  if (how == "key") {
    form_->FLB->setFocus();
    QTest::keyClick(form_->FLB, Qt::Key_Delete);
  }
  if (how == "button") form_->TBTaBort->click();

  QCOMPARE(dialogs_->shown().size(), 1);
  QCOMPARE(dialogs_->shown().front().caption, QStringLiteral("Bekräfta"));
  QCOMPARE(dialogs_->shown().front().text, QStringLiteral("Är du säker på att du vill ta bort filen: a b.mp3?"));
  QCOMPARE(folder_->Names(), yes ? QStringList{"c.mp3"} : QStringList({"a b.mp3", "c.mp3"}));
  if (!yes) QCOMPARE(folder_->Read("a b.mp3"), mine);
  QCOMPARE(Rows(form_->FLB), folder_->Names());
}

void TestMorvFiles::createFolder_data() {
  QTest::addColumn<QString>("how");       // "list" or "tree"; "tree-nothing": right click between items
  QTest::addColumn<QString>("answer");    // the name typed; "<cancel>" for Cancel
  QTest::addColumn<QString>("created");   // relative to the folder shown; "" for none
  QTest::addColumn<bool>("warning");
  QTest::newRow("list menu") << "list" << "Ny" << "Ny" << false;
  QTest::newRow("list menu, Cancel") << "list" << "<cancel>" << "" << false;
  QTest::newRow("list menu, nothing typed") << "list" << "" << "" << false;
  QTest::newRow("list menu, existing name") << "list" << "Arkiv" << "" << true;
  QTest::newRow("list menu, a slash") << "list" << "Arkiv/Ny" << "" << true;
  QTest::newRow("tree menu, right-clicked folder") << "tree" << "Ny" << "Arkiv/Ny" << false;
  QTest::newRow("tree menu, existing name") << "tree" << "Gammal" << "" << true;
  QTest::newRow("tree menu, nothing highlighted") << "tree-nothing" << "Ny" << "Ny" << false;
}

void TestMorvFiles::createFolder() {
  QFETCH(QString, how);
  QFETCH(QString, answer);
  QFETCH(QString, created);
  QFETCH(bool, warning);
  folder_->Add("a.mp3", UniqueAudio());
  QDir(folder_->Path()).mkpath("Arkiv/Gammal");
  Start();
  const QStringList before = folder_->Names();
  QString parent = folder_->Path();
  if (how == "list") {
    Select("a.mp3");
  } else {
    QWidget* viewport = form_->DirectoryListBox1->viewport();
    const QPoint at = how == "tree" ? TreePoint("Arkiv") : QPoint(5, viewport->height() - 3);
    QTest::mousePress(viewport, Qt::RightButton, Qt::NoModifier, at);
    QTest::mouseRelease(viewport, Qt::RightButton, Qt::NoModifier, at);
    // Highlighted, not opened.
    QCOMPARE(form_->DirectoryListBox1->Directory(), folder_->Path());
    if (how == "tree") {
      parent = folder_->FilePath("Arkiv/");
    } else {
      QVERIFY(form_->DirectoryListBox1->selectedItems().isEmpty());
      parent += u'/';
    }
  }
  if (answer == "<cancel>") dialogs_->cancelInput();
  else dialogs_->answerInput(answer);
  (how == "list" ? form_->SkapaMapp1 : form_->Skapamapp2)->trigger();

  const FakeDialogs::Shown& input = dialogs_->shown().front();
  QCOMPARE(input.caption, QStringLiteral("Skapa en mapp i katalogen: ") + parent);
  QCOMPARE(input.text, QStringLiteral("Mappnamn:"));
  QCOMPARE(input.detail, QString());
  if (warning) {
    QCOMPARE(dialogs_->shown().size(), 2);
    QCOMPARE(dialogs_->shown().back().caption, QStringLiteral("Varning"));
    QCOMPARE(dialogs_->shown().back().text, QStringLiteral("Det gick inte att skapa mappen!"));
  } else {
    QCOMPARE(dialogs_->shown().size(), 1);
  }
  if (created.isEmpty()) {
    QCOMPARE(folder_->Names(), before);
    QVERIFY(QDir(folder_->FilePath("Arkiv")).entryList(QDir::AllEntries | QDir::NoDotAndDotDot) ==
            QStringList{"Gammal"});
  } else {
    QVERIFY(QFileInfo(folder_->FilePath(created)).isDir());
    // The tree shows a folder created in the folder it shows.
    if (!created.contains(u'/')) QVERIFY(TreeItem(created));
  }
}

// After a save the main window reads the file again and refills the editor.
void TestMorvFiles::tagSaveRefreshesTheFile() {
  folder_->Add("ABBA - Waterloo.mp3", UniqueAudio());
  Start();
  Select("ABBA - Waterloo.mp3");
  TID3Form* editor = form_->ID3Form;
  QCOMPARE(editor->ID3Inf->text(), QString());
  editor->ITitel->setFocus();
  Type(editor->ITitel, "Waterloo");
  editor->ITrack->setText("1");
  QVERIFY(editor->SparKnapp->isEnabled());
  QTest::keyClick(editor->ITitel, Qt::Key_Return);

  QCOMPARE(editor->ID3Inf->text(), QStringLiteral("1.1"));
  QCOMPARE(editor->ITitel->text(), QStringLiteral("Waterloo"));
  QCOMPARE(editor->ITrack->text(), QStringLiteral("1"));
  QVERIFY(!editor->SparKnapp->isEnabled());
  QVERIFY(form_->SBPanel0->text().startsWith(QStringLiteral("ABBA - Waterloo.mp3: ")));
  QVERIFY(dialogs_->shown().isEmpty());
}

int main(int argc, char** argv) {
  // Settings and the runtime folder of this run stay inside temporary folders.
  QTemporaryDir config;
  qputenv("XDG_CONFIG_HOME", config.path().toUtf8());
  qputenv("XDG_DATA_HOME", config.filePath("data").toUtf8());
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  TestMorvFiles test;
  return QTest::qExec(&test, argc, argv);
}

#include "tst_morvfiles.moc"
