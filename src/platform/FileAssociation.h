#pragma once
// The program the desktop opens a file type with, given as a command line that
// begins with the program's full path in double quotes, followed by the
// arguments of its launcher entry:  "/usr/bin/audacious" %U
// The path can thus be taken as the text between the first two quotes.
//
// The chain: extension -> MIME type (Qt's MIME database) -> the desktop's
// default application for it (`xdg-mime query default`, which reads the
// mimeapps.list files) -> its .desktop file in the applications folders ->
// the first word of its Exec line, looked up in PATH unless it is a full path.
// Any missing link gives an empty command line.
#include <QString>
#include <QStringList>

class FileAssociation {
 public:
  // For an extension such as ".mp3".
  static QString commandLine(const QString& extension);
  // The desktop-file id of the default application for a MIME type, from
  // xdg-mime (at most 2 seconds); empty when none or xdg-mime is missing.
  static QString defaultDesktopId(const QString& mimeType);
  // The command line of the desktop file `id`, searched for in `folders`
  // in order (by default the applications folders, $XDG_DATA_HOME first).
  static QString commandLineForDesktopId(const QString& id, const QStringList& folders = applicationFolders());
  // The command line from the text of a desktop file.
  static QString commandLineFromDesktopEntry(const QString& text);
  static QStringList applicationFolders();
};
