// The folder listing, the view filters and the refresh.
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QProgressBar>
#include <QSignalBlocker>

#include "Drives.h"
#include "FolderTree.h"
#include "HanteraFel.h"
#include "MorvMP3Unit.h"
#include "SwedishOrder.h"

namespace {

// Keeps the probe quiet and the busy cursor up for as long as it lives, also
// when the scan ends by an error.
class ScanGuard {
 public:
  explicit ScanGuard(TagProbe& probe) : probe_(probe) { probe_.ProbeQuiet = true; }
  ~ScanGuard() {
    probe_.ProbeQuiet = false;
    if (busy_) QApplication::restoreOverrideCursor();
  }
  ScanGuard(const ScanGuard&) = delete;
  ScanGuard& operator=(const ScanGuard&) = delete;
  void Busy() {
    if (!busy_) QApplication::setOverrideCursor(Qt::BusyCursor);
    busy_ = true;
  }

 private:
  TagProbe& probe_;
  bool busy_ = false;
};

}  // namespace

void TMorvForm::DirectoryListBox1Change() {
  FLB->setToolTip(QString());
  RensaID3Form(ID3Info1->isChecked());
  const int remembered = FLB->currentRow();
  ScanGuard guard(Probe);
  {
    const QSignalBlocker quiet(FLB);
    FLB->clear();
  }
  Lists.AllFiles.clear();
  SyncDrivePicker();

  const QString Folder = WithTrailingSeparator(DirectoryListBox1->Directory());
  Lists.AllFiles = ListAudioFiles(Folder);
  Lists.clearFilterLists();

  if (ViewFilter != FilterAlla) {
    const int count = int(Lists.AllFiles.size());
    PB->setMaximum(std::max(count, 1));
    if (count > 0) {
      guard.Busy();
      // One step per file; the bar is drawn only when its value has moved a
      // visible amount, so a large folder is not held up by painting.
      const int stride = std::max(1, count / 200);
      ClassifyFiles(Lists, Probe, [&](int i) {
        if ((i + 1) % stride == 0 || i + 1 == count) PB->setValue(i + 1);
      });
      PB->setValue(0);
    }
  }
  UppdateraListan(ViewFilter);
  Probe.ProbeQuiet = false;

  {
    const QSignalBlocker quiet(FLB);
    if (remembered >= 0 && remembered < FLB->count()) FLB->setCurrentRow(remembered);
  }
  FLBClick();
}

void TMorvForm::UppdateraListan(int Filter) {
  QStringList names = FilterEntries(Lists, Filter);
  SortSwedish(names);
  {
    const QSignalBlocker quiet(FLB);
    FLB->clear();
    FLB->addItems(names);
    FLB->setCurrentRow(-1);
  }
  AntFiler->setText(QString::number(FLB->count()));
  AntFiler->adjustSize();
  UpdateInfoTxtPosition();
}

void TMorvForm::UpdateInfoTxtPosition() {
  InfoTxt->adjustSize();
  InfoTxt->move(AntFiler->x() + AntFiler->width() + 5, InfoTxt->y());
}

void TMorvForm::SelectFilter(QAction* item, int value) {
  if (ViewFilter != value) {
    item->setChecked(true);
    ViewFilter = value;
    InfoTxt->setText(FilterInfoText(value));
  }
  if (value == FilterAlla) {
    UppdateraListan(ViewFilter);
    return;
  }
  DirectoryListBox1Change();
  UppdateraListan(ViewFilter);
}

void TMorvForm::Id3allaClick() { SelectFilter(Id3alla, FilterAlla); }
void TMorvForm::Id3v1Click() { SelectFilter(Id3v1, FilterMedId3v1); }
void TMorvForm::Id3v1inteClick() { SelectFilter(Id3v1inte, FilterUtanId3v1); }
void TMorvForm::Id3v2Click() { SelectFilter(Id3v2, FilterMedId3v2); }
void TMorvForm::id3felnamnClick() { SelectFilter(id3felnamn, FilterFelNamn); }

void TMorvForm::Uppdatera1Click() {
  DirectoryListBox1->Refresh();  // reports a change, which scans
  DirectoryListBox1Change();
}

void TMorvForm::DriveComboBox1Change() {
  const QString path = DriveComboBox1->currentData().toString();
  // A drive without a medium cannot be shown: the device is not ready.
  if (!Drives::isReady(path)) {
    SyncDrivePicker();
    throw IoError(21);
  }
  DirectoryListBox1->SetDirectory(path);
}

void TMorvForm::SyncDrivePicker() {
  SelectDriveOf(DriveComboBox1, DirectoryListBox1->Directory());
}
