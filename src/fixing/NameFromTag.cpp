#include "NameFromTag.h"

#include <sys/stat.h>

#include <QFile>

#include "Ansi.h"
#include "MPEGaudio.h"
#include "RenameNoReplace.h"
#include "WriteProtection.h"

namespace Fixing {

namespace {

constexpr std::uint8_t kID3v11 = 2;

// Also a dangling link or a folder: whatever holds the name.
bool NameTaken(const QString& name) {
  struct stat st {};
  return ::lstat(QFile::encodeName(name).constData(), &st) == 0;
}

}  // namespace

std::string NameFromTag(const TID3v1& Tag) {
  if (!Tag.TagFound()) return {};
  std::string name;
  if (!Tag.Artist().empty() && !Tag.Title().empty()) name = Tag.Artist() + " - " + Tag.Title();
  if (Tag.TagVersion() == kID3v11) {
    std::string prefix = std::to_string(Tag.Track());
    if (prefix.size() == 1) prefix.insert(0, 1, '0');
    name = prefix + " - " + name;
  }
  return name;
}

QString FixaNamnet(const QString& FileName) {
  if (SkrivSkydd(FileName)) return {};
  TMPEGaudio mpeg;
  mpeg.ReadFromFile(QFile::encodeName(FileName).toStdString());
  if (!mpeg.IsValid()) return {};
  return QString::fromStdString(Ansi::ToUtf8(NameFromTag(mpeg.ID3v1())));
}

QString Mp3Name(const QString& NewName) { return NewName + QStringLiteral(".mp3"); }

QString WithoutNul(QString text) {
  text.remove(QChar(u'\0'));
  return text;
}

NameAction SingleFileNameAction(const QString& Entry, const QString& NewName) {
  if (NewName.isEmpty()) return NameAction::NoTag;
  // A name that would leave the folder is not looked for: its rename fails
  // quietly like any other name the file system cannot hold.
  const QString target = Mp3Name(NewName);
  if (NewName == Entry || (isSingleFileName(target) && NameTaken(target))) return NameAction::Exists;
  return NameAction::Rename;
}

void NameFromTagBatch(const QStringList& Entries, const std::function<void()>& Step) {
  for (const QString& E : Entries) {
    const QString NewName = WithoutNul(FixaNamnet(E));
    if (!NewName.isEmpty()) RenameEntry(E, Mp3Name(NewName));
    Step();
  }
}

bool RenameEntry(const QString& Entry, const QString& NewName) {
  return bool(RenameNoReplace(QString(), Entry, NewName));
}

}  // namespace Fixing
