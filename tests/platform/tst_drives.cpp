#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include "Drives.h"

namespace {

QStringList paths(const std::vector<Drive>& drives) {
  QStringList out;
  for (const Drive& d : drives) out << d.path;
  return out;
}

}  // namespace

class tst_Drives : public QObject {
  Q_OBJECT

 private slots:
  void fromMountTable_data();
  void fromMountTable();
  void namesShown();
  void thisMachine();
  void isReady();
};

void tst_Drives::fromMountTable_data() {
  QTest::addColumn<QString>("table");
  QTest::addColumn<QStringList>("expected");

  QTest::newRow("empty table: the root all the same") << "" << QStringList{"/"};
  QTest::newRow("container") << "overlay / overlay rw 0 0\n"
                                "proc /proc proc rw 0 0\n"
                                "tmpfs /dev tmpfs rw 0 0\n"
                                "devpts /dev/pts devpts rw 0 0\n"
                                "sysfs /sys sysfs ro 0 0\n"
                                "cgroup /sys/fs/cgroup cgroup2 ro 0 0\n"
                                "mqueue /dev/mqueue mqueue rw 0 0\n"
                                "shm /dev/shm tmpfs rw 0 0\n"
                             << QStringList{"/"};
  QTest::newRow("desktop") << "/dev/nvme0n1p2 / ext4 rw 0 0\n"
                              "/dev/nvme0n1p1 /boot/efi vfat rw 0 0\n"
                              "/dev/sda1 /home ext4 rw 0 0\n"
                              "/dev/sdb1 /media/anna/USB\\040STICK vfat rw 0 0\n"
                              "/dev/sdc1 /run/media/anna/KAMERA exfat rw 0 0\n"
                              "//nas/musik /mnt/nas cifs rw 0 0\n"
                              "nas:/export/musik /srv/musik nfs4 rw 0 0\n"
                              "anna@nas:/m /home/anna/remote fuse.sshfs rw 0 0\n"
                              "tmpfs /run/user/1000 tmpfs rw 0 0\n"
                              "gvfsd-fuse /run/user/1000/gvfs fuse.gvfsd-fuse rw 0 0\n"
                              "portal /run/user/1000/doc fuse.portal rw 0 0\n"
                              "/dev/loop3 /snap/core/123 squashfs ro 0 0\n"
                              "tmpfs /tmp tmpfs rw 0 0\n"
                              "binfmt_misc /proc/sys/fs/binfmt_misc binfmt_misc rw 0 0\n"
                           << QStringList{"/", "/media/anna/USB STICK", "/run/media/anna/KAMERA", "/mnt/nas", "/home",
                                          "/home/anna/remote", "/srv/musik"};
  QTest::newRow("mounted twice, listed once") << "/dev/sdb1 /media/x vfat rw 0 0\n/dev/sdb1 /media/x vfat rw 0 0\n"
                                              << QStringList{"/", "/media/x"};
  QTest::newRow("exFAT through FUSE") << "/dev/sdb1 /media/anna/SPELARE fuseblk rw 0 0\n"
                                      << QStringList{"/", "/media/anna/SPELARE"};
  QTest::newRow("tab and backslash in names") << "/dev/sdb1 /media/a\\011b\\134c vfat rw 0 0\n"
                                              << QStringList{"/", "/media/a\tb\\c"};
  QTest::newRow("short and odd lines ignored") << "garbage\n/dev/sdb1\n/dev/sdc1 relative ext4 rw 0 0\n"
                                               << QStringList{"/"};
}

void tst_Drives::fromMountTable() {
  QFETCH(QString, table);
  QFETCH(QStringList, expected);
  QCOMPARE(paths(Drives::fromMountTable(table)), expected);
}

void tst_Drives::namesShown() {
  const auto drives = Drives::fromMountTable(QStringLiteral("/dev/sdb1 /media/anna/USB\\040STICK vfat rw 0 0\n"));
  QCOMPARE(drives.size(), std::size_t(2));
  QCOMPARE(drives[0], (Drive{QStringLiteral("/"), QStringLiteral("/")}));
  QCOMPARE(drives[1], (Drive{QStringLiteral("USB STICK"), QStringLiteral("/media/anna/USB STICK")}));
}

void tst_Drives::thisMachine() {
  const auto drives = Drives::list();
  QVERIFY(!drives.empty());
  QCOMPARE(drives.front().path, QStringLiteral("/"));
  for (const Drive& d : drives) QVERIFY2(QFileInfo(d.path).isDir(), qPrintable(d.path));
}

void tst_Drives::isReady() {
  QTemporaryDir dir;
  QFile file(dir.filePath(QStringLiteral("a.mp3")));
  QVERIFY(file.open(QIODevice::WriteOnly));
  QVERIFY(Drives::isReady(QStringLiteral("/")));
  QVERIFY(Drives::isReady(dir.path()));
  QVERIFY(!Drives::isReady(dir.filePath(QStringLiteral("gone"))));
  QVERIFY(!Drives::isReady(file.fileName()));
}

QTEST_GUILESS_MAIN(tst_Drives)
#include "tst_drives.moc"
