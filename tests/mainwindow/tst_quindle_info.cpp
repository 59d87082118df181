#include <QtTest>
class Placeholder_tst_quindle_info : public QObject { Q_OBJECT };
QTEST_APPLESS_MAIN(Placeholder_tst_quindle_info)
#include "tst_quindle_info.moc"
