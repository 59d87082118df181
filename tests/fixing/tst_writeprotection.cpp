// The write-protection question and the report's status line.
#include <sys/stat.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include "FailureReport.h"
#include "FakeDialogs.h"
#include "WriteProtection.h"

namespace {

uint ModeOf(const QString& path) {
  struct stat st {};
  return ::stat(QFile::encodeName(path).constData(), &st) == 0 ? st.st_mode & 07777 : 0;
}

}  // namespace

class TestWriteProtection : public QObject {
  Q_OBJECT

 private slots:
  void skrivSkydd_data();
  void skrivSkydd();
  void statusText();
};

void TestWriteProtection::skrivSkydd_data() {
  QTest::addColumn<uint>("mode");
  QTest::addColumn<bool>("exists");
  QTest::addColumn<int>("answer");  // -1 no question, 0 No, 1 Yes
  QTest::addColumn<bool>("stillProtected");
  QTest::addColumn<uint>("modeAfter");
  QTest::newRow("writable: no question") << 0644u << true << -1 << false << 0644u;
  QTest::newRow("read-only, Yes: owner's write bit back, the rest kept") << 04555u << true << 1 << false << 04755u;
  QTest::newRow("read-only, No: unchanged") << 0444u << true << 0 << true << 0444u;
  QTest::newRow("gone: no question") << 0u << false << -1 << false << 0u;
}

void TestWriteProtection::skrivSkydd() {
  QFETCH(uint, mode);
  QFETCH(bool, exists);
  QFETCH(int, answer);
  QFETCH(bool, stillProtected);
  QFETCH(uint, modeAfter);
  QTemporaryDir tmp;
  QVERIFY(QDir::setCurrent(tmp.path()));
  const QString name = QStringLiteral("Åsa - Ö.mp3");
  if (exists) {
    QFile f(name);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.close();
    QCOMPARE(::chmod(QFile::encodeName(name).constData(), mode), 0);
  }
  FakeDialogs dialogs;
  if (answer == 1) dialogs.answerYes();
  if (answer == 0) dialogs.answerNo();

  QCOMPARE(Fixing::SkrivSkydd(name), stillProtected);
  QCOMPARE(ModeOf(name), modeAfter);
  if (answer >= 0) {
    QCOMPARE(dialogs.shown().size(), 1);
    QCOMPARE(dialogs.shown()[0].kind, Dialogs::Kind::Question);
    QCOMPARE(dialogs.shown()[0].caption, QStringLiteral("Bekräfta"));
    QCOMPARE(dialogs.shown()[0].text, QStringLiteral("Filen Åsa - Ö.mp3 är skrivskyddad! Ska jag ta bort det?"));
  } else {
    QVERIFY(dialogs.shown().isEmpty());
  }
  QDir::setCurrent(QDir::tempPath());
}

void TestWriteProtection::statusText() {
  FailureReport counts;
  counts.AntNamnfel = 1;
  counts.AntSkrivfel = 1;
  counts.AntID3Skrivskydd = 1;
  QCOMPARE(FailureStatusText(3, 12, counts),
           QStringLiteral("Antal filer som inte blev fixade:3 av 12,  Namnfel:1,  Skrivfel:1,  ID3Skrivskydd:1"));
  // Plain decimal, also where the locale groups digits.
  QLocale::setDefault(QLocale(QLocale::Swedish, QLocale::Sweden));
  counts.AntNamnfel = 12345;
  QCOMPARE(
      FailureStatusText(12345, 20000, counts),
      QStringLiteral("Antal filer som inte blev fixade:12345 av 20000,  Namnfel:12345,  Skrivfel:1,  ID3Skrivskydd:1"));
  QLocale::setDefault(QLocale::c());
}

QTEST_GUILESS_MAIN(TestWriteProtection)
#include "tst_writeprotection.moc"
