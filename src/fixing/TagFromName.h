#pragma once
// Writing an ID3v1 tag whose artist and title come from a file name of the
// form "Artist - Title.mp3", with album, year and genre from the defaults
// panel. No widgets here: the main window hands in the panel's values.
#include <QString>
#include <QStringList>
#include <functional>
#include <string>
#include <string_view>

#include "FailureReport.h"
#include "ID3v1Writer.h"

class TagProbe;

namespace Fixing {

// The defaults panel as one tag write sees it; an empty text is not used.
struct TagDefaults {
  QString Album;  // written when its box is checked and it is not empty
  QString Year;
  QString Genre;  // a name of GenreChoices; anything else gives genre 255
};

// Artist and title of a name, as Windows-1252 bytes and not yet cut to the
// field widths. Only the first " - " separates; a final ".mp3" (any ASCII
// case) leaves the title, any other extension stays part of it. A name
// without " - " has neither.
struct NameParts {
  std::string Artist;
  std::string Title;
};
NameParts SplitName(std::string_view name);

// The block's fields for a file name (UTF-8 as the file system gives it,
// converted to Windows-1252 here: a character the code page lacks becomes
// "?"). The comment stays empty and no track is written.
ID3v1Fields TagFromName(const QString& FileName, const TagDefaults& Defaults);

enum class TagWrite {
  Written,
  WriteProtected,  // the file stayed read-only; nothing was opened
  OpenFailed,      // in use, no access, gone
  WriteFailed,     // opened, but the write failed; the file is as it was
};

// Asks SkrivSkydd, then appends a block (Overwrite false) or replaces the
// last 128 bytes, which the caller knows to be a tag (Overwrite true).
TagWrite SkrivId3Tag(const QString& FileName, bool Overwrite, const TagDefaults& Defaults);

// What the single-file command does with a file of the given probe result.
enum class TagAction { Append, Overwrite, Refuse };
TagAction SingleFileAction(int TagKind, bool GoodName, bool OverwriteOption);

// The tag-from-name batch over bare names in the current folder. probe runs
// on each name (the caller keeps it quiet); write is the tag writer, true
// when the block was written; step runs after each entry.
FailureReport TagFromNameBatch(const QStringList& Entries, TagProbe& Probe, bool OverwriteOption,
                               const std::function<bool(const QString&, bool)>& Write,
                               const std::function<void()>& Step);

}  // namespace Fixing
