#pragma once
// Capitalising file names: all lower case except the first letter and the
// letters after a space or "(" (PCase), extension included. No widgets here.
#include <QString>
#include <QStringList>

#include "FailureReport.h"

namespace Fixing {

enum class GemenerResult {
  Renamed,         // the file now has its capitalised name
  NameTaken,       // the name is already capitalised, or another file has that name
  WriteProtected,  // the file stayed read-only, or the rename was refused for another reason
};

// Capitalises and renames a bare name in the current folder. The
// write-protection question comes after the new name is known, also when the
// name will not change.
GemenerResult FixaGemener(const QString& FileName);

// The capitalisation batch over bare names in the current folder.
FailureReport CapitalisationBatch(const QStringList& Entries);

}  // namespace Fixing
