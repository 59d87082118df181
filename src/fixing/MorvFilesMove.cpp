// Moving a file: "Flytta till..." with the folder chooser, and the move
// itself with its small window, which drops on the folder tree use too.
#include <QDir>
#include <QGuiApplication>
#include <QLabel>
#include <QListWidget>
#include <QScreen>

#include "ChooseFldr.h"
#include "FileMover.h"
#include "FolderTree.h"
#include "ListEntries.h"
#include "MorvMP3Unit.h"
#include "MoveFrm.h"

namespace {

constexpr int kLabelRoom = 10;

int RightEdge(const QLabel* label) { return label->x() + label->width() + kLabelRoom; }

}  // namespace

bool TMorvForm::FlyttaFil(const QString& Source, const QString& Target, bool Refresh) {
  FlyttFrm->FromLbl->setText(Source);
  FlyttFrm->ToLbl->setText(Target);
  FlyttFrm->FromLbl->adjustSize();
  FlyttFrm->ToLbl->adjustSize();
  // Wide enough for both paths, centred on the screen.
  FlyttFrm->setFixedWidth(std::max(RightEdge(FlyttFrm->FromLbl), RightEdge(FlyttFrm->ToLbl)));
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    const QRect area = screen->geometry();
    FlyttFrm->move(area.width() / 2 - FlyttFrm->width() / 2, area.height() / 2 - FlyttFrm->height() / 2);
  }
  FlyttFrm->show();
  FlyttFrm->activateWindow();
  FlyttFrm->repaint();

  const bool Result = FileMover::move(Source, Target);

  FlyttFrm->repaint();
  if (Refresh) {
    DirectoryListBox1Change();
    FLB->repaint();
  }
  FlyttFrm->close();
  activateWindow();
  repaint();
  return Result;
}

void TMorvForm::Flyttatill1Click() {
  const std::optional<QString> E = SelectedEntry(FLB);
  if (!E) return;
  const int top = FirstVisibleRow(FLB);
  const QString Folder = WithTrailingSeparator(DirectoryListBox1->Directory());

  FolderForm->MeddText->setText(QStringLiteral("Fil att flytta: ") + Folder + *E);
  if (!MoveFolder.isEmpty()) FolderForm->SetFolder(MoveFolder);
  if (FolderForm->exec() != QDialog::Accepted) {
    // The chooser's tree made its own folder current.
    QDir::setCurrent(Folder);
    return;
  }
  MoveFolder = FolderForm->Folder();
  const QString T = WithTrailingSeparator(MoveFolder);

  FlyttaFil(Folder + *E, T + *E, false);

  // Showing the folder again makes it current and scans it.
  DirectoryListBox1->SetDirectory(Folder);
  FLB->repaint();
  ScrollRowToTop(FLB, top);
}
