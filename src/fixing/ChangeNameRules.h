#pragma once
// The rules of the rename dialog that need no window: how the new name is
// composed from its fields and what the typed name becomes when the user
// presses "Byt namn!". The renamed file always gets the extension ".mp3".
#include <QString>

// artist + " - " + title; the separator is written even for empty fields.
QString ArtistTitleName(const QString& artist, const QString& titel);

// A one-character track gets a leading "0"; a track then goes in front:
// "07 - Queen - Innuendo". An empty track gives the artist-title name.
QString TrackArtistTitleName(const QString& track, const QString& artist, const QString& titel);

// The entry's name without its last four characters (its extension,
// whatever it is).
QString NameWithoutExtension(const QString& entry);

// What the typed name becomes. A typed ".mp3" (any letter case) is taken off
// once; a name equal to the old one (exact letter case) is refused; the
// extension ".mp3" is added unless the name still ends in one, so it is
// never doubled.
struct NewFileName {
  bool unchanged = false;  // refused: the message names `name`
  QString name;            // ends in ".mp3" (any letter case)
};
NewFileName NewNameFor(const QString& typed, const QString& oldName);

// "En fil med namnet "…" finns redan!"
QString NameTakenText(const QString& name);
