#include "ScanBench.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QListWidget>
#include <QTemporaryDir>
#include <algorithm>
#include <chrono>

#include "FolderTree.h"
#include "MorvMP3Unit.h"
#include "OpenWatch.h"

namespace {

double Seconds(const std::function<void()>& work) {
  const auto t0 = std::chrono::steady_clock::now();
  work();
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
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

  OpenWatch watch(folder);
  f.allSeconds = 1e30;
  for (int r = 0; r < rounds; ++r) f.allSeconds = std::min(f.allSeconds, Seconds([&] { form.DirectoryListBox1Change(); }));
  f.allOpens = watch.IsValid() ? watch.TakeOpens() : -1;

  form.Id3v2->trigger();  // switches the filter (and scans)
  f.filterSeconds = 1e30;
  for (int r = 0; r < rounds; ++r)
    f.filterSeconds = std::min(f.filterSeconds, Seconds([&] { form.DirectoryListBox1Change(); }));
  f.filterRows = form.FLB->count();
  return f;
}
