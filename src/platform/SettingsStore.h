#pragma once
// The program's persisted settings: one INI file per user,
// $XDG_CONFIG_HOME/Morvanta/MorvID3.ini, read at start-up and written at exit.
//
// Values are looked up by name (the constants in SettingsValue). Everything in
// an INI file is text, so each read says whether the stored text can be taken
// as the type asked for: a missing value and one that cannot be read as that
// type both give std::nullopt, and the caller keeps its default. contains()
// tells the two apart where that matters.
#include <QAnyStringView>
#include <QString>
#include <array>
#include <memory>
#include <optional>

class QSettings;

// The names of the fifteen stored values.
namespace SettingsValue {
inline constexpr char ActFolder[] = "ActFolder";
inline constexpr char MoveFolder[] = "MoveFolder";
inline constexpr char WindowX[] = "WindowX";
inline constexpr char WindowY[] = "WindowY";
inline constexpr char WindowW[] = "WindowW";
inline constexpr char MP3WindowX[] = "MP3WindowX";
inline constexpr char MP3WindowY[] = "MP3WindowY";
inline constexpr char MP3WindowW[] = "MP3WindowW";
inline constexpr char MP3WindowH[] = "MP3WindowH";
inline constexpr char Id3WindowX[] = "Id3WindowX";
inline constexpr char Id3WindowY[] = "Id3WindowY";
inline constexpr char ID3Show[] = "ID3Show";
inline constexpr char MP3Show[] = "MP3Show";
inline constexpr char SplashTime[] = "SplashTime";
inline constexpr char DblKlick[] = "DblKlick";

inline constexpr std::array<const char*, 15> All = {
    ActFolder,  MoveFolder, WindowX,    WindowY,    WindowW, MP3WindowX, MP3WindowY, MP3WindowW,
    MP3WindowH, Id3WindowX, Id3WindowY, ID3Show,    MP3Show, SplashTime, DblKlick};
}  // namespace SettingsValue

class SettingsStore {
 public:
  // Opens the user's settings file, creating its folder when missing. Fails
  // (nullopt) when the file can be neither read and written nor created.
  static std::optional<SettingsStore> open();
  // The same for an explicit INI file.
  static std::optional<SettingsStore> openFile(const QString& path);
  // Where open() keeps the settings.
  static QString userFilePath();

  SettingsStore(SettingsStore&&) noexcept;
  SettingsStore& operator=(SettingsStore&&) noexcept;
  SettingsStore(const SettingsStore&) = delete;
  SettingsStore& operator=(const SettingsStore&) = delete;
  ~SettingsStore();  // writes what is pending, like close()

  QString filePath() const;
  bool contains(QAnyStringView name) const;

  // Text as stored. nullopt: missing, or a value that is not plain text
  // (a list or binary data written by hand).
  std::optional<QString> readString(QAnyStringView name) const;
  // A decimal 32-bit number (surrounding blanks allowed). nullopt: missing,
  // not a number, or out of range.
  std::optional<qint32> readInteger(QAnyStringView name) const;
  // A number, any non-zero value being true; "true" and "false" are accepted
  // too. nullopt: missing or neither.
  std::optional<bool> readBoolean(QAnyStringView name) const;

  void writeString(QAnyStringView name, const QString& value);
  void writeInteger(QAnyStringView name, qint32 value);
  // Stored as the number 1 or 0.
  void writeBoolean(QAnyStringView name, bool value);

  // Writes pending changes to the file; false when that failed. The store
  // stays usable.
  bool close();

 private:
  explicit SettingsStore(std::unique_ptr<QSettings> settings);
  static std::optional<SettingsStore> checked(std::unique_ptr<QSettings> settings);

  std::unique_ptr<QSettings> settings_;
};
