// "Byt namn...": the selected file gets a name composed in the rename dialog.
#include <QLineEdit>
#include <QListWidget>
#include <QSignalBlocker>

#include "ChangeName.h"
#include "ChangeNameRules.h"
#include "Dialogs.h"
#include "FolderTree.h"
#include "ListEntries.h"
#include "MorvMP3Unit.h"
#include "RenameNoReplace.h"

void TMorvForm::Bytnamn1Click() {
  const std::optional<QString> E = SelectedEntry(FLB);
  if (!E) return;  // the list's pop-up menu is only there for a selected file
  const int top = FirstVisibleRow(FLB);
  const int selected = FLB->currentRow();
  const QString Folder = WithTrailingSeparator(DirectoryListBox1->Directory());

  BytNamnDLG->BNPath = Folder + *E;
  const QString Old = NameWithoutExtension(*E);
  BytNamnDLG->setWindowTitle(QStringLiteral("Byt namn på filen: ") + Old + QStringLiteral(".mp3"));
  BytNamnDLG->BNTitel->clear();
  BytNamnDLG->SetName(Old);
  if (BytNamnDLG->exec() != QDialog::Accepted) return;
  BytNamnDLG->BNPath.clear();

  const NewFileName New = NewNameFor(BytNamnDLG->BNName->text(), Old);
  if (New.unchanged) {
    Dialogs::instance().message(NameTakenText(New.name));
    return;
  }
  // Never over another file; a name holding "/" is refused, so the file
  // cannot end up in another folder. Other failures are silent.
  if (RenameNoReplace(Folder, *E, New.name).error == RenameError::Exists)
    Dialogs::instance().message(NameTakenText(New.name));

  FLB->repaint();
  DirectoryListBox1Change();
  {
    // The row, not the file: the list is sorted, so it may now be another one.
    const QSignalBlocker quiet(FLB);
    FLB->setCurrentRow(selected);
  }
  FLBClick();
  ScrollRowToTop(FLB, top);
}
