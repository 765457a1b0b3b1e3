// The graph layout: the sixteen layouts of the four display check boxes at two client sizes,
// in real time and in review, with the review row's rules; the worked example; tiny client
// areas; the view commands and the status fields.
#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QTest>

#include <cmath>
#include <optional>

#include "WindowHarness.h"
#include "mainwindow/GraphLayout.h"
#include "support/Screenshot.h"

namespace {

struct B {
    double x, y, w, h;
};
using Opt = std::optional<B>;

// The sixteen layouts written out by hand (band percent), independently of the program:
// EEG, EMG, spectrum, hypnogram, band trend, and the y of the review row (NAN: no row).
struct Row {
    const char* checks;  // E M F A
    Opt eeg, emg, fft, hyp, trend;
    double rowY;
};

const double n = 194.0 / 3, fx = 200.0 / 3, fw = 97.0 / 3;
const std::vector<Row> kTable = {
    {"1111", B{1, 1, n, 182.0 / 9}, B{1, 227.0 / 9, n, 182.0 / 9}, B{fx, 1, fw, 91.0 / 3},
     B{1, 427.0 / 9, 98, 182.0 / 9}, B{1, 206.0 / 3, 98, 91.0 / 3}, 1973.0 / 90},
    {"1110", B{1, 1, n, 47}, B{1, 52, n, 47}, B{fx, 1, fw, 70.5}, {}, {}, 48.7},
    {"1101", B{1, 1, 98, 182.0 / 9}, B{1, 227.0 / 9, 98, 182.0 / 9}, {}, B{1, 427.0 / 9, 98, 182.0 / 9},
     B{1, 206.0 / 3, 98, 91.0 / 3}, 1973.0 / 90},
    {"1100", B{1, 1, 98, 47}, B{1, 52, 98, 47}, {}, {}, {}, 48.7},
    {"1011", B{1, 1, n, 26.2}, {}, B{fx, 1, fw, 26.2}, B{1, 32.5, 98, 26.2}, B{1, 59.7, 98, 39.3}, 27.9},
    {"1010", B{1, 1, n, 94.7}, {}, B{fx, 1, fw, 94.7}, {}, {}, 96.4},
    {"1001", B{1, 1, 98, 26.2}, {}, {}, B{1, 32.5, 98, 26.2}, B{1, 59.7, 98, 39.3}, 27.9},
    {"1000", B{1, 1, 98, 94.7}, {}, {}, {}, {}, 96.4},
    {"0111", {}, B{1, 1, n, 26.2}, B{fx, 1, fw, 26.2}, B{1, 32.5, 98, 26.2}, B{1, 59.7, 98, 39.3}, 27.9},
    {"0110", {}, B{1, 1, n, 94.7}, B{fx, 1, fw, 94.7}, {}, {}, 96.4},
    {"0101", {}, B{1, 1, 98, 26.2}, {}, B{1, 32.5, 98, 26.2}, B{1, 59.7, 98, 39.3}, 27.9},
    {"0100", {}, B{1, 1, 98, 94.7}, {}, {}, {}, 96.4},
    {"0011", {}, {}, B{1, 1, 98, 26.2}, B{1, 32.5, 98, 26.2}, B{1, 59.7, 98, 39.3}, NAN},
    {"0010", {}, {}, B{1, 1, 98, 94.7}, {}, {}, NAN},
    {"0001", {}, {}, {}, B{1, 1, 98, 38.8}, B{1, 40.8, 98, 58.2}, NAN},
    {"0000", {}, {}, {}, {}, {}, NAN},
};

// Band percent to pixels by the layout rule: the band lies between 60 pixels
// at the top and 20 at the bottom; each percentage is divided by 100, then multiplied by
// the extent and truncated.
QRect Pixels(const QSize& client, const B& b)
{
    const int W = client.width(), H = client.height();
    const double top = 60.0 / H * 100, bottom = 20.0 / H * 100, s = (100 - top - bottom) / 100;
    return QRect(int(W * (b.x / 100)), int(H * ((top + s * b.y) / 100)), int(W * (b.w / 100)),
                 int(H * ((s * b.h) / 100)));
}

void SetChecks(WindowHarness& h, const char* checks)
{
    const int ids[4] = {1074, 1075, 1076, 1083};
    for (int i = 0; i < 4; ++i)
        h.Item<QCheckBox>(ids[i])->setChecked(checks[i] == '1');
}

void ResizeClient(WindowHarness& h, const QSize& client)
{
    h.dlg->resize(client.width(), client.height() + h.dlg->menuBar()->height());
    QCoreApplication::processEvents();
    ASSERT_EQ(h.Probe().ClientArea()->size(), client);
}

void ExpectPlaced(WindowHarness& h, int id, const QSize& client, const Opt& band, const char* what)
{
    SCOPED_TRACE(std::string(what) + " " + std::to_string(id));
    QWidget* w = h.dlg->DlgItem(id);
    if (band) {
        EXPECT_TRUE(w->isVisible());
        EXPECT_EQ(w->geometry(), Pixels(client, *band));
    } else {
        EXPECT_FALSE(w->isVisible());
        EXPECT_EQ(w->geometry(), Pixels(client, B{0, 0, 0, 0}));
    }
}

}  // namespace

TEST(MainWindowLayout, WorkedExampleOfTheDefaultLayout)
{
    const auto p = ComputeGraphLayout(1000, 700, sGraphChoice{}, true);
    EXPECT_EQ(p[kLayoutEeg].rect, (sPixelRect{10, 66, 646, 291}));
    EXPECT_EQ(p[kLayoutEmg].rect, (sPixelRect{10, 382, 646, 291}));
    EXPECT_EQ(p[kLayoutFft].rect, (sPixelRect{666, 66, 323, 437}));
    EXPECT_EQ(p[kLayoutLeftArrow].rect, (sPixelRect{10, 361, 32, 16}));
    EXPECT_EQ(p[kLayoutScrollBar].rect, (sPixelRect{48, 361, 569, 16}));
    EXPECT_EQ(p[kLayoutRightArrow].rect, (sPixelRect{624, 361, 32, 16}));
    const auto s = StatusFieldRects(1000, 700);
    EXPECT_EQ(s[0], (sPixelRect{0, 680, 200, 20}));
    EXPECT_EQ(s[1], (sPixelRect{200, 680, 400, 20}));
    EXPECT_EQ(s[2], (sPixelRect{600, 680, 400, 20}));
}

TEST(MainWindowLayout, AllSixteenLayoutsAtTwoSizesInRealTimeAndReview)
{
    WindowHarness h;
    for (bool review : {false, true}) {
        if (review)
            h.Probe().EnterReview("a.edf", "", 600);
        for (const QSize client : {QSize(1000, 700), QSize(640, 481)}) {
            ResizeClient(h, client);
            for (const Row& row : kTable) {
                SCOPED_TRACE(std::string(row.checks) + (review ? " review " : " real time ") +
                             std::to_string(client.width()) + "x" + std::to_string(client.height()));
                SetChecks(h, row.checks);
                h.dlg->ArrangeGraphs();
                ExpectPlaced(h, 1012, client, row.eeg, "EEG");
                ExpectPlaced(h, 1013, client, row.emg, "EMG");
                ExpectPlaced(h, 1060, client, row.fft, "spectrum");
                ExpectPlaced(h, 1111, client, row.hyp, "hypnogram");
                ExpectPlaced(h, 1112, client, row.trend, "band trend");

                // The review row: under the lowest graph, widths from the graph column; shown
                // only in review; hidden at zero size when no graph is shown.
                const Opt graph = row.eeg ? row.eeg : row.emg;
                if (graph) {
                    const double wg = graph->w;
                    const B left{1, row.rowY, wg * 5 / 100, 2.6};
                    const B bar{wg * 6 / 100 + 1, row.rowY, wg * 88 / 100, 2.6};
                    const B right{bar.x + bar.w + wg * 1 / 100, row.rowY, wg * 5 / 100, 2.6};
                    EXPECT_EQ(h.dlg->DlgItem(1081)->geometry(), Pixels(client, left));
                    EXPECT_EQ(h.dlg->DlgItem(1080)->geometry(), Pixels(client, bar));
                    EXPECT_EQ(h.dlg->DlgItem(1082)->geometry(), Pixels(client, right));
                    for (int id : {1081, 1080, 1082})
                        EXPECT_EQ(h.dlg->DlgItem(id)->isVisible(), review) << id;
                } else {
                    for (int id : {1081, 1080, 1082}) {
                        EXPECT_FALSE(h.dlg->DlgItem(id)->isVisible()) << id;
                        EXPECT_EQ(h.dlg->DlgItem(id)->geometry(), Pixels(client, B{0, 0, 0, 0})) << id;
                    }
                }
                const int H = client.height();
                EXPECT_EQ(h.dlg->DlgItem(1092)->geometry(), QRect(0, H - 20, 200, 20));
                EXPECT_EQ(h.dlg->DlgItem(1094)->geometry(), QRect(200, H - 20, 400, 20));
                EXPECT_EQ(h.dlg->DlgItem(1093)->geometry(), QRect(600, H - 20, client.width() - 600, 20));
            }
        }
    }
}

TEST(MainWindowLayout, ReviewRowFollowsTheGraphCheckBoxesOnlyInReview)
{
    WindowHarness h;
    h.Probe().EnterReview("a.edf", "", 600);
    auto* eeg = h.Item<QCheckBox>(1074);
    auto* emg = h.Item<QCheckBox>(1075);
    QTest::mouseClick(eeg, Qt::LeftButton);
    QTest::mouseClick(emg, Qt::LeftButton);
    ASSERT_FALSE(eeg->isChecked());
    for (int id : {1081, 1080, 1082})
        EXPECT_FALSE(h.dlg->DlgItem(id)->isVisible()) << id;
    QTest::mouseClick(emg, Qt::LeftButton);
    for (int id : {1081, 1080, 1082})
        EXPECT_TRUE(h.dlg->DlgItem(id)->isVisible()) << id;

    // Back in real time a checked graph brings no review row.
    h.dlg->SetMode(0);
    QTest::mouseClick(emg, Qt::LeftButton);
    QTest::mouseClick(emg, Qt::LeftButton);
    for (int id : {1081, 1080, 1082})
        EXPECT_FALSE(h.dlg->DlgItem(id)->isVisible()) << id;
}

TEST(MainWindowLayout, TinyClientAreasGiveNoNegativeOrInfiniteSizes)
{
    for (const QSize client : {QSize(1000, 80), QSize(1000, 50), QSize(1000, 0), QSize(0, 700), QSize(0, 0)}) {
        for (int bits = 0; bits < 16; ++bits) {
            const sGraphChoice choice{bool(bits & 8), bool(bits & 4), bool(bits & 2), bool(bits & 1)};
            for (const sLayoutPlacement& p : ComputeGraphLayout(client.width(), client.height(), choice, true)) {
                EXPECT_GE(p.rect.width, 0);
                EXPECT_GE(p.rect.height, 0);
                EXPECT_EQ(p.rect, sPixelRect{});
            }
        }
    }
    // 81 pixels leaves a band of one pixel; sizes stay non-negative.
    for (const sLayoutPlacement& p : ComputeGraphLayout(1000, 81, sGraphChoice{}, true)) {
        EXPECT_GE(p.rect.width, 0);
        EXPECT_GE(p.rect.height, 0);
    }
    EXPECT_EQ(StatusFieldRects(599, 300)[2].width, 0);
    EXPECT_EQ(StatusFieldRects(0, 0)[2].width, 0);

    WindowHarness h;
    h.dlg->resize(400, 60);
    QCoreApplication::processEvents();
    for (int id : {1012, 1013, 1060, 1111, 1112, 1080, 1081, 1082, 1092, 1093, 1094}) {
        EXPECT_GE(h.dlg->DlgItem(id)->width(), 0) << id;
        EXPECT_GE(h.dlg->DlgItem(id)->height(), 0) << id;
    }
}

TEST(MainWindowLayout, ViewCommandsToggleTheirCheckBoxAndTheLayout)
{
    WindowHarness h;
    const QSize client = h.Probe().ClientArea()->size();
    QAction* fft = h.dlg->CommandAction(32852);
    auto* box = h.Item<QCheckBox>(1076);
    // Opening the menu puts the marks in step with the check boxes.
    Q_EMIT h.dlg->menuBar()->actions()[1]->menu()->aboutToShow();
    ASSERT_TRUE(fft->isChecked());

    fft->trigger();
    EXPECT_FALSE(fft->isChecked());
    EXPECT_FALSE(box->isChecked());
    EXPECT_FALSE(h.dlg->DlgItem(1060)->isVisible());
    EXPECT_EQ(h.dlg->DlgItem(1012)->geometry(), Pixels(client, B{1, 1, 98, 47}));

    fft->trigger();
    EXPECT_TRUE(fft->isChecked());
    EXPECT_TRUE(box->isChecked());
    EXPECT_TRUE(h.dlg->DlgItem(1060)->isVisible());
    EXPECT_EQ(h.dlg->DlgItem(1012)->geometry(), Pixels(client, B{1, 1, n, 47}));

    // The check box changed by a click: the menu follows when it opens, then the command
    // toggles from there.
    QTest::mouseClick(h.Item<QCheckBox>(1074), Qt::LeftButton);
    EXPECT_FALSE(h.dlg->DlgItem(1012)->isVisible());
    Q_EMIT h.dlg->menuBar()->actions()[1]->menu()->aboutToShow();
    QAction* eeg = h.dlg->CommandAction(32850);
    EXPECT_FALSE(eeg->isChecked());
    eeg->trigger();
    EXPECT_TRUE(h.Item<QCheckBox>(1074)->isChecked());
    EXPECT_TRUE(h.dlg->DlgItem(1012)->isVisible());

    // Commanding by id (as the routing does) behaves like the menu.
    h.dlg->OnCommand(32851);
    EXPECT_FALSE(h.Item<QCheckBox>(1075)->isChecked());
    EXPECT_FALSE(h.dlg->CommandAction(32851)->isChecked());
}

namespace {

// The default layout (EEG, EMG and spectrum) of a client area of that size, status line included.
void ExpectDefaultLayout(WindowHarness& h, const QSize& client)
{
    EXPECT_EQ(h.dlg->DlgItem(1012)->geometry(), Pixels(client, B{1, 1, n, 47}));
    EXPECT_EQ(h.dlg->DlgItem(1060)->geometry(), Pixels(client, B{fx, 1, fw, 70.5}));
    EXPECT_EQ(h.dlg->DlgItem(1092)->geometry(), QRect(0, client.height() - 20, 200, 20));
    EXPECT_EQ(h.dlg->DlgItem(1093)->geometry(), QRect(600, client.height() - 20, client.width() - 600, 20));
}

}  // namespace

TEST(MainWindowLayout, ResizingKeepsTheControlsAtTheirPercentages)
{
    WindowHarness h;
    const QSize sizes[] = {QSize(1200, 900), QSize(1200, 901), QSize(801, 555)};
    for (const QSize client : sizes) {
        ResizeClient(h, client);
        ExpectDefaultLayout(h, client);
    }
}

// On a screen with less room than the template the window opens within the screen's available
// area, frame included, laid out as a resize to that size lays it out; on a larger screen it
// keeps its size and place.
TEST(MainWindowLayout, TheWindowOpensWithinTheScreen)
{
    struct Case {
        const char* screen;  // a screen of the test platform (GuiTestMain)
        QSize size;          // the window's, frame excluded; empty: the template's
        QPoint at;           // where the frame ends up, from the area's top left
        const char* screenshot;
    };
    // The window is placed at (100, 50) in the area before it shows; the frame is 2 px a side.
    const Case cases[] = {{"desktop", QSize(), QPoint(100, 50), nullptr},
                          {"laptop", QSize(1143, 764), QPoint(100, 0), "mainwindow_laptop_1366x768"},
                          {"small", QSize(796, 596), QPoint(0, 0), "mainwindow_small_800x600"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.screen);
        QScreen* screen = nullptr;
        for (QScreen* s : QGuiApplication::screens())
            if (s->name() == QLatin1String(c.screen))
                screen = s;
        ASSERT_TRUE(screen);
        const QRect area = screen->availableGeometry();
        WindowHarness h({}, false);
        const QSize templateSize = h.dlg->size();
        h.dlg->move(area.topLeft() + QPoint(100, 50));
        h.dlg->show();
        QCoreApplication::processEvents();
        EXPECT_EQ(h.dlg->screen(), screen);
        EXPECT_EQ(h.dlg->size(), c.size.isEmpty() ? templateSize : c.size);
        EXPECT_EQ(h.dlg->pos(), area.topLeft() + c.at);
        const QRect frame = h.dlg->frameGeometry();
        EXPECT_TRUE(area.contains(frame)) << frame.width() << "x" << frame.height();
        const QSize client = h.Probe().ClientArea()->size();
        EXPECT_EQ(client, QSize(h.dlg->width(), h.dlg->height() - h.dlg->menuBar()->height()));
        ExpectDefaultLayout(h, client);
        for (int id : {1092, 1093, 1094})
            EXPECT_TRUE(h.dlg->DlgItem(id)->isVisible()) << id;
        if (c.screenshot) {
            EXPECT_TRUE(SaveScreenshot(*h.dlg, QString::fromLatin1(c.screenshot)));
        }
    }
}

TEST(MainWindowLayout, ShownChartsAreSentTheirDataAgainAndHiddenOnesAreNot)
{
    WindowHarness h;
    CFftMSChart* fft = h.Probe().ChartFft();
    // Values reach the chart control only when the chart is updated.
    const float first[4] = {1, 2, 3, 4};
    fft->SetCount(4);
    fft->SetData(first);
    ASSERT_EQ(fft->State().GetValue(1, 1), 0.0);
    h.dlg->ArrangeGraphs();
    EXPECT_EQ(fft->State().GetValue(1, 1), 1.0);

    SetChecks(h, "1100");
    const float second[4] = {5, 6, 7, 8};
    fft->SetData(second);
    h.dlg->ArrangeGraphs();
    EXPECT_EQ(fft->State().GetValue(1, 1), 1.0);
}
