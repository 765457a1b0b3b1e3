#pragma once
// Where the graphs and charts of the main window stand, as plain arithmetic: which of the
// sixteen layouts the four display check boxes choose, each control's rectangle in percent
// of the client band (the client area less 60 pixels at the top and 20 at the bottom), and
// its pixel rectangle with double-precision steps and truncations in a fixed order.

#include <array>

struct sPixelRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    bool operator==(const sPixelRect&) const = default;
};

// A rectangle in percent: of the client band (vertically) and the client width (across).
struct sPercentRect {
    double x = 0, y = 0, w = 0, h = 0;
};

// Percentages of (width, height) to pixels, each product truncated toward zero; no size
// comes out negative.
sPixelRect PercentToPixels(int width, int height, const sPercentRect& r);
// Band percentages to percentages of the whole client area of height H.
sPercentRect BandToClientPercent(int height, const sPercentRect& band);
// Band percentages to pixels. A client area of 80 pixels or less in height, or of no width,
// has no band: every rectangle is then empty at the origin.
sPixelRect BandToPixels(int width, int height, const sPercentRect& band);

// The controls the graph layout places, in the order it handles them.
enum eLayoutControl {
    kLayoutEeg,
    kLayoutEmg,
    kLayoutLeftArrow,
    kLayoutScrollBar,
    kLayoutRightArrow,
    kLayoutFft,
    kLayoutHypnogram,
    kLayoutFftTrend,
    kLayoutControlCount
};

// Show, hide, or (the review row outside review) move without touching the visibility.
enum class eLayoutVisibility { Show, Hide, Keep };

struct sLayoutPlacement {
    eLayoutVisibility visibility = eLayoutVisibility::Hide;
    sPixelRect rect;
};

struct sGraphChoice {
    bool eeg = true;       // check box 1074
    bool emg = true;       // 1075
    bool fft = true;       // 1076
    bool analysis = false; // 1083
};

std::array<sLayoutPlacement, kLayoutControlCount> ComputeGraphLayout(int width, int height,
                                                                    const sGraphChoice& choice,
                                                                    bool review);

// The three status fields along the bottom 20 pixels: 1092, 1094, 1093.
std::array<sPixelRect, 3> StatusFieldRects(int width, int height);
