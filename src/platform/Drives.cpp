#include "Drives.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <QStringList>
#include <algorithm>
#include <dirent.h>

namespace {

bool isPseudoType(const QString& type) {
  static const QSet<QString> pseudo = {
      QStringLiteral("proc"),        QStringLiteral("sysfs"),     QStringLiteral("cgroup"),
      QStringLiteral("cgroup2"),     QStringLiteral("devpts"),    QStringLiteral("devtmpfs"),
      QStringLiteral("tmpfs"),       QStringLiteral("ramfs"),     QStringLiteral("securityfs"),
      QStringLiteral("pstore"),      QStringLiteral("bpf"),       QStringLiteral("debugfs"),
      QStringLiteral("tracefs"),     QStringLiteral("configfs"),  QStringLiteral("fusectl"),
      QStringLiteral("mqueue"),      QStringLiteral("hugetlbfs"), QStringLiteral("autofs"),
      QStringLiteral("binfmt_misc"), QStringLiteral("efivarfs"),  QStringLiteral("rpc_pipefs"),
      QStringLiteral("nsfs"),        QStringLiteral("overlay"),   QStringLiteral("squashfs"),
      QStringLiteral("nfsd"),        QStringLiteral("selinuxfs"), QStringLiteral("fuse.gvfsd-fuse"),
      QStringLiteral("fuse.portal"), QStringLiteral("fuse.lxcfs"), QStringLiteral("fuse.snapfuse"),
  };
  return pseudo.contains(type);
}

bool isUnder(const QString& path, const QString& folder) { return path == folder || path.startsWith(folder + u'/'); }

bool isSystemFolder(const QString& path) {
  if (isUnder(path, QStringLiteral("/run"))) return !isUnder(path, QStringLiteral("/run/media"));
  for (const char* f : {"/proc", "/sys", "/dev", "/snap", "/boot", "/efi"})
    if (isUnder(path, QLatin1String(f))) return true;
  return false;
}

// The mount table writes blanks, tabs, newlines and backslashes in names as
// three-digit octal escapes (\040 for a blank).
QString unescape(const QString& field) {
  QByteArray in = field.toUtf8(), out;
  out.reserve(in.size());
  for (qsizetype i = 0; i < in.size(); ++i) {
    if (in[i] == '\\' && i + 3 < in.size()) {
      const QByteArray digits = in.mid(i + 1, 3);
      const bool octal = std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '7'; });
      const int code = octal ? digits.toInt(nullptr, 8) : 256;
      if (code < 256) {
        out.append(static_cast<char>(code));
        i += 3;
        continue;
      }
    }
    out.append(in[i]);
  }
  return QString::fromUtf8(out);
}

int group(const QString& path) {
  if (path == u'/') return 0;
  if (isUnder(path, QStringLiteral("/media")) || isUnder(path, QStringLiteral("/run/media"))) return 1;
  if (isUnder(path, QStringLiteral("/mnt"))) return 2;
  return 3;
}

}  // namespace

std::vector<Drive> Drives::fromMountTable(const QString& table) {
  QStringList paths{QStringLiteral("/")};
  for (const QString& line : table.split(u'\n', Qt::SkipEmptyParts)) {
    const QStringList f = line.simplified().split(u' ');
    if (f.size() < 3) continue;
    const QString device = unescape(f[0]);
    const QString path = QDir::cleanPath(unescape(f[1]));
    const QString& type = f[2];
    if (!path.startsWith(u'/') || paths.contains(path) || isSystemFolder(path) || isPseudoType(type)) continue;
    // A volume that holds files comes from a device or image file, a network
    // share (host:/export, //server/share) or a FUSE file system.
    const bool real = device.startsWith(u'/') || device.contains(u':') || type.startsWith(QLatin1String("fuse"));
    if (real) paths.append(path);
  }
  std::stable_sort(paths.begin(), paths.end(), [](const QString& a, const QString& b) {
    const int ga = group(a), gb = group(b);
    return ga != gb ? ga < gb : a < b;
  });
  std::vector<Drive> drives;
  drives.reserve(static_cast<std::size_t>(paths.size()));
  for (const QString& p : paths) drives.push_back({p == u'/' ? p : QFileInfo(p).fileName(), p});
  return drives;
}

std::vector<Drive> Drives::list() {
  QFile mounts(QStringLiteral("/proc/self/mounts"));
  QString table;
  // /proc files report size 0, so read to the end rather than by size.
  if (mounts.open(QIODevice::ReadOnly)) table = QString::fromUtf8(mounts.readAll());
  std::vector<Drive> drives = fromMountTable(table);
  // Bind mounts of single files (containers do that) are not volumes.
  std::erase_if(drives, [](const Drive& d) { return !QFileInfo(d.path).isDir(); });
  return drives;
}

bool Drives::isReady(const QString& path) {
  DIR* dir = ::opendir(QFile::encodeName(path).constData());
  if (!dir) return false;
  ::closedir(dir);
  return true;
}
