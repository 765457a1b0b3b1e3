// The line graph drawn into images of known size, probed at pixels computed from its rules,
// and its behaviour as a widget (repaint flags, mouse presses, frame).
#include <gtest/gtest.h>

#include <QApplication>
#include <QFontInfo>
#include <QFontMetrics>
#include <QMouseEvent>
#include <QTest>

#include <cfloat>
#include <cmath>
#include <functional>
#include <vector>

#include "GraphTestSupport.h"
#include "display/Graph.h"
#include "display/GraphPainting.h"

namespace {

constexpr QRgb kMagenta = qRgb(255, 0, 255);

// The graph of the checks at 800 × 200: "脳波データ", ±200, 0..30 with 3 grid lines, cursor 0.5.
void SetUpProbeGraph(CGraph& graph)
{
    graph.SetTitle(QStringLiteral("脳波データ"), 0);
    graph.SetYMax(200.0, 0);
    graph.SetYMin(-200.0, 0);
    graph.SetXMax(30.0, 0);
    graph.SetCursorFraction(0.5, 0);
}

TEST(GraphDrawTest, EmptyGraphShowsFrameGridZeroLineCursorAndTitle)
{
    CGraph graph;
    SetUpProbeGraph(graph);
    const QImage image = RenderGraph(graph);

    EXPECT_EQ(CountColour(image, kMagenta), 0) << "every pixel is painted";
    EXPECT_TRUE(PixelIs(image, 5, 5, kGraphBackground));
    // Frame along x = 60 and x = 740, y = 20 and y = 180.
    for (int y = 20; y <= 180; ++y) {
        EXPECT_TRUE(PixelIs(image, 60, y, kGraphGreen)) << y;
        EXPECT_TRUE(PixelIs(image, 740, y, kGraphGreen)) << y;
    }
    for (int x = 60; x <= 740; ++x) {
        EXPECT_TRUE(PixelIs(image, x, 20, kGraphGreen)) << x;
        EXPECT_TRUE(PixelIs(image, x, 180, kGraphGreen)) << x;
    }
    EXPECT_FALSE(PixelIs(image, 59, 100, kGraphGreen));
    EXPECT_FALSE(PixelIs(image, 741, 100, kGraphGreen));

    // Dotted grid: rows 60 and 140 (row 100 lies under the zero line), columns 230 and 570.
    for (int row : {60, 140}) {
        const int dots = CountColour(image, kGraphGreen, 61, row, 739, row);
        EXPECT_GT(dots, 300) << row;
        EXPECT_LT(dots, 380) << row;
    }
    for (int column : {230, 570}) {
        const int dots = CountColour(image, kGraphGreen, column, 21, column, 179);
        EXPECT_GT(dots, 70) << column;
        EXPECT_LT(dots, 90) << column;
    }
    EXPECT_EQ(CountColour(image, kGraphGreen, 61, 59, 739, 59), 0);

    // Red zero line on row 100 inside the frame, broken only by the cursor.
    for (int x = 61; x <= 739; ++x)
        EXPECT_TRUE(PixelIs(image, x, 100, x == 400 ? kGraphBlack : kGraphRed)) << x;
    EXPECT_EQ(CountColour(image, kGraphRed), 739 - 61);

    // Black cursor at x = 400 from the top edge to just above the bottom edge.
    EXPECT_EQ(RowsWithColour(image, 400, kGraphBlack).size(), 159u);
    EXPECT_TRUE(PixelIs(image, 400, 21, kGraphBlack));
    EXPECT_TRUE(PixelIs(image, 400, 179, kGraphBlack));

    // The title's grey glyphs stay in its cell: x = 400 − 2 × 12, y = 10 − 6, 5 × 12 wide.
    const int grey = CountColour(image, kGraphTitleGrey);
    EXPECT_GT(grey, 50);
    EXPECT_EQ(CountColour(image, kGraphTitleGrey, 376, 4, 435, 15), grey);
}

TEST(GraphDrawTest, TickValuesAndLabelsStandInTheirCells)
{
    CGraph graph;
    SetUpProbeGraph(graph);
    const QImage image = RenderGraph(graph);

    // y ticks: "%5.0f" at x = 20, y = 20 + i × 40 − 6, cells 30 × 12.
    int inCells = 0;
    for (int i = 0; i < 5; ++i) {
        const int top = 14 + 40 * i;
        const int glyphs = CountColour(image, kGraphGreen, 20, top, 49, top + 11);
        EXPECT_GT(glyphs, 5) << i;
        inCells += glyphs;
    }
    EXPECT_EQ(CountColour(image, kGraphGreen, 0, 0, 59, 199), inCells) << "nothing else left of the plot";

    // x ticks " 0", " 8", "15", "22", "30" at y = 186, x = 60 + j × 170 − 6.
    for (int j = 0; j < 5; ++j) {
        const int left = 54 + 170 * j;
        EXPECT_GT(CountColour(image, kGraphGreen, left, 186, left + 11, 197), 5) << j;
    }
    // The y label "[y]" above the plot's upper left corner, the x label at the lower right.
    EXPECT_GT(CountColour(image, kGraphGreen, 60, 8, 77, 19), 5);
    EXPECT_GT(CountColour(image, kGraphGreen, 740, 168, 757, 179), 5);
}

TEST(GraphDrawTest, ZeroLineFollowsTheRangeAndHidesUnderTheFrame)
{
    CGraph graph;
    SetUpProbeGraph(graph);
    graph.SetYMin(-100.0, 0);
    graph.SetYMax(300.0, 0);
    const QImage shifted = RenderGraph(graph);
    EXPECT_EQ(RowsWithColour(shifted, 100, kGraphRed), std::vector<int>{140});

    // 10..20: zero lies below, the line falls on the bottom edge and the frame covers it.
    graph.SetYMin(10.0, 0);
    graph.SetYMax(20.0, 0);
    EXPECT_EQ(CountColour(RenderGraph(graph), kGraphRed), 0);
    // −20..−10: zero lies above, under the top edge.
    graph.SetYMin(-20.0, 0);
    graph.SetYMax(-10.0, 0);
    EXPECT_EQ(CountColour(RenderGraph(graph), kGraphRed), 0);
    // Equal limits: no trace, the zero line on the bottom edge, and no fault.
    graph.SetYMin(5.0, 0);
    graph.SetYMax(5.0, 0);
    const std::vector<float> values(100, 5.0f);
    graph.SetData(values);
    const QImage flat = RenderGraph(graph);
    EXPECT_EQ(CountColour(flat, kGraphRed), 0);
    EXPECT_EQ(CountColour(flat, kGraphBlack), 159) << "only the cursor";
}

TEST(GraphDrawTest, ConstantInputDrawsOneRowAcrossThePlot)
{
    CGraph graph;
    SetUpProbeGraph(graph);
    graph.SetCursorFraction(0.0, 0);
    const std::vector<float> values(3840, 50.0f);
    graph.SetData(values);
    const QImage image = RenderGraph(graph);
    const int row = RowOfValue(50.0);
    ASSERT_EQ(row, 80);
    for (int x = 60; x < 740; ++x)
        EXPECT_TRUE(PixelIs(image, x, row, kGraphBlack)) << x;
    // The trace is drawn over the frame, and nowhere else but on its row.
    EXPECT_EQ(CountColour(image, kGraphBlack, 61, 21, 739, 179), 739 - 61 + 1);
}

TEST(GraphDrawTest, ValuesBeyondTheRangeLieOnTheEdges)
{
    CGraph graph;
    SetUpProbeGraph(graph);
    graph.SetCursorFraction(0.0, 0);
    const std::vector<float> values = {1e6f, 1e6f, -1e6f, -1e6f, INFINITY};
    graph.SetData(values);
    const QImage image = RenderGraph(graph);
    EXPECT_TRUE(PixelIs(image, 100, 20, kGraphBlack));
    EXPECT_TRUE(PixelIs(image, 500, 180, kGraphBlack));
    EXPECT_EQ(CountColour(image, kMagenta), 0);
}

TEST(GraphDrawTest, GapsLiftThePenAndDrawingResumesWithAMove)
{
    CGraph graph;
    SetUpProbeGraph(graph);
    graph.SetCursorFraction(0.0, 0);
    // 3840 points: 50 µV, then 1000 points without a value, then −50 µV.
    std::vector<float> values(3840, 50.0f);
    std::fill(values.begin() + 1000, values.begin() + 2000, FLT_MAX);
    std::fill(values.begin() + 2000, values.end(), -50.0f);
    graph.SetData(values);
    const QImage image = RenderGraph(graph);
    // Index i lies at x = 60 + trunc(680 / 3839 × i): 999 → 236, 2000 → 414.
    for (int x = 238; x <= 413; ++x)
        EXPECT_TRUE(RowsWithColour(image, x, kGraphBlack, 21, 179).empty()) << x;
    EXPECT_TRUE(PixelIs(image, 200, RowOfValue(50.0), kGraphBlack));
    EXPECT_TRUE(PixelIs(image, 414, RowOfValue(-50.0), kGraphBlack));
    EXPECT_TRUE(PixelIs(image, 600, RowOfValue(-50.0), kGraphBlack));
}

TEST(GraphDrawTest, LeadingIsolatedAndTrailingGapsAreNotJoined)
{
    CGraph graph;
    SetUpProbeGraph(graph);
    graph.SetCursorFraction(0.0, 0);
    // x = 60, 230, 400, 570, 740: a leading gap, two values, a NaN, a value, a trailing gap.
    const std::vector<float> values = {FLT_MAX, 100.0f, -100.0f, NAN, 150.0f};
    graph.SetData(values);
    QImage image = RenderGraph(graph);
    for (int x = 61; x < 230; ++x)
        EXPECT_TRUE(RowsWithColour(image, x, kGraphBlack, 21, 179).empty()) << x;
    EXPECT_FALSE(RowsWithColour(image, 300, kGraphBlack, 21, 179).empty());
    for (int x = 400; x <= 739; ++x)
        EXPECT_TRUE(RowsWithColour(image, x, kGraphBlack, 21, 179).empty()) << x;

    // Nothing but gaps draws no trace, and no line to a huge value.
    graph.SetData(std::vector<float>(500, FLT_MAX));
    image = RenderGraph(graph);
    EXPECT_EQ(CountColour(image, kGraphBlack, 61, 0, 799, 199), 0);
    graph.SetData(std::vector<float>(500, NAN));
    EXPECT_EQ(CountColour(RenderGraph(graph), kGraphBlack, 61, 0, 799, 199), 0);
}

TEST(GraphDrawTest, ASinglePointShowsOnTheLeftEdge)
{
    CGraph graph;
    SetUpProbeGraph(graph);
    graph.SetCursorFraction(1.0, 0);
    const float value = 100.0f;
    graph.SetData(std::span<const float>(&value, 1));
    const QImage image = RenderGraph(graph);
    EXPECT_TRUE(PixelIs(image, 60, RowOfValue(100.0), kGraphBlack));
    EXPECT_EQ(CountColour(image, kGraphBlack, 0, 0, 738, 199), 1);
}

TEST(GraphDrawTest, CursorColumnFollowsTheFraction)
{
    CGraph graph;
    SetUpProbeGraph(graph);
    graph.SetCursorFraction(0.125, 0);
    const QImage image = RenderGraph(graph);
    EXPECT_EQ(RowsWithColour(image, 145, kGraphBlack).size(), 159u);
    EXPECT_TRUE(PixelIs(image, 145, 100, kGraphBlack)) << "the cursor is drawn over the zero line";
    EXPECT_EQ(CountColour(image, kGraphBlack), 159);

    // A fraction far out of range is held off the painter's limits, not converted blindly.
    graph.SetCursorFraction(1e300, 0);
    EXPECT_EQ(CountColour(RenderGraph(graph), kGraphBlack), 0);
}

TEST(GraphDrawTest, SelectionIsADottedRectangleClampedToThePlot)
{
    CGraph graph;
    SetUpProbeGraph(graph);
    graph.SetCursorFraction(0.0, 0);
    graph.SetSelection(0.5, 0.75, 0.25, 0.25, 0);
    EXPECT_EQ(graph.HasSelection(), 1);
    QImage image = RenderGraph(graph);
    // Corners (200, 50) and (400, 150), dotted 3 on, 3 off.
    const int dots = CountColour(image, kGraphBlack, 200, 51, 200, 149);
    EXPECT_GT(dots, 40);
    EXPECT_LT(dots, 60);
    EXPECT_GT(CountColour(image, kGraphBlack, 201, 150, 399, 150), 90);
    EXPECT_EQ(CountColour(image, kGraphBlack, 201, 51, 399, 149), 0);

    // Corners outside the plot are held on the frame.
    graph.SetSelection(0.0, 0.0, 2.0, 2.0, 0);
    image = RenderGraph(graph);
    EXPECT_GT(CountColour(image, kGraphBlack, 740, 21, 740, 179), 70);
    EXPECT_EQ(CountColour(image, kGraphBlack, 741, 0, 799, 199), 0);

    graph.ResetSelection(0);
    EXPECT_EQ(graph.HasSelection(), 0);
    EXPECT_DOUBLE_EQ(graph.GetSelectionX1(), -1.0);
    EXPECT_EQ(CountColour(RenderGraph(graph), kGraphBlack), 0);
}

TEST(GraphDrawTest, EmptyTitleAndTinyClientsDrawWithoutFault)
{
    CGraph graph;
    graph.SetTitle(QString(), 0);
    const QImage noTitle = RenderGraph(graph);
    EXPECT_EQ(CountColour(noTitle, kGraphTitleGrey), 0);

    // 100 × 40: no tick values, but 2-pixel labels and title.
    graph.SetTitle(QStringLiteral("ABCDE"), 0);
    const QImage tiny = RenderGraph(graph, 100, 40);
    EXPECT_EQ(CountColour(tiny, kMagenta), 0);
    EXPECT_EQ(CountColour(tiny, kGraphGreen, 0, 0, 6, 39), 0) << "no y tick values at x = 20";

    for (auto [w, h] : {std::pair{1, 1}, {2, 3}, {7, 5}}) {
        const QImage image = RenderGraph(graph, w, h);
        EXPECT_EQ(CountColour(image, kMagenta), 0) << w << "x" << h;
    }
    QImage untouched(10, 10, QImage::Format_RGB32);
    untouched.fill(QColor(kMagenta));
    QPainter painter(&untouched);
    graph.Draw(painter, 0, 0);
    painter.end();
    EXPECT_EQ(CountColour(untouched, kMagenta), 100);
}

TEST(GraphDrawTest, NegativeOrHugeGridCountsDrawNoFault)
{
    CGraph graph;
    graph.SetXGridCount(-1, 0);
    EXPECT_EQ(CountColour(RenderGraph(graph), kMagenta), 0);
    graph.SetXGridCount(1 << 30, 0);
    EXPECT_EQ(CountColour(RenderGraph(graph), kMagenta), 0);
}

TEST(GraphDataTest, SetDataDecimatesToAtMost16384Points)
{
    CGraph graph;
    std::vector<float> values(1843200);
    for (std::size_t i = 0; i < values.size(); ++i)
        values[i] = static_cast<float>(i % 100000);
    graph.SetData(values);
    const std::span<const double> stored = graph.GetStoredData();
    ASSERT_EQ(stored.size(), 16311u);
    for (std::size_t i = 0; i < stored.size(); i += 997)
        EXPECT_EQ(stored[i], values[i * 113]) << i;
    EXPECT_EQ(stored.back(), values[16310 * 113]);

    graph.SetData(std::span<const float>(values.data(), 16385));
    ASSERT_EQ(graph.GetStoredData().size(), 8192u);
    EXPECT_EQ(graph.GetStoredData()[8191], values[16382]);
    graph.SetData(std::span<const float>(values.data(), 16384));
    EXPECT_EQ(graph.GetStoredData().size(), 16384u);
    graph.SetData(std::span<const float>(values.data(), 38400));
    ASSERT_EQ(graph.GetStoredData().size(), 12800u);
    EXPECT_EQ(graph.GetStoredData()[1], values[3]);
    graph.SetData({});
    EXPECT_TRUE(graph.GetStoredData().empty());
}

TEST(GraphDataTest, GapMarkerIsStoredAsTheSameDouble)
{
    CGraph graph;
    const std::vector<float> values = {1.5f, FLT_MAX, -2.0f};
    graph.SetData(values);
    ASSERT_EQ(graph.GetStoredData().size(), 3u);
    EXPECT_EQ(graph.GetStoredData()[1], static_cast<double>(FLT_MAX));
}

TEST(GraphDataTest, ClearKeepsRangesLabelsAndCursor)
{
    CGraph graph;
    SetUpProbeGraph(graph);
    graph.SetXLabel(QStringLiteral("[秒]"), 0);
    graph.SetSelection(0.1, 0.1, 0.2, 0.2, 0);
    graph.SetData(std::vector<float>(10, 1.0f));
    graph.Clear();
    EXPECT_TRUE(graph.GetStoredData().empty());
    EXPECT_EQ(graph.HasSelection(), 0);
    EXPECT_DOUBLE_EQ(graph.GetYMax(), 200.0);
    EXPECT_DOUBLE_EQ(graph.GetCursorFraction(), 0.5);
    EXPECT_EQ(graph.GetXLabel(), QStringLiteral("[秒]"));
    EXPECT_EQ(graph.GetTitle(), QStringLiteral("脳波データ"));
}

TEST(GraphDataTest, VisibleRangesAreTheWholeRange)
{
    CGraph graph;
    EXPECT_EQ(graph.GetTitle(), QStringLiteral("CGraph Class Title"));
    EXPECT_EQ(graph.GetXFormat(), QStringLiteral("%2.0f"));
    EXPECT_EQ(graph.GetXGridCount(), 3);
    graph.SetXMin(2.0, 0);
    graph.SetXMax(12.0, 0);
    graph.SetYMin(-50.0, 0);
    graph.SetYMax(150.0, 0);
    EXPECT_DOUBLE_EQ(graph.GetXRange(), 10.0);
    EXPECT_DOUBLE_EQ(graph.GetYRange(), 200.0);
    EXPECT_DOUBLE_EQ(graph.GetVisibleXMin(), 2.0);
    EXPECT_DOUBLE_EQ(graph.GetVisibleXMax(), 12.0);
    EXPECT_DOUBLE_EQ(graph.GetVisibleYMin(), -50.0);
    EXPECT_DOUBLE_EQ(graph.GetVisibleYMax(), 150.0);
    EXPECT_DOUBLE_EQ(graph.GetXZoom(), 1.0);
    EXPECT_DOUBLE_EQ(graph.GetYCenter(), 0.5);
}

TEST(GraphPaintingTest, TextCellIsPaintedInTheBackgroundFromItsTopLeft)
{
    QImage image(100, 40, QImage::Format_RGB32);
    image.fill(QColor(kMagenta));
    QPainter painter(&image);
    painter.setBackground(QColor(kGraphBackground));
    painter.setPen(QColor(kGraphGreen));
    painter.setFont(GraphFont(12));
    GraphTextOut(painter, 10, 5, QStringLiteral("12.5"));
    painter.end();
    // Four half-width characters: a cell of 24 × 12 at (10, 5), glyphs inside it.
    EXPECT_EQ(CountColour(image, kMagenta, 10, 5, 33, 16), 0);
    EXPECT_EQ(CountColour(image, kMagenta), 100 * 40 - 24 * 12);
    EXPECT_GT(CountColour(image, kGraphGreen, 10, 5, 33, 16), 10);
}

TEST(GraphPaintingTest, GothicFaceHasJapaneseGlyphsAndHalfWidthDigits)
{
    for (int f : {2, 6, 12, 13, 24}) {
        const QFont font = GraphFont(f);
        EXPECT_EQ(QFontInfo(font).family(), QStringLiteral("IPAGothic")) << f;
        const QFontMetrics metrics(font);
        EXPECT_TRUE(metrics.inFont(QChar(u'脳')));
        EXPECT_EQ(metrics.horizontalAdvance(QStringLiteral("00")), 2 * (f / 2)) << f;
        EXPECT_EQ(metrics.horizontalAdvance(QStringLiteral("脳波")), 2 * 2 * (f / 2)) << f;
    }
}

TEST(GraphPaintingTest, LinesLeaveOutTheirEndPixel)
{
    QImage image(20, 10, QImage::Format_RGB32);
    image.fill(QColor(kMagenta));
    QPainter painter(&image);
    painter.setPen(GraphSolidPen(kGraphBlack));
    painter.drawLine(2, 3, 10, 3);
    painter.end();
    EXPECT_EQ(CountColour(image, kGraphBlack), 8);
    EXPECT_TRUE(PixelIs(image, 2, 3, kGraphBlack));
    EXPECT_FALSE(PixelIs(image, 10, 3, kGraphBlack));
}

// A graph that counts its paints.
class CountingGraph : public CGraph {
public:
    int paints = 0;

protected:
    void paintEvent(QPaintEvent* event) override
    {
        ++paints;
        CGraph::paintEvent(event);
    }
};

class GraphWidgetTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        graph.resize(400, 150);
        graph.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&graph));
        Settle();
    }
    int PaintsAfter(const std::function<void()>& change)
    {
        Settle();
        graph.paints = 0;
        change();
        Settle();
        return graph.paints;
    }
    static void Settle()
    {
        for (int i = 0; i < 3; ++i)
            QApplication::processEvents();
    }
    CountingGraph graph;
};

TEST_F(GraphWidgetTest, SettersRepaintOnlyWhenTheFlagIsExactlyOne)
{
    EXPECT_EQ(PaintsAfter([&] { graph.SetXMax(60.0, 0); }), 0);
    EXPECT_EQ(PaintsAfter([&] { graph.SetXMax(60.0, 2); }), 0);
    EXPECT_EQ(PaintsAfter([&] { graph.SetXMax(60.0, -1); }), 0);
    EXPECT_GE(PaintsAfter([&] { graph.SetXMax(60.0, 1); }), 1);
    EXPECT_EQ(PaintsAfter([&] { graph.SetTitle(QStringLiteral("t"), 2); }), 0);
    EXPECT_GE(PaintsAfter([&] { graph.SetTitle(QStringLiteral("t"), 1); }), 1);
    EXPECT_EQ(PaintsAfter([&] { graph.SetCursorPixel(100, 0); }), 0);
    EXPECT_GE(PaintsAfter([&] { graph.SetCursorFraction(0.2, 1); }), 1);
    EXPECT_EQ(PaintsAfter([&] { graph.UpdateCursorFraction(); }), 0);
    EXPECT_GE(PaintsAfter([&] { graph.SetData(std::vector<float>(5, 1.0f)); }), 1);
    EXPECT_GE(PaintsAfter([&] { graph.Clear(); }), 1);
    // ResetSelection repaints only when a selection was set.
    EXPECT_EQ(PaintsAfter([&] { graph.ResetSelection(1); }), 0);
    graph.SetSelection(0.1, 0.1, 0.5, 0.5, 0);
    EXPECT_GE(PaintsAfter([&] { graph.ResetSelection(1); }), 1);
}

TEST_F(GraphWidgetTest, CursorPixelBecomesAFractionOfTheCurrentPlot)
{
    graph.resize(800, 200);
    graph.SetCursorPixel(400, 1);
    graph.UpdateCursorFraction();
    EXPECT_DOUBLE_EQ(graph.GetCursorFraction(), 0.5);
    EXPECT_EQ(graph.GetCursorPixel(), 400);
    graph.SetCursorPixel(30, 1);
    graph.UpdateCursorFraction();
    EXPECT_DOUBLE_EQ(graph.GetCursorFraction(), 0.0);
    graph.SetCursorPixel(790, 1);
    graph.UpdateCursorFraction();
    EXPECT_DOUBLE_EQ(graph.GetCursorFraction(), 1.0);
    // After a resize the cursor keeps its fraction, not its pixel.
    graph.SetCursorFraction(0.25, 1);
    graph.resize(400, 100);
    Settle();
    EXPECT_EQ(RowsWithColour(graph.grab().toImage(), 30 + 85, kGraphBlack).size(), 79u);
}

TEST_F(GraphWidgetTest, MousePressesPassToTheParent)
{
    struct Parent : QWidget {
        std::vector<std::pair<Qt::MouseButton, QPoint>> presses;
        void mousePressEvent(QMouseEvent* event) override
        {
            presses.emplace_back(event->button(), event->position().toPoint());
        }
    } parent;
    parent.resize(500, 300);
    CGraph* child = new CGraph(&parent);
    child->setGeometry(50, 40, 400, 150);
    parent.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&parent));
    QTest::mousePress(child, Qt::LeftButton, {}, QPoint(10, 20));
    QTest::mousePress(child, Qt::RightButton, {}, QPoint(100, 5));
    ASSERT_EQ(parent.presses.size(), 2u);
    EXPECT_EQ(parent.presses[0].first, Qt::LeftButton);
    EXPECT_EQ(parent.presses[0].second, QPoint(60, 60));
    EXPECT_EQ(parent.presses[1].first, Qt::RightButton);
    EXPECT_EQ(parent.presses[1].second, QPoint(150, 45));
}

TEST_F(GraphWidgetTest, FramedGraphDrawsInsideItsFrame)
{
    graph.setFrameStyle(QFrame::Panel | QFrame::Sunken);
    graph.setLineWidth(1);
    graph.resize(802, 202);
    Settle();
    EXPECT_EQ(graph.ClientRect(), QRect(1, 1, 800, 200));
    EXPECT_EQ(graph.PlotRect(), QRect(61, 21, 681, 161));
    SetUpProbeGraph(graph);
    graph.update();
    Settle();
    const QImage grabbed = graph.grab().toImage().convertToFormat(QImage::Format_RGB32);
    const QImage inside = grabbed.copy(1, 1, 800, 200);
    EXPECT_EQ(inside, RenderGraph(graph));
    EXPECT_FALSE(PixelIs(grabbed, 0, 100, kGraphBackground)) << "the frame is drawn";
}

} // namespace
