#include "TagFromName.h"

#include <QFile>

#include "Ansi.h"
#include "Morv.h"
#include "NameRules.h"
#include "QuickProbe.h"
#include "WriteProtection.h"

namespace Fixing {

namespace {

constexpr std::string_view kSeparator = " - ";
constexpr std::string_view kMp3 = ".mp3";

char AsciiLower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool EndsWithMp3(std::string_view s) {
  if (s.size() < kMp3.size()) return false;
  const std::string_view tail = s.substr(s.size() - kMp3.size());
  for (std::size_t i = 0; i < kMp3.size(); ++i)
    if (AsciiLower(tail[i]) != kMp3[i]) return false;
  return true;
}

std::string ToAnsi(const QString& text) { return Ansi::FromUtf8(text.toUtf8().toStdString()); }

}  // namespace

NameParts SplitName(std::string_view name) {
  const std::size_t at = name.find(kSeparator);
  if (at == std::string_view::npos) return {};
  std::string_view title = name.substr(at + kSeparator.size());
  if (EndsWithMp3(title)) title.remove_suffix(kMp3.size());
  return {std::string(name.substr(0, at)), std::string(title)};
}

ID3v1Fields TagFromName(const QString& FileName, const TagDefaults& Defaults) {
  // Split after the conversion: every Windows-1252 character is one byte, so
  // the widths of the block count the same characters the name shows.
  const NameParts parts = SplitName(ToAnsi(FileName));
  ID3v1Fields fields;
  fields.Title = parts.Title;
  fields.Artist = parts.Artist;
  fields.Album = ToAnsi(Defaults.Album);
  fields.Year = ToAnsi(Defaults.Year);
  fields.GenreName = ToAnsi(Defaults.Genre);
  return fields;
}

TagWrite SkrivId3Tag(const QString& FileName, bool Overwrite, const TagDefaults& Defaults) {
  if (SkrivSkydd(FileName)) return TagWrite::WriteProtected;
  const auto block = BuildID3v1Block(TagFromName(FileName, Defaults));
  switch (WriteID3v1Block(QFile::encodeName(FileName).toStdString(), block, Overwrite)) {
    case ID3v1WriteResult::Ok:
      return TagWrite::Written;
    case ID3v1WriteResult::OpenFailed:
      return TagWrite::OpenFailed;
    case ID3v1WriteResult::WriteFailed:
      break;
  }
  return TagWrite::WriteFailed;
}

TagAction SingleFileAction(int TagKind, bool GoodName, bool OverwriteOption) {
  if (!GoodName) return TagAction::Refuse;
  if (TagKind == 0) return TagAction::Append;
  // A file with only an ID3v2 tag has no block to replace.
  if ((TagKind == 1 || TagKind == 3) && OverwriteOption) return TagAction::Overwrite;
  return TagAction::Refuse;
}

FailureReport TagFromNameBatch(const QStringList& Entries, TagProbe& Probe, bool OverwriteOption,
                               const std::function<bool(const QString&, bool)>& Write,
                               const std::function<void()>& Step) {
  FailureReport report;
  for (const QString& E : Entries) {
    Morv::TID3Svar svar;
    Probe.HamtaId3Tag(QFile::encodeName(E).toStdString(), 0, svar);
    const bool goodName = HarID3Namn(E);
    if (svar.TagKind == 0 && goodName) {
      if (!Write(E, false)) report.Add(E, FelKod::KundeInteSkriva, report.AntSkrivfel);
    } else if (svar.TagKind == 1 && goodName && OverwriteOption) {
      // Unlike the single-file command, the batch leaves a file that also
      // carries an ID3v2 tag alone.
      if (!Write(E, true)) report.Add(E, FelKod::KundeInteSkriva, report.AntSkrivfel);
    } else if (goodName) {
      report.Add(E, FelKod::HarRedanId3Tag, report.AntID3Skrivskydd);
    } else {
      report.Add(E, FelKod::OgiltigNamnstruktur, report.AntNamnfel);
    }
    Step();
  }
  return report;
}

}  // namespace Fixing
