#include "display/ChartText.h"

#include <QFontMetrics>
#include <QPainter>

#include <algorithm>
#include <cmath>

#include "display/ChartLayout.h"

QFont ChartFont(double points, double dotsPerInch)
{
    QFont font(QStringLiteral("MS UI Gothic"));
    font.setPixelSize(std::max(1, static_cast<int>(std::lround(PointsToPixels(points, dotsPerInch)))));
    font.setStyleStrategy(QFont::NoAntialias);
    return font;
}

QString ValueAxisLabel(const sChartScale& scale, int k)
{
    const double step = (scale.maximum - scale.minimum) / scale.majorDivision;
    double value = scale.minimum + k * step;
    if (std::abs(value) < std::abs(step) * 1e-9)
        value = 0.0;
    return QString::fromStdString(FormatChartLabel(value));
}

QSize TitleSize(const sAxisTitle& title, const QFont& font)
{
    const QFontMetrics metrics(font);
    const QString text = QString::fromStdString(title.text);
    switch (title.orientation) {
    case 1: {  // stacked letters
        int width = 0;
        for (const QChar c : text)
            width = std::max(width, metrics.horizontalAdvance(c));
        return {width, metrics.height() * static_cast<int>(text.size())};
    }
    case 2:
    case 3:
        return {metrics.height(), metrics.horizontalAdvance(text)};
    default:
        return {metrics.horizontalAdvance(text), metrics.height()};
    }
}

void DrawTitle(QPainter& painter, const sAxisTitle& title, const QFont& font, QPoint centre)
{
    const QFontMetrics metrics(font);
    const QString text = QString::fromStdString(title.text);
    painter.save();
    painter.setFont(font);
    painter.translate(centre);
    if (title.orientation == 1) {
        const int height = metrics.height();
        int y = -height * static_cast<int>(text.size()) / 2;
        for (const QChar c : text) {
            painter.drawText(-metrics.horizontalAdvance(c) / 2, y + metrics.ascent(), QString(c));
            y += height;
        }
    } else {
        if (title.orientation == 2)
            painter.rotate(-90.0);
        else if (title.orientation == 3)
            painter.rotate(90.0);
        painter.drawText(-metrics.horizontalAdvance(text) / 2, -metrics.height() / 2 + metrics.ascent(), text);
    }
    painter.restore();
}
