#include "Capitalisation.h"

#include "NameRules.h"
#include "RenameNoReplace.h"
#include "WriteProtection.h"

namespace Fixing {

GemenerResult FixaGemener(const QString& FileName) {
  const QString New = PCase(FileName);
  if (SkrivSkydd(FileName)) return GemenerResult::WriteProtected;
  if (New.isEmpty() || New == FileName) return GemenerResult::NameTaken;
  // The rename's own answer counts: where case matters, ABBA.mp3 and
  // Abba.mp3 can both exist, and the file that holds the name stays.
  switch (RenameNoReplace(QString(), FileName, New).error) {
    case RenameError::None:
      return GemenerResult::Renamed;
    case RenameError::Exists:
      return GemenerResult::NameTaken;
    case RenameError::Other:
      break;
  }
  return GemenerResult::WriteProtected;
}

FailureReport CapitalisationBatch(const QStringList& Entries) {
  FailureReport report;
  for (const QString& E : Entries) {
    switch (FixaGemener(E)) {
      case GemenerResult::Renamed:
        break;
      case GemenerResult::NameTaken:
        report.Add(E, FelKod::NamnetFinnsRedan, report.AntNamnfel);
        break;
      case GemenerResult::WriteProtected:
        report.Add(E, FelKod::Skrivskyddad, report.AntSkrivfel);
        break;
    }
  }
  return report;
}

}  // namespace Fixing
