// The main window's file commands: rename, move, delete, new folders, drag
// and drop. This file creates their dialogs and wires the handlers; each
// command lives in a MorvFiles*.cpp of its own.
#include <QAction>
#include <QListWidget>
#include <QToolButton>

#include "ChangeName.h"
#include "ChooseFldr.h"
#include "FolderTree.h"
#include "Id3Frm.h"
#include "MorvMP3Unit.h"
#include "MoveFrm.h"

void TMorvForm::WireFileHandlers() {
  // Created once and reused: the rename dialog keeps its artist and track,
  // the chooser its folder.
  BytNamnDLG = new TBytNamnDLG(this);
  FlyttFrm = new TFlyttFrm(this);
  FolderForm = new TFolderForm(this);

  auto on = [this](auto* sender, auto signal, void (TMorvForm::*handler)()) {
    connect(sender, signal, this, [this, handler] { Safely([this, handler] { (this->*handler)(); }); });
  };
  on(Bytnamn1, &QAction::triggered, &TMorvForm::Bytnamn1Click);
  on(Flyttatill1, &QAction::triggered, &TMorvForm::Flyttatill1Click);
  on(Tabort2, &QAction::triggered, &TMorvForm::Tabort2Click);
  on(TBTaBort, &QToolButton::clicked, &TMorvForm::Tabort2Click);
  on(SkapaMapp1, &QAction::triggered, &TMorvForm::SkapaMapp1Click);
  on(Skapamapp2, &QAction::triggered, &TMorvForm::Skapamapp2Click);
  // After a save the tag editor asks for the selected file to be read again.
  on(ID3Form, &TID3Form::tagSaved, &TMorvForm::FLBClick);

  // Drags from the file list onto the folder tree; the tree's right button
  // and the pointer over it are watched as well.
  FLB->setAcceptDrops(true);
  FLB->viewport()->setAcceptDrops(true);
  DirectoryListBox1->setAcceptDrops(true);
  DirectoryListBox1->viewport()->setAcceptDrops(true);
  DirectoryListBox1->viewport()->setMouseTracking(true);
  DirectoryListBox1->viewport()->installEventFilter(this);
}
