// The view's arithmetic: the range table, zooming in real time and in review, the cursor
// kept on its second, paging, the cursor second of a click and the scroll positions.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "mainwindow/review/ReviewView.h"

TEST(ReviewRangeAxis, FixedRangesAndTheWholeFile)
{
    struct Row {
        int seconds;
        std::string unit;
        double xMax;
        int grid;
        std::string format;
    };
    const Row rows[] = {
        {2, "[秒]", 2, 3, "%1.1f"},     {5, "[秒]", 5, 4, "%2.0f"},     {10, "[秒]", 10, 4, "%2.0f"},
        {15, "[秒]", 15, 2, "%2.0f"},   {30, "[秒]", 30, 5, "%2.0f"},   {60, "[秒]", 60, 5, "%2.0f"},
        {120, "[分]", 2, 3, "%1.1f"},   {300, "[分]", 5, 4, "%2.0f"},   {600, "[分]", 10, 4, "%2.0f"},
        {900, "[分]", 15, 2, "%2.0f"},  {1800, "[分]", 30, 5, "%2.0f"}, {3600, "[分]", 60, 5, "%2.0f"},
        {7200, "[時間]", 2, 3, "%1.1f"}, {10800, "[時間]", 3, 5, "%1.1f"}, {14400, "[時間]", 4, 3, "%2.0f"},
        // Any other range is the whole file, in seconds, without inner grid lines.
        {45, "[秒]", 45, 0, "%2.0f"},   {86400, "[秒]", 86400, 0, "%2.0f"}, {3, "[秒]", 3, 0, "%2.0f"},
    };
    for (const Row& r : rows) {
        const sRangeAxis axis = RangeAxisFor(r.seconds);
        EXPECT_EQ(axis.unit, r.unit) << r.seconds;
        EXPECT_EQ(axis.xMax, r.xMax) << r.seconds;
        EXPECT_EQ(axis.innerGridLines, r.grid) << r.seconds;
        EXPECT_EQ(axis.format, r.format) << r.seconds;
    }
    EXPECT_EQ(FixedRange(0).seconds, 2);
    EXPECT_EQ(FixedRange(kFixedRangeCount - 1).seconds, 14400);
}

TEST(ReviewZoom, RealTimeStopsAtTwoMinutesAndFallsBackToOneMinute)
{
    // Plus from 30: 15, 10, 5, 2, then no change.
    std::vector<int> in;
    for (int r = 30, next; (next = ZoomInRange(r, false)) != 0; r = next)
        in.push_back(next);
    EXPECT_EQ(in, (std::vector<int>{15, 10, 5, 2}));
    // Minus from 2: up to 120, then no change.
    std::vector<int> out;
    for (int r = 2, next; (next = ZoomOutRange(r, false, 0)) != 0; r = next)
        out.push_back(next);
    EXPECT_EQ(out, (std::vector<int>{5, 10, 15, 30, 60, 120}));
    // A longer range left over from a review: plus gives 1 minute, minus nothing.
    for (int r : {300, 14400, 86400, 45}) {
        EXPECT_EQ(ZoomInRange(r, false), 60) << r;
        EXPECT_EQ(ZoomOutRange(r, false, 86400), 0) << r;
    }
}

TEST(ReviewZoom, ReviewIsCappedByTheFileAndEndsAtTheWholeFile)
{
    // A 24-hour file: minus eleven times from 30 reaches the whole file, then stays.
    std::vector<int> out;
    for (int r = 30, next; (next = ZoomOutRange(r, true, 86400)) != 0 && next != r; r = next)
        out.push_back(next);
    EXPECT_EQ(out, (std::vector<int>{60, 120, 300, 600, 900, 1800, 3600, 7200, 10800, 14400, 86400}));
    EXPECT_EQ(ZoomOutRange(86400, true, 86400), 0);
    EXPECT_EQ(ZoomInRange(86400, true), 14400);
    // A 6-hour file at 4 hours, and a 100-second file at one minute.
    EXPECT_EQ(ZoomOutRange(14400, true, 21600), 21600);
    EXPECT_EQ(ZoomOutRange(60, true, 100), 100);
    EXPECT_EQ(ZoomInRange(100, true), 60);
    // Review zooms in through every fixed range; nothing shorter than 2 seconds.
    EXPECT_EQ(ZoomInRange(14400, true), 10800);
    EXPECT_EQ(ZoomInRange(300, true), 120);
    EXPECT_EQ(ZoomInRange(3, true), 2);
    EXPECT_EQ(ZoomInRange(2, true), 0);
    EXPECT_EQ(ZoomInRange(1, true), 0);
    // A 1-second file: nothing longer either.
    EXPECT_EQ(ZoomOutRange(1, true, 1), 0);
}

TEST(ReviewCursor, TheCursorKeepsItsSecondWhenTheRangeChanges)
{
    struct Case {
        sReviewWindow before;
        int seconds, fileSeconds;
        int first;
        double fraction;
        bool moved;
    };
    const Case cases[] = {
        {{85, 0.5, 100}, 60, 3600, 70, 0.5, false},           // stays at its place on screen
        {{0, 0.5, 10}, 30, 3600, 0, 10.0 / 30, true},          // stops at the start of the file
        {{3575, 0.5, 3590}, 30, 3600, 3570, 20.0 / 30, true},  // stops at the end
        {{0, 0.0, 0}, 45, 45, 0, 0.0, false},                  // the whole file
        {{100, 0.25, 130}, 120, 86400, 100, 0.25, false},
    };
    for (const Case& c : cases) {
        sReviewWindow w = c.before;
        EXPECT_EQ(ApplyRangeKeepingCursor(w, c.seconds, c.fileSeconds), c.moved);
        EXPECT_EQ(w.firstSecond, c.first);
        EXPECT_DOUBLE_EQ(w.cursorFraction, c.fraction);
        EXPECT_EQ(w.cursorSecond, c.before.cursorSecond);
    }
}

TEST(ReviewCursor, CursorSecondTruncates)
{
    EXPECT_EQ(CursorSecond(120, 30, 0.5), 135);
    EXPECT_EQ(CursorSecond(120, 30, 0.99), 149);
    EXPECT_EQ(CursorSecond(120, 30, 0.0), 120);
    EXPECT_EQ(CursorSecond(0, 30, 1.0), 30);
}

TEST(ReviewPaging, PagesStayInsideTheFile)
{
    // A 45-second file at 30 seconds.
    EXPECT_EQ(PageRightFirst(0, 30, 45), 15);
    EXPECT_EQ(PageRightFirst(15, 30, 45), 15);
    EXPECT_EQ(PageLeftFirst(15, 30), 0);
    EXPECT_EQ(PageLeftFirst(0, 30), 0);
    EXPECT_EQ(PageRightFirst(0, 30, 100), 30);
    EXPECT_EQ(PageRightFirst(0, 86400, 86400), 0);
}

TEST(ReviewScroll, EveryActionIsHeldToTheFile)
{
    // A 600-second file at 30 s: range 0..599, page 30, last position 570.
    const int min = 0, max = 599, page = 30;
    EXPECT_EQ(ScrollPosition(eScrollCode::LineLeft, 0, 0, min, max, page), 0);
    EXPECT_EQ(ScrollPosition(eScrollCode::LineLeft, 10, 0, min, max, page), 9);
    EXPECT_EQ(ScrollPosition(eScrollCode::LineRight, 10, 0, min, max, page), 11);
    EXPECT_EQ(ScrollPosition(eScrollCode::LineRight, 570, 0, min, max, page), 570);
    EXPECT_EQ(ScrollPosition(eScrollCode::PageLeft, 20, 0, min, max, page), 0);
    EXPECT_EQ(ScrollPosition(eScrollCode::PageRight, 550, 0, min, max, page), 570);
    EXPECT_EQ(ScrollPosition(eScrollCode::PageRight, 100, 0, min, max, page), 130);
    EXPECT_EQ(ScrollPosition(eScrollCode::ThumbTrack, 100, 321, min, max, page), 321);
    EXPECT_EQ(ScrollPosition(eScrollCode::ThumbPosition, 100, 9999, min, max, page), 570);
    EXPECT_EQ(ScrollPosition(eScrollCode::ThumbTrack, 100, -5, min, max, page), 0);
    EXPECT_EQ(ScrollPosition(eScrollCode::Other, 100, 321, min, max, page), 100);
    // The range as long as the file: every action ends at 0.
    for (eScrollCode code : {eScrollCode::LineLeft, eScrollCode::LineRight, eScrollCode::PageLeft,
                             eScrollCode::PageRight, eScrollCode::ThumbTrack, eScrollCode::Other})
        EXPECT_EQ(ScrollPosition(code, 0, 5, 0, 44, 45), 0);
}

TEST(ReviewSamples, SlicesAreCutToTheArray)
{
    const sSampleRange whole = SecondsToSamples(15, 30, 128, 45 * 128);
    EXPECT_EQ(whole.offset, 15u * 128);
    EXPECT_EQ(whole.count, 30u * 128);
    const sSampleRange past = SecondsToSamples(30, 30, 128, 45 * 128);
    EXPECT_EQ(past.count, 15u * 128);
    const sSampleRange outside = SecondsToSamples(50, 30, 128, 45 * 128);
    EXPECT_EQ(outside.offset, 45u * 128);
    EXPECT_EQ(outside.count, 0u);
    // 64-bit products: a day at a very high rate does not wrap.
    const sSampleRange large = SecondsToSamples(86000, 400, 100000, 9000000000ULL);
    EXPECT_EQ(large.offset, 8600000000ULL);
    EXPECT_EQ(large.count, 40000000ULL);
    EXPECT_EQ(SecondsToSamples(-1, 30, 128, 1000).count, 0u);
}
