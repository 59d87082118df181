#include <QFile>
#include <QTemporaryDir>
#include <QtTest>
#include <sys/stat.h>

#include "FileAttributes.h"

namespace {

mode_t modeOf(const QString& path) {
  struct stat st {};
  return ::stat(QFile::encodeName(path).constData(), &st) == 0 ? st.st_mode & 07777 : 0;
}

}  // namespace

class tst_FileAttributes : public QObject {
  Q_OBJECT

 private slots:
  void readOnlyBit_data();
  void readOnlyBit();
  void missingFile();
};

void tst_FileAttributes::readOnlyBit_data() {
  QTest::addColumn<uint>("mode");
  QTest::addColumn<bool>("readOnly");
  QTest::addColumn<uint>("cleared");  // the mode after clearReadOnly

  QTest::newRow("plain file") << 0644u << false << 0644u;
  QTest::newRow("read-only") << 0444u << true << 0644u;
  QTest::newRow("others may write, owner not") << 0466u << true << 0666u;
  QTest::newRow("owner has nothing") << 0077u << true << 0277u;
  QTest::newRow("execute and set-id bits kept") << 06555u << true << 06755u;
  QTest::newRow("sticky bit kept") << 01400u << true << 01600u;
}

void tst_FileAttributes::readOnlyBit() {
  QFETCH(uint, mode);
  QFETCH(bool, readOnly);
  QFETCH(uint, cleared);
  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("a.mp3"));
  QFile f(path);
  QVERIFY(f.open(QIODevice::WriteOnly));
  f.close();
  QCOMPARE(::chmod(QFile::encodeName(path).constData(), mode), 0);

  QCOMPARE(FileAttributes::isReadOnly(path), readOnly);
  QVERIFY(FileAttributes::clearReadOnly(path));
  QCOMPARE(uint(modeOf(path)), cleared);
  QVERIFY(!FileAttributes::isReadOnly(path));
}

void tst_FileAttributes::missingFile() {
  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("gone.mp3"));
  QVERIFY(!FileAttributes::isReadOnly(path));
  QVERIFY(!FileAttributes::clearReadOnly(path));
  QVERIFY(!QFile::exists(path));
}

QTEST_GUILESS_MAIN(tst_FileAttributes)
#include "tst_fileattributes.moc"
