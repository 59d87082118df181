#pragma once
// The rename dialog: the new name of one file, composed from artist, title
// and track fields that can each be copied from the file's ID3v1 tag, and
// capitalised on request. Created once; the artist and the track keep their
// values from one use to the next, the title is emptied by the caller.
#include <QDialog>
#include <QString>

#include "MPEGaudio.h"

class QKeyEvent;
class QLineEdit;
class QPushButton;

class TBytNamnDLG : public QDialog {
  Q_OBJECT
 public:
  explicit TBytNamnDLG(QWidget* parent = nullptr);

  // The full path of the file being renamed; set before the dialog is shown.
  QString BNPath;

  QLineEdit* BNArtist = nullptr;
  QPushButton* ID3ToArtist = nullptr;
  QLineEdit* BNTitel = nullptr;
  QPushButton* ID3ToTitel = nullptr;
  QLineEdit* BNTrack = nullptr;
  QPushButton* ID3ToTrack = nullptr;
  QLineEdit* BNName = nullptr;
  QPushButton* Button1 = nullptr;
  QPushButton* OKBtn = nullptr;
  QPushButton* CancelBtn = nullptr;

  // Puts a name into BNName; it may be longer than the user may type.
  void SetName(const QString& name);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  void BuildControls();
  void WireHandlers();

  void FormShow();
  void BNArtistKeyUp();
  void BNTrackKeyUp();
  // The key-press handlers return true when the key is used up.
  bool BNArtistKeyPress(const QKeyEvent& key);
  bool BNTitelKeyPress(const QKeyEvent& key);
  bool BNNameKeyPress(const QKeyEvent& key);
  bool BNTrackKeyPress(const QKeyEvent& key) const;
  void ID3ToArtistClick();
  void ID3ToTitelClick();
  void ID3ToTrackClick();
  void Button1Click();

  // The file's tag, read when the dialog is shown.
  TMPEGaudio Mpeg;
};
