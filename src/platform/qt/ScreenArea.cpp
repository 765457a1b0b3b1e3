#include "platform/qt/ScreenArea.h"

#include <QScreen>
#include <QWidget>
#include <QWindow>

#include <algorithm>

void ResizeWithinAvailableArea(QWidget& window, const QSize& size)
{
    QScreen* screen = window.screen();
    if (!screen)
        return;
    // The frame is known once the window exists on the screen; a window manager may add its
    // own after the window is mapped.
    const QMargins frame = window.windowHandle() ? window.windowHandle()->frameMargins() : QMargins();
    const QRect area = screen->availableGeometry();
    const QSize fitted = size.boundedTo(area.size().shrunkBy(frame)).expandedTo(window.minimumSize());
    if (fitted == window.size())
        return;
    window.resize(fitted);
    // A window's position is that of its frame.
    const QSize outer = fitted.grownBy(frame);
    const QPoint at(std::max(area.left(), std::min(window.x(), area.right() + 1 - outer.width())),
                    std::max(area.top(), std::min(window.y(), area.bottom() + 1 - outer.height())));
    if (at != window.pos())
        window.move(at);
}
