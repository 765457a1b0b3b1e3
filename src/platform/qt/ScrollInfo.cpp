#include "platform/qt/ScrollInfo.h"

#include <QScrollBar>
#include <QVariant>

#include <algorithm>

namespace {

// The range's maximum as given, kept on the bar: a QScrollBar cannot hold a range shorter
// than its page, and GetScrollInfo must give back what SetScrollInfo was given.
constexpr const char* kRangeMaxProperty = "velquinScrollMax";

// The last position of a range that includes its last page.
int LastPosition(int min, int max, int page)
{
    const int last = page > 0 ? max - page + 1 : max;
    return std::max(min, last);
}

}  // namespace

void SetScrollInfo(QScrollBar* bar, const sScrollInfo& info)
{
    if (!bar)
        return;
    const int page = std::max(0, info.page);
    bar->setPageStep(page);
    bar->setRange(info.min, LastPosition(info.min, info.max, page));
    bar->setValue(std::clamp(info.pos, bar->minimum(), bar->maximum()));
    bar->setProperty(kRangeMaxProperty, info.max);
    bar->update();
}

sScrollInfo GetScrollInfo(const QScrollBar* bar)
{
    sScrollInfo info;
    if (!bar)
        return info;
    info.min = bar->minimum();
    info.page = bar->pageStep();
    const QVariant kept = bar->property(kRangeMaxProperty);
    if (kept.isValid())
        info.max = kept.toInt();
    else
        info.max = info.page > 0 ? bar->maximum() + info.page - 1 : bar->maximum();
    info.pos = bar->value();
    return info;
}
