#include "ChangeNameRules.h"

#include <algorithm>

namespace {

const QString kSeparator = QStringLiteral(" - ");
const QString kExtension = QStringLiteral(".mp3");

// ASCII letters only: the extension test must not depend on the locale.
bool EndsWithMp3(const QString& name) {
  if (name.size() < kExtension.size()) return false;
  const QString tail = name.right(kExtension.size());
  for (qsizetype i = 0; i < tail.size(); ++i) {
    QChar c = tail[i];
    if (c >= u'A' && c <= u'Z') c = QChar(c.unicode() + (u'a' - u'A'));
    if (c != kExtension[i]) return false;
  }
  return true;
}

}  // namespace

QString ArtistTitleName(const QString& artist, const QString& titel) { return artist + kSeparator + titel; }

QString TrackArtistTitleName(const QString& track, const QString& artist, const QString& titel) {
  if (track.isEmpty()) return ArtistTitleName(artist, titel);
  const QString padded = track.size() == 1 ? QStringLiteral("0") + track : track;
  return padded + kSeparator + ArtistTitleName(artist, titel);
}

QString NameWithoutExtension(const QString& entry) { return entry.left(std::max<qsizetype>(0, entry.size() - 4)); }

NewFileName NewNameFor(const QString& typed, const QString& oldName) {
  QString name = typed;
  if (EndsWithMp3(name)) name.chop(kExtension.size());
  if (name == oldName) return {true, name + kExtension};
  if (!EndsWithMp3(name)) name += kExtension;
  return {false, name};
}

QString NameTakenText(const QString& name) {
  return QStringLiteral("En fil med namnet \"") + name + QStringLiteral("\" finns redan!");
}
