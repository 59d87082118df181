#pragma once
// The folder chooser "Välj en katalog!": a drive picker over a folder tree
// and a message that each caller sets. Created once; it keeps its last drive
// and folder between uses. Like the main window's tree, its tree makes the
// folder it shows the process's current directory, so every caller sets its
// own folder current again afterwards.
#include <QDialog>
#include <QString>

class FolderTree;
class QComboBox;
class QLabel;
class QPushButton;

class TFolderForm : public QDialog {
  Q_OBJECT
 public:
  explicit TFolderForm(QWidget* parent = nullptr);

  // Presets the drive and the folder. A folder that no longer exists gives its
  // nearest existing parent.
  void SetFolder(const QString& path);
  // The folder chosen: the one the tree shows.
  QString Folder() const;

  QComboBox* DriveComboBox1 = nullptr;
  FolderTree* DirectoryListBox1 = nullptr;
  QLabel* MeddText = nullptr;
  QPushButton* Button1 = nullptr;
  QPushButton* Button2 = nullptr;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void BuildControls();
  void WireHandlers();
  void FillDrives();
  void SyncDrivePicker();
  void DriveComboBox1Change();
  void DirectoryListBox1Activate(const QString& path);
  // Shows path, or tells why it cannot.
  bool ShowFolder(const QString& path);
};
