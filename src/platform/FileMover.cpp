#include "FileMover.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <cerrno>
#include <cstring>
#include <vector>

#include "Dialogs.h"
#include "UniqueFd.h"

namespace {

constexpr unsigned kRenameNoReplaceFlag = 1U << 0;  // RENAME_NOREPLACE of the kernel interface
constexpr std::size_t kCopyBuffer = 1U << 20;
constexpr int kTemporaryNameTries = 16;

const QString kErrorCaption = QStringLiteral("Fel vid flyttning av fil");
const QString kReplaceCaption = QStringLiteral("Bekräfta ersättning av fil");

QByteArray Native(const QString& path) { return QFile::encodeName(path); }

QString Reason(int error) { return QString::fromLocal8Bit(std::strerror(error)); }

void Report(const QString& source, const QString& target, const QString& why) {
  Dialogs::instance().messageBox(
      kErrorCaption,
      QStringLiteral("Det gick inte att flytta \"%1\" till \"%2\".\r\n\r\n%3").arg(source, target, why),
      Dialogs::Icon::Error);
}

// 0, or the errno value; EEXIST when target exists.
int RenameNoReplacing(const QByteArray& from, const QByteArray& to) {
  if (::syscall(SYS_renameat2, AT_FDCWD, from.constData(), AT_FDCWD, to.constData(), kRenameNoReplaceFlag) == 0)
    return 0;
  const int error = errno;
  if (error != EINVAL && error != ENOSYS) return error;
  // The file system does not know the flag: look first, then rename.
  struct stat st {};
  if (::lstat(to.constData(), &st) == 0) return EEXIST;
  return ::rename(from.constData(), to.constData()) == 0 ? 0 : errno;
}

int Rename(const QByteArray& from, const QByteArray& to, bool replace) {
  if (!replace) return RenameNoReplacing(from, to);
  return ::rename(from.constData(), to.constData()) == 0 ? 0 : errno;
}

bool WriteAll(int fd, const char* data, std::size_t size) {
  while (size > 0) {
    const ssize_t n = ::write(fd, data, size);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      if (n == 0) errno = EIO;
      return false;
    }
    data += n;
    size -= static_cast<std::size_t>(n);
  }
  return true;
}

// The bytes of `in` into `out`; the number copied, or -1 with errno set.
off_t CopyBytes(int in, int out) {
  std::vector<char> buffer(kCopyBuffer);
  off_t total = 0;
  for (;;) {
    const ssize_t n = ::read(in, buffer.data(), buffer.size());
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return -1;
    if (n == 0) return total;
    if (!WriteAll(out, buffer.data(), static_cast<std::size_t>(n))) return -1;
    total += n;
  }
}

// A new file next to target that nobody else has opened.
UniqueFd CreateTemporary(const QString& target, mode_t mode, QByteArray& name) {
  const QString folder = QFileInfo(target).absolutePath();
  for (int i = 0; i < kTemporaryNameTries; ++i) {
    name = Native(folder + QStringLiteral("/.quindle-move-%1.tmp")
                               .arg(QRandomGenerator::global()->generate64(), 16, 16, QChar(u'0')));
    UniqueFd fd(::open(name.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode));
    if (fd.valid() || errno != EEXIST) return fd;
  }
  errno = EEXIST;
  return UniqueFd();
}

// Copies source to a temporary file beside target, checks it, and puts it in
// place. 0, or the errno value of the step that failed; the temporary file
// never stays behind.
int CopyIntoPlace(const QByteArray& source, const QString& target, bool replace) {
  const UniqueFd in(::open(source.constData(), O_RDONLY | O_CLOEXEC));
  if (!in.valid()) return errno;
  struct stat before {};
  if (::fstat(in.get(), &before) != 0) return errno;

  QByteArray temporary;
  const UniqueFd out = CreateTemporary(target, before.st_mode & 0777, temporary);
  if (!out.valid()) return errno;
  auto fail = [&](int error) {
    ::unlink(temporary.constData());
    return error;
  };

  const off_t copied = CopyBytes(in.get(), out.get());
  if (copied < 0) return fail(errno);
  if (::fsync(out.get()) != 0) return fail(errno);
  // Complete means: as long as the source was and is, and as long on disk.
  struct stat after {}, written {};
  if (::fstat(in.get(), &after) != 0 || ::fstat(out.get(), &written) != 0) return fail(errno);
  if (copied != before.st_size || after.st_size != before.st_size || written.st_size != before.st_size)
    return fail(EIO);
  // The copy keeps the source's permissions and times, as a move would.
  ::fchmod(out.get(), before.st_mode & 07777);
  const struct timespec times[2] = {before.st_atim, before.st_mtim};
  ::futimens(out.get(), times);
  const int error = Rename(temporary, Native(target), replace);
  return error == 0 ? 0 : fail(error);
}

}  // namespace

bool FileMover::move(const QString& source, const QString& target) {
  const QByteArray from = Native(source), to = Native(target);
  struct stat src {};
  if (::stat(from.constData(), &src) != 0) {
    Report(source, target, Reason(errno));
    return false;
  }
  if (!S_ISREG(src.st_mode)) {
    Report(source, target, QStringLiteral("Källan är ingen vanlig fil."));
    return false;
  }

  bool replace = false;
  struct stat dst {};
  if (::stat(to.constData(), &dst) == 0) {
    if (dst.st_dev == src.st_dev && dst.st_ino == src.st_ino) {
      Report(source, target, QStringLiteral("Källfilen och målfilen är samma fil."));
      return false;
    }
    if (S_ISDIR(dst.st_mode)) {
      Report(source, target, QStringLiteral("Det finns redan en mapp med det namnet."));
      return false;
    }
    const QString question = QStringLiteral("Det finns redan en fil med namnet \"%1\" i mappen \"%2\".\r\n\r\n"
                                            "Vill du ersätta den befintliga filen med den här?")
                                 .arg(QFileInfo(target).fileName(), QFileInfo(target).absolutePath());
    if (!Dialogs::instance().question(kReplaceCaption, question)) return false;
    replace = true;
  }

  int error = Rename(from, to, replace);
  if (error == EXDEV) {
    error = CopyIntoPlace(from, target, replace);
    if (error == 0 && ::unlink(from.constData()) != 0) {
      Report(source, target,
             QStringLiteral("Filen kopierades, men originalet kunde inte tas bort: %1").arg(Reason(errno)));
      return false;
    }
  }
  if (error != 0) {
    Report(source, target, Reason(error));
    return false;
  }
  return true;
}
