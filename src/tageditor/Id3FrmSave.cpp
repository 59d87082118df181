// The tag editor's save: SparKnapp writes the fields into the file as an
// ID3v1 block and lets the main window read the file again.
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <stdexcept>

#include "Dialogs.h"
#include "HanteraFel.h"
#include "ID3v1Writer.h"
#include "Id3Frm.h"
#include "TagSave.h"
#include "WriteProtection.h"

namespace {

const QString kNotSaved = QStringLiteral("ID3Taggen blev inte sparad p g a ett okänt fel!");
const QString kId3v2Only = QStringLiteral(
    "Filen innehåller en ID3TagV2 som jag inte har haft tid att implementera stöd för!\r\nSparningen blev avbruten!");

}  // namespace

void TID3Form::SparKnappClick() {
  if (Fil_.isEmpty()) return;
  bool saved = false;
  try {
    saved = SparaId3Tag();
  } catch (const std::exception& E) {
    // As the main window's own handlers do with an error nobody handles: one
    // plain message, and the window goes on.
    Dialogs::instance().message(HanteraFelText(QString::fromUtf8(E.what())));
    return;
  }
  if (!saved) {
    Dialogs::instance().message(kNotSaved);
    return;
  }
  emit tagSaved();
  SparKnapp->setEnabled(false);
}

TagTexts TID3Form::Texts() const {
  return {ITitel->text(), IArtist->text(), IAlbum->text(), IAr->text(), IKommentar->text(),
          IGenreList->currentIndex() >= 0 ? IGenreList->currentText() : QString()};
}

bool TID3Form::SparaId3Tag() {
  if (Fixing::SkrivSkydd(Fil_)) return false;
  const int status = HamtaId3Status(Fil_);
  if (!CanOpenForWriting(Fil_)) return false;
  if (status == 2) {
    Dialogs::instance().message(kId3v2Only);
    return true;
  }
  // Enter saves without leaving the track field, so its text may still be
  // above what the field keeps, or not a number at all.
  const TrackText track = ReadTrackText(ITrack->text());
  if (track.kind == TrackText::Invalid) throw std::runtime_error(NotAnIntegerText(ITrack->text()).toStdString());
  const std::optional<std::uint8_t> trackByte =
      track.kind == TrackText::Number ? TrackByte(track.number) : std::nullopt;
  const auto block = BuildSaveBlock(Texts(), trackByte);
  // The writer touches only the last 128 bytes (or appends them) and puts the
  // file back as it was when the write fails.
  return WriteID3v1Block(QFile::encodeName(Fil_).toStdString(), block, status == 1) == ID3v1WriteResult::Ok;
}
