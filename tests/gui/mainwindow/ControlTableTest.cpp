// Every control of the main window (id, class, caption, geometry, visible, enabled, checked)
// and every command's enabled state, in modes 0, 1, 2 and 4, against tables written out by
// hand; and the menu bar item by item.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAction>
#include <QCheckBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>

#include "WindowHarness.h"

namespace {

// Band percentages to pixels by the layout rule.
QRect Band(const QSize& client, double x, double y, double w, double h)
{
    const int W = client.width();
    const int H = client.height();
    const double top = 60.0 / H * 100;
    const double bottom = 20.0 / H * 100;
    const double s = (100 - top - bottom) / 100;
    return QRect(int(W * (x / 100)), int(H * ((top + s * y) / 100)), int(W * (w / 100)),
                 int(H * ((s * h) / 100)));
}

enum : int { kNoCheck = -1 };

struct Expect {
    int id;
    const char* cls;
    const char* caption;  // nullptr: not compared
    QRect geometry;
    bool visible;
    bool enabled;
    int checked;
};

// The controls whose place does not depend on the mode or the client size (template
// dialog units × 1.5, rounded half up), and their captions. The labels are a text line high,
// the check boxes as wide as their captions need, and the group box keeps 6 pixels right of
// the widest of them.
const QRect k1071(468, 36, 101, 13), k1072(575, 33, 140, 18), k1073(749, 3, 115, 54),
    k1074(753, 18, 40, 15), k1075(753, 36, 40, 15), k1076(794, 18, 62, 15), k1077(468, 15, 101, 13),
    k1078(575, 11, 140, 20), k1083(794, 36, 64, 15), k1084(123, 54, 105, 35), k1085(239, 54, 105, 35),
    k1079(351, 53, 105, 35);

// The controls the graph layout and the status line place, for the first layout (EEG, EMG
// and spectrum checked).
std::vector<Expect> LayoutControls(const QSize& c, bool review)
{
    const double wg = 194.0 / 3;
    const QRect hidden = Band(c, 0, 0, 0, 0);
    const int H = c.height();
    return {
        {1012, "CRealTimeGraph", nullptr, Band(c, 1, 1, wg, 47), true, true, kNoCheck},
        {1013, "CRealTimeGraph", nullptr, Band(c, 1, 52, wg, 47), true, true, kNoCheck},
        {1060, "CFftMSChart", nullptr, Band(c, 200.0 / 3, 1, 97.0 / 3, 70.5), true, true, kNoCheck},
        {1111, "CHypnogramMSChart", nullptr, hidden, false, true, kNoCheck},
        {1112, "CFftTrendMSChart", nullptr, hidden, false, true, kNoCheck},
        {1081, "QPushButton", "←", Band(c, 1, 48.7, wg * 5 / 100, 2.6), review, true, kNoCheck},
        {1080, "QScrollBar", nullptr, Band(c, wg * 6 / 100 + 1, 48.7, wg * 88 / 100, 2.6), review, true, kNoCheck},
        {1082, "QPushButton", "→",
         Band(c, wg * 6 / 100 + 1 + wg * 88 / 100 + wg * 1 / 100, 48.7, wg * 5 / 100, 2.6), review, true, kNoCheck},
        {1092, "QLabel", nullptr, QRect(0, H - 20, 200, 20), true, true, kNoCheck},
        {1094, "QLabel", nullptr, QRect(200, H - 20, 400, 20), true, true, kNoCheck},
        {1093, "QLabel", nullptr, QRect(600, H - 20, c.width() - 600, 20), true, true, kNoCheck},
    };
}

std::vector<Expect> FixedControls()
{
    return {
        {1071, "QLabel", "現在時刻：", k1071, true, true, kNoCheck},
        {1072, "QLineEdit", "", k1072, true, true, kNoCheck},
        {1073, "CGroupBox", "表示グラフ", k1073, true, true, kNoCheck},
        {1074, "QCheckBox", "脳波", k1074, true, true, 1},
        {1075, "QCheckBox", "筋電", k1075, true, true, 1},
        {1076, "QCheckBox", "脳波FFT", k1076, true, true, 1},
        {1077, "QLabel", "計測開始時刻：", k1077, true, true, kNoCheck},
        {1078, "QLineEdit", "", k1078, true, true, kNoCheck},
        {1083, "QCheckBox", "解析結果", k1083, false, false, 0},
    };
}

// The top row in modes 0, 1, 2: start, stop, open; back, analysis hidden at their places.
std::vector<Expect> RealTimeButtons(bool start, bool stop, bool open)
{
    return {
        {1068, "QPushButton", "計測開始", QRect(5, 10, 120, 35), true, start, kNoCheck},
        {1069, "QPushButton", "計測停止", QRect(130, 10, 120, 35), true, stop, kNoCheck},
        {1070, "QPushButton", "EDFファイルオープン", QRect(255, 10, 120, 35), true, open, kNoCheck},
        {1079, "CMultiLineButton", "リアルタイム計測モードに戻る", k1079, false, true, kNoCheck},
        {1084, "QPushButton", "解析開始", k1084, false, true, kNoCheck},
        {1085, "QPushButton", "解析結果保存", k1085, false, true, kNoCheck},
    };
}

void CheckControls(const WindowHarness& h, const std::vector<Expect>& expected, const char* mode)
{
    for (const Expect& e : expected) {
        SCOPED_TRACE(std::string(mode) + ", control " + std::to_string(e.id));
        QWidget* w = h.dlg->DlgItem(e.id);
        ASSERT_NE(w, nullptr);
        EXPECT_EQ(w->objectName(), QString::number(e.id));
        EXPECT_STREQ(w->metaObject()->className(), e.cls);
        if (e.caption) {
            QString text;
            if (auto* b = qobject_cast<QAbstractButton*>(w))
                text = b->text();
            else if (auto* l = qobject_cast<QLabel*>(w))
                text = l->text();
            else if (auto* g = qobject_cast<QGroupBox*>(w))
                text = g->title();
            else if (auto* edit = qobject_cast<QLineEdit*>(w))
                text = edit->text();
            EXPECT_EQ(text, QString::fromUtf8(e.caption));
        }
        EXPECT_EQ(w->geometry(), e.geometry);
        EXPECT_EQ(w->isVisible(), e.visible);
        EXPECT_EQ(w->isEnabled(), e.enabled);
        if (e.checked != kNoCheck) {
            EXPECT_EQ(qobject_cast<QCheckBox*>(w)->isChecked(), e.checked == 1);
        }
    }
}

// Enabled per mode of the seven file and dialog commands: 32777, 32778, 32853, 32781,
// 32855, 32857, 32782.
void CheckCommands(const WindowHarness& h, const std::array<bool, 7>& enabled, const char* mode)
{
    const int ids[7] = {32777, 32778, 32853, 32781, 32855, 32857, 32782};
    for (int i = 0; i < 7; ++i) {
        SCOPED_TRACE(std::string(mode) + ", command " + std::to_string(ids[i]));
        QAction* a = h.dlg->CommandAction(ids[i]);
        ASSERT_NE(a, nullptr);
        EXPECT_EQ(a->data().toInt(), ids[i]);
        EXPECT_EQ(a->isEnabled(), enabled[i]);
    }
}

std::vector<Expect> Join(std::vector<Expect> a, const std::vector<Expect>& b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

}  // namespace

TEST(MainWindowControls, EveryControlAndCommandInModes0124)
{
    WindowHarness h;
    const QSize client = h.Probe().ClientArea()->size();
    ASSERT_EQ(client, QSize(1143, 827));
    EXPECT_EQ(h.dlg->windowTitle(), "Velquin [/dev/ttyUSB0]");
    EXPECT_EQ(h.dlg->findChildren<QWidget*>(QRegularExpression("^\\d{4}$")).size(), 26);

    const std::vector<Expect> fixed = FixedControls();
    CheckControls(h, Join(Join(RealTimeButtons(true, false, true), fixed), LayoutControls(client, false)), "mode 0");
    CheckCommands(h, {true, true, true, true, true, true, true}, "mode 0");

    h.dlg->SetMode(1);
    CheckControls(h, Join(Join(RealTimeButtons(false, false, false), fixed), LayoutControls(client, false)), "mode 1");
    CheckCommands(h, {false, false, false, false, false, false, false}, "mode 1");

    h.dlg->SetMode(2);
    CheckControls(h, Join(Join(RealTimeButtons(false, true, false), fixed), LayoutControls(client, false)), "mode 2");
    CheckCommands(h, {false, false, true, false, false, false, true}, "mode 2");

    h.Probe().EnterReview("a.edf", "TQS27123456", 600);
    const std::vector<Expect> reviewButtons = {
        {1068, "QPushButton", "計測開始", QRect(5, 10, 120, 35), false, false, kNoCheck},
        {1069, "QPushButton", "計測停止", QRect(130, 10, 120, 35), false, true, kNoCheck},
        {1070, "QPushButton", "EDFファイルオープン", QRect(5, 10, 120, 35), true, true, kNoCheck},
        {1079, "CMultiLineButton", "リアルタイム計測モードに戻る", QRect(130, 10, 120, 35), true, true, kNoCheck},
        {1084, "QPushButton", "解析開始", QRect(130, 10, 120, 35), false, true, kNoCheck},
        {1085, "QPushButton", "解析結果保存", QRect(255, 10, 120, 35), false, true, kNoCheck},
    };
    CheckControls(h, Join(Join(reviewButtons, fixed), LayoutControls(client, true)), "mode 4");
    CheckCommands(h, {true, false, true, false, false, false, true}, "mode 4");
    EXPECT_EQ(h.dlg->windowTitle(), "Velquin [a.edf]");
}

TEST(MainWindowControls, LockedModeDisablesButtonsAndCheckBoxesAndGreysEveryCommand)
{
    WindowHarness h;
    h.dlg->SetMode(3);
    for (int id : {1068, 1069, 1070, 1074, 1075, 1076, 1083})
        EXPECT_FALSE(h.dlg->DlgItem(id)->isEnabled()) << id;
    CheckCommands(h, {false, false, false, false, false, false, false}, "mode 3");
    // Back to idle re-runs the whole layout.
    h.dlg->SetMode(0);
    for (int id : {1068, 1070})
        EXPECT_TRUE(h.dlg->DlgItem(id)->isEnabled()) << id;
}

TEST(MainWindowControls, ControlsAreCreatedInTemplateOrderForStackingAndTabOrder)
{
    WindowHarness h;
    const int order[] = {1012, 1060, 1068, 1069, 1070, 1071, 1072, 1013, 1073, 1074, 1075, 1076, 1077,
                         1078, 1079, 1080, 1081, 1082, 1111, 1112, 1083, 1084, 1085, 1092, 1093, 1094};
    QStringList names;
    for (QObject* child : h.Probe().ClientArea()->children())
        if (child->isWidgetType())
            names << child->objectName();
    QStringList expected;
    for (int id : order)
        expected << QString::number(id);
    EXPECT_EQ(names, expected);
    // Enter never clicks a button of this window.
    for (int id : {1068, 1069, 1070, 1079, 1081, 1082, 1084, 1085}) {
        auto* b = h.Item<QPushButton>(id);
        EXPECT_FALSE(b->autoDefault()) << id;
        EXPECT_FALSE(b->isDefault()) << id;
    }
}

namespace {

struct MenuLine {
    int depth;
    const char* caption;  // "-" for a separator
    int id;               // 0 for popups and separators
};

// The menu bar, item by item, written out by hand.
std::vector<MenuLine> ExpectedMenu()
{
    std::vector<MenuLine> m = {
        {0, "ファイル", 0}, {1, "EDFファイルオープン...", 32777}, {1, "保存ファイル設定...", 32778},
        {0, "表示", 0}, {1, "表示グラフ", 0}, {2, "脳波グラフ", 32850}, {2, "筋電グラフ", 32851},
        {2, "脳波FFT", 32852}, {1, "-", 0}, {1, "時間範囲設定", 0},
    };
    const char* times[] = {"2秒", "5秒", "10秒", "15秒", "30秒", "1分", "2分", "5分",
                           "10分", "15分", "30分", "1時間", "2時間", "3時間", "4時間", "ALL"};
    const int timeIds[] = {32787, 32788, 32789, 32790, 32791, 32792, 32793, 32794,
                           32795, 32796, 32797, 32798, 32799, 32800, 32802, 32803};
    for (int i = 0; i < 16; ++i)
        m.push_back({2, times[i], timeIds[i]});
    const char* volts[] = {"±10μV", "±20μV", "±30μV", "±50μV", "±100μV", "±200μV",
                           "±300μV", "±500μV", "±1000μV", "±10000μV", "±20000μV"};
    const int eegIds[] = {32805, 32806, 32847, 32807, 32808, 32809, 32810, 32811, 32812};
    const int emgIds[] = {32813, 32814, 32848, 32815, 32816, 32817, 32818, 32819, 32820, 32858, 32860};
    m.push_back({1, "電圧範囲設定(脳波)", 0});
    for (int i = 0; i < 9; ++i)
        m.push_back({2, volts[i], eegIds[i]});
    m.push_back({1, "電圧範囲設定(筋電)", 0});
    for (int i = 0; i < 11; ++i)
        m.push_back({2, volts[i], emgIds[i]});
    const std::vector<MenuLine> tail = {
        {1, "-", 0}, {1, "FFT設定...", 32853},
        {0, "通信", 0}, {1, "通信設定...", 32781}, {1, "受信機情報設定", 32857},
        {0, "ヘルプ", 0}, {1, "バージョン情報", 32782},
    };
    m.insert(m.end(), tail.begin(), tail.end());
    return m;
}

struct ActualLine {
    int depth;
    QString caption;  // "-" for a separator
    int id;
};

void Walk(const QList<QAction*>& actions, int depth, std::vector<ActualLine>& out)
{
    for (QAction* a : actions) {
        if (a->isSeparator()) {
            out.push_back({depth, QStringLiteral("-"), 0});
            continue;
        }
        out.push_back({depth, a->text(), a->menu() ? 0 : a->data().toInt()});
        if (a->menu())
            Walk(a->menu()->actions(), depth + 1, out);
    }
}

}  // namespace

TEST(MainWindowMenus, MenuBarHasEveryCaptionSeparatorAndCommandIdInOrder)
{
    WindowHarness h;
    std::vector<ActualLine> actual;
    Walk(h.dlg->menuBar()->actions(), 0, actual);
    const std::vector<MenuLine> expected = ExpectedMenu();
    ASSERT_EQ(actual.size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i) {
        SCOPED_TRACE("item " + std::to_string(i));
        EXPECT_EQ(actual[i].depth, expected[i].depth);
        EXPECT_EQ(actual[i].id, expected[i].id);
        EXPECT_EQ(actual[i].caption, QString::fromUtf8(expected[i].caption));
    }
    // The memory-card command exists without a menu item.
    QAction* card = h.dlg->CommandAction(32855);
    ASSERT_NE(card, nullptr);
    EXPECT_TRUE(card->associatedObjects().isEmpty());
}
