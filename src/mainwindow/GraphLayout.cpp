#include "mainwindow/GraphLayout.h"

#include <optional>

namespace {

// Top and bottom strips of the client area outside the band, in pixels.
constexpr double kTopStrip = 60.0;
constexpr double kBottomStrip = 20.0;

int Truncate(double v)
{
    return static_cast<int>(v);
}

using Band = std::optional<sPercentRect>;

// One of the sixteen layouts: the band rectangles of the EEG graph, the EMG graph, the
// spectrum chart, the hypnogram and the band trend (empty = hidden), and the y of the review
// row under the graphs. Fractions are written as single divisions, so each is the double
// nearest to the exact value.
struct sLayoutRow {
    Band eeg, emg, fft, hypnogram, trend;
    double reviewRowY;
};

constexpr double kNarrow = 194.0 / 3;  // graph column beside the spectrum chart
constexpr double kFftX = 200.0 / 3;
constexpr double kFftW = 97.0 / 3;
constexpr double kRowHeight = 2.6;

// Index: E × 8 + M × 4 + F × 2 + A, each 1 when its box is checked.
const sLayoutRow kLayouts[16] = {
    // 0 0 0 0
    {{}, {}, {}, {}, {}, 0},
    // 0 0 0 1
    {{}, {}, {}, sPercentRect{1, 1, 98, 38.8}, sPercentRect{1, 40.8, 98, 58.2}, 0},
    // 0 0 1 0
    {{}, {}, sPercentRect{1, 1, 98, 94.7}, {}, {}, 0},
    // 0 0 1 1
    {{}, {}, sPercentRect{1, 1, 98, 26.2}, sPercentRect{1, 32.5, 98, 26.2},
     sPercentRect{1, 59.7, 98, 39.3}, 0},
    // 0 1 0 0
    {{}, sPercentRect{1, 1, 98, 94.7}, {}, {}, {}, 96.4},
    // 0 1 0 1
    {{}, sPercentRect{1, 1, 98, 26.2}, {}, sPercentRect{1, 32.5, 98, 26.2},
     sPercentRect{1, 59.7, 98, 39.3}, 27.9},
    // 0 1 1 0
    {{}, sPercentRect{1, 1, kNarrow, 94.7}, sPercentRect{kFftX, 1, kFftW, 94.7}, {}, {}, 96.4},
    // 0 1 1 1
    {{}, sPercentRect{1, 1, kNarrow, 26.2}, sPercentRect{kFftX, 1, kFftW, 26.2},
     sPercentRect{1, 32.5, 98, 26.2}, sPercentRect{1, 59.7, 98, 39.3}, 27.9},
    // 1 0 0 0
    {sPercentRect{1, 1, 98, 94.7}, {}, {}, {}, {}, 96.4},
    // 1 0 0 1
    {sPercentRect{1, 1, 98, 26.2}, {}, {}, sPercentRect{1, 32.5, 98, 26.2},
     sPercentRect{1, 59.7, 98, 39.3}, 27.9},
    // 1 0 1 0
    {sPercentRect{1, 1, kNarrow, 94.7}, {}, sPercentRect{kFftX, 1, kFftW, 94.7}, {}, {}, 96.4},
    // 1 0 1 1
    {sPercentRect{1, 1, kNarrow, 26.2}, {}, sPercentRect{kFftX, 1, kFftW, 26.2},
     sPercentRect{1, 32.5, 98, 26.2}, sPercentRect{1, 59.7, 98, 39.3}, 27.9},
    // 1 1 0 0
    {sPercentRect{1, 1, 98, 47}, sPercentRect{1, 52, 98, 47}, {}, {}, {}, 48.7},
    // 1 1 0 1
    {sPercentRect{1, 1, 98, 182.0 / 9}, sPercentRect{1, 227.0 / 9, 98, 182.0 / 9}, {},
     sPercentRect{1, 427.0 / 9, 98, 182.0 / 9}, sPercentRect{1, 206.0 / 3, 98, 91.0 / 3}, 1973.0 / 90},
    // 1 1 1 0
    {sPercentRect{1, 1, kNarrow, 47}, sPercentRect{1, 52, kNarrow, 47},
     sPercentRect{kFftX, 1, kFftW, 70.5}, {}, {}, 48.7},
    // 1 1 1 1
    {sPercentRect{1, 1, kNarrow, 182.0 / 9}, sPercentRect{1, 227.0 / 9, kNarrow, 182.0 / 9},
     sPercentRect{kFftX, 1, kFftW, 91.0 / 3}, sPercentRect{1, 427.0 / 9, 98, 182.0 / 9},
     sPercentRect{1, 206.0 / 3, 98, 91.0 / 3}, 1973.0 / 90},
};

}  // namespace

sPixelRect PercentToPixels(int width, int height, const sPercentRect& r)
{
    sPixelRect p;
    p.left = Truncate(width * (r.x / 100));
    p.top = Truncate(height * (r.y / 100));
    p.width = Truncate(width * (r.w / 100));
    p.height = Truncate(height * (r.h / 100));
    if (p.width < 0)
        p.width = 0;
    if (p.height < 0)
        p.height = 0;
    return p;
}

sPercentRect BandToClientPercent(int height, const sPercentRect& band)
{
    const double top = kTopStrip / height * 100;
    const double bottom = kBottomStrip / height * 100;
    const double scale = (100 - top - bottom) / 100;
    return {band.x, top + scale * band.y, band.w, scale * band.h};
}

sPixelRect BandToPixels(int width, int height, const sPercentRect& band)
{
    if (height <= kTopStrip + kBottomStrip || width <= 0)
        return {};
    return PercentToPixels(width, height, BandToClientPercent(height, band));
}

std::array<sLayoutPlacement, kLayoutControlCount> ComputeGraphLayout(int width, int height,
                                                                    const sGraphChoice& choice,
                                                                    bool review)
{
    const int index = (choice.eeg ? 8 : 0) + (choice.emg ? 4 : 0) + (choice.fft ? 2 : 0) +
                      (choice.analysis ? 1 : 0);
    const sLayoutRow& row = kLayouts[index];
    std::array<sLayoutPlacement, kLayoutControlCount> out;

    auto put = [&](eLayoutControl control, eLayoutVisibility visibility, const sPercentRect& band) {
        out[control].visibility = visibility;
        out[control].rect = BandToPixels(width, height, band);
    };
    // A hidden control is placed with all four percentages 0.
    auto place = [&](eLayoutControl control, const Band& band) {
        if (band)
            put(control, eLayoutVisibility::Show, *band);
        else
            put(control, eLayoutVisibility::Hide, sPercentRect{});
    };
    place(kLayoutEeg, row.eeg);
    place(kLayoutEmg, row.emg);

    // The review row lies under the lowest graph, its widths taken from the graph column;
    // outside review it is moved but its visibility is left alone.
    const Band& graph = row.eeg ? row.eeg : row.emg;
    if (graph) {
        const double column = graph->w;
        const double scrollX = column * 6 / 100 + 1;
        const double scrollW = column * 88 / 100;
        const eLayoutVisibility shown = review ? eLayoutVisibility::Show : eLayoutVisibility::Keep;
        put(kLayoutLeftArrow, shown, {1, row.reviewRowY, column * 5 / 100, kRowHeight});
        put(kLayoutScrollBar, shown, {scrollX, row.reviewRowY, scrollW, kRowHeight});
        put(kLayoutRightArrow, shown,
            {scrollX + scrollW + column * 1 / 100, row.reviewRowY, column * 5 / 100, kRowHeight});
    } else {
        for (eLayoutControl control : {kLayoutLeftArrow, kLayoutScrollBar, kLayoutRightArrow})
            put(control, eLayoutVisibility::Hide, sPercentRect{});
    }

    place(kLayoutFft, row.fft);
    place(kLayoutHypnogram, row.hypnogram);
    place(kLayoutFftTrend, row.trend);
    return out;
}

std::array<sPixelRect, 3> StatusFieldRects(int width, int height)
{
    const int top = height - 20;
    const int spareWidth = width - 600 > 0 ? width - 600 : 0;
    return {{{0, top, 200, 20}, {200, top, 400, 20}, {600, top, spareWidth, 20}}};
}
