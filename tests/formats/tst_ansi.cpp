#include <QtTest>
class Placeholder_tst_ansi : public QObject { Q_OBJECT };
QTEST_APPLESS_MAIN(Placeholder_tst_ansi)
#include "tst_ansi.moc"
