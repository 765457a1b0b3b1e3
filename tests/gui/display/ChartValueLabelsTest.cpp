// Value labels of the bar chart: each stands on its own bar, none covers another, a bar past
// the top of the scale still shows that it reaches the top, and the font is made smaller only
// when no row is free.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ChartTestSupport.h"
#include "display/ChartValueLabels.h"
#include "display/FftMSChart.h"

namespace {

void ExpectApartAndInside(const std::vector<QRect>& boxes, const QRect& bounds)
{
    for (std::size_t i = 0; i < boxes.size(); ++i) {
        EXPECT_TRUE(boxes[i].isEmpty() || bounds.contains(boxes[i])) << "box " << i;
        for (std::size_t j = i + 1; j < boxes.size(); ++j)
            EXPECT_FALSE(boxes[i].intersects(boxes[j])) << "boxes " << i << " and " << j;
    }
}

}  // namespace

TEST(ValueLabelPlacement, LabelsThatWouldCoverANeighbourTakeTheNextFreeRow)
{
    // Four bars 30 px wide side by side, labels 12 px high and 44 px wide: each label is
    // wider than its bar. The plot's scale runs from y 16 (top) to 150 (the x axis).
    struct sCase {
        const char* name;
        int valueY;
        int boundsHeight;
        std::vector<int> tops;  // -1: no place
    };
    const sCase cases[] = {
        // Past the top: above the plot where that row is free, else inside the bar just below its top.
        {"bars past the top", 16, 150, {2, 18, 2, 18}},
        // No bars at all: the second and fourth labels go a row up.
        {"tiny values", 150, 150, {136, 123, 136, 123}},
        {"bars halfway", 80, 150, {66, 53, 66, 53}},
        // A single row: the labels that find no free place are left out.
        {"one row only", 150, 14, {136, -1, 136, -1}},
    };
    for (const sCase& c : cases) {
        SCOPED_TRACE(c.name);
        const QRect bounds(0, 150 - c.boundsHeight, 200, c.boundsHeight);
        std::vector<sLabelAnchor> anchors;
        for (int k = 0; k < 4; ++k)
            anchors.push_back({40 + 30 * k, 70 + 30 * k, c.valueY, 44});
        const std::vector<QRect> boxes = CChartValueLabels::PlaceBoxes(anchors, 12, bounds);
        ASSERT_EQ(boxes.size(), 4u);
        ExpectApartAndInside(boxes, bounds);
        for (std::size_t k = 0; k < 4; ++k) {
            const int expected = c.tops[k];
            if (expected < 0) {
                EXPECT_TRUE(boxes[k].isEmpty()) << k;
                continue;
            }
            EXPECT_EQ(boxes[k].top(), expected) << k;
            EXPECT_EQ(boxes[k].left() + boxes[k].width() / 2, anchors[k].columnLeft + 15) << k;  // centred on its bar
        }
    }
}

TEST(ValueLabelPlacement, SpectrumLabelsStayApartOnTheirBarsWithTheirTextsUnchanged)
{
    struct sCase {
        const char* name;
        float bands[4];
        const char* texts[4];
        QSize size;
        bool smallerFont;
    };
    const sCase cases[] = {
        {"bars far past the maximum", {5252.03f, 3272.98f, 8064.4f, 584.3f}, {"5252.03", "3272.98", "8064.4", "584.3"},
         {340, 300}, false},
        {"tiny values", {0.000779f, 0.00276f, 0.0005f, 0.0123f}, {"0.000779", "0.00276", "0.0005", "0.0123"},
         {340, 300}, false},
        // Too small for rows of full-size labels.
        {"a small chart", {0.000779f, 0.00276f, 0.0005f, 0.0123f}, {"0.000779", "0.00276", "0.0005", "0.0123"},
         {230, 80}, true},
    };
    const QRgb labelColours[4] = {Rgb(128, 0, 0), Rgb(0, 128, 0), Rgb(0, 0, 128), Rgb(192, 192, 0)};
    const QRgb barColours[4] = {Rgb(255, 0, 0), Rgb(0, 255, 0), Rgb(0, 0, 255), Rgb(255, 255, 0)};
    for (const sCase& c : cases) {
        SCOPED_TRACE(c.name);
        CFftMSChart chart;
        chart.resize(c.size);
        chart.SetVerticalMax(20.0, 1);
        chart.SetCount(4);
        chart.SetData(c.bands);
        chart.Update(0);
        const sChartGeometry g = chart.Geometry();
        const sValueLabels placed = chart.GetValueLabels();
        const QImage image = RenderChart(chart);

        EXPECT_EQ(placed.font.pixelSize() < g.fonts.label.pixelSize(), c.smallerFont);
        ASSERT_EQ(placed.labels.size(), 4u);
        std::vector<QRect> boxes;
        for (std::size_t k = 0; k < 4; ++k) {
            const sValueLabel& label = placed.labels[k];
            boxes.push_back(label.box);
            EXPECT_EQ(label.text.toStdString(), c.texts[k]);
            const auto [left, right] = CChartLayout::BarColumns(g, label.series, 1);
            EXPECT_GE(label.box.center().x(), left) << k;
            EXPECT_LT(label.box.center().x(), right) << k;
            // Drawn in its colour on the backdrop's, also over a bar, and not covered by
            // anything drawn later.
            int ink = 0;
            int backdrop = 0;
            for (int y = label.box.top(); y <= label.box.bottom(); ++y)
                for (int x = label.box.left(); x <= label.box.right(); ++x) {
                    ink += PixelAt(image, x, y) == labelColours[k];
                    backdrop += PixelAt(image, x, y) == Rgb(240, 240, 240);
                }
            EXPECT_GT(ink, 5) << k;
            EXPECT_GT(backdrop, label.box.width() * label.box.height() / 2) << k;
            // A bar past the maximum still shows that it reaches the top of the scale.
            if (c.bands[k] > 20.0f) {
                EXPECT_EQ(PixelAt(image, (left + right) / 2, g.axes.top()), barColours[k]) << k;
            }
        }
        ExpectApartAndInside(boxes, g.control);
    }
}
