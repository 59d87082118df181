#include <QtTest>
class Placeholder_tst_namerules : public QObject { Q_OBJECT };
QTEST_APPLESS_MAIN(Placeholder_tst_namerules)
#include "tst_namerules.moc"
