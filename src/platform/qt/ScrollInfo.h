#pragma once
// Scroll-bar information in Windows terms: a range min..max that includes the last
// page, a page size and a position that runs from min to max − page + 1. A QScrollBar
// counts its maximum as the last position instead; these two functions translate.

class QScrollBar;

struct sScrollInfo {
    int min = 0;
    int max = 0;
    int page = 0;
    int pos = 0;
};

// Sets range, page and position (the position is clamped to the last page, as a Windows
// scroll bar does) and repaints the bar.
void SetScrollInfo(QScrollBar* bar, const sScrollInfo& info);
sScrollInfo GetScrollInfo(const QScrollBar* bar);
