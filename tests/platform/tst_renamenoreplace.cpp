#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>
#include <cerrno>
#include <unistd.h>

#include "RenameNoReplace.h"
#include "RenameSteps.h"

Q_DECLARE_METATYPE(RenameError)

namespace {

// "name=content" for every file, "name/" for every folder, sorted.
QStringList listing(const QString& root) {
  QStringList out;
  QDirIterator it(root, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden, QDirIterator::Subdirectories);
  while (it.hasNext()) {
    const QString path = it.next();
    const QString rel = QDir(root).relativeFilePath(path);
    if (it.fileInfo().isDir()) {
      out << rel + u'/';
    } else {
      QFile f(path);
      if (f.open(QIODevice::ReadOnly)) out << rel + u'=' + QString::fromUtf8(f.readAll());
    }
  }
  out.sort();
  return out;
}

// Entries "name=content" become files, "name/" folders.
void populate(const QString& root, const QStringList& entries) {
  for (const QString& e : entries) {
    if (e.endsWith(u'/')) {
      QVERIFY(QDir(root).mkpath(e));
      continue;
    }
    QFile f(QDir(root).filePath(e.section(u'=', 0, 0)));
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(e.section(u'=', 1).toUtf8());
  }
}

// One folder of a pretend file system that can ignore case and fail on
// purpose, to reach the paths of the case-only rename that a case-sensitive
// disk never takes.
class FakeFolder final : public RenameSteps {
 public:
  struct Entry {
    QString name;
    int inode;
  };
  bool ignoreCase = true;
  int temporaryCollisions = 0;  // so many renames to a temporary name report EEXIST first
  int failStep = 0;             // 1: the rename to a temporary name fails, 2: the rename to failTarget
  QString failTarget;
  QList<Entry> entries;

  int renameNoReplace(const QString& from, const QString& to) override {
    const bool toTemporary = to.startsWith(u'.');
    if (toTemporary && temporaryCollisions > 0) {
      --temporaryCollisions;
      return EEXIST;
    }
    const qsizetype i = find(from);
    if (i < 0) return ENOENT;
    if (find(to) >= 0) return EEXIST;
    if ((failStep == 1 && toTemporary) || (failStep == 2 && to == failTarget)) return EIO;
    entries[i].name = to;
    return 0;
  }
  bool sameFile(const QString& a, const QString& b) override {
    const qsizetype i = find(a), j = find(b);
    return i >= 0 && j >= 0 && entries[i].inode == entries[j].inode;
  }
  QStringList names() const {
    QStringList out;
    for (const Entry& e : entries) out << e.name;
    out.sort();
    return out;
  }

 private:
  qsizetype find(const QString& name) const {
    for (qsizetype i = 0; i < entries.size(); ++i)
      if (entries[i].name.compare(name, ignoreCase ? Qt::CaseInsensitive : Qt::CaseSensitive) == 0) return i;
    return -1;
  }
};

}  // namespace

class tst_RenameNoReplace : public QObject {
  Q_OBJECT

 private slots:
  void onDisk_data();
  void onDisk();
  void emptyFolderIsCurrentDirectory();
  void missingFolder();
  void caseOnlyFallback_data();
  void caseOnlyFallback();
  void caseInsensitiveDisk();
};

void tst_RenameNoReplace::onDisk_data() {
  QTest::addColumn<QStringList>("before");
  QTest::addColumn<QString>("oldName");
  QTest::addColumn<QString>("newName");
  QTest::addColumn<RenameError>("error");
  QTest::addColumn<QStringList>("after");

  const QStringList one{QStringLiteral("a.mp3=A")};
  QTest::newRow("new name") << one << "a.mp3" << "Abba - SOS.mp3" << RenameError::None << QStringList{"Abba - SOS.mp3=A"};
  QTest::newRow("target exists") << QStringList{"a.mp3=A", "b.mp3=B"} << "a.mp3" << "b.mp3" << RenameError::Exists
                                 << QStringList{"a.mp3=A", "b.mp3=B"};
  QTest::newRow("target is a folder") << QStringList{"a.mp3=A", "b.mp3/"} << "a.mp3" << "b.mp3" << RenameError::Exists
                                      << QStringList{"a.mp3=A", "b.mp3/"};
  QTest::newRow("case only") << QStringList{"abba - sos.mp3=A"} << "abba - sos.mp3" << "Abba - SOS.mp3"
                             << RenameError::None << QStringList{"Abba - SOS.mp3=A"};
  QTest::newRow("case only, å ä ö") << QStringList{"åsa öberg.mp3=A"} << "åsa öberg.mp3" << "ÅSA ÖBERG.mp3"
                                    << RenameError::None << QStringList{"ÅSA ÖBERG.mp3=A"};
  QTest::newRow("same name") << one << "a.mp3" << "a.mp3" << RenameError::Exists << one;
  QTest::newRow("slash would move it") << QStringList{"a.mp3=A", "AC/"} << "a.mp3" << "AC/DC - TNT.mp3"
                                       << RenameError::Other << QStringList{"AC/", "a.mp3=A"};
  QTest::newRow("slash in old name") << QStringList{"AC/", "AC/x.mp3=X"} << "AC/x.mp3" << "y.mp3" << RenameError::Other
                                     << QStringList{"AC/", "AC/x.mp3=X"};
  QTest::newRow("to parent") << one << "a.mp3" << "../a.mp3" << RenameError::Other << one;
  QTest::newRow("dot") << one << "a.mp3" << "." << RenameError::Other << one;
  QTest::newRow("dot dot") << one << "a.mp3" << ".." << RenameError::Other << one;
  QTest::newRow("empty") << one << "a.mp3" << "" << RenameError::Other << one;
  QTest::newRow("backslash is a character") << one << "a.mp3" << "AC\\DC.mp3" << RenameError::None
                                            << QStringList{"AC\\DC.mp3=A"};
  QTest::newRow("missing file") << one << "b.mp3" << "c.mp3" << RenameError::Other << one;
  QTest::newRow("name too long") << one << "a.mp3" << QString(300, u'x') << RenameError::Other << one;
}

void tst_RenameNoReplace::onDisk() {
  QFETCH(QStringList, before);
  QFETCH(QString, oldName);
  QFETCH(QString, newName);
  QFETCH(RenameError, error);
  QFETCH(QStringList, after);
  QTemporaryDir dir;
  QVERIFY(dir.isValid());
  populate(dir.path(), before);

  const RenameResult r = RenameNoReplace(dir.path(), oldName, newName);
  QCOMPARE(r.error, error);
  QCOMPARE(bool(r), error == RenameError::None);
  if (error == RenameError::Exists) QCOMPARE(r.systemError, EEXIST);
  if (error == RenameError::Other) QVERIFY(r.systemError != 0);
  QCOMPARE(listing(dir.path()), after);
}

void tst_RenameNoReplace::emptyFolderIsCurrentDirectory() {
  QTemporaryDir dir;
  populate(dir.path(), {QStringLiteral("a.mp3=A"), QStringLiteral("b.mp3=B")});
  const QString before = QDir::currentPath();
  QVERIFY(QDir::setCurrent(dir.path()));
  const RenameResult taken = RenameNoReplace(QString(), QStringLiteral("a.mp3"), QStringLiteral("b.mp3"));
  const RenameResult done = RenameNoReplace(QString(), QStringLiteral("a.mp3"), QStringLiteral("c.mp3"));
  QVERIFY(QDir::setCurrent(before));
  QCOMPARE(taken.error, RenameError::Exists);
  QVERIFY(done);
  QCOMPARE(listing(dir.path()), (QStringList{"b.mp3=B", "c.mp3=A"}));
}

void tst_RenameNoReplace::missingFolder() {
  QTemporaryDir dir;
  const RenameResult r = RenameNoReplace(dir.filePath(QStringLiteral("gone")), QStringLiteral("a"), QStringLiteral("b"));
  QCOMPARE(r.error, RenameError::Other);
  QCOMPARE(r.systemError, ENOENT);
}

void tst_RenameNoReplace::caseOnlyFallback_data() {
  QTest::addColumn<bool>("ignoreCase");
  QTest::addColumn<QStringList>("before");  // "name" or "name=inode" (same number: hard links)
  QTest::addColumn<QString>("newName");     // the old name is the first entry
  QTest::addColumn<int>("temporaryCollisions");
  QTest::addColumn<int>("failStep");
  QTest::addColumn<RenameError>("error");
  QTest::addColumn<QStringList>("after");

  const QStringList abba{QStringLiteral("abba.mp3")};
  QTest::newRow("case only") << true << abba << "ABBA.mp3" << 0 << 0 << RenameError::None << QStringList{"ABBA.mp3"};
  QTest::newRow("temporary names taken") << true << abba << "Abba.mp3" << 3 << 0 << RenameError::None
                                         << QStringList{"Abba.mp3"};
  QTest::newRow("every temporary name taken") << true << abba << "Abba.mp3" << 1000 << 0 << RenameError::Exists << abba;
  QTest::newRow("first step fails") << true << abba << "Abba.mp3" << 0 << 1 << RenameError::Other << abba;
  QTest::newRow("second step fails: back to the old name")
      << true << abba << "Abba.mp3" << 0 << 2 << RenameError::Other << abba;
  QTest::newRow("another file") << true << QStringList{"abba.mp3", "sos.mp3"} << "SOS.mp3" << 0 << 0
                                << RenameError::Exists << QStringList{"abba.mp3", "sos.mp3"};
  QTest::newRow("hard link differing in case") << false << QStringList{"abba.mp3=1", "ABBA.mp3=1"} << "ABBA.mp3" << 0 << 0
                                               << RenameError::Exists << QStringList{"ABBA.mp3", "abba.mp3"};
}

void tst_RenameNoReplace::caseOnlyFallback() {
  QFETCH(bool, ignoreCase);
  QFETCH(QStringList, before);
  QFETCH(QString, newName);
  QFETCH(int, temporaryCollisions);
  QFETCH(int, failStep);
  QFETCH(RenameError, error);
  QFETCH(QStringList, after);
  FakeFolder folder;
  folder.ignoreCase = ignoreCase;
  folder.temporaryCollisions = temporaryCollisions;
  folder.failStep = failStep;
  for (qsizetype i = 0; i < before.size(); ++i) {
    const QString inode = before[i].section(u'=', 1);
    folder.entries.append({before[i].section(u'=', 0, 0), inode.isEmpty() ? int(i) + 100 : inode.toInt()});
  }
  folder.failTarget = newName;

  const QString oldName = folder.entries.first().name;
  const RenameResult r = renameNoReplaceWith(folder, oldName, newName);
  QCOMPARE(r.error, error);
  QCOMPARE(folder.names(), after);
}

void tst_RenameNoReplace::caseInsensitiveDisk() {
  // A folder on a file system that ignores case (exFAT, vfat), when one is at hand.
  const QString root = qEnvironmentVariable("QUINDLE_CASE_INSENSITIVE_DIR");
  if (root.isEmpty()) QSKIP("QUINDLE_CASE_INSENSITIVE_DIR names no folder on a case-insensitive file system");
  QTemporaryDir dir(QDir(root).filePath(QStringLiteral("rename-XXXXXX")));
  QVERIFY(dir.isValid());
  populate(dir.path(), {QStringLiteral("abba - sos.mp3=A"), QStringLiteral("b.mp3=B")});
  QVERIFY(RenameNoReplace(dir.path(), QStringLiteral("abba - sos.mp3"), QStringLiteral("Abba - SOS.mp3")));
  QCOMPARE(RenameNoReplace(dir.path(), QStringLiteral("Abba - SOS.mp3"), QStringLiteral("B.MP3")).error,
           RenameError::Exists);
  QCOMPARE(listing(dir.path()), (QStringList{"Abba - SOS.mp3=A", "b.mp3=B"}));
}

QTEST_GUILESS_MAIN(tst_RenameNoReplace)
#include "tst_renamenoreplace.moc"
