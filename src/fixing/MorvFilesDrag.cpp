// Dragging a file from the file list onto a folder of the tree moves it
// there. While the pointer is over a folder the status bar says what would
// move where; the file list itself and the room between the tree's items
// refuse the drop.
#include <QApplication>
#include <QDrag>
#include <QDropEvent>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QMimeData>
#include <QMouseEvent>
#include <utility>

#include "Artwork.h"
#include "FolderTree.h"
#include "ListEntries.h"
#include "MorvMP3Unit.h"

namespace {

// Marks a drag that comes from the file list; it carries DragFile.
const QString kFileListDrag = QStringLiteral("application/x-morvanta-quindle-file");

QString FileNamePart(const QString& path) { return path.mid(path.lastIndexOf(u'/') + 1); }

bool FromFileList(const QDropEvent* event) { return event->mimeData() && event->mimeData()->hasFormat(kFileListDrag); }

}  // namespace

void TMorvForm::FLBDrag() {
  FLBStartDrag();
  if (DragFile.isEmpty()) return;
  FLBDropTarget = nullptr;
  auto* drag = new QDrag(FLB);
  auto* mime = new QMimeData;
  mime->setData(kFileListDrag, QFile::encodeName(DragFile));
  drag->setMimeData(mime);
  drag->setDragCursor(MoveCursorPixmap(), Qt::MoveAction);
  drag->exec(Qt::MoveAction);
  // The drag took the button's release: the list's press is over.
  leftPressOnList_ = false;
  FinishFLBDrag();
}

void TMorvForm::FLBStartDrag() {
  const std::optional<QString> entry = SelectedEntry(FLB);
  // The folder as the tree gives it: the root gives "//name", which is fine.
  if (entry) DragFile = DirectoryListBox1->Directory() + u'/' + *entry;
}

void TMorvForm::FLBDragOver() { SBPanel0->clear(); }

bool TMorvForm::DirectoryListBox1DragOver(const QPoint& pos) {
  if (!DirectoryListBox1->itemAt(pos)) return false;
  DirectoryListBox1MouseMove(pos);
  return true;
}

void TMorvForm::DirectoryListBox1MouseMove(const QPoint& pos) {
  const QTreeWidgetItem* item = DirectoryListBox1->itemAt(pos);
  if (!item || DragFile.isEmpty()) return;
  SBPanel0->setText(QStringLiteral("Flytta \"") + DragFile + QStringLiteral("\" till \"") +
                    FolderTree::ItemPath(item) + u'"');
}

void TMorvForm::DirectoryListBox1EndDrag(QObject* Target, const QPoint& pos) {
  const int top = FirstVisibleRow(FLB);
  // A drop on the MP3 list window is handed to that window once it takes drops.
  if (Target == DirectoryListBox1 && !DragFile.isEmpty()) {
    if (const QTreeWidgetItem* item = DirectoryListBox1->itemAt(pos)) {
      const QString F = WithTrailingSeparator(FolderTree::ItemPath(item));
      FlyttaFil(DragFile, F + FileNamePart(DragFile), true);
    }
    DragFile.clear();
  }
  FLBClick();
  ScrollRowToTop(FLB, top);
}

void TMorvForm::FinishFLBDrag() {
  QObject* target = std::exchange(FLBDropTarget, nullptr);
  Safely([&] { DirectoryListBox1EndDrag(target, FLBDropPoint); });
}

bool TMorvForm::FLBDragEvent(QEvent* event) {
  switch (event->type()) {
    case QEvent::MouseMove: {
      const auto* me = static_cast<QMouseEvent*>(event);
      if (!FLBDragPending || !(me->buttons() & Qt::LeftButton)) return false;
      if ((me->position().toPoint() - dragStart_).manhattanLength() < QApplication::startDragDistance()) return false;
      FLBDragPending = false;
      Safely([this] { FLBDrag(); });
      return true;
    }
    case QEvent::DragEnter:
    case QEvent::DragMove:
      // Nothing is dropped on the file list.
      FLBDragOver();
      event->ignore();
      return true;
    case QEvent::Drop:
      event->ignore();
      return true;
    default:
      return false;
  }
}

bool TMorvForm::DirectoryListBox1Event(QEvent* event) {
  switch (event->type()) {
    case QEvent::DragEnter:
    case QEvent::DragMove: {
      auto* drag = static_cast<QDragMoveEvent*>(event);
      if (!FromFileList(drag)) {
        drag->ignore();
        return true;
      }
      // Entering is always accepted, so that the moves over the tree keep
      // coming; each move (one follows every entering) accepts only a place
      // over a folder.
      const bool overFolder = DirectoryListBox1DragOver(drag->position().toPoint());
      if (overFolder || event->type() == QEvent::DragEnter) {
        drag->acceptProposedAction();
      } else {
        drag->ignore();
      }
      return true;
    }
    case QEvent::Drop: {
      auto* drop = static_cast<QDropEvent*>(event);
      const QPoint pos = drop->position().toPoint();
      if (FromFileList(drop) && DirectoryListBox1->itemAt(pos)) {
        // The move runs once the drag is over, not inside the drop.
        FLBDropTarget = DirectoryListBox1;
        FLBDropPoint = pos;
        drop->acceptProposedAction();
      } else {
        drop->ignore();
      }
      return true;
    }
    case QEvent::MouseMove:
      DirectoryListBox1MouseMove(static_cast<QMouseEvent*>(event)->position().toPoint());
      return false;
    case QEvent::MouseButtonPress: {
      const auto* me = static_cast<QMouseEvent*>(event);
      Safely([&] { DirectoryListBox1MouseDown(me->button(), me->position().toPoint()); });
      return me->button() == Qt::RightButton;  // the tree must not choose by itself
    }
    default:
      return false;
  }
}
