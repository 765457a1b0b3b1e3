#pragma once
// Drawing at the scales desktops set: the offscreen screens at 100 % to 200 % (see
// GuiTestMain.cpp), a widget's image as such a screen shows it, and the widths of lines in it.

#include <QCoreApplication>
#include <QGuiApplication>
#include <QImage>
#include <QScreen>
#include <QString>
#include <QWidget>

#include <cmath>
#include <ostream>
#include <vector>

// A scale, and the width in device pixels of a one-pixel line drawn at it.
struct sScale {
    double ratio;
    int lineWidth;
    const char* percent;
};

inline constexpr sScale kScales[] = {{1.0, 1, "100"}, {1.25, 1, "125"}, {1.5, 1, "150"}, {1.75, 1, "175"}, {2.0, 2, "200"}};

inline QScreen* ScreenAtScale(const sScale& scale)
{
    const QString name = scale.ratio == 1.0 ? QStringLiteral("desktop") : QStringLiteral("scaled") + scale.percent;
    for (QScreen* screen : QGuiApplication::screens())
        if (screen->name() == name)
            return screen;
    return nullptr;
}

// Puts the widget's window on the screen of that scale at the size it has (as a window the user
// moved there) and grabs the widget: the same painting as on that screen, into an image of its
// device pixels. An empty image when the window does not take the screen's scale and its size.
inline QImage GrabAtScale(QWidget& widget, const sScale& scale)
{
    QScreen* screen = ScreenAtScale(scale);
    QWidget* window = widget.window();
    const QSize size = window->size();
    if (!screen)
        return {};
    window->setScreen(screen);
    if (window->isVisible())
        window->move(screen->geometry().topLeft() + QPoint(20, 20));
    QCoreApplication::processEvents();
    // A window keeps its size in device pixels when it changes screens.
    window->resize(size);
    QCoreApplication::processEvents();
    if (widget.devicePixelRatio() != scale.ratio || window->size() != size)
        return {};
    return widget.grab().toImage();
}

// A rectangle of logical pixels as device pixels at a scale.
inline QRect DeviceRect(const QRect& logical, const sScale& scale)
{
    const auto at = [&](int v) { return static_cast<int>(std::lround(v * scale.ratio)); };
    return QRect(QPoint(at(logical.left()), at(logical.top())),
                 QPoint(at(logical.left() + logical.width()) - 1, at(logical.top() + logical.height()) - 1));
}

// A line crossed by a band: its first device pixel along the band and its width.
struct sLineRun {
    int first;
    int width;
    bool operator==(const sLineRun&) const = default;
};

inline void PrintTo(const sLineRun& line, std::ostream* out)
{
    *out << line.width << " px from " << line.first;
}

// The lines of a colour that cross a band of an image (in device pixels), in order along the
// band's length (Qt::Horizontal: left to right). A position along the band counts when any
// pixel across the band has the colour, so dotted lines and lines partly covered still count
// whole.
inline std::vector<sLineRun> LinesAcross(const QImage& image, const QRect& band, QRgb colour, Qt::Orientation along)
{
    const QRect inside = band.intersected(image.rect());
    const bool horizontal = along == Qt::Horizontal;
    const int first = horizontal ? inside.left() : inside.top();
    const int last = horizontal ? inside.right() : inside.bottom();
    const int acrossFirst = horizontal ? inside.top() : inside.left();
    const int acrossLast = horizontal ? inside.bottom() : inside.right();
    std::vector<sLineRun> lines;
    bool inLine = false;
    for (int at = first; at <= last; ++at) {
        bool hit = false;
        for (int across = acrossFirst; across <= acrossLast && !hit; ++across) {
            const QRgb pixel = horizontal ? image.pixel(at, across) : image.pixel(across, at);
            hit = (pixel & 0xFFFFFFu) == (colour & 0xFFFFFFu);
        }
        if (hit && inLine)
            ++lines.back().width;
        else if (hit)
            lines.push_back({at, 1});
        inLine = hit;
    }
    return lines;
}

inline std::vector<int> Widths(const std::vector<sLineRun>& lines)
{
    std::vector<int> widths;
    for (const sLineRun& line : lines)
        widths.push_back(line.width);
    return widths;
}
