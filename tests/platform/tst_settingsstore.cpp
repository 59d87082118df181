#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include "SettingsStore.h"

namespace {

void writeFile(const QString& path, const QByteArray& bytes) {
  QDir().mkpath(QFileInfo(path).absolutePath());
  QFile f(path);
  QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
  f.write(bytes);
}

QByteArray readFile(const QString& path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

template <typename T>
QVariant toVariant(const std::optional<T>& v) {
  return v ? QVariant::fromValue(*v) : QVariant();
}

}  // namespace

class tst_SettingsStore : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase();
  void userFileFollowsXdgConfigHome();
  void roundTrip_data();
  void roundTrip();
  void missingFileGivesNoValues();
  void storedText_data();
  void storedText();
  void openFails_data();
  void openFails();

 private:
  QTemporaryDir home_;
  QString file() const { return home_.filePath(QStringLiteral("store/MorvID3.ini")); }
};

void tst_SettingsStore::initTestCase() {
  QVERIFY(home_.isValid());
  // Read by QSettings once, at its first use in the process: set before that.
  qputenv("XDG_CONFIG_HOME", QFile::encodeName(home_.filePath(QStringLiteral("config"))));
  qputenv("XDG_CONFIG_DIRS", QFile::encodeName(home_.filePath(QStringLiteral("system"))));
}

void tst_SettingsStore::userFileFollowsXdgConfigHome() {
  const QString expected = home_.filePath(QStringLiteral("config/Morvanta/MorvID3.ini"));
  QCOMPARE(SettingsStore::userFilePath(), expected);
  // Values in system-wide or organisation-wide files must not stand in for
  // the user's own.
  writeFile(home_.filePath(QStringLiteral("system/Morvanta/MorvID3.ini")), "[General]\nSplashTime=9\n");
  writeFile(home_.filePath(QStringLiteral("config/Morvanta.ini")), "[General]\nDblKlick=2\n");
  {
    auto store = SettingsStore::open();
    QVERIFY(store);
    QCOMPARE(store->filePath(), expected);
    QVERIFY(!store->contains(SettingsValue::SplashTime));
    QVERIFY(!store->contains(SettingsValue::DblKlick));
    store->writeInteger(SettingsValue::SplashTime, 4);
    QVERIFY(store->close());
  }
  QVERIFY(readFile(expected).contains("SplashTime=4"));
  QCOMPARE(SettingsStore::open()->readInteger(SettingsValue::SplashTime), std::optional<qint32>(4));
}

void tst_SettingsStore::roundTrip_data() {
  QTest::addColumn<QString>("name");
  QTest::addColumn<QVariant>("value");  // QString, int or bool: the write and read used
  QTest::addColumn<QByteArray>("stored");  // the line in the file

  QTest::newRow("folder with å ä ö") << QString(SettingsValue::ActFolder) << QVariant(QStringLiteral("/home/Åsa/Musik/Ölands bästa"))
                                     << QByteArray("ActFolder=/home/\xc3\x85sa/Musik/\xc3\x96lands b\xc3\xa4sta");
  QTest::newRow("comma, quote, backslash")
      << QString(SettingsValue::MoveFolder) << QVariant(QStringLiteral("/m/AC\\DC, \"Live\"; =x")) << QByteArray();
  QTest::newRow("empty string") << QString(SettingsValue::MoveFolder) << QVariant(QString()) << QByteArray("MoveFolder=");
  QTest::newRow("negative position") << QString(SettingsValue::WindowX) << QVariant(-1280) << QByteArray("WindowX=-1280");
  QTest::newRow("largest") << QString(SettingsValue::MP3WindowW) << QVariant(2147483647) << QByteArray("MP3WindowW=2147483647");
  QTest::newRow("smallest") << QString(SettingsValue::Id3WindowY) << QVariant(-2147483647 - 1)
                            << QByteArray("Id3WindowY=-2147483648");
  QTest::newRow("true as 1") << QString(SettingsValue::ID3Show) << QVariant(true) << QByteArray("ID3Show=1");
  QTest::newRow("false as 0") << QString(SettingsValue::MP3Show) << QVariant(false) << QByteArray("MP3Show=0");
}

void tst_SettingsStore::roundTrip() {
  QFETCH(QString, name);
  QFETCH(QVariant, value);
  QFETCH(QByteArray, stored);
  QFile::remove(file());
  {
    auto store = SettingsStore::openFile(file());
    QVERIFY(store);
    if (value.typeId() == QMetaType::QString) store->writeString(name, value.toString());
    else if (value.typeId() == QMetaType::Int) store->writeInteger(name, value.toInt());
    else store->writeBoolean(name, value.toBool());
    QVERIFY(store->close());
  }
  if (!stored.isEmpty()) QVERIFY2(readFile(file()).contains(stored + '\n'), readFile(file()).constData());
  auto store = SettingsStore::openFile(file());
  QVERIFY(store);
  QVERIFY(store->contains(name));
  if (value.typeId() == QMetaType::QString) QCOMPARE(store->readString(name), std::optional<QString>(value.toString()));
  else if (value.typeId() == QMetaType::Int) QCOMPARE(store->readInteger(name), std::optional<qint32>(value.toInt()));
  else QCOMPARE(store->readBoolean(name), std::optional<bool>(value.toBool()));
}

void tst_SettingsStore::missingFileGivesNoValues() {
  const QString path = home_.filePath(QStringLiteral("fresh/deeper/MorvID3.ini"));
  auto store = SettingsStore::openFile(path);
  QVERIFY(store);
  QVERIFY(QFileInfo(path).dir().exists());  // opening creates the folder, as opening the key created it
  for (const char* name : SettingsValue::All) {
    QVERIFY(!store->contains(name));
    QCOMPARE(store->readString(name), std::nullopt);
    QCOMPARE(store->readInteger(name), std::nullopt);
    QCOMPARE(store->readBoolean(name), std::nullopt);
  }
}

void tst_SettingsStore::storedText_data() {
  QTest::addColumn<QByteArray>("text");      // the value as written into the file by hand
  QTest::addColumn<QVariant>("asString");    // invalid QVariant: no value
  QTest::addColumn<QVariant>("asInteger");
  QTest::addColumn<QVariant>("asBoolean");

  const QVariant none;
  QTest::newRow("number") << QByteArray("7") << QVariant(QStringLiteral("7")) << QVariant(7) << QVariant(true);
  QTest::newRow("blanks around") << QByteArray("  12  ") << QVariant(QStringLiteral("12")) << QVariant(12) << QVariant(true);
  QTest::newRow("zero") << QByteArray("0") << QVariant(QStringLiteral("0")) << QVariant(0) << QVariant(false);
  QTest::newRow("any non-zero is true") << QByteArray("-3") << QVariant(QStringLiteral("-3")) << QVariant(-3) << QVariant(true);
  QTest::newRow("word") << QByteArray("abc") << QVariant(QStringLiteral("abc")) << none << none;
  QTest::newRow("trailing garbage") << QByteArray("5x") << QVariant(QStringLiteral("5x")) << none << none;
  QTest::newRow("hex") << QByteArray("0x10") << QVariant(QStringLiteral("0x10")) << none << none;
  QTest::newRow("fraction") << QByteArray("1.5") << QVariant(QStringLiteral("1.5")) << none << none;
  QTest::newRow("empty") << QByteArray("") << QVariant(QString()) << none << none;
  QTest::newRow("above 32 bits") << QByteArray("2147483648") << QVariant(QStringLiteral("2147483648")) << none << none;
  QTest::newRow("below 32 bits") << QByteArray("-2147483649") << QVariant(QStringLiteral("-2147483649")) << none << none;
  QTest::newRow("true word") << QByteArray("true") << QVariant(QStringLiteral("true")) << none << QVariant(true);
  QTest::newRow("False word") << QByteArray("False") << QVariant(QStringLiteral("False")) << none << QVariant(false);
  QTest::newRow("list") << QByteArray("a, b") << none << none << none;
  QTest::newRow("binary") << QByteArray("@ByteArray(12)") << none << none << none;
}

void tst_SettingsStore::storedText() {
  QFETCH(QByteArray, text);
  QFETCH(QVariant, asString);
  QFETCH(QVariant, asInteger);
  QFETCH(QVariant, asBoolean);
  writeFile(file(), "[General]\nSplashTime=" + text + "\n");
  auto store = SettingsStore::openFile(file());
  QVERIFY(store);
  QVERIFY(store->contains(SettingsValue::SplashTime));
  QCOMPARE(toVariant(store->readString(SettingsValue::SplashTime)), asString);
  QCOMPARE(toVariant(store->readInteger(SettingsValue::SplashTime)), asInteger);
  QCOMPARE(toVariant(store->readBoolean(SettingsValue::SplashTime)), asBoolean);
}

void tst_SettingsStore::openFails_data() {
  QTest::addColumn<QString>("path");
  QTest::addColumn<QString>("obstacle");  // made a regular file first
  QTest::newRow("folder is a file") << QStringLiteral("blocked/MorvID3.ini") << QStringLiteral("blocked");
  QTest::newRow("file is a folder") << QStringLiteral("dir/MorvID3.ini") << QString();
}

void tst_SettingsStore::openFails() {
  QFETCH(QString, path);
  QFETCH(QString, obstacle);
  if (obstacle.isEmpty()) QVERIFY(QDir(home_.path()).mkpath(path));
  else writeFile(home_.filePath(obstacle), "not a folder");
  QVERIFY(!SettingsStore::openFile(home_.filePath(path)));
}

QTEST_GUILESS_MAIN(tst_SettingsStore)
#include "tst_settingsstore.moc"
