#include "ScanBench.h"

#include <sys/inotify.h>
#include <unistd.h>

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QListWidget>
#include <QTemporaryDir>
#include <algorithm>
#include <chrono>

#include "FolderTree.h"
#include "MorvMP3Unit.h"

namespace {

double Seconds(const std::function<void()>& work) {
  const auto t0 = std::chrono::steady_clock::now();
  work();
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
}

// Opens of files inside the folder reported by the kernel since the watch began.
int FileOpens(int fd) {
  int opens = 0;
  alignas(inotify_event) char buf[64 * 1024];
  for (;;) {
    const ssize_t n = ::read(fd, buf, sizeof buf);
    if (n <= 0) break;
    for (ssize_t at = 0; at < n;) {
      const auto* e = reinterpret_cast<const inotify_event*>(buf + at);
      if ((e->mask & IN_OPEN) && !(e->mask & IN_ISDIR)) ++opens;
      at += static_cast<ssize_t>(sizeof(inotify_event) + e->len);
    }
  }
  return opens;
}

}  // namespace

ScanFigures MeasureWindowScan(const std::string& folder, int rounds) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QTemporaryDir config;
  qputenv("XDG_CONFIG_HOME", config.path().toUtf8());
  int argc = 1;
  char name[] = "quindle-bench";
  char* argv[] = {name, nullptr};
  QApplication app(argc, argv);

  ScanFigures f;
  TMorvForm form(QDir::homePath(), QDir::homePath());
  const QString path = QString::fromStdString(folder);
  form.DirectoryListBox1->SetDirectory(path);  // the first scan, with "Alla"

  const int fd = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
  ::inotify_add_watch(fd, folder.c_str(), IN_OPEN);
  FileOpens(fd);
  f.allSeconds = 1e30;
  for (int r = 0; r < rounds; ++r) f.allSeconds = std::min(f.allSeconds, Seconds([&] { form.DirectoryListBox1Change(); }));
  f.allOpens = FileOpens(fd);
  ::close(fd);

  form.Id3v2->trigger();  // switches the filter (and scans)
  f.filterSeconds = 1e30;
  for (int r = 0; r < rounds; ++r)
    f.filterSeconds = std::min(f.filterSeconds, Seconds([&] { form.DirectoryListBox1Change(); }));
  f.filterRows = form.FLB->count();
  return f;
}
