#include "BatchProgress.h"

#include <QApplication>
#include <QProgressBar>
#include <algorithm>

#include "QuickProbe.h"

BatchProgress::BatchProgress(QProgressBar* bar, int entries, TagProbe* probe) : bar_(bar), probe_(probe) {
  if (probe_) probe_->ProbeQuiet = true;
  bar_->setValue(0);
  // A maximum of 0 would turn the bar into a busy indicator.
  bar_->setMaximum(std::max(entries, 1));
  if (entries > 0) {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    busy_ = true;
  }
}

BatchProgress::~BatchProgress() {
  RestoreCursor();
  if (probe_) probe_->ProbeQuiet = false;
  bar_->setValue(0);
}

void BatchProgress::Step() { bar_->setValue(std::min(bar_->value() + 1, bar_->maximum())); }

void BatchProgress::RestoreCursor() {
  if (busy_) QApplication::restoreOverrideCursor();
  busy_ = false;
}
