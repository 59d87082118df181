#include "RenameNoReplace.h"

#include <QFile>
#include <QRandomGenerator>

#include <cerrno>
#include <cstdio>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

#include "RenameSteps.h"
#include "UniqueFd.h"

namespace {

constexpr int kTemporaryNameTries = 16;
constexpr unsigned kRenameNoReplaceFlag = 1U << 0;  // RENAME_NOREPLACE of the kernel interface

RenameResult failed(int error) {
  return {error == EEXIST ? RenameError::Exists : RenameError::Other, error};
}

QString temporaryName() {
  return QStringLiteral(".quindle-rename-%1.tmp").arg(QRandomGenerator::global()->generate64(), 16, 16, QChar(u'0'));
}

// Old -> temporary -> new, each step refusing to replace. If the second step
// fails, the file goes back to its old name.
RenameResult renameThroughTemporary(RenameSteps& steps, const QString& oldName, const QString& newName) {
  QString temporary;
  int error = EEXIST;
  for (int i = 0; i < kTemporaryNameTries && error == EEXIST; ++i) {
    temporary = temporaryName();
    error = steps.renameNoReplace(oldName, temporary);
  }
  if (error != 0) return failed(error);
  error = steps.renameNoReplace(temporary, newName);
  if (error == 0) return {};
  steps.renameNoReplace(temporary, oldName);
  return failed(error);
}


// Both names are resolved against one open folder, so the folder cannot be
// swapped between the steps.
class FolderSteps final : public RenameSteps {
 public:
  explicit FolderSteps(int folderFd) : dir_(folderFd) {}

  int renameNoReplace(const QString& from, const QString& to) override {
    const QByteArray a = QFile::encodeName(from), b = QFile::encodeName(to);
    if (::syscall(SYS_renameat2, dir_, a.constData(), dir_, b.constData(), kRenameNoReplaceFlag) == 0) return 0;
    const int error = errno;
    if (error != EINVAL && error != ENOSYS) return error;
    // The file system (or an old kernel) does not know the flag: check for the
    // target first, then rename. Only here is there a short window in which a
    // file created by someone else could be replaced.
    struct stat st {};
    if (::fstatat(dir_, b.constData(), &st, AT_SYMLINK_NOFOLLOW) == 0) return EEXIST;
    if (errno != ENOENT) return errno;
    return ::renameat(dir_, a.constData(), dir_, b.constData()) == 0 ? 0 : errno;
  }

  bool sameFile(const QString& a, const QString& b) override {
    const QByteArray nameA = QFile::encodeName(a), nameB = QFile::encodeName(b);
    struct stat sa {}, sb {};
    if (::fstatat(dir_, nameA.constData(), &sa, AT_SYMLINK_NOFOLLOW) != 0) return false;
    if (::fstatat(dir_, nameB.constData(), &sb, AT_SYMLINK_NOFOLLOW) != 0) return false;
    if (sa.st_dev != sb.st_dev) return false;
    if (sa.st_ino == sb.st_ino) return true;
    // Some FUSE file systems (exFAT among them) hand out a new inode number for
    // each spelling of a name. There the new name is the old file when the
    // folder holds no entry spelled exactly like it.
    return !listsExactly(nameB);
  }

 private:
  bool listsExactly(const QByteArray& name) const {
    const int fd = ::openat(dir_, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return true;  // cannot tell: assume another file
    DIR* d = ::fdopendir(fd);
    if (!d) {
      ::close(fd);
      return true;
    }
    bool found = false;
    while (const dirent* e = ::readdir(d)) {
      if (name == e->d_name) {
        found = true;
        break;
      }
    }
    ::closedir(d);
    return found;
  }

  int dir_;
};

}  // namespace

bool isSingleFileName(const QString& name) {
  return !name.isEmpty() && name != QLatin1String(".") && name != QLatin1String("..") && !name.contains(u'/') &&
         !name.contains(QChar(u'\0'));
}

RenameResult renameNoReplaceWith(RenameSteps& steps, QString oldName, QString newName) {
  if (!isSingleFileName(oldName) || !isSingleFileName(newName)) return failed(EINVAL);
  const int error = steps.renameNoReplace(oldName, newName);
  if (error == 0) return {};
  // A file system that ignores case finds the new name taken by the file itself.
  if (error == EEXIST && oldName != newName && oldName.compare(newName, Qt::CaseInsensitive) == 0 &&
      steps.sameFile(oldName, newName))
    return renameThroughTemporary(steps, oldName, newName);
  return failed(error);
}

RenameResult RenameNoReplace(const QString& folder, const QString& oldName, const QString& newName) {
  if (folder.isEmpty()) {
    FolderSteps steps(AT_FDCWD);
    return renameNoReplaceWith(steps, oldName, newName);
  }
  const UniqueFd dir(::open(QFile::encodeName(folder).constData(), O_PATH | O_DIRECTORY | O_CLOEXEC));
  if (dir.get() < 0) return failed(errno);
  FolderSteps steps(dir.get());
  return renameNoReplaceWith(steps, oldName, newName);
}
