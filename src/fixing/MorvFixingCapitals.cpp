// Capitalisation: the single-file command and the batch over the file list.
#include <QListWidget>

#include "Capitalisation.h"
#include "Dialogs.h"
#include "ListEntries.h"
#include "MorvMP3Unit.h"

void TMorvForm::Fixanamnetspeciell1Click() {
  const std::optional<QString> E = SelectedEntry(FLB);
  if (!E) return;
  const int top = FirstVisibleRow(FLB);
  switch (Fixing::FixaGemener(*E)) {
    case Fixing::GemenerResult::Renamed:
      break;
    case Fixing::GemenerResult::NameTaken:
      Dialogs::instance().message(QStringLiteral("Det fanns redan en fil med namnet: ") + *E);
      break;
    case Fixing::GemenerResult::WriteProtected:
      Dialogs::instance().message(QStringLiteral("Filen: ") + *E +
                                  QStringLiteral(" är skrivskyddad och jag kan inte få bort det (CD-ROM)"));
      break;
  }
  RefreshKeepingTopRow(top);
}

void TMorvForm::FixaGemenerna1Click() {
  AntNamnfel = AntSkrivfel = AntID3Skrivskydd = 0;
  FelLista.clear();
  // No progress bar and no hourglass here: renames are quick.
  const FailureReport report = Fixing::CapitalisationBatch(AllEntries(FLB));
  DirectoryListBox1Change();
  FLB->viewport()->update();
  VisaFelRapport(report);
}
