// Capitalisation without windows: the three results of FixaGemener as the
// folder shows them, and the batch's lines.
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>

#include "Capitalisation.h"
#include "FakeDialogs.h"
#include "TestFolder.h"

using Fixing::GemenerResult;

Q_DECLARE_METATYPE(GemenerResult)

class TestCapitalisation : public QObject {
  Q_OBJECT

 private slots:
  void init();
  void cleanup();

  void fixaGemener_data();
  void fixaGemener();
  void secondBatchListsEveryFile();

 private:
  std::unique_ptr<QTemporaryDir> tmp_;
  std::unique_ptr<TestFolder> folder_;
  std::unique_ptr<FakeDialogs> dialogs_;
};

void TestCapitalisation::init() {
  tmp_ = std::make_unique<QTemporaryDir>();
  folder_ = std::make_unique<TestFolder>(tmp_->path());
  QVERIFY(QDir::setCurrent(tmp_->path()));
  dialogs_ = std::make_unique<FakeDialogs>();
}

void TestCapitalisation::cleanup() {
  QVERIFY2(dialogs_->unexpected().isEmpty(), qPrintable(dialogs_->unexpected().join('\n')));
  QCOMPARE(dialogs_->pending(), std::size_t(0));
  dialogs_.reset();
  QDir::setCurrent(QDir::tempPath());
  folder_.reset();
  tmp_.reset();
}

void TestCapitalisation::fixaGemener_data() {
  QTest::addColumn<QString>("name");
  QTest::addColumn<QStringList>("others");  // further files in the folder
  QTest::addColumn<int>("readOnly");        // 0 no, 1 protection removed, 2 kept
  QTest::addColumn<GemenerResult>("result");
  QTest::addColumn<QStringList>("after");

  QTest::newRow("renamed, extension included") << "JOHN LENNON - IMAGINE.MP3" << QStringList() << 0
                                               << GemenerResult::Renamed << QStringList{"John Lennon - Imagine.mp3"};
  QTest::newRow("å ä ö on disk") << QStringLiteral("ÅSA - ÖVER ÄNGEN.mp3") << QStringList() << 0
                                 << GemenerResult::Renamed << QStringList{QStringLiteral("Åsa - Över Ängen.mp3")};
  QTest::newRow("outside Windows-1252 kept")
      << QStringLiteral("björk - 東京 live.mp3") << QStringList() << 0 << GemenerResult::Renamed
      << QStringList{QStringLiteral("Björk - 東京 Live.mp3")};
  QTest::newRow("already capitalised") << "01-intro.mp3" << QStringList() << 0 << GemenerResult::NameTaken
                                       << QStringList{"01-intro.mp3"};
  // Where case matters both can exist; the other file is never replaced.
  QTest::newRow("another file has the name")
      << "ABBA.mp3" << QStringList{"Abba.mp3"} << 0 << GemenerResult::NameTaken << QStringList{"ABBA.mp3", "Abba.mp3"};
  QTest::newRow("read-only, protection removed")
      << "ABBA.MP3" << QStringList() << 1 << GemenerResult::Renamed << QStringList{"Abba.mp3"};
  QTest::newRow("read-only, protection kept")
      << "ABBA.MP3" << QStringList() << 2 << GemenerResult::WriteProtected << QStringList{"ABBA.MP3"};
  QTest::newRow("already capitalised, read-only, kept: asked anyway")
      << "Abba.mp3" << QStringList() << 2 << GemenerResult::WriteProtected << QStringList{"Abba.mp3"};
}

void TestCapitalisation::fixaGemener() {
  QFETCH(QString, name);
  QFETCH(QStringList, others);
  QFETCH(int, readOnly);
  QFETCH(GemenerResult, result);
  QFETCH(QStringList, after);
  const Fx::Bytes bytes = UniqueAudio();
  folder_->Add(name, bytes, readOnly != 0);
  for (const QString& other : others) folder_->Add(other, UniqueAudio());
  const auto payloads = folder_->Payloads();
  if (readOnly == 1) dialogs_->answerYes();
  if (readOnly == 2) dialogs_->answerNo();

  QCOMPARE(Fixing::FixaGemener(name), result);
  QCOMPARE(folder_->Names(), after);
  QCOMPARE(folder_->Payloads(), payloads);
  QCOMPARE(dialogs_->shown().size(), readOnly != 0 ? 1 : 0);
}

void TestCapitalisation::secondBatchListsEveryFile() {
  // The first run renames both and reports nothing; the second finds every
  // name capitalised. A file that vanished meanwhile cannot be renamed: it
  // is reported, not counted as done.
  folder_->Add("the beatles - let it be (live).mp3", UniqueAudio());
  folder_->Add("jay-z - 99 problems.mp3", UniqueAudio());
  const QStringList first{"jay-z - 99 problems.mp3", "the beatles - let it be (live).mp3"};
  const FailureReport firstRun = Fixing::CapitalisationBatch(first);
  QCOMPARE(firstRun.FelLista, QStringList());
  QCOMPARE(folder_->Names(), QStringList({"Jay-z - 99 Problems.mp3", "The Beatles - Let It Be (Live).mp3"}));

  const FailureReport second =
      Fixing::CapitalisationBatch({"Jay-z - 99 Problems.mp3", "The Beatles - Let It Be (Live).mp3", "gone.mp3"});
  QCOMPARE(second.FelLista,
           QStringList({"Jay-z - 99 Problems.mp3 #23#-En fil med det namnet finns redan!",
                        "The Beatles - Let It Be (Live).mp3 #23#-En fil med det namnet finns redan!",
                        "gone.mp3 #23#-Filen är skrivskyddad och jag kunde inte ta bort det (CD-ROM)"}));
  QCOMPARE(second.AntNamnfel, 2);
  QCOMPARE(second.AntSkrivfel, 1);
  QCOMPARE(second.AntID3Skrivskydd, 0);
}

QTEST_GUILESS_MAIN(TestCapitalisation)
#include "tst_capitalisation.moc"
