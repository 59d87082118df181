#include "StartupChecks.h"

#include "Dialogs.h"
#include "SingleInstance.h"

bool AnotherInstanceRuns(SingleInstance& instance, Dialogs& dialogs) {
  // A lock that cannot be made at all is no reason to refuse to start.
  if (instance.tryAcquire() != SingleInstance::Result::AlreadyRunning) return false;
  dialogs.message(QStringLiteral("Det finns redan en instans av detta program igång!"));
  return true;
}
