// "Ta bort" (also Del on the file list and the tool button): the selected
// file is deleted for good after a question.
#include <QFile>
#include <QListWidget>

#include "Dialogs.h"
#include "FolderTree.h"
#include "ListEntries.h"
#include "MorvMP3Unit.h"

void TMorvForm::Tabort2Click() {
  const std::optional<QString> E = SelectedEntry(FLB);
  if (!E) return;  // Del on a list without a selection asks nothing
  const int top = FirstVisibleRow(FLB);
  if (Dialogs::instance().question(QString::fromUtf8(DialogText::Confirm),
                                   QStringLiteral("Är du säker på att du vill ta bort filen: ") + *E + u'?')) {
    // No recycle bin; a failed deletion shows in the refreshed list.
    QFile::remove(WithTrailingSeparator(DirectoryListBox1->Directory()) + *E);
    DirectoryListBox1Change();
    FLB->repaint();
  }
  ScrollRowToTop(FLB, top);
}
