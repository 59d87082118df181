#include "Id3Frm.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

#include "Dialogs.h"
#include "TagFieldRules.h"

namespace {

// With Ctrl, Alt or Meta held a key is a command (Ctrl+A selects all, Ctrl+C
// copies) and the field inserts nothing; the key filters let those through.
bool IsCommand(const QKeyEvent& key) {
  return (key.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) != 0;
}

// A key that would put a character into a field or take one out. Enter and
// Tab are not among them: Enter belongs to the save button, Tab to the focus.
bool IsTypedCharacter(const QKeyEvent& key) {
  if (IsCommand(key)) return false;
  if (key.key() == Qt::Key_Backspace || key.key() == Qt::Key_Delete) return true;
  const QString text = key.text();
  return !text.isEmpty() && text.front().isPrint();
}

bool IsTypedLetter(const QKeyEvent& key) { return !IsCommand(key) && HasAsciiLetter(key.text()); }

}  // namespace

TID3Form::TID3Form(QWidget* parent) : QDialog(parent) {
  BuildControls();
  WireHandlers();
  SetFil(QString());
}

void TID3Form::WireHandlers() {
  for (QLineEdit* field : {ITitel, IArtist, IAlbum, IAr, IKommentar, ITrack}) field->installEventFilter(this);
  // activated, not currentIndexChanged: only the user's pick counts, not the
  // probe's selection or the clearing.
  connect(IGenreList, &QComboBox::activated, this, &TID3Form::IGenreListChange);
  connect(SparKnapp, &QPushButton::clicked, this, &TID3Form::SparKnappClick);
}

void TID3Form::SetFil(const QString& path) {
  Fil_ = path;
  // Without a file the text fields are read-only: that also keeps out what
  // the key filters never see (paste from the context menu, drops, input
  // methods). Cursor keys and selection still work. The track field has no
  // such rule.
  for (QLineEdit* field : {ITitel, IArtist, IAlbum, IAr, IKommentar}) field->setReadOnly(Fil_.isEmpty());
}

void TID3Form::RensaFields() {
  for (QLineEdit* field : {ITitel, IArtist, IAlbum, IAr, IKommentar, ITrack}) field->clear();
  IGenreList->setCurrentIndex(-1);
  for (QLabel* info : {ID3Inf, MPEGInf, BitrateInf, LengthInf, HzInf, StereoInf}) info->clear();
}

namespace {

// A text longer than its field shows from its beginning, not scrolled to its end.
void ShowText(QLineEdit* field, const QString& text) {
  field->setText(text);
  field->setCursorPosition(0);
}

}  // namespace

void TID3Form::SetTitel(const QString& text) { ShowText(ITitel, text); }
void TID3Form::SetArtist(const QString& text) { ShowText(IArtist, text); }
void TID3Form::SetAlbum(const QString& text) { ShowText(IAlbum, text); }
void TID3Form::SetAr(const QString& text) { ShowText(IAr, text); }
void TID3Form::SetKommentar(const QString& text) { ShowText(IKommentar, text); }
void TID3Form::SetTrack(const QString& text) { ShowText(ITrack, text); }

void TID3Form::SelectGenre(const QString& name) {
  for (int i = 0; i < IGenreList->count(); ++i) {
    if (IGenreList->itemText(i).compare(name, Qt::CaseInsensitive) == 0) {
      IGenreList->setCurrentIndex(i);
      return;
    }
  }
}

void TID3Form::ClearGenreSelection() { IGenreList->setCurrentIndex(-1); }

bool TID3Form::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::KeyPress) {
    const auto& key = static_cast<const QKeyEvent&>(*event);
    ITitelKeyDown();
    if (watched == IAr) return IArKeyPress(key);
    if (watched == ITrack) return ITrackKeyPress(key);
    return ITitelKeyPress(key);
  }
  if (event->type() == QEvent::FocusOut && watched == ITrack) {
    // Leaving the field for another control of this window; a window that
    // merely loses the focus is not left.
    const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
    if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason) ITrackExit();
  }
  return QDialog::eventFilter(watched, event);
}

// Any key in an edit field, arrows and Tab included, counts as a change.
void TID3Form::ITitelKeyDown() {
  if (!Fil_.isEmpty()) SparKnapp->setEnabled(true);
}

bool TID3Form::ITitelKeyPress(const QKeyEvent& key) const { return Fil_.isEmpty() && IsTypedCharacter(key); }

bool TID3Form::IArKeyPress(const QKeyEvent& key) const {
  if (Fil_.isEmpty() && IsTypedCharacter(key)) return true;
  return IsTypedLetter(key);
}

bool TID3Form::ITrackKeyPress(const QKeyEvent& key) const { return IsTypedLetter(key); }

void TID3Form::ITrackExit() {
  const QString text = ITrack->text();
  if (const auto capped = CappedTrack(text)) {
    ITrack->setText(*capped);
    return;
  }
  bool whole = false;
  text.toLongLong(&whole);
  if (!text.isEmpty() && !whole) {
    // Reported once the focus has moved on: a box opened inside the focus
    // change would fight it for the focus.
    QTimer::singleShot(0, this, [text] { Dialogs::instance().message(NotAnIntegerText(text)); });
  }
}

void TID3Form::IGenreListChange() {
  if (!Fil_.isEmpty()) {
    SparKnapp->setEnabled(true);
  } else {
    IGenreList->setCurrentIndex(-1);
  }
}

void TID3Form::FormCloseQuery() {
  hide();
  emit hiddenByClose();
}

void TID3Form::closeEvent(QCloseEvent* event) {
  event->ignore();
  FormCloseQuery();
}

void TID3Form::keyPressEvent(QKeyEvent* event) {
  // A dialog would hide itself on Esc; this window only hides by its close
  // button, so that the main window's menu item stays in step.
  if (event->key() == Qt::Key_Escape) {
    event->accept();
    return;
  }
  QDialog::keyPressEvent(event);
}
