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
    pen.setDashPattern({3.0, 3.0});
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
