#pragma once
// What the tag editor's fields accept. Only the ASCII letters are kept out of
// the year and track fields: digits, punctuation and Å, Ä, Ö pass, as they
// always have.
#include <QChar>
#include <QString>
#include <optional>

inline constexpr int kHighestTrackShown = 254;

bool IsAsciiLetter(QChar c);
bool HasAsciiLetter(const QString& text);

// The track field's text after the field loses focus: a whole number above 254
// becomes "254". nullopt when the text stays as it is (empty, 254 or less, or
// not a whole number).
std::optional<QString> CappedTrack(const QString& text);
