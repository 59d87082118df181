#pragma once
// What the tag editor's save writes, without the window: which tag the file
// ends with, the space rule of the text fields, the track number and the
// 128-byte block built from the fields' texts.
#include <QString>
#include <array>
#include <cstdint>
#include <optional>

#include "ID3v1.h"

// 0: no tag the save knows; 1: the file ends with an ID3v1 block (the save
// replaces it, whatever comes before); 2: the file begins with an ID3v2 tag
// and has no ID3v1 block (the save is refused). "TAG" is matched without
// regard to the case of its ASCII letters.
int HamtaId3Status(const QString& FileName);

// The empty text stays empty, a text of spaces only becomes one space, any
// other text loses its trailing spaces. Only the space character counts.
QString SpaceFix(const QString& S);

// The track field as the save reads it.
struct TrackText {
  enum Kind {
    Empty,     // nothing stored
    Number,    // number is 0 or more
    Invalid,   // not a whole number, or below 0: the save stops with a message
  };
  Kind kind = Empty;
  int number = 0;
};
TrackText ReadTrackText(const QString& text);

// The byte stored for a track number of 0 or more: nothing for 0, the number
// itself from 1 to 255, and for a larger number 254, the highest the field
// keeps when it loses focus.
std::optional<std::uint8_t> TrackByte(int number);

// The message for a track text that is not a valid number.
QString NotAnIntegerText(const QString& text);

// The fields of the editor as the user left them.
struct TagTexts {
  QString Titel, Artist, Album, Ar, Kommentar;
  QString Genre;  // the picked name; empty when nothing is picked
};

// "TAG"; title, artist, album and comment cut to 30 Windows-1252 bytes and
// then given the space rule; the first 4 characters of the year as they are;
// zero bytes after each text; the track byte at 126 when there is one (over
// whatever the comment put there); the picked genre's byte at 127, or 255.
std::array<std::uint8_t, kID3v1BlockSize> BuildSaveBlock(const TagTexts& texts, std::optional<std::uint8_t> track);

// True when the file is a regular file that can be opened for reading and
// writing with no other writer holding it.
bool CanOpenForWriting(const QString& FileName);
