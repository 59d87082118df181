#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>
#include <cstdio>

#include "SingleInstance.h"

// Run with "--hold LOCKPATH", this program plays another start of the
// application: it tries the lock, prints the outcome and keeps whatever it got
// until its standard input closes (or it is killed).
static int holdLock(const QString& path) {
  SingleInstance instance(path);
  const SingleInstance::Result r = instance.tryAcquire();
  std::puts(r == SingleInstance::Result::First            ? "first"
            : r == SingleInstance::Result::AlreadyRunning ? "running"
                                                          : "unavailable");
  std::fflush(stdout);
  while (std::getchar() != EOF) {
  }
  return 0;
}

class tst_SingleInstance : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase();
  void lockLivesInRuntimeFolder();
  void secondInstanceInSameProcess();
  void otherProcess_data();
  void otherProcess();
  void lockFileUnavailable();

 private:
  QString lockPath(const char* name) const { return dir_.filePath(QLatin1String(name)); }
  QTemporaryDir dir_;
};

void tst_SingleInstance::initTestCase() {
  QVERIFY(dir_.isValid());
  QVERIFY(QFile::setPermissions(dir_.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
  qputenv("XDG_RUNTIME_DIR", QFile::encodeName(dir_.path()));
}

void tst_SingleInstance::lockLivesInRuntimeFolder() {
  QCOMPARE(SingleInstance::defaultLockPath(), dir_.filePath(QStringLiteral("Morv.lock")));
}

void tst_SingleInstance::secondInstanceInSameProcess() {
  SingleInstance first(lockPath("same.lock"));
  SingleInstance second(lockPath("same.lock"));
  QCOMPARE(first.tryAcquire(), SingleInstance::Result::First);
  QCOMPARE(first.tryAcquire(), SingleInstance::Result::First);  // asking again changes nothing
  QCOMPARE(second.tryAcquire(), SingleInstance::Result::AlreadyRunning);
  first.release();
  QCOMPARE(second.tryAcquire(), SingleInstance::Result::First);
  QVERIFY(second.holds());
}

void tst_SingleInstance::otherProcess_data() {
  QTest::addColumn<QString>("firstEnds");  // how the first instance goes away
  QTest::addColumn<bool>("oldLockFile");   // its lock file looks older than any stale time
  QTest::newRow("quits") << QStringLiteral("quit") << false;
  QTest::newRow("crashes") << QStringLiteral("crash") << false;
  QTest::newRow("long-running, then crashes") << QStringLiteral("crash") << true;
}

void tst_SingleInstance::otherProcess() {
  QFETCH(QString, firstEnds);
  QFETCH(bool, oldLockFile);
  const QString path = lockPath(QTest::currentDataTag());
  QProcess first;
  first.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--hold"), path});
  QVERIFY(first.waitForReadyRead(10000));
  QCOMPARE(first.readLine().trimmed(), QByteArray("first"));
  if (oldLockFile) {
    QFile f(path);
    QVERIFY(f.open(QIODevice::ReadWrite));
    QVERIFY(f.setFileTime(QDateTime::currentDateTime().addDays(-1), QFileDevice::FileModificationTime));
  }

  SingleInstance second(path);
  QCOMPARE(second.tryAcquire(), SingleInstance::Result::AlreadyRunning);

  if (firstEnds == QLatin1String("quit")) first.closeWriteChannel();
  else first.kill();
  QVERIFY(first.waitForFinished(10000));
  if (firstEnds == QLatin1String("crash")) QVERIFY(QFile::exists(path));  // left behind
  QCOMPARE(second.tryAcquire(), SingleInstance::Result::First);
}

void tst_SingleInstance::lockFileUnavailable() {
  QFile blocker(lockPath("not-a-folder"));
  QVERIFY(blocker.open(QIODevice::WriteOnly));
  SingleInstance instance(lockPath("not-a-folder/Morv.lock"));
  QCOMPARE(instance.tryAcquire(), SingleInstance::Result::Unavailable);
  QVERIFY(!instance.holds());
}

int main(int argc, char** argv) {
  if (argc == 3 && qstrcmp(argv[1], "--hold") == 0) return holdLock(QString::fromLocal8Bit(argv[2]));
  QCoreApplication app(argc, argv);
  tst_SingleInstance t;
  return QTest::qExec(&t, argc, argv);
}

#include "tst_singleinstance.moc"
