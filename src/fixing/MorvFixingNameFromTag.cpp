// Name from tag: the single-file command and the batch over the file list.
#include <QAction>
#include <QListWidget>

#include "BatchProgress.h"
#include "Dialogs.h"
#include "ListEntries.h"
#include "MorvMP3Unit.h"
#include "NameFromTag.h"

QString TMorvForm::FixaNamnet(const QString& FileName) { return Fixing::FixaNamnet(FileName); }

void TMorvForm::Fixanamnet1Click() {
  const std::optional<QString> E = SelectedEntry(FLB);
  if (!E) return;
  const int top = FirstVisibleRow(FLB);
  const QString NewName = Fixing::WithoutNul(FixaNamnet(*E));
  switch (Fixing::SingleFileNameAction(*E, NewName)) {
    case Fixing::NameAction::NoTag:
      Dialogs::instance().message(QStringLiteral("Filen innehåller ingen ID3Tag v1!"));
      break;
    case Fixing::NameAction::Exists:
      Dialogs::instance().message(QStringLiteral("En fil med namnet \"") + NewName + QStringLiteral("\" finns redan!"));
      break;
    case Fixing::NameAction::Rename:
      // A name the file system refuses leaves the file as it is; the
      // refreshed list shows it.
      Fixing::RenameEntry(*E, Fixing::Mp3Name(NewName));
      break;
  }
  RefreshKeepingTopRow(top);
}

void TMorvForm::SpeedButton2Click() {
  RensaID3Form(ID3Info1->isChecked());
  const QStringList entries = AllEntries(FLB);
  BatchProgress progress(PB, int(entries.size()), nullptr);
  Fixing::NameFromTagBatch(entries, [&progress] { progress.Step(); });
  progress.RestoreCursor();
  FLB->viewport()->update();
  DirectoryListBox1Change();
}
