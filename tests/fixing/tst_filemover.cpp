// Moving one file to a full target path: within a file system and across
// two, with the question before replacing, and the failures it reports.
#include <fcntl.h>
#include <sys/stat.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>

#include "FakeDialogs.h"
#include "FileMover.h"
#include "FileSizeLimit.h"
#include "Fixtures.h"

using Fx::Bytes;

namespace {

const QString kErrorCaption = QStringLiteral("Fel vid flyttning av fil");
const QString kReplaceCaption = QStringLiteral("Bekräfta ersättning av fil");

Bytes Content(std::size_t size, std::uint8_t seed) {
  Bytes b(size);
  for (std::size_t i = 0; i < size; ++i) b[i] = static_cast<std::uint8_t>(seed + i * 7);
  return b;
}

void Write(const QString& path, const Bytes& bytes) { Fx::WriteFile(path.toStdString(), bytes); }
Bytes Read(const QString& path) { return Fx::ReadFile(path.toStdString()); }

dev_t DeviceOf(const QString& path) {
  struct stat st {};
  return ::stat(QFile::encodeName(path).constData(), &st) == 0 ? st.st_dev : 0;
}

QStringList Entries(const QString& folder) {
  return QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot);
}

}  // namespace

class TestFileMover : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<FakeDialogs> dialogs;
  std::unique_ptr<QTemporaryDir> work;   // on the disk
  std::unique_ptr<QTemporaryDir> other;  // the folder the file goes to

  QString Src() const { return work->filePath("a.mp3"); }

 private slots:
  void init() {
    dialogs = std::make_unique<FakeDialogs>();
    work = std::make_unique<QTemporaryDir>();
  }
  void cleanup() {
    QVERIFY2(dialogs->unexpected().isEmpty(), qPrintable(dialogs->unexpected().join('\n')));
    QCOMPARE(dialogs->pending(), std::size_t(0));
    dialogs.reset();
    other.reset();
    work.reset();
  }

  // Both places: another folder of the same disk, and a memory file system.
  void moves_data() {
    QTest::addColumn<bool>("acrossFileSystems");
    QTest::addColumn<QString>("existing");  // "": no file at the target; "no"/"yes": the answer
    for (bool across : {false, true}) {
      const char* where = across ? "across file systems" : "same file system";
      QTest::newRow(qPrintable(QString("%1, new name").arg(where))) << across << "";
      QTest::newRow(qPrintable(QString("%1, existing, No").arg(where))) << across << "no";
      QTest::newRow(qPrintable(QString("%1, existing, Yes").arg(where))) << across << "yes";
    }
  }
  void moves() {
    QFETCH(bool, acrossFileSystems);
    QFETCH(QString, existing);
    other = acrossFileSystems ? std::make_unique<QTemporaryDir>("/dev/shm/quindle-XXXXXX")
                              : std::make_unique<QTemporaryDir>();
    if (!other->isValid()) QSKIP("no folder for the target");
    if (acrossFileSystems && DeviceOf(other->path()) == DeviceOf(work->path()))
      QSKIP("the memory file system and the work folder are on one device here");
    if (!acrossFileSystems) QCOMPARE(DeviceOf(other->path()), DeviceOf(work->path()));

    const Bytes source = Content(300000, 1);
    const Bytes old = Content(1000, 9);
    Write(Src(), source);
    QVERIFY(::chmod(QFile::encodeName(Src()).constData(), 0640) == 0);
    const struct timespec times[2] = {{1000000000, 0}, {1100000000, 0}};  // a move keeps the times
    QVERIFY(::utimensat(AT_FDCWD, QFile::encodeName(Src()).constData(), times, 0) == 0);
    const QString target = other->filePath("a.mp3");
    if (!existing.isEmpty()) Write(target, old);
    if (existing == "no") dialogs->answerNo();
    if (existing == "yes") dialogs->answerYes();

    const bool moved = FileMover::move(Src(), target);

    QCOMPARE(moved, existing != "no");
    if (!existing.isEmpty()) {
      QCOMPARE(dialogs->shown().size(), 1);
      QCOMPARE(dialogs->shown().front().caption, kReplaceCaption);
      QVERIFY(dialogs->shown().front().text.contains("\"a.mp3\""));
    } else {
      QVERIFY(dialogs->shown().isEmpty());
    }
    if (moved) {
      QVERIFY(!QFile::exists(Src()));
      QCOMPARE(Read(target), source);
      struct stat st {};
      QVERIFY(::stat(QFile::encodeName(target).constData(), &st) == 0);
      QCOMPARE(int(st.st_mode & 0777), 0640);
      QCOMPARE(qint64(st.st_mtim.tv_sec), qint64(1100000000));
    } else {
      QCOMPARE(Read(Src()), source);
      QCOMPARE(Read(target), old);
    }
    // No copy in progress is left behind.
    QCOMPARE(Entries(other->path()), QStringList{"a.mp3"});
  }

  // The failures it reports itself; the files stay as they were.
  void refusals_data() {
    QTest::addColumn<QString>("target");  // relative to the work folder
    QTest::addColumn<bool>("sourceThere");
    QTest::addColumn<QString>("why");     // part of the message
    QTest::newRow("onto itself") << "a.mp3" << true << "samma fil";
    QTest::newRow("onto itself through another spelling") << "./sub/../a.mp3" << true << "samma fil";
    QTest::newRow("onto a folder's name") << "sub" << true << "mapp";
    QTest::newRow("into a missing folder") << "saknas/a.mp3" << true << "";
    QTest::newRow("source gone") << "sub/a.mp3" << false << "";
  }
  void refusals() {
    QFETCH(QString, target);
    QFETCH(bool, sourceThere);
    QFETCH(QString, why);
    QDir(work->path()).mkdir("sub");
    const Bytes source = Content(5000, 3);
    if (sourceThere) Write(Src(), source);

    QVERIFY(!FileMover::move(Src(), work->filePath(target)));

    QCOMPARE(dialogs->shown().size(), 1);
    const FakeDialogs::Shown& box = dialogs->shown().front();
    QCOMPARE(box.kind, Dialogs::Kind::Box);
    QCOMPARE(box.caption, kErrorCaption);
    QCOMPARE(box.icon, Dialogs::Icon::Error);
    QVERIFY2(box.text.contains(why), qPrintable(box.text));
    if (sourceThere) QCOMPARE(Read(Src()), source);
    QCOMPARE(Entries(work->filePath("sub")), QStringList{});
  }

  // A copy that cannot be completed never costs the source.
  void failedCopyKeepsTheSource_data() {
    QTest::addColumn<bool>("existing");
    QTest::newRow("new name") << false;
    QTest::newRow("replacing, Yes") << true;
  }
  void failedCopyKeepsTheSource() {
    QFETCH(bool, existing);
    other = std::make_unique<QTemporaryDir>("/dev/shm/quindle-XXXXXX");
    if (!other->isValid() || DeviceOf(other->path()) == DeviceOf(work->path()))
      QSKIP("needs a second file system at /dev/shm");
    const Bytes source = Content(200000, 5);
    const Bytes old = Content(100, 2);
    Write(Src(), source);
    const QString target = other->filePath("a.mp3");
    if (existing) {
      Write(target, old);
      dialogs->answerYes();
    }
    bool moved = true;
    {
      const FileSizeLimit limit(65536);  // the copy stops a third of the way
      moved = FileMover::move(Src(), target);
    }
    QVERIFY(!moved);
    QCOMPARE(Read(Src()), source);
    if (existing) {
      QCOMPARE(Read(target), old);
      QCOMPARE(Entries(other->path()), QStringList{"a.mp3"});
    } else {
      QCOMPARE(Entries(other->path()), QStringList{});
    }
    QCOMPARE(dialogs->shown().back().caption, kErrorCaption);
  }
};

QTEST_GUILESS_MAIN(TestFileMover)
#include "tst_filemover.moc"
