// The main window's menu bar, pop-up menus and the wiring of every handler.
#include <QActionGroup>
#include <QApplication>
#include <QComboBox>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QTimer>
#include <QToolButton>

#include "Artwork.h"
#include "FolderTree.h"
#include "Id3Frm.h"
#include "LstFrm.h"
#include "MorvMP3Unit.h"

namespace {

QAction* Item(QMenu* menu, const char* name, const QString& caption, const QKeySequence& shortcut = {}) {
  QAction* a = menu->addAction(caption);
  a->setObjectName(QString::fromLatin1(name));
  if (!shortcut.isEmpty()) {
    a->setShortcut(shortcut);
    a->setShortcutContext(Qt::WindowShortcut);
  }
  return a;
}

QMenu* Menu(QWidget* parent, const char* name, const QString& caption) {
  auto* m = new QMenu(caption, parent);
  m->setObjectName(QString::fromLatin1(name));
  return m;
}

}  // namespace

void TMorvForm::BuildMenus() {
  QMenuBar* MM = menuBar();
  MM->setObjectName(QStringLiteral("MM"));

  QMenu* arkiv = MM->addMenu(QStringLiteral("&Arkiv"));
  arkiv->setObjectName(QStringLiteral("Arkiv1"));
  Avsluta1 = Item(arkiv, "Avsluta1", QStringLiteral("&Avsluta"));

  QMenu* visa = MM->addMenu(QStringLiteral("Visa"));
  visa->setObjectName(QStringLiteral("Visa1"));
  QMenu* mp3filer = visa->addMenu(QStringLiteral("MP3-filer"));
  mp3filer->setObjectName(QStringLiteral("AllaMP3filer1"));
  auto* filters = new QActionGroup(this);
  filters->setExclusive(true);
  Id3alla = Item(mp3filer, "Id3alla", QStringLiteral("Alla"));
  Id3v1 = Item(mp3filer, "Id3v1", QStringLiteral("Med ID3v1 (endast)"));
  Id3v1inte = Item(mp3filer, "Id3v1inte", QStringLiteral("Utan ID3v1"));
  Id3v2 = Item(mp3filer, "Id3v2", QStringLiteral("Med ID3v2"));
  id3felnamn = Item(mp3filer, "id3felnamn", QStringLiteral("Med felaktig namnstruktur"));
  for (QAction* a : {Id3alla, Id3v1, Id3v1inte, Id3v2, id3felnamn}) {
    a->setCheckable(true);
    filters->addAction(a);
  }
  Id3alla->setChecked(true);
  Uppdatera1 = Item(visa, "Uppdatera1", QStringLiteral("Uppdatera"), QKeySequence(Qt::Key_F5));
  visa->addSeparator();
  ID3Info1 = Item(visa, "ID3Info1", QStringLiteral("ID3Info"));
  ID3Info1->setCheckable(true);
  ID3Info1->setChecked(true);
  MP3Lista1 = Item(visa, "MP3Lista1", QStringLiteral("MP3Lista"));
  MP3Lista1->setCheckable(true);

  QMenu* fixa = MM->addMenu(QStringLiteral("Fixa"));
  fixa->setObjectName(QStringLiteral("Fixa1"));
  FixaGemenerna1 = Item(fixa, "FixaGemenerna1", QStringLiteral("Gemenerna"));
  fixa->addSeparator();
  FixaID3Tagarna1 = Item(fixa, "FixaID3Tagarna1", QStringLiteral("ID3Tagarna"));
  fixa->addSeparator();
  FixaNamnen1 = Item(fixa, "FixaNamnen1", QStringLiteral("Namnen"));

  QMenu* verktyg = MM->addMenu(QStringLiteral("&Verktyg"));
  verktyg->setObjectName(QStringLiteral("Verktyg1"));
  Sk1 = Item(verktyg, "Sk1", QStringLiteral("Sök..."), QKeySequence(Qt::Key_F3));
  verktyg->addSeparator();
  InstMny = Item(verktyg, "InstMny", QStringLiteral("Inställningar..."));

  Winamp1 = MM->addMenu(QStringLiteral("Winamp"));
  Winamp1->setObjectName(QStringLiteral("Winamp1"));
  WinampVer = Item(Winamp1, "WinampVer", QStringLiteral("Status..."));
  Winamp1->addSeparator();
  StartaWinamp1 = Item(Winamp1, "StartaWinamp1", QStringLiteral("&Starta Winamp"));

  QMenu* hjalp = MM->addMenu(QStringLiteral("&Hjälp"));
  hjalp->setObjectName(QStringLiteral("Hjlp1"));
  OmMorvantaVindrel1 = Item(hjalp, "OmMorvantaVindrel1", QStringLiteral("Om Morvanta Quindle..."), QKeySequence(Qt::Key_F1));

  // The file list's pop-up menu; its images are the "under the pointer" ones.
  ListMenyn = Menu(this, "ListMenyn", QString());
  Spelupp1 = ListMenyn->addMenu(QStringLiteral("Spela upp!"));
  Spelupp1->setObjectName(QStringLiteral("Spelupp1"));
  Spelupp1->setIcon(ToolIcon(2));
  Denvaldalten1 = Item(Spelupp1, "Denvaldalten1", QStringLiteral("Den valda låten"));
  Spelupp1->addSeparator();
  Allailistan1 = Item(Spelupp1, "Allailistan1", QStringLiteral("Alla i listan"));
  Allaltarmedsammaartist1 = Item(Spelupp1, "Allaltarmedsammaartist1", QStringLiteral("Alla låtar med samma artist (ej klar)"));
  Allaltarmedsammaartist1->setEnabled(false);
  Lggpk2 = Item(ListMenyn, "Lggpk2", QStringLiteral("Lägg på kö"));
  Lggtillilistan1 = Item(ListMenyn, "Lggtillilistan1", QStringLiteral("Lägg till i listan"));
  ListMenyn->addSeparator();
  Bytnamn1 = Item(ListMenyn, "Bytnamn1", QStringLiteral("Byt namn..."));
  Tabort2 = Item(ListMenyn, "Tabort2", QStringLiteral("Ta bort"));
  Tabort2->setIcon(ToolIcon(1));
  Flyttatill1 = Item(ListMenyn, "Flyttatill1", QStringLiteral("Flytta till..."));
  SkapaMapp1 = Item(ListMenyn, "SkapaMapp1", QStringLiteral("Skapa Mapp..."));
  Tabort1 = Item(ListMenyn, "Tabort1", QStringLiteral("Ta bort ID3Tag v2"));
  Tabort1->setEnabled(false);
  ListMenyn->addSeparator();
  FixaID3Tag1 = Item(ListMenyn, "FixaID3Tag1", QStringLiteral("Fixa ID3Tag"));
  FixaID3Tag1->setIcon(ToolIcon(4));
  Fixanamnet1 = Item(ListMenyn, "Fixanamnet1", QStringLiteral("Fixa namnet"));
  Fixanamnet1->setIcon(ToolIcon(3));
  Fixanamnetspeciell1 = Item(ListMenyn, "Fixanamnetspeciell1", QStringLiteral("Fixa Gemener"));
  Fixanamnetspeciell1->setIcon(ToolIcon(0));
  // Del works on the list while a row is selected, whether or not the menu is open.
  Tabort2->setShortcut(QKeySequence(Qt::Key_Delete));
  Tabort2->setShortcutContext(Qt::WidgetShortcut);
  FLB->addAction(Tabort2);

  PopupMenu2 = Menu(this, "PopupMenu2", QString());
  Skapamapp2 = Item(PopupMenu2, "Skapamapp2", QStringLiteral("Skapa mapp..."));

  SBPopup = Menu(this, "SBPopup", QString());
  Spelaupp1 = Item(SBPopup, "Spelaupp1", QStringLiteral("Spela upp"));
  Lggpk1 = Item(SBPopup, "Lggpk1", QStringLiteral("Lägg på kö"));
  LggtilliMP3Listan1 = Item(SBPopup, "LggtilliMP3Listan1", QStringLiteral("Lägg till i MP3-Listan"));
}

void TMorvForm::WireHandlers() {
  auto on = [this](QAction* a, void (TMorvForm::*handler)()) {
    connect(a, &QAction::triggered, this, [this, handler] { Safely([this, handler] { (this->*handler)(); }); });
  };
  on(Avsluta1, &TMorvForm::Avsluta1Click);
  on(Id3alla, &TMorvForm::Id3allaClick);
  on(Id3v1, &TMorvForm::Id3v1Click);
  on(Id3v1inte, &TMorvForm::Id3v1inteClick);
  on(Id3v2, &TMorvForm::Id3v2Click);
  on(id3felnamn, &TMorvForm::id3felnamnClick);
  on(Uppdatera1, &TMorvForm::Uppdatera1Click);
  on(ID3Info1, &TMorvForm::ID3Info1Click);
  on(MP3Lista1, &TMorvForm::MP3Lista1Click);

  connect(Timer1, &QTimer::timeout, this, [this] { Safely([this] { Timer1Timer(); }); });
  connect(DirectoryListBox1, &FolderTree::changed, this, [this] { Safely([this] { DirectoryListBox1Change(); }); });
  connect(DirectoryListBox1, &QTreeWidget::itemActivated, this, [this](QTreeWidgetItem* item) {
    Safely([this, item] { DirectoryListBox1->SetDirectory(FolderTree::ItemPath(item)); });
  });
  connect(DriveComboBox1, qOverload<int>(&QComboBox::activated), this,
          [this] { Safely([this] { DriveComboBox1Change(); }); });
  connect(FLB, &QListWidget::currentRowChanged, this, [this] {
    // Keyboard moves select like a click; the mouse handler runs the click itself.
    if (!leftPressOnList_) Safely([this] { FLBClick(); });
  });
  connect(ID3Form, &TID3Form::hiddenByClose, this, [this] { ID3Info1->setChecked(false); });
  connect(ListForm, &TListForm::hiddenByClose, this, [this] { MP3Lista1->setChecked(false); });
  connect(DirectoryListBox1, &QWidget::customContextMenuRequested, this,
          [this](const QPoint& pos) { PopupMenu2->popup(DirectoryListBox1->viewport()->mapToGlobal(pos)); });
  connect(SB, &QWidget::customContextMenuRequested, this,
          [this](const QPoint& pos) { SBPopup->popup(SB->mapToGlobal(pos)); });
  WireFixingHandlers();
  WireFileHandlers();
}
