#pragma once
// The main window as the program starts it, for window tests: settings read,
// shown at once instead of after the splash time. (Header only: only test
// programs that link the windows include it.)
#include <QCoreApplication>
#include <memory>

#include "MorvMP3Unit.h"

inline std::unique_ptr<TMorvForm> StartMainWindow(const QString& dataFolder, const QString& startFolder) {
  auto form = std::make_unique<TMorvForm>(dataFolder, startFolder);
  form->FormCreate();
  form->Timer1Timer();  // the splash time is not waited for
  QCoreApplication::processEvents();
  return form;
}
