// The program's entry: one instance per user, the main window, the message loop.
#include <QApplication>
#include <QDir>
#include <QStandardPaths>

#include "Dialogs.h"
#include "HintStyle.h"
#include "MorvMP3Unit.h"
#include "SingleInstance.h"
#include "StartupChecks.h"
#include "WidgetDialogs.h"

namespace {

// Errors that escape a handler anywhere end as one plain message; the program goes on.
class MorvApplication : public QApplication {
 public:
  using QApplication::QApplication;
  bool notify(QObject* receiver, QEvent* event) override {
    try {
      return QApplication::notify(receiver, event);
    } catch (const std::exception& e) {
      TMorvForm::HanteraFel(e);
      return false;
    }
  }
};

}  // namespace

int main(int argc, char** argv) {
  MorvApplication app(argc, argv);
  QApplication::setStyle(new HintStyle);  // the application owns it
  QApplication::setApplicationName(QStringLiteral("MORVANTA Quindle"));
  QApplication::setApplicationDisplayName(QStringLiteral("MORVANTA Quindle"));
  WidgetDialogs dialogs;
  Dialogs::setInstance(&dialogs);

  SingleInstance instance;
  if (AnotherInstanceRuns(instance, Dialogs::instance())) return 0;

  // The program's own files live in the user's data folder (the folder of an
  // installed executable is not the user's to write), and a stored folder
  // that no longer exists is replaced by the home folder.
  QCoreApplication::setOrganizationName(QStringLiteral("Morvanta"));
  QCoreApplication::setApplicationName(QStringLiteral("MorvID3"));
  const QString dataFolder = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
  QDir().mkpath(dataFolder);
  QApplication::setApplicationName(QStringLiteral("MORVANTA Quindle"));
  TMorvForm form(dataFolder, QDir::homePath());
  form.FormCreate();
  const int result = QApplication::exec();
  Dialogs::setInstance(nullptr);
  return result;
}
