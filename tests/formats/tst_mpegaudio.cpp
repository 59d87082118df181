#include <QtTest>
class Placeholder_tst_mpegaudio : public QObject { Q_OBJECT };
QTEST_APPLESS_MAIN(Placeholder_tst_mpegaudio)
#include "tst_mpegaudio.moc"
