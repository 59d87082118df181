#pragma once
// The texts of the file details panel, worked out without widgets.
#include <QChar>
#include <QString>
#include <cstdint>

class TWMAfile;

// x formatted with exactly two decimals, the given decimal separator, no digit
// grouping and no leading zero below 1: 0.5 -> ".50", 5 -> "5.00".
QString TwoDecimals(std::int64_t hundredths, QChar decimalPoint);
// bytes / 1024 / 1024 in hundredths, rounded half away from zero, exactly.
std::int64_t MegabyteHundredths(std::int64_t bytes);
// "name: 5242880 bytes (5.00 MB)".
QString SizeText(const QString& name, std::int64_t bytes, QChar decimalPoint);
// Whole seconds of size * 8 / (kbps * 1000) as "M:SS" (minutes unbounded);
// empty for a rate of 0. Exact for any size.
QString PlayTimeText(std::int64_t bytes, std::int64_t kbps);
// "1", "1.1", "2", "1 && 2", "1.1 && 2" or "" (a doubled ampersand shows one).
QString ID3InfText(int tagKind, bool trackFilled);
// "MPEG 1.0 Lager 3"; the layer part only for a layer above 0.
QString MPEGInfText(const QString& versionText, int layer);
// "Mono", "Joint Stereo", "2 kanaler", "Stereo", or "" for unknown.
QString StereoText(int channelMode);
// The double-click action's name: "Spela upp", "Lägg på kö", "Lägg till i MP3-Listan".
QString ActionName(int actionMode);
// The hint text of a WMA file whose header was valid; lines end with CR LF.
QString WmaHintText(const TWMAfile& wma, const QString& fileName, QChar decimalPoint);
// A duration with three decimals ("215,431" with a comma separator).
QString ThreeDecimals(double value, QChar decimalPoint);
