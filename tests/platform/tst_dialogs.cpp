#include <QtTest>

#include "Dialogs.h"
#include "FakeDialogs.h"

Q_DECLARE_METATYPE(Dialogs::Kind)

namespace {

using Kind = Dialogs::Kind;

// Asks one question of the given kind through the installed dialogs and
// renders the answer as text.
QString ask(Kind kind) {
  Dialogs& d = Dialogs::instance();
  const Dialogs::FileRequest request{QStringLiteral("Spara"), QStringLiteral("/m"), QStringLiteral("M3U|*.m3u"), {}, false};
  switch (kind) {
    case Kind::Message:
      d.message(QStringLiteral("m"));
      return QStringLiteral("shown");
    case Kind::Box:
      d.messageBox(QStringLiteral("Fel"), QStringLiteral("m"), Dialogs::Icon::None);
      return QStringLiteral("shown");
    case Kind::Question:
      return d.question(QStringLiteral("Bekräfta"), QStringLiteral("q")) ? QStringLiteral("Yes") : QStringLiteral("No");
    case Kind::QuestionCancel: {
      const auto a = d.questionCancel(QStringLiteral("Bekräfta"), QStringLiteral("q"));
      return a == Dialogs::Answer::Yes ? QStringLiteral("Yes") : a == Dialogs::Answer::No ? QStringLiteral("No") : QStringLiteral("Cancel");
    }
    case Kind::Input:
      return d.input(QStringLiteral("c"), QStringLiteral("p"), QString()).value_or(QStringLiteral("none"));
    case Kind::OpenFile: {
      const auto c = d.openFile(request);
      return c ? c->path : QStringLiteral("none");
    }
    case Kind::SaveFile: {
      const auto c = d.saveFile(request);
      return c ? c->path + u'#' + QString::number(c->filterIndex) : QStringLiteral("none");
    }
    case Kind::Folder:
      return d.folder(QStringLiteral("c"), QStringLiteral("/m")).value_or(QStringLiteral("none"));
  }
  return {};
}

}  // namespace

class tst_Dialogs : public QObject {
  Q_OBJECT

 private slots:
  void scriptedAnswersComeInOrder();
  void boxesAreRecorded();
  void unscriptedQuestion_data();
  void unscriptedQuestion();
  void unscriptedQuestionFailsTheTest();
  void withoutFakeNothingWaits();
  void swedishButtons_data();
  void swedishButtons();
  void nameFilters_data();
  void nameFilters();
};

void tst_Dialogs::scriptedAnswersComeInOrder() {
  FakeDialogs fake;
  fake.answerNo();
  fake.answerYes();
  fake.answerInput(QStringLiteral("Ny mapp"));
  fake.cancelFileDialog();
  fake.answerSaveFile(QStringLiteral("/m/lista.txt"), 1);
  fake.answerCancel();
  fake.answerFolder(QStringLiteral("/media/usb"));
  fake.cancelInput();

  QCOMPARE(ask(Kind::Question), QStringLiteral("No"));
  QCOMPARE(ask(Kind::Message), QStringLiteral("shown"));  // messages take no answer
  QCOMPARE(ask(Kind::QuestionCancel), QStringLiteral("Yes"));
  QCOMPARE(ask(Kind::Input), QStringLiteral("Ny mapp"));
  QCOMPARE(ask(Kind::OpenFile), QStringLiteral("none"));
  QCOMPARE(ask(Kind::SaveFile), QStringLiteral("/m/lista.txt#1"));
  QCOMPARE(ask(Kind::QuestionCancel), QStringLiteral("Cancel"));
  QCOMPARE(ask(Kind::Folder), QStringLiteral("/media/usb"));
  QCOMPARE(fake.pending(), std::size_t(1));
  QCOMPARE(ask(Kind::Input), QStringLiteral("none"));
  QCOMPARE(fake.pending(), std::size_t(0));
  QVERIFY(fake.unexpected().isEmpty());
}

void tst_Dialogs::boxesAreRecorded() {
  FakeDialogs fake;
  fake.answerYes();
  Dialogs& d = Dialogs::instance();
  d.message(QStringLiteral("Det finns redan en instans av detta program igång!"));
  d.messageBox(QStringLiteral("Varning"), QStringLiteral("Det gick inte att skapa mappen!"), Dialogs::Icon::Warning);
  QVERIFY(d.question(QStringLiteral("Bekräfta"), QStringLiteral("Filen a.mp3 är skrivskyddad! Ska jag ta bort det?")));

  QCOMPARE(fake.shown().size(), 3);
  const FakeDialogs::Shown& plain = fake.shown()[0];
  QCOMPARE(plain.kind, Kind::Message);
  QCOMPARE(plain.caption, QStringLiteral("MORVANTA Quindle"));
  QCOMPARE(plain.buttons, QStringList{QStringLiteral("OK")});
  QCOMPARE(plain.icon, Dialogs::Icon::None);
  QCOMPARE(fake.shown()[1].caption, QStringLiteral("Varning"));
  QCOMPARE(fake.shown()[1].icon, Dialogs::Icon::Warning);
  QCOMPARE(fake.shown()[2].kind, Kind::Question);
  QCOMPARE(fake.shown()[2].caption, QStringLiteral("Bekräfta"));
  QCOMPARE(fake.shownTexts(), (QStringList{QStringLiteral("Det finns redan en instans av detta program igång!"),
                                           QStringLiteral("Det gick inte att skapa mappen!"),
                                           QStringLiteral("Filen a.mp3 är skrivskyddad! Ska jag ta bort det?")}));
}

void tst_Dialogs::unscriptedQuestion_data() {
  QTest::addColumn<QString>("script");  // the one answer scripted, if any
  QTest::addColumn<Kind>("asked");
  QTest::addColumn<QString>("answer");  // the safe answer given
  QTest::addColumn<int>("pending");     // a scripted answer that did not fit stays for the next question

  QTest::newRow("Yes/No, nothing scripted") << "" << Kind::Question << "No" << 0;
  QTest::newRow("Yes/No/Cancel, nothing scripted") << "" << Kind::QuestionCancel << "Cancel" << 0;
  QTest::newRow("input, nothing scripted") << "" << Kind::Input << "none" << 0;
  QTest::newRow("save, nothing scripted") << "" << Kind::SaveFile << "none" << 0;
  QTest::newRow("folder, nothing scripted") << "" << Kind::Folder << "none" << 0;
  QTest::newRow("Cancel does not fit Yes/No") << "cancel" << Kind::Question << "No" << 1;
  QTest::newRow("Yes does not fit input") << "yes" << Kind::Input << "none" << 1;
  QTest::newRow("save answer does not fit open") << "save" << Kind::OpenFile << "none" << 1;
  QTest::newRow("text does not fit Yes/No/Cancel") << "text" << Kind::QuestionCancel << "Cancel" << 1;
}

void tst_Dialogs::unscriptedQuestion() {
  QFETCH(QString, script);
  QFETCH(Kind, asked);
  QFETCH(QString, answer);
  QFETCH(int, pending);
  FakeDialogs fake;
  fake.setFailTestOnUnexpected(false);
  if (script == QLatin1String("cancel")) fake.answerCancel();
  else if (script == QLatin1String("yes")) fake.answerYes();
  else if (script == QLatin1String("save")) fake.answerSaveFile(QStringLiteral("/m/a.m3u"));
  else if (script == QLatin1String("text")) fake.answerInput(QStringLiteral("x"));

  QCOMPARE(ask(asked), answer);
  QCOMPARE(fake.unexpected().size(), 1);
  QCOMPARE(fake.pending(), std::size_t(pending));
  QCOMPARE(fake.shown().size(), 1);  // recorded all the same
}

void tst_Dialogs::unscriptedQuestionFailsTheTest() {
  FakeDialogs fake;
  QEXPECT_FAIL("", "a question nobody scripted fails the test", Continue);
  // Were the failure missing, the comparison would be an unexpected pass.
  QCOMPARE(ask(Kind::Question), QStringLiteral("No"));
}

void tst_Dialogs::withoutFakeNothingWaits() {
  {
    FakeDialogs outer;
    {
      FakeDialogs inner;
      QCOMPARE(&Dialogs::instance(), static_cast<Dialogs*>(&inner));
    }
    QCOMPARE(&Dialogs::instance(), static_cast<Dialogs*>(&outer));
  }
  QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("No dialogs installed")));
  QVERIFY(!Dialogs::instance().question(QStringLiteral("Bekräfta"), QStringLiteral("q")));
  QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("No dialogs installed")));
  QCOMPARE(Dialogs::instance().questionCancel(QStringLiteral("Bekräfta"), QStringLiteral("q")), Dialogs::Answer::Cancel);
}

void tst_Dialogs::swedishButtons_data() {
  QTest::addColumn<Kind>("kind");
  QTest::addColumn<QStringList>("buttons");
  QTest::newRow("message") << Kind::Message << QStringList{"OK"};
  QTest::newRow("box") << Kind::Box << QStringList{"OK"};
  QTest::newRow("question") << Kind::Question << QStringList{"Ja", "Nej"};
  QTest::newRow("question with cancel") << Kind::QuestionCancel << QStringList{"Ja", "Nej", "Avbryt"};
  QTest::newRow("input") << Kind::Input << QStringList{"OK", "Avbryt"};
}

void tst_Dialogs::swedishButtons() {
  QFETCH(Kind, kind);
  QFETCH(QStringList, buttons);
  FakeDialogs fake;
  fake.setFailTestOnUnexpected(false);
  ask(kind);
  QCOMPARE(fake.shown().value(0).buttons, buttons);
}

void tst_Dialogs::nameFilters_data() {
  QTest::addColumn<QString>("filter");
  QTest::addColumn<QStringList>("qt");
  QTest::newRow("one pair") << "Winamp Playlist (*.m3u)|*.m3u" << QStringList{"Winamp Playlist (*.m3u) (*.m3u)"};
  QTest::newRow("all files match names without a dot")
      << "Textfil (*.txt)|*.txt|Alla filer (*.*)|*.*" << QStringList{"Textfil (*.txt) (*.txt)", "Alla filer (*.*) (*)"};
  QTest::newRow("several patterns") << "Ljud|*.mp3;*.wma" << QStringList{"Ljud (*.mp3 *.wma)"};
  QTest::newRow("none") << "" << QStringList{};
}

void tst_Dialogs::nameFilters() {
  QFETCH(QString, filter);
  QFETCH(QStringList, qt);
  QCOMPARE(Dialogs::nameFilters(filter), qt);
}

QTEST_GUILESS_MAIN(tst_Dialogs)
#include "tst_dialogs.moc"
