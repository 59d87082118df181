#include "MorvSettings.h"

#include <QDir>
#include <QFileInfo>

#include "SettingsStore.h"

namespace {

bool IsFolder(const QString& path) { return !path.isEmpty() && QFileInfo(path).isDir(); }

}  // namespace

MorvSettings MorvSettings::Load(std::optional<SettingsStore>& store, const QString& programFolder) {
  namespace V = SettingsValue;
  MorvSettings s;
  if (!store) return s;
  s.StoreAvailable = true;
  if (auto v = store->readString(V::ActFolder)) s.ActFolder = *v;
  if (auto v = store->readString(V::MoveFolder)) s.MoveFolder = *v;
  if (!IsFolder(s.ActFolder)) s.ActFolder = programFolder;
  if (!IsFolder(s.MoveFolder)) s.MoveFolder = programFolder;

  auto placement = [&](const char* name, int& field) {
    if (auto v = store->readInteger(name)) {
      field = *v;
      s.PositionsRead = true;
    }
  };
  placement(V::WindowX, s.WindowX);
  placement(V::WindowY, s.WindowY);
  placement(V::WindowW, s.WindowW);
  placement(V::MP3WindowX, s.MP3WindowX);
  placement(V::MP3WindowY, s.MP3WindowY);
  placement(V::MP3WindowW, s.MP3WindowW);
  placement(V::MP3WindowH, s.MP3WindowH);
  placement(V::Id3WindowX, s.Id3WindowX);
  placement(V::Id3WindowY, s.Id3WindowY);

  if (auto v = store->readBoolean(V::ID3Show)) s.ID3Show = *v;
  if (auto v = store->readBoolean(V::MP3Show)) s.MP3Show = *v;
  // A splash time below one second would keep the main window from ever
  // appearing, and an action outside the three names none: keep the defaults.
  if (auto v = store->readInteger(V::SplashTime); v && *v >= 1) s.SplashTime = *v;
  if (auto v = store->readInteger(V::DblKlick); v && *v >= 0 && *v <= 2) s.DblKlick = *v;
  return s;
}

void MorvSettings::Save(SettingsStore& store) const {
  namespace V = SettingsValue;
  store.writeString(V::ActFolder, ActFolder);
  store.writeString(V::MoveFolder, MoveFolder);
  store.writeInteger(V::WindowX, WindowX);
  store.writeInteger(V::WindowY, WindowY);
  store.writeInteger(V::WindowW, WindowW);
  store.writeInteger(V::MP3WindowX, MP3WindowX);
  store.writeInteger(V::MP3WindowY, MP3WindowY);
  store.writeInteger(V::MP3WindowW, MP3WindowW);
  store.writeInteger(V::MP3WindowH, MP3WindowH);
  store.writeInteger(V::Id3WindowX, Id3WindowX);
  store.writeInteger(V::Id3WindowY, Id3WindowY);
  store.writeInteger(V::SplashTime, SplashTime);
  store.writeInteger(V::DblKlick, DblKlick);
  store.writeBoolean(V::ID3Show, ID3Show);
  store.writeBoolean(V::MP3Show, MP3Show);
}

WindowPlacement PlaceWindows(const MorvSettings& s, const QSize& screen, const QRect& designedMain,
                             const QRect& designedMp3, const QPoint& designedEditor) {
  WindowPlacement p;
  if (s.PositionsRead) {
    auto edge = [](int stored, int limit, int designed) { return stored < limit ? stored : designed; };
    p.Main = QRect(edge(s.WindowX, screen.width(), designedMain.x()), edge(s.WindowY, screen.height(), designedMain.y()),
                   s.WindowW, designedMain.height());
    p.Mp3List = QRect(edge(s.MP3WindowX, screen.width(), designedMp3.x()),
                      edge(s.MP3WindowY, screen.height(), designedMp3.y()), s.MP3WindowW, s.MP3WindowH);
    p.TagEditor = QPoint(edge(s.Id3WindowX, screen.width(), designedEditor.x()),
                         edge(s.Id3WindowY, screen.height(), designedEditor.y()));
    return p;
  }
  // First start: the main window centred at its designed size, the MP3 list
  // over it, the tag editor against its right edge.
  const int w = designedMain.width(), h = designedMain.height();
  p.Main = QRect(screen.width() / 2 - w / 2, screen.height() / 2 - h / 2, w, h);
  p.Mp3List = QRect(p.Main.x(), p.Main.y(), 537, 444);
  p.TagEditor = QPoint(p.Main.x() + p.Main.width(), p.Main.y());
  return p;
}
