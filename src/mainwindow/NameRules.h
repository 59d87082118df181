#pragma once
// Small text rules shared by the listing, the fixing commands and the rename
// dialog, so that every user of them gets the same answer. They work on file
// names as the window code holds them (QString); letter case changes only for
// the pairs a-z/A-Z, å/Å, ä/Ä and ö/Ö, every other character stays as it is.
#include <QChar>
#include <QString>

// True when the file-name part of FileName (after the last "\", ":" or "/")
// has the structure "Artist - Title" followed by an extension: " - " starts
// early enough that at least six characters follow it.
bool HarID3Namn(const QString& FileName);

// The upper-case partner of C, or C itself.
QChar UCase(QChar C);
// The lower-case partner of C, or C itself.
QChar LCaseChar(QChar C);
// S with every character lowered; same length.
QString LCase(const QString& S);
// S lowered, with a capital at the start and after every space or "("; same length.
QString PCase(const QString& S);
