#include "FolderScan.h"

#include <dirent.h>

#include <cstring>

#include <QFile>
#include <QSet>
#include <memory>

#include "Morv.h"
#include "NameRules.h"
#include "QuickProbe.h"

namespace {

bool EndsWithNoCase(const char* name, std::size_t len, const char* ext) {
  if (len < 4) return false;
  const char* tail = name + len - 4;
  for (int i = 0; i < 4; ++i) {
    char c = tail[i];
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    if (c != ext[i]) return false;
  }
  return true;
}

QString FileNamePart(const QString& path) { return path.mid(path.lastIndexOf(QLatin1Char('/')) + 1); }

}  // namespace

void FileLists::clearFilterLists() {
  WithId3v1.clear();
  WithId3v2.clear();
  WithoutTag.clear();
  BadNames.clear();
}

QString WithTrailingSeparator(const QString& folder) {
  return folder.endsWith(QLatin1Char('/')) ? folder : folder + QLatin1Char('/');
}

QStringList ListAudioFiles(const QString& folder) {
  const QString prefix = WithTrailingSeparator(folder);
  QStringList mp3, wma;
  const std::unique_ptr<DIR, int (*)(DIR*)> dir(::opendir(QFile::encodeName(prefix).constData()), ::closedir);
  if (!dir) return {};
  // One pass over the directory; the MP3 files go first in the result.
  while (const dirent* e = ::readdir(dir.get())) {
    const std::size_t len = std::strlen(e->d_name);
    if (EndsWithNoCase(e->d_name, len, ".mp3")) mp3 << prefix + QFile::decodeName(QByteArray(e->d_name, qsizetype(len)));
    else if (EndsWithNoCase(e->d_name, len, ".wma")) wma << prefix + QFile::decodeName(QByteArray(e->d_name, qsizetype(len)));
  }
  return mp3 + wma;
}

void ClassifyFiles(FileLists& lists, TagProbe& probe, const std::function<void(int)>& step) {
  Morv::TID3Svar svar;
  std::string path;
  for (int i = 0; i < lists.AllFiles.size(); ++i) {
    const QString& entry = lists.AllFiles[i];
    path = QFile::encodeName(entry).toStdString();
    probe.HamtaId3Tag(path, 0, svar);
    switch (svar.TagKind) {
      case 1: lists.WithId3v1 << entry; break;
      case 2: lists.WithId3v2 << entry; break;
      case 3:
        lists.WithId3v1 << entry;
        lists.WithId3v2 << entry;
        break;
      default: lists.WithoutTag << entry; break;
    }
    if (step) step(i);
  }
  for (const QString& entry : lists.AllFiles)
    if (!HarID3Namn(entry)) lists.BadNames << entry;
}

QStringList FilterEntries(const FileLists& lists, int filter) {
  QStringList names;
  auto addAll = [&](const QStringList& from) {
    names.reserve(from.size());
    for (const QString& e : from) names << FileNamePart(e);
  };
  switch (filter) {
    case FilterMedId3v1: {
      // Only files without an ID3v2 tag: an entry also in WithId3v2 is skipped.
      const QSet<QString> v2(lists.WithId3v2.begin(), lists.WithId3v2.end());
      for (const QString& e : lists.WithId3v1)
        if (!v2.contains(e)) names << FileNamePart(e);
      break;
    }
    case FilterUtanId3v1: addAll(lists.WithoutTag); break;
    case FilterFelNamn: addAll(lists.BadNames); break;
    case FilterMedId3v2: addAll(lists.WithId3v2); break;
    default: addAll(lists.AllFiles); break;
  }
  return names;
}

QString FilterInfoText(int filter) {
  switch (filter) {
    case FilterMedId3v1: return QStringLiteral("med ID3v1 (endast)");
    case FilterUtanId3v1: return QStringLiteral("utan ID3Tagv1");
    case FilterFelNamn: return QStringLiteral("med felaktig namnstruktur");
    case FilterMedId3v2: return QStringLiteral("med ID3Tagv2");
    default: return {};
  }
}
