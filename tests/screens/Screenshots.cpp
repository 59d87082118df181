// Shows the main window on a folder of sample files and saves pictures of it:
//   quindle-screenshots OUTPUT_FOLDER
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QScreen>
#include <QTemporaryDir>
#include <QTimer>

#include "Fixtures.h"
#include "FolderTree.h"
#include "Id3Frm.h"
#include "MorvMP3Unit.h"

namespace {

void Wait(int ms) {
  QEventLoop loop;
  QTimer::singleShot(ms, &loop, &QEventLoop::quit);
  loop.exec();
}

// The part of the screen that holds the given windows.
void Shoot(const QString& file, const QList<QWidget*>& windows) {
  QRect area;
  for (QWidget* w : windows)
    if (w && w->isVisible()) area = area.united(w->frameGeometry());
  area.adjust(-4, -4, 4, 4);
  const QPixmap shot = QGuiApplication::primaryScreen()->grabWindow(0, area.x(), area.y(), area.width(), area.height());
  shot.save(file);
}

void MakeFolder(const QString& path) {
  QDir().mkpath(path);
  Fx::Mp mp3;
  Fx::Mp mono = mp3;
  mono.mode = 3;
  const auto audio = Fx::Frames(mp3, 400);
  auto put = [&](const char* name, const Fx::Bytes& b) { Fx::WriteFile(QDir(path).filePath(name).toStdString(), b); };
  put("ABBA - Waterloo.mp3", Fx::Cat({Fx::ID3v2(3, {{"TIT2", Fx::TextContent("Waterloo")}}), audio,
                                       Fx::ID3v1({.title = "Waterloo", .artist = "ABBA", .album = "Waterloo",
                                                  .year = "1974", .track = 1, .genre = 13})}));
  put("Björk - Jóga.mp3", Fx::Cat({audio, Fx::ID3v1({.title = "J\xF3ga", .artist = "Bj\xF6rk", .genre = 52})}));
  put("Kent - Dom andra.mp3", Fx::Cat({Fx::XingFrame(mp3, 400, 400 * 380), audio}));
  put("Lars Winnerbäck - Hum hum från Humlegården.mp3", Fx::Frames(mono, 300));
  put("okänd låt.mp3", audio);
  put("Säkert! - Vi kommer att dö samtidigt.wma",
      Fx::AsfHeader({Fx::FileProperties(128000), Fx::StreamProperties(2, 44100, 16000)}));
  put("The Cardigans - Lovefool.mp3", Fx::Cat({audio, Fx::ID3v1({.title = "Lovefool", .artist = "The Cardigans"})}));
}

}  // namespace

int main(int argc, char** argv) {
  QTemporaryDir config;
  qputenv("XDG_CONFIG_HOME", config.path().toUtf8());
  QApplication app(argc, argv);
  const QString out = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(".");
  QTemporaryDir music;
  const QString folder = music.filePath(QStringLiteral("Musik"));
  MakeFolder(folder);

  TMorvForm form(music.path(), music.path());
  form.FormCreate();
  form.Timer1Timer();
  form.move(40, 40);
  form.ID3Form->move(form.frameGeometry().right() + 6, 40);
  form.DirectoryListBox1->SetDirectory(folder);
  form.FLB->setCurrentRow(0);
  Wait(300);
  Shoot(out + QStringLiteral("/mainwindow.png"), {&form, form.ID3Form});

  for (const char* title : {"Visa", "Fixa"}) {
    for (QAction* a : form.menuBar()->actions()) {
      if (a->text() != QLatin1String(title)) continue;
      form.menuBar()->setActiveAction(a);
      Wait(300);
      if (QString(title) == QLatin1String("Visa")) {
        QMenu* visa = a->menu();
        visa->setActiveAction(visa->actions().first());  // opens "MP3-filer"
        Wait(300);
      }
      QList<QWidget*> windows{&form, form.ID3Form};
      for (QWidget* w : QApplication::topLevelWidgets())
        if (qobject_cast<QMenu*>(w) && w->isVisible()) windows << w;
      Shoot(out + QStringLiteral("/menu-%1.png").arg(QString::fromLatin1(title).toLower()), windows);
      form.menuBar()->setActiveAction(nullptr);
      for (QWidget* w : QApplication::topLevelWidgets())
        if (qobject_cast<QMenu*>(w)) w->hide();
      Wait(200);
    }
  }
  form.close();
  return 0;
}
