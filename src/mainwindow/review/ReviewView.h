#pragma once
// The arithmetic of what the graphs show, without any window: the axis of each time range,
// zooming through the fifteen fixed ranges, keeping the review cursor on its second when
// the range changes, paging, the cursor second of a click and the scroll bar's positions.

#include <cstdint>

// The time axis of one range: unit text, x maximum in that unit, inner grid lines and the
// label format (UTF-8 texts).
struct sRangeAxis {
    int seconds;
    const char* unit;
    double xMax;
    int innerGridLines;
    const char* format;
};

inline constexpr int kFixedRangeCount = 15;
// Real time offers the fixed ranges up to 2 minutes.
inline constexpr int kLongestLiveRange = 120;

// The fixed range i (0 = 2 s ... 14 = 4 h).
const sRangeAxis& FixedRange(int index);
// The axis of a range: its row of the fixed ranges, or for any other range (the whole
// file) seconds from 0 to the range with no inner grid lines.
sRangeAxis RangeAxisFor(int seconds);

// The next longer or shorter range from `range`, or 0 when the range stays. In review the
// longer range never passes the file's length, and after 4 hours comes the whole file;
// real time stops at 2 minutes.
int ZoomOutRange(int range, bool review, int fileSeconds);
int ZoomInRange(int range, bool review);

// The shown part of a reviewed file: its first second and the cursor, as a fraction of the
// shown width and as the second under it.
struct sReviewWindow {
    int firstSecond = 0;
    double cursorFraction = 0.0;
    int cursorSecond = 0;
};

// Applies a new range in review: the cursor stays on its second and, where the file
// allows, at its place on screen; at the start or end of the file the window stops and the
// cursor fraction moves instead. Returns true when the cursor fraction changed.
bool ApplyRangeKeepingCursor(sReviewWindow& window, int seconds, int fileSeconds);

// The second under the cursor: first + trunc(range × fraction).
int CursorSecond(int firstSecond, int range, double fraction);

// Paging by one range, held inside the file.
int PageLeftFirst(int firstSecond, int range);
int PageRightFirst(int firstSecond, int range, int fileSeconds);

// The scroll bar's actions, and the new position of one: lines are one second, pages one
// shown range, the thumb goes where it is dragged; anything else keeps the position. The
// result is held to min, then to the last page (max − page + 1).
enum class eScrollCode { LineLeft, LineRight, PageLeft, PageRight, ThumbPosition, ThumbTrack, Other };
int ScrollPosition(eScrollCode code, int position, int trackPosition, int min, int max, int page);

// Samples [offset, offset + count) of one channel: from second `first` on, `seconds` long
// at `rate` per second, cut to the `total` samples there are. Counted in 64 bits.
struct sSampleRange {
    std::uint64_t offset = 0;
    std::uint64_t count = 0;
};
sSampleRange SecondsToSamples(int first, int seconds, int rate, std::uint64_t total);
