// Not a test: pictures of the tag editor with a file chosen, the rename
// dialog and the folder chooser, for docs/:
//   xvfb-run -a build/.../quindle-screenshots-files docs
#include <QApplication>
#include <QDir>
#include <QEventLoop>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>

#include "ChangeName.h"
#include "ChooseFldr.h"
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

void Shoot(QWidget* w, const QString& file) {
  Wait(300);
  w->grab().save(file);
}

void MakeFolder(const QString& path) {
  QDir().mkpath(path);
  for (const char* sub : {"Arkiv", "Nya skivor", "Ännu inte lyssnat"}) QDir(path).mkdir(QString::fromUtf8(sub));
  const auto audio = Fx::Frames(Fx::Mp{}, 400);
  auto put = [&](const char* name, const Fx::Bytes& b) {
    Fx::WriteFile(QDir(path).filePath(QString::fromUtf8(name)).toStdString(), b);
  };
  put("ABBA - Waterloo.mp3", Fx::Cat({audio, Fx::ID3v1({.title = "Waterloo", .artist = "ABBA", .album = "Waterloo",
                                                          .year = "1974", .comment = "Eurovision", .track = 1,
                                                          .genre = 13})}));
  put("track01.mp3", Fx::Cat({audio, Fx::ID3v1({.title = "Innuendo", .artist = "Queen", .track = 1, .genre = 17})}));
}

}  // namespace

int main(int argc, char** argv) {
  QTemporaryDir config;
  qputenv("XDG_CONFIG_HOME", config.path().toUtf8());
  qputenv("XDG_DATA_HOME", config.filePath("data").toUtf8());
  QApplication app(argc, argv);
  const QString out = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(".");
  QTemporaryDir music;
  const QString folder = music.filePath(QStringLiteral("Musik"));
  MakeFolder(folder);

  TMorvForm form(music.filePath(QStringLiteral("data")), music.path());
  form.FormCreate();
  form.Timer1Timer();
  form.DirectoryListBox1->SetDirectory(folder);

  // The editor with a file chosen and a field changed: the save is possible.
  form.FLB->setCurrentRow(0);
  TID3Form* editor = form.ID3Form;
  editor->activateWindow();
  editor->IKommentar->setFocus();
  editor->IKommentar->setText(QStringLiteral("Eurovision 1974"));
  editor->SparKnapp->setEnabled(true);
  Shoot(editor, out + QStringLiteral("/tageditor-save.png"));

  // The rename dialog for "track01.mp3", with artist and title from the tag.
  form.FLB->setCurrentRow(1);
  TBytNamnDLG* rename = form.BytNamnDLG;
  rename->BNPath = folder + QStringLiteral("/track01.mp3");
  rename->setWindowTitle(QStringLiteral("Byt namn på filen: track01.mp3"));
  rename->SetName(QStringLiteral("track01"));
  rename->show();
  Wait(100);
  rename->ID3ToArtist->click();
  rename->ID3ToTitel->click();
  rename->ID3ToTrack->click();
  Shoot(rename, out + QStringLiteral("/renamedialog.png"));
  rename->hide();

  // The folder chooser as "Flytta till..." shows it.
  TFolderForm* chooser = form.FolderForm;
  chooser->MeddText->setText(QStringLiteral("Fil att flytta: ") + folder + QStringLiteral("/ABBA - Waterloo.mp3"));
  chooser->SetFolder(folder);
  chooser->show();
  Shoot(chooser, out + QStringLiteral("/folderchooser.png"));
  chooser->hide();

  form.close();
  return 0;
}
