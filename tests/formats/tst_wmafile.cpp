#include <QtTest>
class Placeholder_tst_wmafile : public QObject { Q_OBJECT };
QTEST_APPLESS_MAIN(Placeholder_tst_wmafile)
#include "tst_wmafile.moc"
