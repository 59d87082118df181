#pragma once
// The folder tree: the chain of folders from the root down to the folder
// shown, and that folder's subfolders. Activating a folder (double-click or
// Enter) shows it; every change of the folder shown makes it the process's
// current directory and is reported with changed().
#include <QString>
#include <QTreeWidget>

class QComboBox;

// Shows in a drive picker (items carrying their folder as data) the drive
// whose folder is the longest beginning of folder; none when no drive fits.
void SelectDriveOf(QComboBox* picker, const QString& folder);

class FolderTree : public QTreeWidget {
  Q_OBJECT
 public:
  explicit FolderTree(QWidget* parent = nullptr);

  // The folder shown, without a trailing separator ("/" for the root).
  QString Directory() const { return directory_; }
  // Shows path (made absolute and clean). Throws when the folder cannot be
  // read, so that the caller's error handling reports it; the folder shown
  // then stays as it was.
  void SetDirectory(const QString& path);
  // Reads the folders from disk again and reports a change.
  void Refresh();
  // The folder an item stands for.
  static QString ItemPath(const QTreeWidgetItem* item);

 signals:
  void changed();

 private:
  void Rebuild();

  QString directory_;
};
