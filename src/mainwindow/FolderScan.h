#pragma once
// The folder listing behind the file list: which MP3 and WMA files a folder
// holds, and (for the view filters) which carry which tags and which names
// lack the "Artist - Title" structure. No widgets here.
#include <QString>
#include <QStringList>
#include <functional>

class TagProbe;

// The view filters of the menu "Visa" > "MP3-filer".
enum ViewFilterValue : int { FilterAlla = 0, FilterMedId3v1 = 1, FilterUtanId3v1 = 2, FilterFelNamn = 3, FilterMedId3v2 = 4 };

// Full paths (folder with its trailing separator, then the name).
struct FileLists {
  QStringList AllFiles;
  QStringList WithId3v1;
  QStringList WithId3v2;
  QStringList WithoutTag;
  QStringList BadNames;
  void clearFilterLists();
};

// The folder (ending in "/") with "/" appended when missing.
QString WithTrailingSeparator(const QString& folder);

// The entries of folder whose names end in ".mp3", then those ending in
// ".wma", in any letter case, in the order the directory returns them. Hidden
// files count, and so does a subfolder whose name matches; subfolders are not
// searched. No file is opened. An unreadable folder gives an empty list.
QStringList ListAudioFiles(const QString& folder);

// Probes every entry of AllFiles (the probe must be quiet) and files it by tag
// kind, then files the names without the structure. step(i) is called after
// entry i has been probed.
void ClassifyFiles(FileLists& lists, TagProbe& probe, const std::function<void(int)>& step);

// The file-name parts the list shows for a filter, unsorted.
QStringList FilterEntries(const FileLists& lists, int filter);

// The text beside the file counter for a filter ("" for "Alla").
QString FilterInfoText(int filter);
