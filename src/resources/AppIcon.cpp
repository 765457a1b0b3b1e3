#include "resources/AppIcon.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

#include <array>

QImage RenderAppIcon(int size)
{
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 64.0, size / 64.0);  // drawn on a 64 × 64 grid

    QLinearGradient sky(0, 0, 0, 64);
    sky.setColorAt(0.0, QColor(28, 40, 92));
    sky.setColorAt(1.0, QColor(12, 18, 48));
    p.setPen(Qt::NoPen);
    p.setBrush(sky);
    p.drawRoundedRect(QRectF(2, 2, 60, 60), 12, 12);

    // Crescent moon: a disc with a second, sky-coloured disc cut out of it.
    QPainterPath moon;
    moon.addEllipse(QPointF(45, 18), 9, 9);
    QPainterPath bite;
    bite.addEllipse(QPointF(50, 14), 8, 8);
    p.setBrush(QColor(255, 214, 102));
    p.drawPath(moon.subtracted(bite));

    // EEG trace across the lower half.
    static constexpr std::array<QPointF, 12> kTrace = {{
        {8, 42}, {14, 42}, {17, 36}, {20, 48}, {23, 30}, {27, 52},
        {31, 38}, {35, 44}, {39, 40}, {43, 46}, {48, 42}, {56, 42},
    }};
    QPen pen(QColor(236, 244, 255), 3.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    p.setPen(pen);
    p.setBrush(Qt::NoBrush);
    p.drawPolyline(kTrace.data(), static_cast<int>(kTrace.size()));
    return image;
}

QIcon MakeAppIcon()
{
    QIcon icon;
    for (int size : {16, 24, 32, 48, 64, 128, 256})
        icon.addPixmap(QPixmap::fromImage(RenderAppIcon(size)));
    return icon;
}
