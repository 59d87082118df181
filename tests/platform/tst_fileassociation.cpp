#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#include "FileAssociation.h"

namespace {

void writeFile(const QString& path, const QByteArray& bytes, bool executable = false) {
  QVERIFY(QDir().mkpath(QFileInfo(path).absolutePath()));
  QFile f(path);
  QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
  f.write(bytes);
  f.close();
  if (executable) QVERIFY(f.setPermissions(f.permissions() | QFile::ExeOwner | QFile::ExeUser));
}

}  // namespace

// Everything the lookup reads (PATH, the XDG folders, mimeapps.list) is
// pointed at a temporary folder, so the machine's own players do not count.
class tst_FileAssociation : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase();
  void fromDesktopEntry_data();
  void fromDesktopEntry();
  void desktopIdIsLookedUpInApplicationFolders();
  void defaultPlayerOfExtension_data();
  void defaultPlayerOfExtension();

 private:
  QString bin() const { return root_.filePath(QStringLiteral("bin")); }
  QString dataHome() const { return root_.filePath(QStringLiteral("data")); }
  QString configHome() const { return root_.filePath(QStringLiteral("config")); }
  QTemporaryDir root_;
};

void tst_FileAssociation::initTestCase() {
  QVERIFY(root_.isValid());
  writeFile(bin() + QStringLiteral("/quindle-player"), "#!/bin/sh\n", true);
  writeFile(bin() + QStringLiteral("/my player"), "#!/bin/sh\n", true);
  writeFile(bin() + QStringLiteral("/not-executable"), "#!/bin/sh\n");
  qputenv("PATH", QFile::encodeName(bin()) + ':' + qgetenv("PATH"));

  // The MIME database is found through XDG_DATA_DIRS as well: keep the system's.
  const QString systemData = root_.filePath(QStringLiteral("system-data"));
  QVERIFY(QDir().mkpath(systemData));
  for (const QString& d : qEnvironmentVariable("XDG_DATA_DIRS", QStringLiteral("/usr/local/share:/usr/share")).split(u':')) {
    if (QFileInfo::exists(d + QStringLiteral("/mime/mime.cache"))) {
      QVERIFY(QFile::link(d + QStringLiteral("/mime"), systemData + QStringLiteral("/mime")));
      break;
    }
  }
  qputenv("XDG_DATA_HOME", QFile::encodeName(dataHome()));
  qputenv("XDG_DATA_DIRS", QFile::encodeName(systemData));
  qputenv("XDG_CONFIG_HOME", QFile::encodeName(configHome()));
  qputenv("XDG_CONFIG_DIRS", QFile::encodeName(root_.filePath(QStringLiteral("system-config"))));
  // xdg-mime asks the running desktop's own tool when it recognises one.
  for (const char* v : {"XDG_CURRENT_DESKTOP", "DESKTOP_SESSION", "KDE_FULL_SESSION", "GNOME_DESKTOP_SESSION_ID"})
    qunsetenv(v);
}

void tst_FileAssociation::fromDesktopEntry_data() {
  QTest::addColumn<QString>("entry");     // $BIN stands for the folder of test programs
  QTest::addColumn<QString>("expected");  // likewise

  QTest::newRow("name found in PATH") << "[Desktop Entry]\nName=P\nExec=quindle-player %U\n"
                                      << "\"$BIN/quindle-player\" %U";
  QTest::newRow("full path, several arguments") << "[Desktop Entry]\nExec=$BIN/quindle-player --enqueue %F\n"
                                                << "\"$BIN/quindle-player\" --enqueue %F";
  QTest::newRow("quoted path with a blank") << "[Desktop Entry]\nExec=\"$BIN/my player\" %f\n"
                                            << "\"$BIN/my player\" %f";
  QTest::newRow("no arguments") << "[Desktop Entry]\nExec=quindle-player\n" << "\"$BIN/quindle-player\"";
  QTest::newRow("blanks around =") << "[Desktop Entry]\nExec = quindle-player %U\n" << "\"$BIN/quindle-player\" %U";
  QTest::newRow("actions do not count") << "[Desktop Entry]\nExec=quindle-player %U\n"
                                           "[Desktop Action Enqueue]\nExec=$BIN/my\\splayer -e %U\n"
                                        << "\"$BIN/quindle-player\" %U";
  QTest::newRow("only an action has Exec") << "[Desktop Entry]\nName=P\n[Desktop Action A]\nExec=quindle-player\n"
                                           << "";
  QTest::newRow("commented out") << "[Desktop Entry]\n#Exec=quindle-player\n" << "";
  QTest::newRow("program missing") << "[Desktop Entry]\nExec=quindle-no-such-player %U\n" << "";
  QTest::newRow("not executable") << "[Desktop Entry]\nExec=$BIN/not-executable %U\n" << "";
  QTest::newRow("relative path") << "[Desktop Entry]\nExec=bin/quindle-player %U\n" << "";
  QTest::newRow("unterminated quote") << "[Desktop Entry]\nExec=\"$BIN/my player %f\n" << "";
  QTest::newRow("empty") << "" << "";
}

void tst_FileAssociation::fromDesktopEntry() {
  QFETCH(QString, entry);
  QFETCH(QString, expected);
  entry.replace(QLatin1String("$BIN"), bin());
  expected.replace(QLatin1String("$BIN"), bin());
  QCOMPARE(FileAssociation::commandLineFromDesktopEntry(entry), expected);
}

void tst_FileAssociation::desktopIdIsLookedUpInApplicationFolders() {
  const QString systemApps = root_.filePath(QStringLiteral("system-data/applications"));
  writeFile(dataHome() + QStringLiteral("/applications/quindle-user.desktop"), "[Desktop Entry]\nExec=quindle-player %U\n");
  writeFile(systemApps + QStringLiteral("/quindle-user.desktop"), "[Desktop Entry]\nExec=\"my player\" %U\n");
  writeFile(systemApps + QStringLiteral("/quindle-system.desktop"), "[Desktop Entry]\nExec=\"my player\" %U\n");

  QCOMPARE(FileAssociation::applicationFolders().value(0), dataHome() + QStringLiteral("/applications"));
  // The user's own file wins over the system's of the same id.
  QCOMPARE(FileAssociation::commandLineForDesktopId(QStringLiteral("quindle-user.desktop")),
           u'"' + bin() + QStringLiteral("/quindle-player\" %U"));
  QCOMPARE(FileAssociation::commandLineForDesktopId(QStringLiteral("quindle-system.desktop")),
           u'"' + bin() + QStringLiteral("/my player\" %U"));
  QCOMPARE(FileAssociation::commandLineForDesktopId(QStringLiteral("quindle-none.desktop")), QString());
  QCOMPARE(FileAssociation::commandLineForDesktopId(QStringLiteral("../applications/quindle-user.desktop")), QString());
}

void tst_FileAssociation::defaultPlayerOfExtension_data() {
  QTest::addColumn<QByteArray>("mimeapps");  // contents of mimeapps.list; empty: none
  QTest::addColumn<QString>("extension");
  QTest::addColumn<QString>("expected");

  const QString player = QStringLiteral("\"$BIN/quindle-player\" %U");
  QTest::newRow("registered") << QByteArray("[Default Applications]\naudio/mpeg=quindle-user.desktop\n") << ".mp3"
                              << player;
  QTest::newRow("upper-case extension") << QByteArray("[Default Applications]\naudio/mpeg=quindle-user.desktop\n")
                                        << ".MP3" << player;
  QTest::newRow("another type registered") << QByteArray("[Default Applications]\naudio/flac=quindle-user.desktop\n")
                                           << ".mp3" << "";
  QTest::newRow("registered id has no file")
      << QByteArray("[Default Applications]\naudio/mpeg=quindle-none.desktop\n") << ".mp3" << "";
  QTest::newRow("nothing registered") << QByteArray() << ".mp3" << "";
  QTest::newRow("unknown extension") << QByteArray("[Default Applications]\naudio/mpeg=quindle-user.desktop\n")
                                     << ".quindle-unknown" << "";
}

void tst_FileAssociation::defaultPlayerOfExtension() {
  QFETCH(QByteArray, mimeapps);
  QFETCH(QString, extension);
  QFETCH(QString, expected);
  if (QStandardPaths::findExecutable(QStringLiteral("xdg-mime")).isEmpty()) QSKIP("xdg-mime (xdg-utils) is not installed");
  if (!QFileInfo::exists(root_.filePath(QStringLiteral("system-data/mime")))) QSKIP("no shared MIME database");
  writeFile(dataHome() + QStringLiteral("/applications/quindle-user.desktop"), "[Desktop Entry]\nExec=quindle-player %U\n");
  const QString list = configHome() + QStringLiteral("/mimeapps.list");
  QFile::remove(list);
  if (!mimeapps.isEmpty()) writeFile(list, mimeapps);
  expected.replace(QLatin1String("$BIN"), bin());
  QCOMPARE(FileAssociation::commandLine(extension), expected);
}

QTEST_GUILESS_MAIN(tst_FileAssociation)
#include "tst_fileassociation.moc"
