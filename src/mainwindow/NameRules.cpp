#include "NameRules.h"

namespace {

// Lower/upper partners besides a-z/A-Z; these and nothing else change case.
constexpr char16_t kSwedishPairs[3][2] = {{u'å', u'Å'}, {u'ä', u'Ä'}, {u'ö', u'Ö'}};

}  // namespace

bool HarID3Namn(const QString& FileName) {
  // Names are measured in characters (UTF-16 units), not in bytes, so that
  // "Sång" is as long as "Sang". On Linux "/" separates folders as well.
  qsizetype start = 0;
  for (qsizetype i = FileName.size(); i > 0; --i) {
    const QChar c = FileName.at(i - 1);
    if (c == u'\\' || c == u':' || c == u'/') {
      start = i;
      break;
    }
  }
  const QStringView name = QStringView(FileName).mid(start);
  // The separator must begin within the first size - 8 characters, which
  // leaves at least six characters after it (two of title, ".mp3").
  const qsizetype n = name.size() - 8;
  if (n <= 0) return false;
  const qsizetype at = name.indexOf(u" - ");
  return at >= 0 && at < n;
}

QChar UCase(QChar C) {
  const char16_t c = C.unicode();
  if (c >= u'a' && c <= u'z') return QChar(static_cast<char16_t>(c - (u'a' - u'A')));
  for (const auto& pair : kSwedishPairs) {
    if (c == pair[0]) return QChar(pair[1]);
  }
  return C;
}

QChar LCaseChar(QChar C) {
  const char16_t c = C.unicode();
  if (c >= u'A' && c <= u'Z') return QChar(static_cast<char16_t>(c + (u'a' - u'A')));
  for (const auto& pair : kSwedishPairs) {
    if (c == pair[1]) return QChar(pair[0]);
  }
  return C;
}

QString LCase(const QString& S) {
  QString r = S;
  for (QChar& c : r) c = LCaseChar(c);
  return r;
}

QString PCase(const QString& S) {
  QString r = LCase(S);
  if (r.isEmpty()) return r;
  r[0] = UCase(r.at(0));
  for (qsizetype i = 0; i + 1 < r.size(); ++i) {
    if (r.at(i) == u' ' || r.at(i) == u'(') r[i + 1] = UCase(r.at(i + 1));
  }
  return r;
}
