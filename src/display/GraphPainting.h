#pragma once
// QPainter helpers that draw as the graphs need: 1-pixel lines that leave out their end
// pixel, dotted lines of 3 pixels on and 3 off (as pens, and as the dashes of lines in whole
// device pixels), the graphs' Gothic font at a pixel height with half-width characters f/2
// wide, and text placed from the top-left of its cell with the cell painted in the background
// colour.

#include <QColor>
#include <QFont>
#include <QPen>
#include <QString>

#include "display/DevicePixelLines.h"

class QPainter;

// Colours of the graphs.
inline constexpr QRgb kGraphBackground = qRgb(240, 240, 240);
inline constexpr QRgb kGraphGreen = qRgb(0, 100, 0);
inline constexpr QRgb kGraphRed = qRgb(255, 0, 0);
inline constexpr QRgb kGraphBlack = qRgb(0, 0, 0);
inline constexpr QRgb kGraphTitleGrey = qRgb(100, 100, 100);

// The dots of the grid and the selection: 3 pixels on, 3 off.
inline constexpr sLineDashes kGraphDots{3, 3};

// A solid pen of width 1 with flat caps: a line from a to b colours a but not b.
QPen GraphSolidPen(QRgb colour);
// A dotted pen of width 1: 3 pixels on, 3 off; the gaps take the background colour when
// the painter's background mode is opaque.
QPen GraphDottedPen(QRgb colour);

// The Gothic face "ＭＳ ゴシック" (mapped onto IPAGothic) with a cell height of f pixels and
// half-width characters f/2 pixels wide, without antialiasing.
QFont GraphFont(int height);

// The largest cell height up to `height` at which the text in GraphFont is at most `room`
// pixels wide; 0 when not even a 1-pixel font fits (or height or room is below 1).
int FittingFontHeight(const QString& text, int height, int room);

// Draws text with the top-left corner of its cell at (x, y) in the painter's pen colour.
// The cell (the text's advance wide, the font's pixel height high) is first filled with
// the painter's background colour.
void GraphTextOut(QPainter& painter, int x, int y, const QString& text);
