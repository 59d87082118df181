#pragma once
// The main window's fast look at one file: does it begin with an ID3v2 tag,
// does it end with an ID3v1 block, and what does the MPEG frame header at a
// given position say. At most three small reads per file; it reads the bytes
// itself instead of going through the tag reader classes, because it runs for
// every file of a folder.
#include <cstdint>
#include <string>
#include <string_view>

#include <QString>

#include "Morv.h"

// What the probe writes into the tag editor; the editor window implements it.
class ITagEditorFields {
 public:
  virtual ~ITagEditorFields() = default;
  virtual void SetTitel(const QString& text) = 0;
  virtual void SetArtist(const QString& text) = 0;
  virtual void SetAlbum(const QString& text) = 0;
  virtual void SetAr(const QString& text) = 0;
  virtual void SetKommentar(const QString& text) = 0;
  virtual void SetTrack(const QString& text) = 0;
  // Selects the entry of the editor's genre list that equals name without
  // regard to letter case (the list is sorted, so its position is no genre byte).
  virtual void SelectGenre(const QString& name) = 0;
  virtual void ClearGenreSelection() = 0;
};

class TagProbe {
 public:
  // While set, the probe leaves the tag editor alone (the listing and the
  // tag-from-name batch set it for their runs).
  bool ProbeQuiet = false;

  // The last ID3v1 block read, as raw Windows-1252 bytes: each field whole
  // (zero bytes and padding included), the comment without trailing spaces.
  // Emptied by every probe; the tag-from-name writer also uses them as its
  // working storage.
  std::string ProbeTitle, ProbeArtist, ProbeAlbum, ProbeYear, ProbeComment;
  std::uint8_t ProbeTrack = 0;

  // The editor the probe fills unless ProbeQuiet; null for none. Not owned.
  void SetEditor(ITagEditorFields* editor) { editor_ = editor; }

  // FileName is a path (UTF-8) or a name relative to the current directory;
  // FrameOffset is where the caller expects the first frame header. A file
  // that cannot be opened counts as having no tag and no header.
  void HamtaId3Tag(const std::string& FileName, std::int32_t FrameOffset, Morv::TID3Svar& Svar);

 private:
  ITagEditorFields* editor_ = nullptr;
};

// S without its trailing spaces; only 0x20 counts, any other byte ends the trimming.
std::string RTrim(std::string_view S);
