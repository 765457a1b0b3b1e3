#include "platform/qt/DialogUnits.h"

#include <QWidget>

#include <cstdint>

int MulDiv(int a, int b, int c)
{
    if (c == 0)
        return -1;
    const std::int64_t product = static_cast<std::int64_t>(a) * b;
    const bool negative = (product < 0) != (c < 0);
    const std::int64_t num = product < 0 ? -product : product;
    const std::int64_t den = c < 0 ? -static_cast<std::int64_t>(c) : c;
    const std::int64_t q = (num + den / 2) / den;
    return static_cast<int>(negative ? -q : q);
}

int DluToPixelsX(int dlu)
{
    return MulDiv(dlu, kDialogBaseUnitX, 4);
}

int DluToPixelsY(int dlu)
{
    return MulDiv(dlu, kDialogBaseUnitY, 8);
}

QRect DluRectToPixels(int x, int y, int width, int height)
{
    return QRect(DluToPixelsX(x), DluToPixelsY(y), DluToPixelsX(width), DluToPixelsY(height));
}

QSize DluSizeToPixels(int width, int height)
{
    return QSize(DluToPixelsX(width), DluToPixelsY(height));
}

void PlaceControlInDlu(QWidget* control, int x, int y, int width, int height)
{
    if (control)
        control->setGeometry(DluRectToPixels(x, y, width, height));
}
