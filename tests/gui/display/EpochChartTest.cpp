// The hypnogram and band-trend charts: the grid of epochs they send, the plot rectangle they
// fix, the stage steps drawn, and the answers to clicks.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

#include <ctime>
#include <string>
#include <vector>

#include "ChartTestSupport.h"
#include "display/FftTrendMSChart.h"
#include "display/HypnogramMSChart.h"

namespace {

const QRgb kStageColours[4] = {Rgb(255, 0, 0), Rgb(255, 255, 0), Rgb(0, 255, 0), Rgb(0, 0, 255)};

// 4, 3, 2, 1, 0 repeated: Wake, REM, Light, Deep, nothing.
std::vector<std::int32_t> Staircase(int epochs)
{
    std::vector<std::int32_t> codes(static_cast<std::size_t>(epochs));
    for (int i = 0; i < epochs; ++i)
        codes[static_cast<std::size_t>(i)] = 4 - i % 5;
    return codes;
}

void Fill(CEpochMSChart& chart, const std::vector<std::int32_t>& codes, std::time_t start)
{
    chart.SetCount(static_cast<int>(codes.size()));
    chart.SetStartTime(start);
    chart.SetData(codes);
    chart.Update();
}

bool ColumnHas(const QImage& image, int x, int top, int bottom, QRgb colour)
{
    for (int y = top; y <= bottom; ++y)
        if (PixelAt(image, x, y) == colour)
            return true;
    return false;
}

class StageCharts : public ::testing::Test {
protected:
    StageCharts()
    {
        hypnogram.resize(900, 200);
        trend.resize(900, 240);
        hypnogram.SetMessageBox([this](const QString& text) { messages.push_back(text); });
    }

    CHypnogramMSChart hypnogram;
    CFftTrendMSChart trend;
    std::vector<QString> messages;
};

}  // namespace

TEST_F(StageCharts, RowsCarryClockLabelsAndOneStageCellEach)
{
    Fill(hypnogram, {4, 3, 2, 1, 0, 5, -1}, LocalTime(2024, 3, 1, 22, 0));
    const CChartDataGrid& grid = hypnogram.State().GetChartData();
    ASSERT_EQ(grid.GetRowCount(), 7);
    ASSERT_EQ(grid.GetColumnCount(), 5);
    const char* expected[7][4] = {{"4", "", "", ""}, {"", "3", "", ""}, {"", "", "2", ""}, {"", "", "", "1"},
                                  {"", "", "", ""},  {"", "", "", ""},  {"", "", "", ""}};
    for (int r = 1; r <= 7; ++r)
        for (int c = 2; c <= 5; ++c)
            EXPECT_EQ(grid.Cell(r, c), expected[r - 1][c - 2]) << "row " << r << " column " << c;
    EXPECT_EQ(grid.Cell(1, 1), "22:00");
    EXPECT_EQ(grid.Cell(2, 1), "22:00");
    EXPECT_EQ(grid.Cell(3, 1), "22:01");

    // Labels run across midnight; a start time of 0 is 1970-01-01 09:00 in Tokyo.
    Fill(hypnogram, std::vector<std::int32_t>(21, 0), LocalTime(2024, 3, 1, 23, 50));
    EXPECT_EQ(hypnogram.State().GetRowLabel(21), "00:00");
    Fill(hypnogram, std::vector<std::int32_t>(1, 0), 0);
    EXPECT_EQ(hypnogram.State().GetRowLabel(1), "09:00");
}

TEST_F(StageCharts, AxesAndLegendsDifferOnlyWhereTheChartsDo)
{
    Fill(hypnogram, Staircase(120), 0);
    Fill(trend, Staircase(120), 0);
    const CChartState& h = hypnogram.State();
    const CChartState& t = trend.State();
    EXPECT_EQ(h.GetChartType(), kChartTypeLine2d);
    EXPECT_EQ(t.GetChartType(), kChartTypeLine2d);
    EXPECT_EQ(h.Axis(kAxisY).valueScale.maximum, 5.0);
    EXPECT_EQ(h.Axis(kAxisY).valueScale.majorDivision, 1);
    EXPECT_EQ(h.Axis(kAxisY).valueScale.minorDivision, 5);
    EXPECT_EQ(h.Axis(kAxisY).majorPenStyle, 3);
    EXPECT_EQ(t.Axis(kAxisY).valueScale.maximum, 100.0);
    EXPECT_EQ(t.Axis(kAxisY).valueScale.majorDivision, 5);
    EXPECT_EQ(h.Axis(kAxisX).title.text, "睡眠経過");
    EXPECT_EQ(t.Axis(kAxisY).title.text, "％");
    EXPECT_EQ(h.Axis(kAxisX).categoryScale.divisionsPerLabel, 20);
    EXPECT_EQ(h.Axis(kAxisX).categoryScale.divisionsPerTick, 120);
    EXPECT_TRUE(h.Axis(kAxisY2).hide);
    EXPECT_EQ(h.Series(2).label, "REM");
    EXPECT_EQ(t.Series(4).label, "β波(12-40Hz)");
    EXPECT_EQ(h.Series(2).brush.fillColor.green, 255);
    EXPECT_TRUE(t.Series(2).brush.fillColor.automatic);  // the band trend sets no colours
    EXPECT_TRUE(h.GetShowLegend() && t.GetShowLegend());
}

TEST_F(StageCharts, StartTimesAfterConstruction)
{
    const std::time_t before = std::time(nullptr);
    CFftTrendMSChart fresh;
    EXPECT_GE(fresh.GetStartTime(), before);
    EXPECT_LE(fresh.GetStartTime(), std::time(nullptr));
    EXPECT_EQ(CHypnogramMSChart().GetStartTime(), 0);
    EXPECT_EQ(fresh.GetCount(), 120);
}

TEST_F(StageCharts, PlotRectangleIsFixedAndTheHypnogramNarrowsOnlyOnce)
{
    Fill(trend, Staircase(120), 0);
    const sChartRect trendRect = trend.State().LocationRect();
    EXPECT_FALSE(trend.State().GetAutoLayout());
    EXPECT_EQ(trendRect.min.x, 130.0f);

    Fill(hypnogram, Staircase(120), 0);
    const sChartRect first = hypnogram.State().LocationRect();
    EXPECT_EQ(first.min.x, 1000.0f);
    hypnogram.Update();
    const sChartRect second = hypnogram.State().LocationRect();
    EXPECT_FLOAT_EQ(second.max.x - first.max.x, 720.0f);
    EXPECT_EQ(second.min.y, first.min.y);
    EXPECT_EQ(second.max.y, first.max.y);
    // The twips land as pixels: 1000 twips is 66.7 px at 96 dpi.
    EXPECT_NEAR(hypnogram.GetPlotRect().left(), 67, 1);

    hypnogram.InitData();  // the narrowing applies again after InitData
    hypnogram.Update();
    EXPECT_FLOAT_EQ(hypnogram.State().LocationRect().max.x, first.max.x);
}

TEST_F(StageCharts, StagesDrawAsStepsAtTheirHeightsAndEmptyEpochsStayEmpty)
{
    Fill(hypnogram, Staircase(120), LocalTime(2024, 3, 1, 22, 0));
    const QImage image = RenderChart(hypnogram);
    const QRect axes = hypnogram.GetAxesRect();
    for (int row = 1; row <= 120; ++row) {
        const int code = 4 - (row - 1) % 5;
        const double centre = axes.left() + (row - 0.5) * axes.width() / 120.0;
        const int x = static_cast<int>(centre);
        if (code == 0) {
            for (const QRgb colour : kStageColours)
                EXPECT_FALSE(ColumnHas(image, x, axes.top(), axes.bottom(), colour)) << "row " << row;
            continue;
        }
        const int series = 5 - code;
        const auto pos = hypnogram.GetPointPos(series, row);
        ASSERT_TRUE(pos.has_value());
        EXPECT_EQ(pos->y(), axes.top() + axes.height() - static_cast<int>(std::lround(code / 5.0 * axes.height())));
        EXPECT_EQ(PixelAt(image, pos->x(), pos->y()), kStageColours[series - 1]) << "row " << row;
        for (int other = 1; other <= 4; ++other) {
            if (other == series)
                continue;
            EXPECT_FALSE(ColumnHas(image, x, axes.top(), axes.bottom(), kStageColours[other - 1]))
                << "row " << row << " series " << other;
        }
    }
    // The dotted grid line at the top level.
    int grey = 0;
    for (int x = axes.left(); x < axes.right(); ++x)
        grey += PixelAt(image, x, axes.top()) == Rgb(128, 128, 128);
    EXPECT_GT(grey, axes.width() / 5);
    EXPECT_LT(grey, axes.width() * 2 / 3);
}

TEST_F(StageCharts, LabelsStandAtEveryTwentiethEpochOnly)
{
    Fill(hypnogram, Staircase(120), LocalTime(2024, 3, 1, 22, 0));
    const QImage image = RenderChart(hypnogram);
    const QRect axes = hypnogram.GetAxesRect();
    const int labelTop = axes.top() + axes.height() + 6;
    auto inkNear = [&](int row) {
        const int x = static_cast<int>(axes.left() + (row - 0.5) * axes.width() / 120.0);
        for (int y = labelTop; y < labelTop + 12; ++y)
            for (int dx = -1; dx <= 1; ++dx)
                if (PixelAt(image, x + dx, y) == Rgb(0, 0, 0))
                    return true;
        return false;
    };
    for (const int row : {1, 21, 41, 61, 81, 101})
        EXPECT_TRUE(inkNear(row)) << row;
    for (const int row : {11, 31, 51, 71, 91, 111})
        EXPECT_FALSE(inkNear(row)) << row;
}

TEST_F(StageCharts, LoneEpochOfALongNightIsStillVisible)
{
    std::vector<std::int32_t> codes(2880, 0);
    codes[1500] = 3;
    Fill(hypnogram, codes, 0);
    const QImage image = RenderChart(hypnogram);
    const auto pos = hypnogram.GetPointPos(2, 1501);
    ASSERT_TRUE(pos.has_value());
    int hits = 0;
    for (int dx = -3; dx <= 3; ++dx)
        hits += PixelAt(image, pos->x() + dx, pos->y()) == kStageColours[1];
    EXPECT_GE(hits, 2);
}

TEST_F(StageCharts, NoEpochsDrawAxesAndLegendOnly)
{
    Fill(hypnogram, {}, 0);
    EXPECT_EQ(hypnogram.State().GetRowCount(), 0);
    const QImage image = RenderChart(hypnogram);
    const QRect axes = hypnogram.GetAxesRect();
    ASSERT_FALSE(axes.isEmpty());
    for (const QRgb colour : kStageColours)
        for (int x = axes.left(); x <= axes.right(); x += 3)
            ASSERT_FALSE(ColumnHas(image, x, axes.top(), axes.bottom(), colour));
    EXPECT_FALSE(hypnogram.GetLegendRect().isEmpty());
    QTest::mouseClick(&hypnogram, Qt::LeftButton, {}, axes.center());
    EXPECT_TRUE(messages.empty());
}

TEST_F(StageCharts, ClickOnAPointNamesItsSeriesAndDataPoint)
{
    std::vector<std::int32_t> codes = Staircase(120);
    codes[14] = 3;  // REM in epoch 15
    Fill(hypnogram, codes, 0);
    const auto rem = hypnogram.GetPointPos(2, 15);
    ASSERT_TRUE(rem.has_value());
    QTest::mouseClick(&hypnogram, Qt::LeftButton, {}, *rem);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0], "Series:2,DataPoint:15");

    // A click beside the points selects the chart; the chart cancels that, and shows nothing.
    short seen = -1;
    QObject::connect(&hypnogram, &CMschart::ChartSelected, [&](short, short* cancel) { seen = *cancel; });
    QTest::mouseClick(&hypnogram, Qt::LeftButton, {}, QPoint(3, 3));
    EXPECT_EQ(seen, 1);
    EXPECT_EQ(messages.size(), 1u);

    // An epoch without a stage gives no point to click.
    EXPECT_FALSE(hypnogram.GetPointPos(1, 5).has_value());
}

TEST_F(StageCharts, PointMessageIsAPlainBoxWithTheApplicationsName)
{
    CHypnogramMSChart chart;
    chart.resize(900, 200);
    Fill(chart, Staircase(120), 0);
    QString text;
    QString caption;
    QMessageBox::Icon icon = QMessageBox::Warning;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        text = box->text();
        caption = box->windowTitle();
        icon = box->icon();
        box->accept();
    });
    QTest::mouseClick(&chart, Qt::LeftButton, {}, *chart.GetPointPos(1, 1));
    EXPECT_EQ(text, "Series:1,DataPoint:1");
    EXPECT_EQ(caption, QCoreApplication::applicationName());
    EXPECT_EQ(icon, QMessageBox::NoIcon);
}
