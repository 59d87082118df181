#pragma once
// The settings the program keeps from one run to the next, with the rules for
// reading them back (defaults, missing folders, broken values) and for placing
// the three main windows. No widgets here.
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>
#include <optional>

class SettingsStore;

struct MorvSettings {
  QString ActFolder;
  QString MoveFolder;
  // The nine placement values; any one read sets PositionsRead, and the others
  // then count as 0.
  int WindowX = 0, WindowY = 0, WindowW = 0;
  int MP3WindowX = 0, MP3WindowY = 0, MP3WindowW = 0, MP3WindowH = 0;
  int Id3WindowX = 0, Id3WindowY = 0;
  bool PositionsRead = false;
  bool ID3Show = true;
  bool MP3Show = false;
  int SplashTime = 2;  // seconds
  int DblKlick = 0;    // ActionMode: 0 play, 1 enqueue, 2 add to the MP3 list
  bool StoreAvailable = false;  // the settings file could be opened

  // Reads what is stored; programFolder replaces folders that do not exist.
  // A value that cannot be read, or a splash time below 1 or a double-click
  // action outside 0..2, keeps its default.
  static MorvSettings Load(std::optional<SettingsStore>& store, const QString& programFolder);
  // Writes every value.
  void Save(SettingsStore& store) const;
};

struct WindowPlacement {
  QRect Main;              // left, top, width (height is fixed)
  QRect Mp3List;           // left, top, width, height
  QPoint TagEditor;        // left, top
};

// Where the windows go when the main window is first shown. Stored positions
// at or beyond the screen's right or lower edge keep the designed position.
WindowPlacement PlaceWindows(const MorvSettings& s, const QSize& screen, const QRect& designedMain,
                             const QRect& designedMp3, const QPoint& designedEditor);
