#include <QtTest>
class Placeholder_tst_quickprobe : public QObject { Q_OBJECT };
QTEST_APPLESS_MAIN(Placeholder_tst_quickprobe)
#include "tst_quickprobe.moc"
