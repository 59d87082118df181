#include <QtTest>
class Placeholder_tst_id3v2 : public QObject { Q_OBJECT };
QTEST_APPLESS_MAIN(Placeholder_tst_id3v2)
#include "tst_id3v2.moc"
