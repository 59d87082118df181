#include "NewFolder.h"

#include <sys/stat.h>

#include <QFile>

#include "RenameNoReplace.h"

bool CreateFolderIn(const QString& parent, const QString& name) {
  if (!isSingleFileName(name)) return false;
  QString path = parent;
  if (!path.endsWith(u'/')) path += u'/';
  path += name;
  // One level only, and never an existing folder taken as success.
  return ::mkdir(QFile::encodeName(path).constData(), 0777) == 0;
}
