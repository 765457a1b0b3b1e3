#include "dialogs/DialogControls.h"

#include <QPainter>

#include "display/DevicePixelLines.h"

namespace {

// Offset of the title from the frame's left edge, and the gap kept around it.
constexpr int kTitleLeft = 7;
constexpr int kTitleGap = 2;

}  // namespace

CGroupBox::CGroupBox(const QString& title, QWidget* parent) : QGroupBox(title, parent)
{
}

void CGroupBox::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    const QFontMetrics fm(font());
    const int top = fm.height() / 2;
    const QRect frame = rect().adjusted(0, top, -1, -1);

    // An etched frame: a dark line with a light one right and below it.
    const CDevicePixelLines lines(p);
    lines.Outline(frame, palette().color(QPalette::Mid));
    lines.Outline(frame, palette().color(QPalette::Light), 1);

    if (title().isEmpty())
        return;
    const int width = fm.horizontalAdvance(title());
    const QRect titleRect(kTitleLeft, 0, width + 2 * kTitleGap, fm.height());
    p.fillRect(titleRect, palette().color(QPalette::Window));
    p.setPen(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::WindowText));
    p.drawText(titleRect, Qt::AlignCenter | Qt::TextSingleLine, title());
}

CBoxedTextEdit::CBoxedTextEdit(const QString& text, QWidget* parent) : QPlainTextEdit(text, parent)
{
    // The frame keeps the text area a pixel inside the box; the box itself is drawn here.
    setFrameStyle(QFrame::Box | QFrame::Plain);
}

bool CBoxedTextEdit::event(QEvent* event)
{
    if (event->type() != QEvent::Paint)
        return QPlainTextEdit::event(event);
    QPainter p(this);
    CDevicePixelLines(p).Outline(rect(), palette().color(QPalette::WindowText));
    return true;
}
