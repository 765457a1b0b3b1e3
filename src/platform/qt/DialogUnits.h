#pragma once
// Dialog units: the windows give their controls' places in the units of their templates,
// which the 9-point template font makes 1.5 pixels across and 1.5 pixels down. Each of x,
// y, width and height converts on its own, rounded half away from zero as the
// Windows dialog manager does.

#include <QRect>
#include <QSize>

class QWidget;

// Average character width and height of the template font, in pixels; a dialog unit is a
// quarter of the first across and an eighth of the second down.
inline constexpr int kDialogBaseUnitX = 6;
inline constexpr int kDialogBaseUnitY = 12;

// a × b / c rounded half away from zero, in 64 bits.
int MulDiv(int a, int b, int c);

int DluToPixelsX(int dlu);
int DluToPixelsY(int dlu);
QRect DluRectToPixels(int x, int y, int width, int height);
QSize DluSizeToPixels(int width, int height);

// Places a control at a dialog-unit rectangle of its parent.
void PlaceControlInDlu(QWidget* control, int x, int y, int width, int height);
