#pragma once
// The main window: folder tree, file list, details, and every command of the
// program on its menus, tool bar and pop-up menus.
#include <QMainWindow>
#include <functional>
#include <memory>

#include "FolderScan.h"
#include "MPEGaudio.h"
#include "Morv.h"
#include "MorvSettings.h"
#include "QuickProbe.h"

class FolderTree;
class QAction;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QMenu;
class QProgressBar;
class QStatusBar;
class QTimer;
class QToolBar;
class QToolButton;
class TID3Form;
class TListForm;

class TMorvForm : public QMainWindow {
  Q_OBJECT
 public:
  // programFolder: where the program keeps its own files ("latest.txt",
  // the temporary playlist). startFolder: the folder shown when no stored
  // folder exists.
  TMorvForm(const QString& programFolder, const QString& startFolder, QWidget* parent = nullptr);
  const QString& ProgramFolder() const { return programFolder_; }
  ~TMorvForm() override;

  // Start-up after construction: settings, player, genre list, timer. The
  // main window appears when Timer1 fires.
  void FormCreate();

  // --- folder listing and view filters -----------------------------------
  void DirectoryListBox1Change();
  void UppdateraListan(int Filter);
  void Id3allaClick();
  void Id3v1Click();
  void Id3v1inteClick();
  void Id3v2Click();
  void id3felnamnClick();
  void Uppdatera1Click();
  void DriveComboBox1Change();

  // --- details panel ------------------------------------------------------
  void FLBClick();
  void HamtaId3v2(const QString& FileName, Morv::TID3Svar& Svar);
  void HamtaWMAInfo(const QString& FileName);
  void RensaID3Form(bool Visa);
  void ID3Info1Click();
  void MP3Lista1Click();
  void VisaListan();

  // --- fixing: tag from name, name from tag, capitalisation ------------------
  // (defined in fixing/MorvFixing*.cpp)
  bool SkrivSkydd(const QString& FileName);
  bool SkrivId3Tag(const QString& FileName, bool Overwrite);
  void FixaID3Tag1Click();
  void SpeedButton1Click();
  QString FixaNamnet(const QString& FileName);
  void Fixanamnet1Click();
  void SpeedButton2Click();
  void Fixanamnetspeciell1Click();
  void FixaGemenerna1Click();
  void GBBtnClick();
  void GenreDoClick();
  void StdAlbumCBClick();
  void StdArCBClick();
  void StdArKeyPress(QChar& Key);  // a discarded key becomes QChar()
  // The failure state of the last reporting batch; the report reads it.
  QStringList FelLista;
  std::int32_t AntNamnfel = 0;
  std::int32_t AntSkrivfel = 0;
  std::int32_t AntID3Skrivskydd = 0;
  class TErrForm* ErrForm = nullptr;
  // Takes over a batch's lines and counters, shows the report window when
  // there is at least one line, then discards the lines.
  void VisaFelRapport(const struct FailureReport& Report);
  // The refresh of a single-file command: rescan, then scroll the list back
  // so that row top is the first visible one again.
  void RefreshKeepingTopRow(int top);

  // --- file management: rename, move, delete, folders, drag and drop --------
  // (defined in fixing/MorvFiles*.cpp)
  void Bytnamn1Click();
  // Moves Source to the full path Target while TFlyttFrm shows what goes
  // where; with Refresh the list is scanned again before that window closes.
  // False when the move failed (the mover has told the user why).
  bool FlyttaFil(const QString& Source, const QString& Target, bool Refresh);
  void Flyttatill1Click();
  void Tabort2Click();
  void SkapaMapp1Click();
  void Skapamapp2Click();
  void DirectoryListBox1MouseDown(Qt::MouseButton Button, const QPoint& pos);
  void DirectoryListBox1MouseMove(const QPoint& pos);
  // The drag of a file from FLB onto a folder of the tree. FLBDrag runs the
  // whole drag; the steps are separate so that each can be driven alone.
  void FLBDrag();
  void FLBStartDrag();
  void FLBDragOver();
  bool DirectoryListBox1DragOver(const QPoint& pos);  // true: a drop here is accepted
  void DirectoryListBox1EndDrag(QObject* Target, const QPoint& pos);
  // After the drag: the drop recorded by the tree, or none.
  void FinishFLBDrag();
  // The drag and mouse events of FLB's and the tree's viewports; true when used up.
  bool FLBDragEvent(QEvent* event);
  bool DirectoryListBox1Event(QEvent* event);
  bool FLBDragPending = false;        // a left press on FLB that may become a drag
  QObject* FLBDropTarget = nullptr;   // where the running drag was dropped
  QPoint FLBDropPoint;
  class TBytNamnDLG* BytNamnDLG = nullptr;
  class TFlyttFrm* FlyttFrm = nullptr;
  class TFolderForm* FolderForm = nullptr;

  // --- start and end --------------------------------------------------------
  void Timer1Timer();
  void Avsluta1Click();

  // Runs a handler; an error that escapes it is shown as one plain message.
  static void Safely(const std::function<void()>& handler);
  static void HanteraFel(const std::exception& E);

  // State other windows and tests read.
  int ViewFilter = FilterAlla;
  FileLists Lists;
  TagProbe Probe;
  int ActionMode = 0;
  QString WinampExe;
  QString ActFolder;
  QString MoveFolder;
  int SplashTime = 2;
  bool PositionsRead = false;
  QString DragFile;
  TMPEGaudio Mpeg;
  MorvSettings Settings;

  // Controls, by their names.
  QToolBar* ToolBar1 = nullptr;
  QToolButton* TBGemener = nullptr;
  QToolButton* TBId32Namn = nullptr;
  QToolButton* TBNamn2Id3 = nullptr;
  QToolButton* TBTaBort = nullptr;
  QToolButton* TBSpela = nullptr;
  QToolButton* ID3Inst = nullptr;
  QComboBox* DriveComboBox1 = nullptr;
  FolderTree* DirectoryListBox1 = nullptr;
  QListWidget* FLB = nullptr;
  QGroupBox* GB = nullptr;
  QCheckBox* GenreDo = nullptr;
  QComboBox* GenreList = nullptr;
  QCheckBox* StdAlbumCB = nullptr;
  QLineEdit* StdAlbum = nullptr;
  QCheckBox* StdArCB = nullptr;
  QLineEdit* StdAr = nullptr;
  QCheckBox* OWID3 = nullptr;
  QLabel* ListLbl = nullptr;
  QLabel* MP3ListCount = nullptr;
  QLabel* StaticText1 = nullptr;
  QLabel* AntFiler = nullptr;
  QLabel* InfoTxt = nullptr;
  QProgressBar* PB = nullptr;
  QStatusBar* SB = nullptr;
  QLabel* SBPanel0 = nullptr;
  QLabel* SBPanel1 = nullptr;
  QTimer* Timer1 = nullptr;

  // Menus and their items.
  QMenu* ListMenyn = nullptr;
  QMenu* PopupMenu2 = nullptr;
  QMenu* SBPopup = nullptr;
  QMenu* Winamp1 = nullptr;
  QMenu* Spelupp1 = nullptr;
  QAction* Avsluta1 = nullptr;
  QAction* Id3alla = nullptr;
  QAction* Id3v1 = nullptr;
  QAction* Id3v1inte = nullptr;
  QAction* Id3v2 = nullptr;
  QAction* id3felnamn = nullptr;
  QAction* Uppdatera1 = nullptr;
  QAction* ID3Info1 = nullptr;
  QAction* MP3Lista1 = nullptr;
  QAction* FixaGemenerna1 = nullptr;
  QAction* FixaID3Tagarna1 = nullptr;
  QAction* FixaNamnen1 = nullptr;
  QAction* Sk1 = nullptr;
  QAction* InstMny = nullptr;
  QAction* WinampVer = nullptr;
  QAction* StartaWinamp1 = nullptr;
  QAction* OmMorvantaVindrel1 = nullptr;
  QAction* Denvaldalten1 = nullptr;
  QAction* Allailistan1 = nullptr;
  QAction* Allaltarmedsammaartist1 = nullptr;
  QAction* Lggpk2 = nullptr;
  QAction* Lggtillilistan1 = nullptr;
  QAction* Bytnamn1 = nullptr;
  QAction* Tabort2 = nullptr;
  QAction* Flyttatill1 = nullptr;
  QAction* SkapaMapp1 = nullptr;
  QAction* Tabort1 = nullptr;
  QAction* FixaID3Tag1 = nullptr;
  QAction* Fixanamnet1 = nullptr;
  QAction* Fixanamnetspeciell1 = nullptr;
  QAction* Skapamapp2 = nullptr;
  QAction* Spelaupp1 = nullptr;
  QAction* Lggpk1 = nullptr;
  QAction* LggtilliMP3Listan1 = nullptr;

  // The other windows the main window owns.
  TID3Form* ID3Form = nullptr;
  TListForm* ListForm = nullptr;

 protected:
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void changeEvent(QEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void BuildControls();
  void BuildToolBar();
  void BuildMenus();
  void BuildDefaultsPanel();
  void WireHandlers();
  void WireFixingHandlers();  // fixing/MorvFixing.cpp
  void WireFileHandlers();    // fixing/MorvFiles.cpp
  void FillDrives();

  void FormShow();
  void FormActivate();
  void FormCloseQuery();
  void FormClose();
  void FormConstrainedResize();
  void FLBMouseDown(Qt::MouseButton Button, Qt::KeyboardModifiers Modifiers, const QPoint& pos);
  void FLBMouseUp();
  void SelectFilter(QAction* item, int value);
  void UpdateInfoTxtPosition();
  void SyncDrivePicker();

  QString programFolder_;
  QString startFolder_;
  bool shownOnce_ = false;
  QString reportedMissingFolder_;
  bool listMenuAttached_ = false;
  bool leftPressOnList_ = false;  // a click's own handler runs at its release
  QPoint dragStart_;
};
