// Tag from name: the single-file command and the batch over the file list.
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>

#include "BatchProgress.h"
#include "Dialogs.h"
#include "FolderTree.h"
#include "ListEntries.h"
#include "MorvMP3Unit.h"
#include "NameRules.h"
#include "TagFromName.h"

bool TMorvForm::SkrivId3Tag(const QString& FileName, bool Overwrite) {
  // The panel is read afresh for every tag.
  Fixing::TagDefaults defaults;
  if (StdAlbumCB->isChecked()) defaults.Album = StdAlbum->text();
  if (StdArCB->isChecked()) defaults.Year = StdAr->text();
  if (GenreDo->isChecked() && GenreList->currentIndex() >= 0) defaults.Genre = GenreList->currentText();
  return Fixing::SkrivId3Tag(FileName, Overwrite, defaults) == Fixing::TagWrite::Written;
}

void TMorvForm::FixaID3Tag1Click() {
  const std::optional<QString> E = SelectedEntry(FLB);
  if (!E) return;
  const int top = FirstVisibleRow(FLB);
  const QString path = WithTrailingSeparator(DirectoryListBox1->Directory()) + *E;
  // Not quiet: the tag editor shows the file's current tag.
  Morv::TID3Svar svar;
  Probe.HamtaId3Tag(QFile::encodeName(path).toStdString(), 0, svar);
  // Whether the write succeeded is not reported: the refreshed list shows it.
  switch (Fixing::SingleFileAction(svar.TagKind, HarID3Namn(path), OWID3->isChecked())) {
    case Fixing::TagAction::Append:
      SkrivId3Tag(*E, false);
      break;
    case Fixing::TagAction::Overwrite:
      SkrivId3Tag(*E, true);
      break;
    case Fixing::TagAction::Refuse:
      Dialogs::instance().message(
          QStringLiteral("Filen har inte alla krav uppfyllda eller så innehöll den redan en ID3Tag v1!"));
      break;
  }
  RefreshKeepingTopRow(top);
}

void TMorvForm::SpeedButton1Click() {
  const QStringList entries = AllEntries(FLB);
  FailureReport report;
  {
    BatchProgress progress(PB, int(entries.size()), &Probe);
    AntNamnfel = AntSkrivfel = AntID3Skrivskydd = 0;
    FelLista.clear();
    report = Fixing::TagFromNameBatch(
        entries, Probe, OWID3->isChecked(),
        [this](const QString& FileName, bool Overwrite) { return SkrivId3Tag(FileName, Overwrite); },
        [&progress] { progress.Step(); });
    progress.RestoreCursor();
    DirectoryListBox1Change();
  }
  VisaFelRapport(report);
}
