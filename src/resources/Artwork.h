#pragma once

// The program's pictures, painted at run time: the tool-bar images and the three cursors.
//
// The tool-bar images stand for the three image lists of the main window: a QIcon's Normal
// mode is `IconList`, Active (under the pointer) is `IconListAct`, Disabled is `IconListDis`.

#include <QCursor>
#include <QIcon>
#include <QPixmap>

// Image indices of the tool bar and the file-list pop-up menu.
enum ToolImage : int {
  ImgGemener = 0,    // "Fixa gemener": letter case
  ImgTaBort = 1,     // "Ta bort...": delete
  ImgSpela = 2,      // "Spela upp": play
  ImgFixaNamn = 3,   // "Fixa namnet": file name from the tag
  ImgFixaId3 = 4,    // "Fixa ID3Tag": tag from the file name
  ImgMapp = 5,       // folder
  ImgLista = 6,      // list
  ImgId3Inst = 7,    // "ID3Tag Inställningar": tag defaults
};

inline constexpr int ToolImageCount = 8;
inline constexpr int ToolImageSize = 20;  // logical pixels, square

// The image `index` (0..ToolImageCount-1) in the Normal, Active and Disabled modes, at 20 × 20
// and the other common sizes (16 to 40). A null icon for an index out of range.
QIcon ToolIcon(int index);

// One picture of ToolIcon(index): side `size` device pixels in the given mode.
// A null pixmap for an index out of range or a size below 1.
QPixmap ToolPixmap(int index, QIcon::Mode mode, int size = ToolImageSize);

// "CRMOVE": dragging files (an arrow carrying a song file).
QCursor MoveCursor();
// "CRID3": the tag-defaults button (an arrow with a tag).
QCursor Id3Cursor();
// "CRLIST": the MP3 list labels (an arrow with a list).
QCursor ListCursor();

// The 32 × 32 pictures of the three cursors; the hot spot is CursorHotSpot.
QPixmap MoveCursorPixmap();
QPixmap Id3CursorPixmap();
QPixmap ListCursorPixmap();
inline constexpr int CursorSize = 32;
inline constexpr QPoint CursorHotSpot{0, 0};
