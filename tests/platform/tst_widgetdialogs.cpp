#include <QAbstractButton>
#include <QApplication>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>
#include <functional>

#include "WidgetDialogs.h"

namespace {

// Runs `act` on the modal dialog as soon as it is shown (the call that shows
// it does not return before the dialog closes).
void whenShown(std::function<void(QWidget*)> act) {
  auto* timer = new QTimer(qApp);  // owned by the application until it deletes itself
  timer->setInterval(10);
  QObject::connect(timer, &QTimer::timeout, timer, [timer, act = std::move(act)] {
    QWidget* w = QApplication::activeModalWidget();
    if (!w || !w->isVisible()) return;
    timer->stop();
    timer->deleteLater();
    // Should the answer not close the dialog (a check inside it failed), close
    // it after a while so that the test fails instead of waiting forever.
    QTimer::singleShot(10000, w, [w] { w->close(); });
    act(w);
  });
  timer->start();
}

QStringList buttonTexts(QWidget* w) {
  QStringList texts;
  for (QAbstractButton* b : w->findChildren<QAbstractButton*>())
    if (b->isVisible() && !b->text().isEmpty()) texts << b->text();
  return texts;
}

QAbstractButton* button(QWidget* w, const QString& text) {
  for (QAbstractButton* b : w->findChildren<QAbstractButton*>())
    if (b->text() == text) return b;
  return nullptr;
}

}  // namespace

// The real boxes, shown off screen and answered through their buttons.
class tst_WidgetDialogs : public QObject {
  Q_OBJECT

 private slots:
  void messageBoxes_data();
  void messageBoxes();
  void questions_data();
  void questions();
  void input_data();
  void input();
  void saveFile();

 private:
  WidgetDialogs dialogs_;
};

void tst_WidgetDialogs::messageBoxes_data() {
  QTest::addColumn<bool>("plain");
  QTest::addColumn<QString>("caption");
  QTest::addColumn<int>("icon");
  QTest::newRow("plain message") << true << "MORVANTA Quindle" << int(QMessageBox::NoIcon);
  QTest::newRow("warning box without icon") << false << "Varning" << int(QMessageBox::NoIcon);
  QTest::newRow("error box with icon") << false << "Fel" << int(QMessageBox::Critical);
}

void tst_WidgetDialogs::messageBoxes() {
  QFETCH(bool, plain);
  QFETCH(QString, caption);
  QFETCH(int, icon);
  QString title, text;
  QStringList buttons;
  int shownIcon = -1;
  whenShown([&](QWidget* w) {
    auto* box = qobject_cast<QMessageBox*>(w);
    QVERIFY(box);
    title = box->windowTitle();
    text = box->text();
    shownIcon = box->icon();
    buttons = buttonTexts(box);
    QTest::keyClick(box, Qt::Key_Return);
  });
  if (plain) dialogs_.message(QStringLiteral("Sätt i en skiva i den valda enhet"));
  else dialogs_.messageBox(caption, QStringLiteral("Sätt i en skiva i den valda enhet"),
                           icon == QMessageBox::Critical ? Dialogs::Icon::Error : Dialogs::Icon::None);
  QCOMPARE(title, caption);
  QCOMPARE(text, QStringLiteral("Sätt i en skiva i den valda enhet"));
  QCOMPARE(shownIcon, icon);
  QCOMPARE(buttons, QStringList{QStringLiteral("OK")});
}

void tst_WidgetDialogs::questions_data() {
  QTest::addColumn<bool>("withCancel");
  QTest::addColumn<QString>("press");  // a button caption, or "Esc"
  QTest::addColumn<int>("answer");
  QTest::newRow("Ja") << false << "Ja" << int(Dialogs::Answer::Yes);
  QTest::newRow("Nej") << false << "Nej" << int(Dialogs::Answer::No);
  QTest::newRow("Esc is No") << false << "Esc" << int(Dialogs::Answer::No);
  QTest::newRow("Enter is Yes") << false << "Enter" << int(Dialogs::Answer::Yes);
  QTest::newRow("three buttons, Nej") << true << "Nej" << int(Dialogs::Answer::No);
  QTest::newRow("three buttons, Avbryt") << true << "Avbryt" << int(Dialogs::Answer::Cancel);
  QTest::newRow("three buttons, Esc is Cancel") << true << "Esc" << int(Dialogs::Answer::Cancel);
}

void tst_WidgetDialogs::questions() {
  QFETCH(bool, withCancel);
  QFETCH(QString, press);
  QFETCH(int, answer);
  QStringList buttons;
  QString title;
  whenShown([&](QWidget* w) {
    title = w->windowTitle();
    buttons = buttonTexts(w);
    if (press == QLatin1String("Esc")) QTest::keyClick(w, Qt::Key_Escape);
    else if (press == QLatin1String("Enter")) QTest::keyClick(w, Qt::Key_Return);
    else button(w, press)->click();
  });
  const QString text = QStringLiteral("Är du säker på att du vill ta bort filen: a.mp3?");
  const Dialogs::Answer got = withCancel ? dialogs_.questionCancel(QStringLiteral("Bekräfta"), text)
                                         : (dialogs_.question(QStringLiteral("Bekräfta"), text) ? Dialogs::Answer::Yes
                                                                                               : Dialogs::Answer::No);
  QCOMPARE(int(got), answer);
  QCOMPARE(title, QStringLiteral("Bekräfta"));
  QCOMPARE(buttons, withCancel ? (QStringList{"Ja", "Nej", "Avbryt"}) : (QStringList{"Ja", "Nej"}));
}

void tst_WidgetDialogs::input_data() {
  QTest::addColumn<QString>("typed");
  QTest::addColumn<bool>("cancel");
  QTest::addColumn<QVariant>("answer");  // invalid: nullopt
  QTest::newRow("OK") << "Ny mapp" << false << QVariant(QStringLiteral("Ny mapp"));
  QTest::newRow("OK with nothing typed") << "" << false << QVariant(QString());
  QTest::newRow("Avbryt") << "Ny mapp" << true << QVariant();
}

void tst_WidgetDialogs::input() {
  QFETCH(QString, typed);
  QFETCH(bool, cancel);
  QFETCH(QVariant, answer);
  QStringList buttons;
  whenShown([&](QWidget* w) {
    buttons = buttonTexts(w);
    w->findChild<QLineEdit*>()->setText(typed);
    button(w, cancel ? QStringLiteral("Avbryt") : QStringLiteral("OK"))->click();
  });
  const auto got = dialogs_.input(QStringLiteral("Skapa en mapp i katalogen: /m"), QStringLiteral("Mappnamn:"), QString());
  QCOMPARE(got ? QVariant(*got) : QVariant(), answer);
  QCOMPARE(buttons, (QStringList{"OK", "Avbryt"}));
}

void tst_WidgetDialogs::saveFile() {
  QTemporaryDir dir;
  QStringList buttons;
  whenShown([&](QWidget* w) {
    auto* d = qobject_cast<QFileDialog*>(w);
    QVERIFY(d);
    buttons = d->findChild<QDialogButtonBox*>() ? buttonTexts(d->findChild<QDialogButtonBox*>()) : QStringList();
    d->selectNameFilter(d->nameFilters().value(1));
    // Typed into the name field: selectFile() may be overtaken by the dialog's
    // own first look at the folder.
    auto* name = d->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    QVERIFY(name);
    name->setText(QStringLiteral("lista"));
    button(d, QStringLiteral("Spara"))->click();
  });
  const auto got = dialogs_.saveFile({QStringLiteral("Spara MP3-lista som en Textfil..."), dir.path(),
                                      QStringLiteral("Textfil (*.txt)|*.txt|Alla filer (*.*)|*.*"),
                                      QStringLiteral("txt"), false});
  QVERIFY(got);
  QCOMPARE(got->path, dir.filePath(QStringLiteral("lista.txt")));
  QCOMPARE(got->filterIndex, 1);
  QCOMPARE(buttons, (QStringList{"Spara", "Avbryt"}));
}

QTEST_MAIN(tst_WidgetDialogs)
#include "tst_widgetdialogs.moc"
