#pragma once
// The integer pixel arithmetic of the line graph: plot rectangle, font sizes, decimation,
// percent of the visible range, cursor fraction and the points of the trace. Plain C++ so
// that every rule can be checked without drawing.

#include <cfloat>
#include <cstddef>
#include <span>
#include <string>
#include <vector>

// At most this many points are stored and drawn per graph.
inline constexpr int kMaxGraphPoints = 16384;

// The value that marks a point without a value; it lifts the pen.
inline constexpr double kGraphGap = static_cast<double>(FLT_MAX);

// The plot rectangle inside a client area of w × h pixels: 7.5 % of the width left and
// right, 10 % of the height above and below; the odd margin pixel goes right or down.
struct sGraphPlotArea {
    int left = 0;
    int top = 0;
    int width = 0;  // pw
    int height = 0; // ph
    int Right() const { return left + width; }
    int Bottom() const { return top + height; }
};

sGraphPlotArea GraphPlotArea(int clientWidth, int clientHeight);

// Truncates toward zero into an int; NaN gives 0 and values beyond ±2^24 are held there,
// so no conversion is undefined and no coordinate overflows the painter.
int TruncToPixel(double value);

// Font heights of the tick values, the axis labels and the title (0 means "draw nothing").
int TickFontSize(const sGraphPlotArea& plot);
int AxisLabelFontSize(const sGraphPlotArea& plot);
// titleLength is the title's length in UTF-16 units; an empty title gets no font.
int TitleFontSize(const sGraphPlotArea& plot, int titleLength);

// Decimation of n input values: every step-th value is kept, giving DecimatedCount(n) points.
int DecimationStep(int n);
int DecimatedCount(int n);

// True for a value that lifts the pen: the gap marker, and NaN, which has no position.
bool IsGraphGap(double value);

// Percent 0..100 of v in the visible y range (clamped); a gap marker passes unchanged.
// An empty or non-finite range has no position for any value: the result is 0.
double ToPercent(double value, double visibleMin, double visibleRange);
// True when a visible y range can place values (finite and not zero).
bool IsUsableRange(double visibleRange);

// The cursor fraction of a pixel column for a client of the given width: 0 left of the
// plot, 1 right of it, else the fraction of the plot width.
double CursorFractionFor(int pixel, int clientWidth);

// One corner of the trace: move to it (pen lifted before it) or draw a line to it. The pixel
// is the exact position truncated; the fractions (0 to below 1) tell where in the pixel the
// exact position lies, which places it among the pixel's device pixels on a scaled screen.
struct sTracePoint {
    int x = 0;
    int y = 0;
    bool move = false;
    double xFraction = 0.0;
    double yFraction = 0.0;
};

// The trace of the stored points (already in data units) for a plot: gaps lift the pen and
// the next real value starts with a move. A single point lies on the left edge. An unusable
// y range gives no trace.
std::vector<sTracePoint> TracePoints(std::span<const double> values, const sGraphPlotArea& plot,
                                     double visibleMin, double visibleRange);

// A printf format with exactly one floating conversion (flags, width, precision, optional
// 'l'; "%%" allowed) is safe to apply to a double.
bool IsDoubleFormat(const std::string& format);
// The format applied to a value, or "" when the format is not safe for a double.
std::string FormatTickValue(const std::string& format, double value);
