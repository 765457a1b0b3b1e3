#include "mainwindow/review/ReviewView.h"

#include <algorithm>
#include <array>

namespace {

constexpr std::array<sRangeAxis, kFixedRangeCount> kRangeAxes = {{
    {2, "[秒]", 2, 3, "%1.1f"},
    {5, "[秒]", 5, 4, "%2.0f"},
    {10, "[秒]", 10, 4, "%2.0f"},
    {15, "[秒]", 15, 2, "%2.0f"},
    {30, "[秒]", 30, 5, "%2.0f"},
    {60, "[秒]", 60, 5, "%2.0f"},
    {120, "[分]", 2, 3, "%1.1f"},
    {300, "[分]", 5, 4, "%2.0f"},
    {600, "[分]", 10, 4, "%2.0f"},
    {900, "[分]", 15, 2, "%2.0f"},
    {1800, "[分]", 30, 5, "%2.0f"},
    {3600, "[分]", 60, 5, "%2.0f"},
    {7200, "[時間]", 2, 3, "%1.1f"},
    {10800, "[時間]", 3, 5, "%1.1f"},
    {14400, "[時間]", 4, 3, "%2.0f"},
}};

// Zooming in from a range past 2 minutes in real time lands on 1 minute.
constexpr int kLiveZoomInFallback = 60;

// Index of a fixed range, or -1.
int StepIndex(int seconds)
{
    for (int i = 0; i < kFixedRangeCount; ++i)
        if (kRangeAxes[static_cast<std::size_t>(i)].seconds == seconds)
            return i;
    return -1;
}

int StepSeconds(int index)
{
    return kRangeAxes[static_cast<std::size_t>(index)].seconds;
}

}  // namespace

const sRangeAxis& FixedRange(int index)
{
    return kRangeAxes[static_cast<std::size_t>(std::clamp(index, 0, kFixedRangeCount - 1))];
}

sRangeAxis RangeAxisFor(int seconds)
{
    const int step = StepIndex(seconds);
    if (step >= 0)
        return kRangeAxes[static_cast<std::size_t>(step)];
    return {seconds, "[秒]", static_cast<double>(seconds), 0, "%2.0f"};
}

int ZoomOutRange(int range, bool review, int fileSeconds)
{
    const int step = StepIndex(range);
    if (step < 0)
        return 0;
    if (!review)
        return range < kLongestLiveRange ? StepSeconds(step + 1) : 0;
    const int next = step + 1 < kFixedRangeCount ? StepSeconds(step + 1) : fileSeconds;
    return std::max(std::min(next, fileSeconds), 0);
}

int ZoomInRange(int range, bool review)
{
    const int step = StepIndex(range);
    if (step == 0)
        return 0;
    if (!review) {
        if (step > 0 && range <= kLongestLiveRange)
            return StepSeconds(step - 1);
        return kLiveZoomInFallback;
    }
    if (step > 0)
        return StepSeconds(step - 1);
    // Any other range (the whole file): the longest fixed range shorter than it.
    int shorter = 0;
    for (const sRangeAxis& axis : kRangeAxes)
        if (axis.seconds < range)
            shorter = axis.seconds;
    return shorter;
}

bool ApplyRangeKeepingCursor(sReviewWindow& w, int seconds, int fileSeconds)
{
    bool moved = false;
    w.firstSecond = w.cursorSecond - static_cast<int>(seconds * w.cursorFraction);
    if (w.firstSecond < 0) {
        w.firstSecond = 0;
        w.cursorFraction = static_cast<double>(w.cursorSecond - 0) / seconds;
        moved = true;
    }
    if (w.firstSecond + seconds > fileSeconds) {
        w.firstSecond = fileSeconds - seconds;
        w.cursorFraction = static_cast<double>(w.cursorSecond - w.firstSecond) / seconds;
        moved = true;
    }
    return moved;
}

int CursorSecond(int firstSecond, int range, double fraction)
{
    return firstSecond + static_cast<int>(range * fraction);
}

int PageLeftFirst(int firstSecond, int range)
{
    return std::max(firstSecond - range, 0);
}

int PageRightFirst(int firstSecond, int range, int fileSeconds)
{
    const int first = firstSecond + range;
    return first + range > fileSeconds ? fileSeconds - range : first;
}

int ScrollPosition(eScrollCode code, int position, int trackPosition, int min, int max, int page)
{
    std::int64_t p = position;
    switch (code) {
    case eScrollCode::LineLeft:
        p -= 1;
        break;
    case eScrollCode::LineRight:
        p += 1;
        break;
    case eScrollCode::PageLeft:
        p -= page;
        break;
    case eScrollCode::PageRight:
        p += page;
        break;
    case eScrollCode::ThumbPosition:
    case eScrollCode::ThumbTrack:
        p = trackPosition;
        break;
    case eScrollCode::Other:
        break;
    }
    if (p < min)
        p = min;
    if (p + page - 1 > max)
        p = static_cast<std::int64_t>(max) - page + 1;
    return static_cast<int>(p);
}

sSampleRange SecondsToSamples(int first, int seconds, int rate, std::uint64_t total)
{
    if (first < 0 || seconds < 0 || rate < 0)
        return {};
    const std::uint64_t offset = std::min<std::uint64_t>(static_cast<std::uint64_t>(first) * static_cast<std::uint64_t>(rate), total);
    const std::uint64_t wanted = static_cast<std::uint64_t>(seconds) * static_cast<std::uint64_t>(rate);
    return {offset, std::min(wanted, total - offset)};
}
