// The details panel: what the main window shows about the selected file.
#include <sys/stat.h>

#include <QAction>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QLocale>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QSignalBlocker>
#include <QToolButton>

#include "Caption.h"
#include "DetailsText.h"
#include "FolderTree.h"
#include "HintStyle.h"
#include "Id3Frm.h"
#include "LstFrm.h"
#include "MorvMP3Unit.h"
#include "ProbeOffset.h"
#include "WMAfile.h"

namespace {

QChar DecimalPoint() {
  const QString point = QLocale().decimalPoint();
  return point.isEmpty() ? QLatin1Char('.') : point.front();
}

QString FileNamePart(const QString& path) { return path.mid(path.lastIndexOf(QLatin1Char('/')) + 1); }

// The size from the file's directory entry, or nullopt when it has none.
std::optional<std::int64_t> EntrySize(const QString& path) {
  struct stat st {};
  if (::stat(QFile::encodeName(path).constData(), &st) != 0) return std::nullopt;
  return std::int64_t{st.st_size};
}

}  // namespace

void TMorvForm::FLBClick() {
  SBPanel0->clear();
  DragFile.clear();
  const QString Folder = WithTrailingSeparator(DirectoryListBox1->Directory());
  const QListWidgetItem* selected = FLB->currentRow() >= 0 ? FLB->item(FLB->currentRow()) : nullptr;
  if (selected && !selected->isSelected()) selected = nullptr;
  ID3Form->SetFil(QString());
  if (selected) ID3Form->SetFil(Folder + selected->text());
  RensaID3Form(ID3Info1->isChecked());

  QToolButton* const fileButtons[] = {TBSpela, TBGemener, TBId32Namn, TBNamn2Id3, TBTaBort};
  if (FLB->count() > 0 && selected) {
    const QString Entry = selected->text();
    if (Entry.right(4).toUpper() == QLatin1String(".WMA")) {
      FLB->setToolTip(QStringLiteral("WMA"));
      HintStyle::SetHintPause(100);
      HamtaWMAInfo(Folder + Entry);
    } else {
      FLB->setToolTip(QString());
      HintStyle::SetHintPause(500);
      FLB->setToolTipDuration(2500);
      Morv::TID3Svar svar;
      svar.TagKind = 0;
      HamtaId3v2(Folder + Entry, svar);
      for (QToolButton* b : {TBSpela, TBGemener, TBNamn2Id3, TBTaBort}) b->setEnabled(true);
      TBId32Namn->setEnabled(ID3Info1->isChecked() && (svar.TagKind == 1 || svar.TagKind == 3));
    }
  } else {
    for (QToolButton* b : fileButtons) b->setEnabled(false);
  }
  ID3Form->SparKnapp->setEnabled(false);
}

void TMorvForm::HamtaId3v2(const QString& FileName, Morv::TID3Svar& Svar) {
  ID3Form->MPEGInf->clear();
  ID3Form->BitrateInf->clear();
  ID3Form->ID3Inf->clear();
  ID3Form->LengthInf->clear();
  Svar.VbrFlag = false;

  const std::optional<std::int64_t> size = EntrySize(FileName);
  if (size) SBPanel0->setText(SizeText(FileNamePart(FileName), *size, DecimalPoint()));
  if (!ID3Info1->isChecked()) return;

  const std::string path = QFile::encodeName(FileName).toStdString();
  if (Mpeg.ReadFromFile(path) && Mpeg.IsValid()) {
    Svar.BitRate = Mpeg.BitRate();
    if (Mpeg.VBR().Found) Svar.VbrFlag = true;
  } else {
    Svar.BitRate = 0;
  }
  const std::int32_t TagSize = ProbeFrameOffset(path);

  Morv::TID3Svar probe;
  Probe.HamtaId3Tag(path, TagSize, probe);
  Svar.TagKind = probe.TagKind;
  probe.BitRate = Svar.BitRate;

  SetCaption(ID3Form->ID3Inf, ID3InfText(probe.TagKind, !ID3Form->ITrack->text().isEmpty()));
  ID3Form->MPEGInf->setText(MPEGInfText(QString::fromStdString(probe.VersionText), probe.Layer));
  if (probe.BitRate > 0) {
    QString rate = QString::number(probe.BitRate) + QStringLiteral("kbps");
    if (Svar.VbrFlag) rate += QStringLiteral(" (VBR)");
    ID3Form->BitrateInf->setText(rate);
    const QString time = PlayTimeText(size.value_or(0), probe.BitRate);
    ID3Form->LengthInf->setText(time);
    probe.TimeText = time.toStdString();
  }
  if (probe.SampleRate > 0) ID3Form->HzInf->setText(QString::number(probe.SampleRate));
  ID3Form->StereoInf->setText(StereoText(probe.ChannelMode));
  ID3Form->StereoInf->adjustSize();
}

void TMorvForm::HamtaWMAInfo(const QString& FileName) {
  TWMAfile wma;
  QString T;
  if (wma.ReadFromFile(QFile::encodeName(FileName).toStdString())) {
    if (!wma.HeaderValid()) {
      T = QStringLiteral("Finns ingen igenkännbar TAG-data i filen!");
    } else {
      SBPanel0->setText(SizeText(FileNamePart(FileName), wma.FileSize(), DecimalPoint()));
      T = WmaHintText(wma, FileName, DecimalPoint());
    }
  }
  // A tool tip breaks lines at a line feed alone.
  FLB->setToolTip(QString(T).replace(QStringLiteral("\r\n"), QStringLiteral("\n")).trimmed());
  FLB->setToolTipDuration(10000);
}

void TMorvForm::RensaID3Form(bool Visa) {
  ID3Form->RensaFields();
  if (!Visa) ID3Form->hide();
  else if (!ID3Form->isVisible()) ID3Form->show();
}

void TMorvForm::ID3Info1Click() {
  // The action has already toggled its own check mark.
  ID3Form->setVisible(ID3Info1->isChecked());
  activateWindow();
  FLBClick();
}

void TMorvForm::MP3Lista1Click() { ListForm->setVisible(MP3Lista1->isChecked()); }

void TMorvForm::VisaListan() {
  if (!ListForm->isVisible()) {
    ListForm->show();
    MP3Lista1->setChecked(true);
  }
  if (!ListForm->isActiveWindow()) ListForm->activateWindow();
}

void TMorvForm::FLBMouseDown(Qt::MouseButton Button, Qt::KeyboardModifiers Modifiers, const QPoint& pos) {
  if (Button == Qt::RightButton) {
    DragFile.clear();
    QAction* const entries[] = {Spelupp1->menuAction(), Lggpk2, Lggtillilistan1};
    ListMenyn->setDefaultAction(entries[std::clamp(ActionMode, 0, 2)]);
    QListWidgetItem* under = FLB->itemAt(pos);
    {
      const QSignalBlocker quiet(FLB);
      FLB->setCurrentItem(under);
      if (!under) FLB->clearSelection();
    }
    FLBClick();
  }
  listMenuAttached_ = FLB->count() > 0 && FLB->currentRow() >= 0 && FLB->currentItem()->isSelected();
  FLBDragPending = Button == Qt::LeftButton && Modifiers == Qt::NoModifier;
  if (FLBDragPending) {
    dragStart_ = pos;  // a drag begins once the pointer has moved the platform's threshold
  } else {
    FLBClick();
  }
}

void TMorvForm::FLBMouseUp() { DragFile.clear(); }

bool TMorvForm::eventFilter(QObject* watched, QEvent* event) {
  if (watched == DirectoryListBox1->viewport()) return DirectoryListBox1Event(event);
  if (watched == FLB->viewport()) {
    if (FLBDragEvent(event)) return true;
    if (event->type() == QEvent::MouseButtonPress) {
      const auto* me = static_cast<QMouseEvent*>(event);
      if (me->button() == Qt::RightButton) {
        Safely([&] { FLBMouseDown(me->button(), me->modifiers(), me->position().toPoint()); });
        return true;  // the row was chosen above
      }
      leftPressOnList_ = me->button() == Qt::LeftButton;
      // Let the list select the row first, then run the handler.
      QMetaObject::invokeMethod(
          this,
          [this, button = me->button(), mods = me->modifiers(), pos = me->position().toPoint()] {
            Safely([&] { FLBMouseDown(button, mods, pos); });
          },
          Qt::QueuedConnection);
      return false;
    }
    if (event->type() == QEvent::MouseButtonRelease) {
      const auto* me = static_cast<QMouseEvent*>(event);
      FLBMouseUp();
      leftPressOnList_ = false;
      FLBDragPending = false;
      if (me->button() == Qt::RightButton && listMenuAttached_) ListMenyn->popup(me->globalPosition().toPoint());
      if (me->button() == Qt::LeftButton) {
        QMetaObject::invokeMethod(this, [this] { Safely([this] { FLBClick(); }); }, Qt::QueuedConnection);
      }
      return me->button() == Qt::RightButton;
    }
    return false;
  }
  if ((watched == ListLbl || watched == MP3ListCount) && event->type() == QEvent::MouseButtonRelease) {
    Safely([this] { VisaListan(); });
    return true;
  }
  if (watched->objectName() == QLatin1String("CounterRow") && event->type() == QEvent::Resize) {
    auto* row = static_cast<QWidget*>(watched);
    MP3ListCount->adjustSize();
    ListLbl->adjustSize();
    MP3ListCount->move(row->width() - MP3ListCount->width(), 1);
    ListLbl->move(MP3ListCount->x() - ListLbl->width() - 4, 1);
  }
  return QMainWindow::eventFilter(watched, event);
}
