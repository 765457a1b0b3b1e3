#include "display/GraphPainting.h"

#include <QFontMetrics>
#include <QPainter>

#include <algorithm>

QPen GraphSolidPen(QRgb colour)
{
    QPen pen{QColor(colour), 1};
    pen.setCapStyle(Qt::FlatCap);
    pen.setJoinStyle(Qt::MiterJoin);
    return pen;
}

QPen GraphDottedPen(QRgb colour)
{
    QPen pen = GraphSolidPen(colour);
    pen.setDashPattern({double(kGraphDots.on), double(kGraphDots.off)});
    return pen;
}

QFont GraphFont(int height)
{
    QFont font(QStringLiteral("ＭＳ ゴシック"));
    font.setPixelSize(std::max(height, 1));
    font.setStyleStrategy(QFont::NoAntialias);
    // IPAGothic's half-width glyphs are height/2 wide; an odd height would round them up.
    if (height > 1 && height % 2 == 1)
        font.setStretch(100 * (height / 2) * 2 / height);
    return font;
}

int FittingFontHeight(const QString& text, int height, int room)
{
    if (height < 1 || room < 1)
        return 0;
    const auto fitsAt = [&](int h) { return QFontMetrics(GraphFont(h)).horizontalAdvance(text) <= room; };
    if (fitsAt(height))
        return height;
    // The text widens with the font: find the largest height that fits by halving.
    int fits = 0;
    int tooWide = height;
    while (tooWide - fits > 1) {
        const int middle = fits + (tooWide - fits) / 2;
        if (fitsAt(middle))
            fits = middle;
        else
            tooWide = middle;
    }
    return fits;
}

void GraphTextOut(QPainter& painter, int x, int y, const QString& text)
{
    if (text.isEmpty())
        return;
    const QFont& font = painter.font();
    const QFontMetrics metrics(font);
    const int cellHeight = font.pixelSize();
    painter.fillRect(x, y, metrics.horizontalAdvance(text), cellHeight, painter.background());
    const Qt::BGMode mode = painter.backgroundMode();
    painter.setBackgroundMode(Qt::TransparentMode);
    painter.drawText(x, y + std::min(metrics.ascent(), cellHeight), text);
    painter.setBackgroundMode(mode);
}
