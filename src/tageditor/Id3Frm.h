#pragma once
// The tag editor: a small tool window that stays on top of the others, shows
// the ID3v1 tag of the file selected in the main window and lets the user
// change it. Its lower group shows what the main window found out about the
// file's stream and tags.
//
// The main window sets the file (SetFil), clears the window (RensaFields),
// lets the quick probe fill the fields through ITagEditorFields and writes the
// information texts directly (use SetCaption for ID3Inf, whose texts hold a
// doubled ampersand).
#include <QDialog>
#include <QString>

#include "QuickProbe.h"
#include "TagSave.h"

class QCloseEvent;
class QComboBox;
class QGroupBox;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QPushButton;

class TID3Form : public QDialog, public ITagEditorFields {
  Q_OBJECT

 public:
  explicit TID3Form(QWidget* parent = nullptr);

  // The file being edited, as a full path; empty while nothing is selected,
  // and then the text fields take no input (the track field excepted).
  const QString& Fil() const { return Fil_; }
  void SetFil(const QString& path);

  // Empties the six edit fields and the six information texts and removes the
  // genre selection.
  void RensaFields();

  // How the quick probe fills the window.
  void SetTitel(const QString& text) override;
  void SetArtist(const QString& text) override;
  void SetAlbum(const QString& text) override;
  void SetAr(const QString& text) override;
  void SetKommentar(const QString& text) override;
  void SetTrack(const QString& text) override;
  void SelectGenre(const QString& name) override;
  void ClearGenreSelection() override;

  // Writes the edit fields as an ID3v1 block into Fil. True when the save
  // ran, also when it was refused for an ID3v2 tag after telling the user;
  // false when the file stayed read-only, could not be opened or could not be
  // written (it is then as it was). A track text that is no whole number of 0
  // or more throws, with the message for the user, before anything is written.
  bool SparaId3Tag();

  // The controls, owned by the window. The main window fills the information
  // texts and disables SparKnapp on every new selection.
  QLineEdit* ITitel = nullptr;
  QLineEdit* IArtist = nullptr;
  QLineEdit* IAlbum = nullptr;
  QLineEdit* IAr = nullptr;
  QComboBox* IGenreList = nullptr;
  QLineEdit* IKommentar = nullptr;
  QLineEdit* ITrack = nullptr;
  QPushButton* SparKnapp = nullptr;
  QGroupBox* GroupBox1 = nullptr;
  QLabel* ID3Inf = nullptr;
  QLabel* MPEGInf = nullptr;
  QLabel* BitrateInf = nullptr;
  QLabel* LengthInf = nullptr;
  QLabel* HzInf = nullptr;
  QLabel* StereoInf = nullptr;

 signals:
  // The user closed the window; it is only hidden (the main window unchecks
  // its menu item).
  void hiddenByClose();
  // A save ran: the main window reads the file again and refills the window.
  void tagSaved();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void BuildControls();
  void WireHandlers();

  // Handlers. The key-press ones return true when the key is refused.
  void ITitelKeyDown();
  bool ITitelKeyPress(const QKeyEvent& key) const;
  bool IArKeyPress(const QKeyEvent& key) const;
  bool ITrackKeyPress(const QKeyEvent& key) const;
  void ITrackExit();
  void IGenreListChange();
  void SparKnappClick();  // Id3FrmSave.cpp
  TagTexts Texts() const;
  void FormCloseQuery();

  QString Fil_;
};
