#pragma once
// What a reporting batch (tag from name, capitalisation) gathers about the
// files it could not fix: one line per file, the entry's name followed
// directly by a code text, and three counters. The report window shows them.
#include <QString>
#include <QStringList>
#include <cstdint>

namespace FelKod {
// Each text begins with a space and is appended to the entry's name. There is
// no code 22.
inline constexpr char OgiltigNamnstruktur[] = " #20#-Ogiltig namnstruktur!";
inline constexpr char HarRedanId3Tag[] = " #21#-Filen innehåller redan en ID3Tag v1!";
inline constexpr char NamnetFinnsRedan[] = " #23#-En fil med det namnet finns redan!";
inline constexpr char Skrivskyddad[] = " #23#-Filen är skrivskyddad och jag kunde inte ta bort det (CD-ROM)";
inline constexpr char KundeInteSkriva[] = " #24#-Används eller är skrivskyddad!";
}  // namespace FelKod

struct FailureReport {
  QStringList FelLista;
  std::int32_t AntNamnfel = 0;        // name failures
  std::int32_t AntSkrivfel = 0;       // write failures
  std::int32_t AntID3Skrivskydd = 0;  // files whose tag the batch left alone

  // Adds Entry + code to FelLista and one to counter.
  void Add(const QString& Entry, const char* code, std::int32_t& counter);
};

// The report window's status line: lines not fixed out of the files listed,
// then the three counters, in decimal without padding.
QString FailureStatusText(qsizetype lines, qsizetype listed, const FailureReport& counts);
