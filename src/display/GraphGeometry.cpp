#include "display/GraphGeometry.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>

namespace {

constexpr double kPixelLimit = 16777216.0; // 2^24

// Where in its pixel a position lies: its part after the truncation to the pixel (0 where the
// position has none, as a negative one, one beyond the pixel limit or NaN).
double PixelFraction(double value)
{
    const double fraction = value - TruncToPixel(value);
    return fraction >= 0.0 && fraction < 1.0 ? fraction : 0.0;
}

} // namespace

int TruncToPixel(double value)
{
    if (std::isnan(value))
        return 0;
    return static_cast<int>(std::clamp(value, -kPixelLimit, kPixelLimit));
}

sGraphPlotArea GraphPlotArea(int clientWidth, int clientHeight)
{
    const int mx = TruncToPixel(clientWidth * 0.15);
    const int my = TruncToPixel(clientHeight * 0.2);
    sGraphPlotArea plot;
    plot.width = clientWidth - mx;
    plot.height = clientHeight - my;
    plot.left = mx / 2;
    plot.top = my / 2;
    return plot;
}

int TickFontSize(const sGraphPlotArea& plot)
{
    return std::min(2 * (plot.left / 9), (2 * plot.top) / 3);
}

int AxisLabelFontSize(const sGraphPlotArea& plot)
{
    return TruncToPixel(plot.top * 0.6);
}

int TitleFontSize(const sGraphPlotArea& plot, int titleLength)
{
    if (titleLength <= 0)
        return 0;
    const int s = std::min(2 * (plot.width / titleLength), plot.top);
    return TruncToPixel(s * 0.6);
}

int DecimationStep(int n)
{
    return n > kMaxGraphPoints ? n / kMaxGraphPoints + 1 : 1;
}

int DecimatedCount(int n)
{
    return n > 0 ? n / DecimationStep(n) : 0;
}

bool IsGraphGap(double value)
{
    return value == kGraphGap || std::isnan(value);
}

bool IsUsableRange(double visibleRange)
{
    return std::isfinite(visibleRange) && visibleRange != 0.0;
}

double ToPercent(double value, double visibleMin, double visibleRange)
{
    if (value == kGraphGap)
        return value;
    if (!IsUsableRange(visibleRange) || !std::isfinite(visibleMin))
        return 0.0;
    double p = (value - visibleMin) / visibleRange * 100.0;
    if (p > 100.0)
        p = 100.0;
    if (p < 0.0)
        p = 0.0;
    return p; // NaN stays NaN and is drawn as a gap
}

double CursorFractionFor(int pixel, int clientWidth)
{
    const sGraphPlotArea plot = GraphPlotArea(clientWidth, 0);
    if (pixel < plot.left)
        return 0.0;
    if (pixel > plot.Right())
        return 1.0;
    if (plot.width <= 0)
        return 0.0;
    return static_cast<double>(pixel - plot.left) / plot.width;
}

std::vector<sTracePoint> TracePoints(std::span<const double> values, const sGraphPlotArea& plot,
                                     double visibleMin, double visibleRange)
{
    std::vector<sTracePoint> points;
    if (values.empty() || !IsUsableRange(visibleRange) || !std::isfinite(visibleMin))
        return points;
    points.reserve(values.size() + 1);
    const int shown = static_cast<int>(values.size());
    const double xStep = shown > 1 ? static_cast<double>(plot.width) / (shown - 1) : 0.0;
    bool penLifted = true;
    for (int i = 0; i < shown; ++i) {
        const double p = ToPercent(values[i], visibleMin, visibleRange);
        if (IsGraphGap(p)) {
            penLifted = true;
            continue;
        }
        const double x = xStep * i;
        const double y = plot.Bottom() - plot.height * p / 100.0;
        points.push_back({plot.left + TruncToPixel(x), TruncToPixel(y), penLifted, PixelFraction(x), PixelFraction(y)});
        penLifted = false;
    }
    // A lone value would otherwise be a bare move: give it one pixel so it can be seen.
    if (shown == 1 && points.size() == 1)
        points.push_back({points[0].x + 1, points[0].y, false, 0.0, points[0].yFraction});
    return points;
}

bool IsDoubleFormat(const std::string& format)
{
    if (format.find('\0') != std::string::npos)
        return false;
    int conversions = 0;
    for (std::size_t i = 0; i < format.size(); ++i) {
        if (format[i] != '%')
            continue;
        ++i;
        if (i < format.size() && format[i] == '%')
            continue;
        while (i < format.size() && std::strchr("-+ #0", format[i]))
            ++i;
        while (i < format.size() && format[i] >= '0' && format[i] <= '9')
            ++i;
        if (i < format.size() && format[i] == '.') {
            ++i;
            while (i < format.size() && format[i] >= '0' && format[i] <= '9')
                ++i;
        }
        if (i < format.size() && format[i] == 'l')
            ++i;
        if (i >= format.size() || !std::strchr("fFeEgGaA", format[i]))
            return false;
        ++conversions;
    }
    return conversions == 1;
}

std::string FormatTickValue(const std::string& format, double value)
{
    if (!IsDoubleFormat(format))
        return {};
    char buffer[512];
    const int length = std::snprintf(buffer, sizeof buffer, format.c_str(), value);
    if (length < 0)
        return {};
    return std::string(buffer, std::min<std::size_t>(static_cast<std::size_t>(length), sizeof buffer - 1));
}
