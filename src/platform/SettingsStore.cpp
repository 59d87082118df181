#include "SettingsStore.h"

#include <QSettings>
#include <QVariant>
#include <limits>

namespace {

constexpr char kOrganization[] = "Morvanta";
constexpr char kApplication[] = "MorvID3";

std::optional<qint32> inRange(qint64 v) {
  if (v < std::numeric_limits<qint32>::min() || v > std::numeric_limits<qint32>::max()) return std::nullopt;
  return static_cast<qint32>(v);
}

// Values read from the file are always strings; values written during this
// session are held with the type they were written with until the next load.
std::optional<qint32> toInteger(const QVariant& v) {
  switch (v.typeId()) {
    case QMetaType::Int:
    case QMetaType::LongLong:
      return inRange(v.toLongLong());
    case QMetaType::UInt:
    case QMetaType::ULongLong: {
      const qulonglong u = v.toULongLong();
      if (u > static_cast<qulonglong>(std::numeric_limits<qint32>::max())) return std::nullopt;
      return static_cast<qint32>(u);
    }
    case QMetaType::QString: {
      bool ok = false;
      const qint64 n = v.toString().trimmed().toLongLong(&ok, 10);
      if (!ok) return std::nullopt;
      return inRange(n);
    }
    default:
      return std::nullopt;
  }
}

}  // namespace

SettingsStore::SettingsStore(std::unique_ptr<QSettings> settings) : settings_(std::move(settings)) {}
SettingsStore::SettingsStore(SettingsStore&&) noexcept = default;
SettingsStore& SettingsStore::operator=(SettingsStore&&) noexcept = default;

SettingsStore::~SettingsStore() {
  if (settings_) settings_->sync();
}

std::optional<SettingsStore> SettingsStore::open() {
  return checked(std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope, kOrganization, kApplication));
}

std::optional<SettingsStore> SettingsStore::openFile(const QString& path) {
  return checked(std::make_unique<QSettings>(path, QSettings::IniFormat));
}

QString SettingsStore::userFilePath() {
  return QSettings(QSettings::IniFormat, QSettings::UserScope, kOrganization, kApplication).fileName();
}

std::optional<SettingsStore> SettingsStore::checked(std::unique_ptr<QSettings> settings) {
  // Only the user's own file counts: no organisation-wide or system-wide
  // fallback files may lend values to a missing one.
  settings->setFallbacksEnabled(false);
  // isWritable() creates the folder when it is missing and tries to open (or
  // create) the file for writing: the "open or create" of the settings.
  if (settings->status() != QSettings::NoError || !settings->isWritable()) return std::nullopt;
  return SettingsStore(std::move(settings));
}

QString SettingsStore::filePath() const { return settings_->fileName(); }

bool SettingsStore::contains(QAnyStringView name) const { return settings_->contains(name); }

std::optional<QString> SettingsStore::readString(QAnyStringView name) const {
  const QVariant v = settings_->value(name);
  switch (v.typeId()) {
    case QMetaType::QString:
      return v.toString();
    case QMetaType::Int:
    case QMetaType::LongLong:
    case QMetaType::UInt:
    case QMetaType::ULongLong:
      return v.toString();  // written as a number this session; reads back as its text after a reload
    default:
      return std::nullopt;
  }
}

std::optional<qint32> SettingsStore::readInteger(QAnyStringView name) const {
  return toInteger(settings_->value(name));
}

std::optional<bool> SettingsStore::readBoolean(QAnyStringView name) const {
  const QVariant v = settings_->value(name);
  if (const auto n = toInteger(v)) return *n != 0;
  if (v.typeId() == QMetaType::Bool) return v.toBool();
  if (v.typeId() == QMetaType::QString) {
    const QString s = v.toString().trimmed();
    if (s.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0) return true;
    if (s.compare(QLatin1String("false"), Qt::CaseInsensitive) == 0) return false;
  }
  return std::nullopt;
}

void SettingsStore::writeString(QAnyStringView name, const QString& value) { settings_->setValue(name, value); }

void SettingsStore::writeInteger(QAnyStringView name, qint32 value) { settings_->setValue(name, value); }

void SettingsStore::writeBoolean(QAnyStringView name, bool value) { settings_->setValue(name, value ? 1 : 0); }

bool SettingsStore::close() {
  settings_->sync();
  return settings_->status() == QSettings::NoError;
}
