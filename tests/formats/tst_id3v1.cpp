#include <QtTest>
class Placeholder_tst_id3v1 : public QObject { Q_OBJECT };
QTEST_APPLESS_MAIN(Placeholder_tst_id3v1)
#include "tst_id3v1.moc"
