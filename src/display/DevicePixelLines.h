#pragma once
// Straight lines, and a graph's trace, of whole device pixels. At a fractional scale (125 %,
// 150 %) a line one logical pixel wide drawn with a pen covers one or two device pixels,
// depending on where it falls, so a grid comes out in two thicknesses. These lines are all one
// width: the whole device pixels that fit in a logical pixel (one below 200 %, two at 200 %).
// Each starts on the first device pixel of its logical pixel, where Qt starts that pixel's
// fills and the clip of a widget that begins there, so a line at a widget's edge is never cut
// off and a child widget beside it never covers it. (A trace's points also use the device
// pixels within their logical pixels.)
//
// Positions are the logical pixels of the layout. A line covers its first to its last pixel
// inclusive, ending on the far side of a line drawn at its last pixel. The painter may move
// and scale, not rotate.

#include <QColor>
#include <QRect>

#include <span>

#include "display/GraphGeometry.h"

class QPainter;

// A dash pattern in logical pixels, starting with a dash: `on` pixels drawn, `off` left out;
// {0, 0} is solid. Where the painter's background mode is opaque, gaps take its background.
struct sLineDashes {
    int on = 0;
    int off = 0;
};

class CDevicePixelLines {
public:
    explicit CDevicePixelLines(QPainter& painter);

    // Row y from column x0 to column x1, and column x from row y0 to row y1.
    void Horizontal(int x0, int x1, int y, const QColor& colour, sLineDashes dashes = {}) const;
    void Vertical(int x, int y0, int y1, const QColor& colour, sLineDashes dashes = {}) const;
    // The edge pixels of a rectangle, moved right and down by `shift` line widths (the light
    // line of an etched frame beside its dark one).
    void Outline(const QRect& rect, const QColor& colour, int shift = 0) const;
    // A rectangle of pixels filled to the far side of lines on its last row and column.
    void Fill(const QRect& rect, const QColor& colour) const;
    // One run of a trace (x never decreasing; the points' move flags are not read). Unscaled,
    // as a one-pixel pen draws it through the points' pixels, each segment leaving out its end
    // pixel. Scaled, through the device pixel where each point lies within its pixel, as one
    // span of rows in each device column the run crosses (its last point included), one line
    // width wide: one fill a column however many points fall in it (a pen wider than a device
    // pixel is slow to stroke).
    void Polyline(std::span<const sTracePoint> points, const QColor& colour) const;

private:
    // The first device pixel of logical column x and of logical row y.
    int DeviceX(int x) const;
    int DeviceY(int y) const;
    // The device pixels that a rectangle of logical pixels covers as lines do.
    QRect DeviceBox(const QRect& rect) const;
    void FillDevice(const QRect& device, const QColor& colour) const;
    // The device span [from, to) in the dashes of a pattern; the gaps in the background
    // colour where it shows. Each piece goes to fill(from, to, colour).
    template <typename FillSpan>
    void Dashed(int from, int to, double scale, sLineDashes dashes, const QColor& colour, FillSpan fill) const;

    QPainter& m_painter;
    double m_scaleX = 1.0;
    double m_scaleY = 1.0;
    double m_dx = 0.0;
    double m_dy = 0.0;
    int m_widthX = 1;
    int m_widthY = 1;
};
