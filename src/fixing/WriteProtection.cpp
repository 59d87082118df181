#include "WriteProtection.h"

#include "Dialogs.h"
#include "FileAttributes.h"

namespace Fixing {

bool SkrivSkydd(const QString& FileName) {
  if (!FileAttributes::isReadOnly(FileName)) return false;
  const QString text = QStringLiteral("Filen ") + FileName + QStringLiteral(" är skrivskyddad! Ska jag ta bort det?");
  if (!Dialogs::instance().question(QString::fromUtf8(DialogText::Confirm), text)) return true;
  // Whether the bit could really be set is not asked here: on a medium that
  // cannot be written the caller's own write or rename fails and is reported
  // by the caller.
  FileAttributes::clearReadOnly(FileName);
  return false;
}

}  // namespace Fixing
