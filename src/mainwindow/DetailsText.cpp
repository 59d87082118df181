#include "DetailsText.h"

#include <cmath>

#include "Ansi.h"
#include "WMAfile.h"

QString TwoDecimals(std::int64_t hundredths, QChar decimalPoint) {
  const bool negative = hundredths < 0;
  const std::uint64_t v = negative ? 0 - static_cast<std::uint64_t>(hundredths) : static_cast<std::uint64_t>(hundredths);
  const std::uint64_t whole = v / 100, frac = v % 100;
  QString text = negative ? QStringLiteral("-") : QString();
  if (whole > 0) text += QString::number(whole);
  text += decimalPoint;
  text += QString::number(frac).rightJustified(2, QLatin1Char('0'));
  return text;
}

std::int64_t MegabyteHundredths(std::int64_t bytes) {
  // bytes * 100 / 2^20, rounded half up; split so that no product overflows.
  const std::int64_t mib = std::int64_t{1} << 20;
  const std::int64_t whole = bytes / mib, rest = bytes % mib;
  return whole * 100 + (rest * 200 + mib) / (2 * mib);
}

QString SizeText(const QString& name, std::int64_t bytes, QChar decimalPoint) {
  return name + QStringLiteral(": ") + QString::number(bytes) + QStringLiteral(" bytes (") +
         TwoDecimals(MegabyteHundredths(bytes), decimalPoint) + QStringLiteral(" MB)");
}

QString PlayTimeText(std::int64_t bytes, std::int64_t kbps) {
  if (kbps <= 0 || bytes < 0) return {};
  // bytes * 8 / (kbps * 1000) without forming bytes * 8.
  const std::int64_t bytesPerSecond = kbps * 125;
  const std::int64_t seconds = bytes / bytesPerSecond;
  return QString::number(seconds / 60) + QLatin1Char(':') +
         QString::number(seconds % 60).rightJustified(2, QLatin1Char('0'));
}

QString ID3InfText(int tagKind, bool trackFilled) {
  switch (tagKind) {
    case 1: return trackFilled ? QStringLiteral("1.1") : QStringLiteral("1");
    case 2: return QStringLiteral("2");
    case 3: return trackFilled ? QStringLiteral("1.1 && 2") : QStringLiteral("1 && 2");
    default: return {};
  }
}

QString MPEGInfText(const QString& versionText, int layer) {
  QString text = versionText;
  if (layer > 0) text += QStringLiteral(" Lager ") + QString::number(layer);
  return text;
}

QString StereoText(int channelMode) {
  switch (channelMode) {
    case 0: return QStringLiteral("Mono");
    case 1: return QStringLiteral("Joint Stereo");
    case 2: return QStringLiteral("2 kanaler");
    case 3: return QStringLiteral("Stereo");
    default: return {};
  }
}

QString ActionName(int actionMode) {
  switch (actionMode) {
    case 1: return QStringLiteral("Lägg på kö");
    case 2: return QStringLiteral("Lägg till i MP3-Listan");
    default: return QStringLiteral("Spela upp");
  }
}

QString ThreeDecimals(double value, QChar decimalPoint) {
  QString text = QString::number(value, 'f', 3);
  text.replace(QLatin1Char('.'), decimalPoint);
  if (text.startsWith(QStringLiteral("0")) && text.size() > 1 && text[1] == decimalPoint) text.remove(0, 1);
  return text;
}

QString WmaHintText(const TWMAfile& wma, const QString& fileName, QChar decimalPoint) {
  // The tag texts pass through the 8-bit code page on their way to the screen.
  auto ansi = [](const std::u16string& s) { return QString::fromStdU16String(Ansi::ToUtf16(Ansi::FromUtf16(s))); };
  const QString crlf = QStringLiteral("\r\n");
  QString t;
  t += QStringLiteral("FilNamn: ") + fileName + crlf;
  t += QString::fromStdString(wma.ChannelModeName()) + crlf;
  t += QString::number(wma.SampleRate()) + QStringLiteral(" hz") + crlf;
  t += ThreeDecimals(wma.Duration(), decimalPoint) + QStringLiteral(" sek.") + crlf;
  t += QString::number(wma.BitRate()) + QStringLiteral(" kbit") + crlf;
  t += QStringLiteral("Titel: ") + ansi(wma.Title()) + crlf;
  t += QStringLiteral("Artist: ") + ansi(wma.Artist()) + crlf;
  t += QStringLiteral("Album: ") + ansi(wma.Album()) + crlf;
  if (wma.Track() > 0) t += QStringLiteral("Spår: ") + QString::number(wma.Track()) + crlf;
  t += QStringLiteral("År: ") + ansi(wma.Year()) + crlf;
  t += QStringLiteral("Genre: ") + ansi(wma.Genre()) + crlf;
  t += QStringLiteral("Kommentar: ") + ansi(wma.Comment()) + crlf;
  return t;
}
