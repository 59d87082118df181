// The report window on its own: its controls, size limits, layout and the
// three ways to close it.
#include <QApplication>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QTimer>
#include <QtTest>
#include <functional>

#include "ErrFrm.h"

class TestErrFrm : public QObject {
  Q_OBJECT

 private slots:
  void controls();
  void neverSmallerThanItsMinimum();
  void layout_data();
  void layout();
  void closing_data();
  void closing();
};

void TestErrFrm::controls() {
  QWidget owner;
  qsizetype asked = -1;
  TErrForm form(&owner, [&asked](qsizetype lines) {
    asked = lines;
    return QStringLiteral("status %1").arg(lines);
  });
  QCOMPARE(form.windowTitle(), QStringLiteral("Vad har hänt?"));
  const Qt::WindowFlags flags = form.windowFlags();
  QVERIFY(flags & Qt::WindowStaysOnTopHint);
  QVERIFY(!(flags & (Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)));
  QCOMPARE(form.StaticText1->text(), QStringLiteral("Följande filer blev inte fixade:"));
  QCOMPARE(form.Button1->text(), QStringLiteral("OKEJ"));
  QVERIFY(form.Button1->isDefault());
  QVERIFY(form.ErrorList->isReadOnly());
  QCOMPARE(form.ErrorList->lineWrapMode(), QPlainTextEdit::NoWrap);
  QCOMPARE(form.ErrorList->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
  QVERIFY(!form.StatusBar1->isSizeGripEnabled());
  for (const char* name : {"StaticText1", "ErrorList", "Button1", "StatusBar1"})
    QVERIFY2(form.findChild<QWidget*>(name), name);

  // The lines replace those of the last report; the status is asked for on showing.
  form.SetLines({"a.mp3 #20#-Ogiltig namnstruktur!", "b.mp3 #20#-Ogiltig namnstruktur!"});
  form.SetLines({"c.mp3 #24#-Används eller är skrivskyddad!"});
  QCOMPARE(form.ErrorList->toPlainText(), QStringLiteral("c.mp3 #24#-Används eller är skrivskyddad!"));
  QCOMPARE(asked, qsizetype(-1));
  form.show();
  QCOMPARE(asked, qsizetype(1));
  QCOMPARE(form.StatusBar1->currentMessage(), QStringLiteral("status 1"));
}

void TestErrFrm::neverSmallerThanItsMinimum() {
  TErrForm form(nullptr, {});
  QCOMPARE(form.size(), QSize(500, 306));
  form.show();
  form.resize(200, 100);
  QCOMPARE(form.size(), QSize(500, 305));
}

void TestErrFrm::layout_data() {
  QTest::addColumn<QSize>("size");
  QTest::newRow("at the start") << QSize(500, 306);
  QTest::newRow("larger") << QSize(900, 640);
}

void TestErrFrm::layout() {
  QFETCH(QSize, size);
  TErrForm form(nullptr, {});
  form.show();
  form.resize(size);
  const QRect status = form.StatusBar1->geometry(), button = form.Button1->geometry(),
              list = form.ErrorList->geometry(), text = form.StaticText1->geometry();
  QCOMPARE(status.bottom(), size.height() - 1);
  QCOMPARE(status.width(), size.width());
  QCOMPARE(button.bottom() + 1, status.top());
  QCOMPARE(button.width(), size.width());
  QCOMPARE(list.width(), size.width());
  QCOMPARE(list.bottom() + 1, button.top());
  QVERIFY(list.top() > text.bottom());
  QVERIFY(list.height() > 150);
}

void TestErrFrm::closing_data() {
  QTest::addColumn<QString>("how");
  QTest::newRow("Enter in the list") << "enter";
  QTest::newRow("Esc") << "esc";
  QTest::newRow("OKEJ") << "okej";
}

void TestErrFrm::closing() {
  QFETCH(QString, how);
  QWidget owner;
  owner.show();
  TErrForm form(&owner, {});
  form.SetLines({"a.mp3 #20#-Ogiltig namnstruktur!"});
  bool forced = false;
  QTimer::singleShot(0, &form, [&] {
    if (how == "enter") QTest::keyClick(form.ErrorList, Qt::Key_Return);
    if (how == "esc") QTest::keyClick(form.ErrorList, Qt::Key_Escape);
    if (how == "okej") QTest::mouseClick(form.Button1, Qt::LeftButton);
    if (form.isVisible()) {
      forced = true;  // still open: close it so that the test goes on
      form.reject();
    }
  });
  form.exec();
  QVERIFY(!forced);
  QVERIFY(!form.isVisible());
}

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  TestErrFrm test;
  return QTest::qExec(&test, argc, argv);
}

#include "tst_errfrm.moc"
