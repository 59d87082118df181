#include "FileAttributes.h"

#include <QFile>
#include <sys/stat.h>

bool FileAttributes::isReadOnly(const QString& path) {
  struct stat st {};
  if (::stat(QFile::encodeName(path).constData(), &st) != 0) return false;
  return (st.st_mode & S_IWUSR) == 0;
}

bool FileAttributes::clearReadOnly(const QString& path) {
  const QByteArray name = QFile::encodeName(path);
  struct stat st {};
  if (::stat(name.constData(), &st) != 0) return false;
  if ((st.st_mode & S_IWUSR) != 0) return true;
  return ::chmod(name.constData(), (st.st_mode & 07777) | S_IWUSR) == 0;
}
