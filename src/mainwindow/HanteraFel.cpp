#include "HanteraFel.h"

IoError::IoError(int code) : std::runtime_error("I/O error " + std::to_string(code)), code_(code) {}

QString HanteraFelText(const QString& message) {
  if (message == QLatin1String("I/O error 1235")) return QStringLiteral("Sätt i en skiva i den valda enhet");
  if (message == QLatin1String("I/O error 21")) return QStringLiteral("Sätt i en diskett i den valda enhet");
  return message;
}
