#include "Artwork.h"

#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>

// The tool images are drawn in a 20 × 20 unit square with the painter scaled to the size
// asked for. One-unit outlines lie on half units and small fills on whole units, so at
// 20 × 20 they cover whole pixels and the edges stay sharp. The cursors are drawn at their
// own 32 × 32 size: the pointer pixel by pixel, the badge beside it like the tool images.

namespace {

// One flat colour scheme for all pictures: a fill and a darker outline of the same hue.
struct Ink {
  QColor fill;
  QColor line;
};

const Ink kTag{QColor(0xf4, 0xbf, 0x3a), QColor(0x93, 0x63, 0x08)};
const Ink kArrow{QColor(0x3a, 0x86, 0xe8), QColor(0x17, 0x4c, 0x9c)};
const Ink kField{QColor(0xff, 0xff, 0xff), QColor(0x55, 0x64, 0x7a)};
const Ink kCross{QColor(0xe2, 0x3b, 0x2e), QColor(0x8c, 0x16, 0x0e)};
const Ink kPlay{QColor(0x45, 0xb0, 0x3e), QColor(0x1c, 0x66, 0x18)};
const Ink kFolder{QColor(0xf4, 0xc8, 0x4e), QColor(0x9a, 0x6d, 0x0c)};
const Ink kGear{QColor(0x8a, 0x97, 0xa8), QColor(0x3b, 0x46, 0x55)};
const QColor kInk(0x2a, 0x33, 0x40);       // text and list lines
const QColor kLetter(0x21, 0x3d, 0x6b);    // the capital of "Aa"
const QColor kFolderFront(0xf9, 0xda, 0x78);
const QColor kListLine(0x6a, 0x75, 0x86);

QPen outlinePen(const QColor& c, qreal width = 1.0) {
  return QPen(c, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

void drawOutlined(QPainter& p, const QPainterPath& path, const Ink& ink, qreal width = 1.0) {
  p.setPen(outlinePen(ink.line, width));
  p.setBrush(ink.fill);
  p.drawPath(path);
}

// A luggage tag pointing left, with its string hole: the picture of an ID3 tag. `r` should
// lie on half units with an even height, so the hole and the writing fall on whole pixels.
void drawTag(QPainter& p, const QRectF& r) {
  const qreal nose = r.height() * 0.5;
  const qreal cy = r.center().y();
  const qreal holeX = std::floor(r.left() + nose * 0.95) + 0.5;
  QPainterPath path;
  path.setFillRule(Qt::OddEvenFill);
  path.moveTo(r.left(), cy);
  path.lineTo(r.left() + nose, r.top());
  path.lineTo(r.right(), r.top());
  path.lineTo(r.right(), r.bottom());
  path.lineTo(r.left() + nose, r.bottom());
  path.closeSubpath();
  const qreal hole = std::max(1.0, r.height() * 0.13);
  path.addEllipse(QPointF(holeX, cy), hole, hole);
  drawOutlined(p, path, kTag);
  // Two lines of writing on the tag's face, where there is room for them.
  const int left = static_cast<int>(std::ceil(holeX + hole + 1.5));
  const int right = static_cast<int>(std::floor(r.right() - 1.0));
  if (right - left >= 4) {
    const int row = static_cast<int>(std::floor(cy));
    p.fillRect(QRect(left, row - 1, right - left, 1), kTag.line);
    p.fillRect(QRect(left, row + 1, right - left - 2, 1), kTag.line);
  }
}

// A one-line text box holding a file name: white field with a few words. `cell` is the box in
// whole pixels, outline included; its inner height should be even.
void drawNameField(QPainter& p, const QRect& cell) {
  const QRectF r = QRectF(cell).adjusted(0.5, 0.5, -0.5, -0.5);
  QPainterPath field;
  field.addRoundedRect(r, 1.2, 1.2);
  drawOutlined(p, field, kField);
  const int row = cell.top() + cell.height() / 2 - 1;
  int x = cell.left() + 2;
  for (const int word : {4, 2, 4, 3}) {
    if (x + word > cell.right() - 1) break;
    p.fillRect(QRect(x, row, word, 2), kInk);
    x += word + 1;
  }
}

// A bold arrow from `from` to `to` (vertical or horizontal).
void drawArrow(QPainter& p, QPointF from, QPointF to, qreal shaftHalf = 1.5, qreal headHalf = 3.5,
               qreal headLength = 3.5) {
  const QPointF d = to - from;
  const qreal len = std::hypot(d.x(), d.y());
  const QPointF u = d / len;                // along
  const QPointF n(-u.y(), u.x());           // across
  const QPointF neck = to - u * headLength;
  QPolygonF poly;
  poly << from + n * shaftHalf << neck + n * shaftHalf << neck + n * headHalf << to
       << neck - n * headHalf << neck - n * shaftHalf << from - n * shaftHalf;
  QPainterPath path;
  path.addPolygon(poly);
  path.closeSubpath();
  p.setPen(QPen(kArrow.line, 1.0, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
  p.setBrush(kArrow.fill);
  p.drawPath(path);
}

// A gear wheel with `teeth` teeth around `c`.
void drawGear(QPainter& p, QPointF c, qreal outer, qreal inner, qreal hole, int teeth) {
  QPainterPath path;
  path.setFillRule(Qt::OddEvenFill);
  const qreal step = 2.0 * std::numbers::pi / teeth;
  QPolygonF poly;
  for (int i = 0; i < teeth; ++i) {
    const qreal a = i * step;
    auto at = [&](qreal angle, qreal radius) {
      return c + QPointF(std::cos(angle) * radius, std::sin(angle) * radius);
    };
    poly << at(a - step * 0.30, inner) << at(a - step * 0.17, outer) << at(a + step * 0.17, outer)
         << at(a + step * 0.30, inner);
  }
  path.addPolygon(poly);
  path.closeSubpath();
  path.addEllipse(c, hole, hole);
  p.setPen(QPen(kGear.line, 1.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.setBrush(kGear.fill);
  p.drawPath(path);
}

// A card with bullet rows: the picture of a list. `cell` is the card in whole pixels,
// outline included.
void drawListCard(QPainter& p, const QRect& cell, int rows) {
  QPainterPath card;
  card.addRoundedRect(QRectF(cell).adjusted(0.5, 0.5, -0.5, -0.5), 1.2, 1.2);
  drawOutlined(p, card, kField);
  const int inner = cell.height() - 2;
  const int pitch = inner / rows;
  const int first = cell.top() + 1 + (inner - pitch * rows) / 2 + (pitch - 2) / 2;
  for (int i = 0; i < rows; ++i) {
    const int y = first + i * pitch;
    p.fillRect(QRect(cell.left() + 2, y, 2, 2), kArrow.fill);
    const int end = cell.right() - ((i % 2) ? 3 : 2);
    p.fillRect(QRect(cell.left() + 5, y, end - cell.left() - 4, 2), kListLine);
  }
}

// A song file: a page with a folded corner and a note on it.
void drawSongPage(QPainter& p, const QRectF& r) {
  const qreal fold = r.width() * 0.38;
  QPainterPath page;
  page.moveTo(r.topLeft());
  page.lineTo(r.right() - fold, r.top());
  page.lineTo(r.right(), r.top() + fold);
  page.lineTo(r.bottomRight());
  page.lineTo(r.bottomLeft());
  page.closeSubpath();
  drawOutlined(p, page, kField);
  QPainterPath corner;
  corner.moveTo(r.right() - fold, r.top());
  corner.lineTo(r.right() - fold, r.top() + fold);
  corner.lineTo(r.right(), r.top() + fold);
  p.setPen(outlinePen(kField.line));
  p.setBrush(QColor(0xdd, 0xe3, 0xea));
  p.drawPath(corner);
  // The note: two heads on stems joined by a beam, placed on whole pixels of the page.
  const int left = static_cast<int>(std::ceil(r.left()));
  const int bottom = static_cast<int>(std::floor(r.bottom()));
  const QPoint head1(left + 3, bottom - 3);
  const QPoint head2(left + 8, bottom - 4);
  p.setPen(Qt::NoPen);
  p.setBrush(kArrow.line);
  p.drawEllipse(QPointF(head1) + QPointF(-0.5, 0.0), 1.9, 1.4);
  p.drawEllipse(QPointF(head2) + QPointF(-0.5, 0.0), 1.9, 1.4);
  p.fillRect(QRect(head1.x(), head1.y() - 7, 1, 7), kArrow.line);
  p.fillRect(QRect(head2.x(), head2.y() - 7, 1, 7), kArrow.line);
  QPolygonF beam;
  beam << QPointF(head1.x(), head1.y() - 7) << QPointF(head2.x() + 1, head2.y() - 8)
       << QPointF(head2.x() + 1, head2.y() - 6) << QPointF(head1.x(), head1.y() - 5);
  p.drawPolygon(beam);
}

// ---- the tool images, each in a 20 × 20 square ----

void paintCase(QPainter& p) {
  // Capital A.
  QPainterPath capital;
  capital.moveTo(1.5, 17.5);
  capital.lineTo(6.5, 2.5);
  capital.lineTo(11.5, 17.5);
  capital.moveTo(3.5, 13.0);
  capital.lineTo(9.5, 13.0);
  p.setBrush(Qt::NoBrush);
  p.setPen(QPen(kLetter, 2.2, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin));
  p.drawPath(capital);
  // Small a: shoulder running into the stem, and the bowl.
  QPainterPath small;
  small.moveTo(13.0, 10.2);
  small.cubicTo(14.2, 8.8, 18.0, 8.6, 18.0, 11.5);
  small.lineTo(18.0, 18.0);
  small.moveTo(18.0, 13.2);
  small.cubicTo(15.2, 13.0, 12.6, 13.6, 12.6, 15.8);
  small.cubicTo(12.6, 18.4, 16.6, 18.4, 18.0, 16.0);
  p.setPen(QPen(kArrow.line, 2.0, Qt::SolidLine, Qt::FlatCap, Qt::RoundJoin));
  p.drawPath(small);
}

void paintDelete(QPainter& p) {
  const std::array<QLineF, 2> strokes{QLineF(4.5, 4.5, 15.5, 15.5), QLineF(15.5, 4.5, 4.5, 15.5)};
  p.setPen(QPen(kCross.line, 5.4, Qt::SolidLine, Qt::RoundCap));
  for (const QLineF& l : strokes) p.drawLine(l);
  p.setPen(QPen(kCross.fill, 3.4, Qt::SolidLine, Qt::RoundCap));
  for (const QLineF& l : strokes) p.drawLine(l);
  // A little light along the upper-left edge of each bar.
  p.setPen(QPen(kCross.fill.lighter(135), 1.0, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(QPointF(4.3, 3.9), QPointF(8.0, 7.6));
  p.drawLine(QPointF(12.4, 7.2), QPointF(15.0, 4.6));
}

void paintPlay(QPainter& p) {
  QPainterPath tri;
  tri.moveTo(5.5, 2.5);
  tri.lineTo(17.0, 10.0);
  tri.lineTo(5.5, 17.5);
  tri.closeSubpath();
  drawOutlined(p, tri, kPlay);
  p.setPen(QPen(kPlay.fill.lighter(135), 1.0, Qt::SolidLine, Qt::FlatCap));
  p.drawLine(QPointF(7.5, 6.0), QPointF(7.5, 12.0));
}

void paintNameFromTag(QPainter& p) {
  drawTag(p, QRectF(0.5, 1.5, 11.0, 8.0));
  drawArrow(p, QPointF(16.0, 1.5), QPointF(16.0, 12.5), 1.5, 3.5, 4.0);
  drawNameField(p, QRect(0, 12, 20, 8));
}

void paintTagFromName(QPainter& p) {
  drawNameField(p, QRect(0, 0, 20, 8));
  drawArrow(p, QPointF(16.0, 7.5), QPointF(16.0, 19.0), 1.5, 3.5, 3.5);
  drawTag(p, QRectF(0.5, 11.5, 11.0, 8.0));
}

void paintFolder(QPainter& p) {
  QPainterPath back;
  back.moveTo(1.5, 16.5);
  back.lineTo(1.5, 3.5);
  back.lineTo(7.0, 3.5);
  back.lineTo(8.5, 5.5);
  back.lineTo(17.5, 5.5);
  back.lineTo(17.5, 16.5);
  back.closeSubpath();
  drawOutlined(p, back, kFolder);
  QPainterPath front;
  front.moveTo(1.5, 16.5);
  front.lineTo(4.0, 8.5);
  front.lineTo(19.5, 8.5);
  front.lineTo(17.5, 16.5);
  front.closeSubpath();
  drawOutlined(p, front, Ink{kFolderFront, kFolder.line});
}

void paintList(QPainter& p) { drawListCard(p, QRect(2, 1, 16, 18), 4); }

void paintTagSettings(QPainter& p) {
  drawTag(p, QRectF(0.5, 1.5, 14.0, 8.0));
  drawGear(p, QPointF(13.5, 13.5), 5.8, 4.2, 1.7, 8);
}

using Painter = void (*)(QPainter&);
constexpr std::array<Painter, ToolImageCount> kPainters{
    paintCase, paintDelete, paintPlay, paintNameFromTag,
    paintTagFromName, paintFolder, paintList, paintTagSettings};

// ---- the three modes ----

// Under the pointer: a touch brighter and more saturated. Greys stay grey.
QRgb activeColour(QRgb px) {
  QColor c = QColor::fromRgba(px);
  float h = 0, s = 0, v = 0, a = 0;
  c.getHsvF(&h, &s, &v, &a);
  if (s > 0.08f) s = std::min(1.0f, s * 1.1f + 0.05f);
  v = std::min(1.0f, v * 1.06f + 0.06f);
  return QColor::fromHsvF(h, s, v, a).rgba();
}

// Disabled: grey, lighter and partly transparent; the outlines stay readable.
QRgb disabledColour(QRgb px) {
  const int light = 95 + qGray(px) * 130 / 255;
  return qRgba(light, light, light, qAlpha(px) * 70 / 100);
}

void recolour(QImage& img, QRgb (*f)(QRgb)) {
  for (int y = 0; y < img.height(); ++y) {
    auto* line = reinterpret_cast<QRgb*>(img.scanLine(y));
    for (int x = 0; x < img.width(); ++x)
      if (qAlpha(line[x]) != 0) line[x] = f(line[x]);
  }
}

QImage paintImage(int index, int size) {
  QImage img(size, size, QImage::Format_ARGB32_Premultiplied);
  img.fill(Qt::transparent);
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing);
  p.scale(size / qreal(ToolImageSize), size / qreal(ToolImageSize));
  kPainters[static_cast<std::size_t>(index)](p);
  p.end();
  return img;
}

// ---- cursors ----

// The classic pointer as pixel art ('#' outline, 'o' fill), its tip on the hot spot.
constexpr std::array<const char*, 18> kPointer{
    "#",
    "##",
    "#o#",
    "#oo#",
    "#ooo#",
    "#oooo#",
    "#ooooo#",
    "#oooooo#",
    "#ooooooo#",
    "#oooooooo#",
    "#ooooooooo#",
    "#ooooo######",
    "#oo#oo#",
    "#o# #oo#",
    "##  #oo#",
    "#    #oo#",
    "     #oo#",
    "      ##",
};

void drawPointer(QImage& img) {
  for (std::size_t row = 0; row < kPointer.size(); ++row)
    for (int col = 0; kPointer[row][col] != '\0'; ++col) {
      const char c = kPointer[row][col];
      if (c == ' ') continue;
      img.setPixel(CursorHotSpot.x() + col, CursorHotSpot.y() + static_cast<int>(row),
                   c == '#' ? qRgb(0, 0, 0) : qRgb(255, 255, 255));
    }
}

QPixmap cursorPixmap(void (*badge)(QPainter&)) {
  QImage img(CursorSize, CursorSize, QImage::Format_ARGB32_Premultiplied);
  img.fill(Qt::transparent);
  drawPointer(img);
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing);
  badge(p);
  p.end();
  return QPixmap::fromImage(img);
}

void moveBadge(QPainter& p) { drawSongPage(p, QRectF(15.5, 13.5, 12.0, 16.0)); }
void id3Badge(QPainter& p) { drawTag(p, QRectF(11.5, 17.5, 17.0, 10.0)); }
void listBadge(QPainter& p) { drawListCard(p, QRect(14, 14, 14, 15), 3); }

}  // namespace

QPixmap ToolPixmap(int index, QIcon::Mode mode, int size) {
  if (index < 0 || index >= ToolImageCount || size < 1) return {};
  QImage img = paintImage(index, size).convertToFormat(QImage::Format_ARGB32);
  if (mode == QIcon::Active || mode == QIcon::Selected)
    recolour(img, activeColour);
  else if (mode == QIcon::Disabled)
    recolour(img, disabledColour);
  return QPixmap::fromImage(img);
}

QIcon ToolIcon(int index) {
  if (index < 0 || index >= ToolImageCount) return {};
  QIcon icon;
  for (const int size : {16, ToolImageSize, 24, 32, 2 * ToolImageSize})
    for (const QIcon::Mode mode : {QIcon::Normal, QIcon::Active, QIcon::Disabled})
      icon.addPixmap(ToolPixmap(index, mode, size), mode);
  return icon;
}

QPixmap MoveCursorPixmap() { return cursorPixmap(moveBadge); }
QPixmap Id3CursorPixmap() { return cursorPixmap(id3Badge); }
QPixmap ListCursorPixmap() { return cursorPixmap(listBadge); }

QCursor MoveCursor() { return QCursor(MoveCursorPixmap(), CursorHotSpot.x(), CursorHotSpot.y()); }
QCursor Id3Cursor() { return QCursor(Id3CursorPixmap(), CursorHotSpot.x(), CursorHotSpot.y()); }
QCursor ListCursor() { return QCursor(ListCursorPixmap(), CursorHotSpot.x(), CursorHotSpot.y()); }
