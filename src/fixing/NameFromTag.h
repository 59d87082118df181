#pragma once
// Renaming files to "Artist - Title.mp3" from their ID3v1 tags, with a
// two-digit track prefix for an ID3v1.1 tag. No widgets here.
#include <QString>
#include <QStringList>
#include <functional>
#include <string>

class TID3v1;

namespace Fixing {

// The new name without extension, as the tag's Windows-1252 bytes; empty
// when none can be built (no tag, or an ID3v1.0 tag with an empty artist or
// title). The texts are used as they stand, NUL bytes included.
std::string NameFromTag(const TID3v1& Tag);

// Asks SkrivSkydd, reads the file's tag and builds its new name, converted
// to UTF-8; empty when the file stayed read-only, has no usable stream or no
// name can be built.
QString FixaNamnet(const QString& FileName);

// Text without its NUL characters: a NUL would end the name early.
QString WithoutNul(QString text);

// The file name for a new name: ".mp3" appended, whatever the old extension.
QString Mp3Name(const QString& NewName);

// The single-file command's answer for an entry and its new name.
enum class NameAction { NoTag, Exists, Rename };
NameAction SingleFileNameAction(const QString& Entry, const QString& NewName);

// The name-from-tag batch over bare names in the current folder: each file
// with a new name is renamed to it; a rename that fails (the name exists, the
// file system cannot hold it) leaves the file as it was, silently. step runs
// after each entry.
void NameFromTagBatch(const QStringList& Entries, const std::function<void()>& Step);

// Renames a bare name in the current folder; never replaces, never leaves it.
bool RenameEntry(const QString& Entry, const QString& NewName);

}  // namespace Fixing
