#include "FailureReport.h"

void FailureReport::Add(const QString& Entry, const char* code, std::int32_t& counter) {
  FelLista.append(Entry + QString::fromUtf8(code));
  ++counter;
}

QString FailureStatusText(qsizetype lines, qsizetype listed, const FailureReport& counts) {
  return QStringLiteral("Antal filer som inte blev fixade:%1 av %2,  Namnfel:%3,  Skrivfel:%4,  ID3Skrivskydd:%5")
      .arg(lines)
      .arg(listed)
      .arg(counts.AntNamnfel)
      .arg(counts.AntSkrivfel)
      .arg(counts.AntID3Skrivskydd);
}
