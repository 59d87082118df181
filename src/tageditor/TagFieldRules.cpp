#include "TagFieldRules.h"

#include <algorithm>

bool IsAsciiLetter(QChar c) { return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z'); }

bool HasAsciiLetter(const QString& text) { return std::any_of(text.begin(), text.end(), IsAsciiLetter); }

std::optional<QString> CappedTrack(const QString& text) {
  bool whole = false;
  const qlonglong number = text.toLongLong(&whole);
  if (!whole || number <= kHighestTrackShown) return std::nullopt;
  return QString::number(kHighestTrackShown);
}
