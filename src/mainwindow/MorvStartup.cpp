// Start-up, placement, activation and shutdown of the main window.
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGroupBox>
#include <QGuiApplication>
#include <QListWidget>
#include <QLabel>
#include <QMenu>
#include <QProgressBar>
#include <QScreen>
#include <QStatusBar>
#include <QTimer>
#include <QToolButton>

#include "DetailsText.h"
#include "Dialogs.h"
#include "Drives.h"
#include "FileAssociation.h"
#include "FolderTree.h"
#include "HanteraFel.h"
#include "HintStyle.h"
#include "ID3v1.h"
#include "Id3Frm.h"
#include "LstFrm.h"
#include "MorvMP3Unit.h"
#include "SettingsStore.h"
#include "SwedishOrder.h"

namespace {

constexpr int kPanel1Width = 140;

// The program path of a registered command line: the text between its first
// character and the next double quote ("/usr/bin/player" %U gives
// /usr/bin/player); empty when the line does not start that way.
QString ProgramOfCommandLine(const QString& commandLine) {
  const qsizetype quote = commandLine.indexOf(QLatin1Char('"'), 1);
  if (commandLine.isEmpty() || quote < 0) return {};
  return commandLine.mid(1, quote - 1);
}

}  // namespace

void TMorvForm::Safely(const std::function<void()>& handler) {
  try {
    handler();
  } catch (const std::exception& E) {
    HanteraFel(E);
  }
}

void TMorvForm::HanteraFel(const std::exception& E) {
  Dialogs::instance().message(HanteraFelText(QString::fromUtf8(E.what())));
}

void TMorvForm::FormCreate() {
  SplashTime = 2;
  WinampExe.clear();
  ViewFilter = FilterAlla;
  Lists = FileLists{};
  ActionMode = 0;
  PositionsRead = false;

  std::optional<SettingsStore> store = SettingsStore::open();
  Settings = MorvSettings::Load(store, startFolder_);
  if (Settings.StoreAvailable) {
    ActFolder = Settings.ActFolder;
    MoveFolder = Settings.MoveFolder;
    PositionsRead = Settings.PositionsRead;
    ID3Info1->setChecked(Settings.ID3Show);
    MP3Lista1->setChecked(Settings.MP3Show);
    SplashTime = Settings.SplashTime;
    ActionMode = Settings.DblKlick;
    Timer1->setInterval(SplashTime * 1000);
  }

  // The desktop's player for MP3 files; the "Winamp" menu serves only Winamp.
  const QString program = ProgramOfCommandLine(FileAssociation::commandLine(QStringLiteral(".mp3")));
  if (!program.isEmpty() && QFileInfo(program).isFile()) WinampExe = program;
  const QString exeName = QFileInfo(WinampExe).fileName().toLower();
  Winamp1->setEnabled(exeName == QLatin1String("winamp.exe") || exeName == QLatin1String("winamp"));

  QStringList genres;
  for (const char* name : GenreChoices) genres << QString::fromLatin1(name);
  SortSwedish(genres);
  GenreList->clear();
  GenreList->addItems(genres);
  GenreList->setCurrentIndex(-1);

  FillDrives();
  Timer1->start();
  HintStyle::SetHintPause(200);
  Probe.ProbeQuiet = false;
}

void TMorvForm::FillDrives() {
  DriveComboBox1->clear();
  for (const Drive& d : Drives::list()) DriveComboBox1->addItem(d.name, d.path);
}

void TMorvForm::Timer1Timer() {
  Timer1->stop();
  show();
}

void TMorvForm::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  if (shownOnce_) return;
  shownOnce_ = true;
  Safely([this] { FormShow(); });
}

void TMorvForm::FormShow() {
  const QScreen* screen = QGuiApplication::primaryScreen();
  const QSize screenSize = screen ? screen->size() : QSize(1024, 768);
  Settings.PositionsRead = PositionsRead;
  const WindowPlacement p = PlaceWindows(Settings, screenSize, QRect(x(), y(), width(), height()),
                                         ListForm->geometry(), ID3Form->pos());
  move(p.Main.topLeft());
  resize(std::max(p.Main.width(), minimumWidth()), height());
  ListForm->move(p.Mp3List.topLeft());
  ListForm->resize(std::max(p.Mp3List.width(), ListForm->minimumWidth()),
                   std::max(p.Mp3List.height(), ListForm->minimumHeight()));
  ID3Form->move(p.TagEditor);
  activateWindow();

  FormConstrainedResize();
  SBPanel1->setText(ActionName(ActionMode));
  if (!ActFolder.isEmpty() && QFileInfo(ActFolder).isDir()) DirectoryListBox1->SetDirectory(ActFolder);
  else if (DirectoryListBox1->Directory().isEmpty()) DirectoryListBox1->SetDirectory(startFolder_);
  ActFolder = DirectoryListBox1->Directory();
  DirectoryListBox1Change();
  RensaID3Form(ID3Info1->isChecked());
  TBSpela->setToolTip(ActionName(ActionMode));
}

void TMorvForm::changeEvent(QEvent* event) {
  QMainWindow::changeEvent(event);
  if (event->type() == QEvent::ActivationChange && isActiveWindow()) Safely([this] { FormActivate(); });
}

void TMorvForm::FormActivate() {
  const QString folder = DirectoryListBox1->Directory();
  if (!folder.isEmpty()) {
    if (QDir::setCurrent(folder)) {
      reportedMissingFolder_.clear();
    } else if (reportedMissingFolder_ != folder) {
      // The box takes the activation away and gives it back: say it once per
      // folder instead of again at every return.
      reportedMissingFolder_ = folder;
      Dialogs::instance().message(folder + QStringLiteral("-katalogen finns inte!"));
    }
  }
  if (!ListForm->isVisible() && MP3Lista1->isChecked()) ListForm->show();
}

void TMorvForm::resizeEvent(QResizeEvent* event) {
  QMainWindow::resizeEvent(event);
  FormConstrainedResize();
}

void TMorvForm::FormConstrainedResize() {
  SBPanel1->setFixedWidth(kPanel1Width);
  SBPanel0->setFixedWidth(std::max(0, width() - kPanel1Width - 8));
  if (GB) {
    GB->move(FLB->geometry().topLeft());
    GB->resize(FLB->width(), GB->sizeHint().height());
  }
}

void TMorvForm::Avsluta1Click() { close(); }

void TMorvForm::closeEvent(QCloseEvent* event) {
  Safely([this] { FormCloseQuery(); });
  Safely([this] { FormClose(); });
  event->accept();
}

void TMorvForm::FormCloseQuery() {
  Settings.WindowX = x();
  Settings.WindowY = y();
  Settings.WindowW = width();
  Settings.MP3WindowX = ListForm->x();
  Settings.MP3WindowY = ListForm->y();
  Settings.MP3WindowW = ListForm->width();
  Settings.MP3WindowH = ListForm->height();
  Settings.Id3WindowX = ID3Form->x();
  Settings.Id3WindowY = ID3Form->y();
}

void TMorvForm::FormClose() {
  const QString latest = QDir(programFolder_).filePath(QStringLiteral("latest.txt"));
  if (QFileInfo::exists(latest)) QFile::remove(latest);
  ActFolder = DirectoryListBox1->Directory();
  if (std::optional<SettingsStore> store = SettingsStore::open()) {
    Settings.ActFolder = ActFolder;
    Settings.MoveFolder = MoveFolder;
    Settings.SplashTime = SplashTime;
    Settings.DblKlick = ActionMode;
    Settings.ID3Show = ID3Info1->isChecked();
    Settings.MP3Show = MP3Lista1->isChecked();
    Settings.Save(*store);
    store->close();
  }
  Lists = FileLists{};
  ListForm->hide();
  ID3Form->hide();
}
