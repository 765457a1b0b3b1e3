// A file dragged from another program onto the main window, on a real X server. The drag
// source runs in a process of its own and offers copy, move and link with move proposed, as a
// file manager does; told "moved" it deletes its file, as a file manager may. The window only
// reads the file, so it answers "copied" and opens it. Where it will not open the file
// (talking to the receiver, measuring) it refuses the drag, and the source is told that
// nothing was done. The test waits for events only: the source's lines, the drag events the
// window receives, the window's mode.
#include <gtest/gtest.h>

#include <QApplication>
#include <QFile>
#include <QGuiApplication>
#include <QProcess>
#include <QScreen>
#include <QTest>
#include <QWindow>

#include <xcb/xcb.h>

#include <cstdlib>
#include <map>
#include <optional>
#include <ostream>

#include "ReviewSupport.h"
#include "support/Screenshot.h"
#include "support/XDisplay.h"
#include "support/XServer.h"

#include <X11/extensions/XTest.h>

namespace {

// The drag source in its own process. Its lines are read while this program handles its
// events, as it must for the drag to go on.
class DragSourceProcess {
public:
    DragSourceProcess(const QString& file, const QPoint& at)
    {
        m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        m_process.start(QStringLiteral(VELQUIN_DRAG_SOURCE), {file, QString::number(at.x()), QString::number(at.y())});
    }
    ~DragSourceProcess()
    {
        m_process.kill();
        m_process.waitForFinished();
    }
    DragSourceProcess(const DragSourceProcess&) = delete;
    DragSourceProcess& operator=(const DragSourceProcess&) = delete;

    // Waits for the source's next line that starts with prefix, past the lines waited for
    // before, and gives the rest of it; none when the source ends without printing one.
    std::optional<QByteArray> WaitFor(const QByteArray& prefix)
    {
        std::optional<QByteArray> rest;
        (void)QTest::qWaitFor(
            [&] {
                while (m_process.canReadLine())
                    m_lines.push_back(m_process.readLine().trimmed());
                for (; m_next < m_lines.size(); ++m_next)
                    if (m_lines[m_next].startsWith(prefix)) {
                        rest = m_lines[m_next++].mid(prefix.size());
                        return true;
                    }
                return m_process.state() == QProcess::NotRunning;
            },
            60000);
        return rest;
    }

private:
    QProcess m_process;
    QList<QByteArray> m_lines;
    qsizetype m_next = 0;
};

// The pointer as a hand moves it, through the X server's test extension. A button still held
// when the test ends is released.
class Pointer {
public:
    ~Pointer()
    {
        if (m_down)
            Button(false);
    }
    explicit operator bool() const { return m_x != nullptr; }
    void MoveTo(const QPoint& at)
    {
        XTestFakeMotionEvent(m_x.get(), DefaultScreen(m_x.get()), at.x(), at.y(), CurrentTime);
        XSync(m_x.get(), False);
    }
    void Button(bool down)
    {
        XTestFakeButtonEvent(m_x.get(), 1, down ? True : False, CurrentTime);
        XSync(m_x.get(), False);
        m_down = down;
    }

private:
    XDisplayPtr m_x = OpenXDisplay();
    bool m_down = false;
};

// Waits until the X server has handled every request this program has sent, its answers to
// the drag source among them: the source then gets them before anything the test does next.
void RoundTripOfTheProgram()
{
    xcb_connection_t* c = qApp->nativeInterface<QNativeInterface::QX11Application>()->connection();
    std::free(xcb_get_input_focus_reply(c, xcb_get_input_focus(c), nullptr));
}

// Counts the drag events the window's X window receives, by kind (the widget that takes drops
// gets no leave of a drag it refused).
class DragEvents : public QObject {
public:
    std::map<QEvent::Type, int> count;
    bool eventFilter(QObject*, QEvent* event) override
    {
        switch (event->type()) {
        case QEvent::DragEnter:
        case QEvent::DragMove:
        case QEvent::DragLeave:
        case QEvent::Drop:
            ++count[event->type()];
            break;
        default:
            break;
        }
        return false;
    }
};

QByteArray Contents(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The modes of the rows.
void StayIdle(WindowHarness&, const TempDir&) {}
void Talk(WindowHarness& h, const TempDir&)
{
    h.dlg->SetMode(CVelquinDlg::kModeTalking);
}
void Measure(WindowHarness& h, const TempDir& folder)
{
    Talk(h, folder);
    h.MeasureOneSecond(folder.str());
}

struct sDropRow {
    const char* name;
    void (*prepare)(WindowHarness& h, const TempDir& folder);  // brings the window into its mode
    int mode;
    Qt::DropAction told;  // what the source is told
    friend void PrintTo(const sDropRow& row, std::ostream* os) { *os << row.name; }
};

class X11Drop : public ::testing::TestWithParam<sDropRow> {
protected:
    static void SetUpTestSuite() { s_x.Start("1920x1080x24", {"Xvfb"}); }
    static void TearDownTestSuite() { s_x.Stop(); }
    void SetUp() override
    {
        if (!s_x.toolsPresent)
            GTEST_SKIP() << "Xvfb is not installed";
        ASSERT_GT(s_x.xvfb, 0) << "Xvfb did not start";
    }

    static inline sXSession s_x;
};

}  // namespace

TEST_P(X11Drop, AFileFromAnotherProgramIsCopiedAndOpenedOrRefused)
{
    const sDropRow& row = GetParam();
    ReviewFiles files;
    const QString path = files.Own("night.edf", 45);
    const QByteArray bytes = Contents(path);
    TempDir recordings;
    WindowHarness h;
    ASSERT_TRUE(QTest::qWaitForWindowExposed(h.dlg.get()));
    row.prepare(h, recordings);
    ASSERT_EQ(h.dlg->GetMode(), row.mode);
    DragEvents events;
    h.dlg->windowHandle()->installEventFilter(&events);

    // The source's window beside the main window (no window manager moves either).
    const QPoint sourceAt(h.dlg->frameGeometry().right() + 40, h.dlg->frameGeometry().top() + 40);
    ASSERT_TRUE(h.dlg->screen()->geometry().contains(QRect(sourceAt, QSize(120, 120))));
    DragSourceProcess source(path, sourceAt);
    ASSERT_TRUE(source.WaitFor("ready")) << "the drag source did not show its window";
    Pointer pointer;
    ASSERT_TRUE(pointer);

    // Pressed on the source and moved: the drag starts. Then over the EEG graph.
    const QPoint grab = sourceAt + QPoint(60, 60);
    pointer.MoveTo(grab);
    pointer.Button(true);
    pointer.MoveTo(grab + QPoint(0, 30));
    ASSERT_TRUE(source.WaitFor("dragging"));
    const QWidget* graph = h.dlg->DlgItem(kIdGraphEeg);
    pointer.MoveTo(graph->mapToGlobal(graph->rect().center()));
    ASSERT_TRUE(QTest::qWaitFor([&] { return events.count[QEvent::DragEnter] + events.count[QEvent::DragMove] > 0; },
                                60000));
    if (row.told != Qt::IgnoreAction) {
        const std::optional<QByteArray> action = source.WaitFor("action=");
        ASSERT_TRUE(action);
        EXPECT_EQ(action->toInt(), row.told) << "the drag shows another action than the drop's";
    }
    // Released once the source has the window's answer to where the drag is.
    RoundTripOfTheProgram();
    pointer.Button(false);

    const std::optional<QByteArray> result = source.WaitFor("result=");
    ASSERT_TRUE(result) << "the drag source ended without a result";
    EXPECT_EQ(result->toInt(), row.told);
    // The drag ends at the window with the drop, or, refused, with its leaving.
    ASSERT_TRUE(QTest::qWaitFor([&] { return events.count[QEvent::Drop] + events.count[QEvent::DragLeave] > 0; },
                                60000));

    EXPECT_EQ(Contents(path), bytes) << "the dropped file was changed or removed";
    EXPECT_TRUE(h.prompter->shown.empty());
    if (row.mode == CVelquinDlg::kModeIdle) {
        EXPECT_EQ(events.count[QEvent::Drop], 1);
        EXPECT_EQ(h.dlg->GetMode(), CVelquinDlg::kModeReview);
        EXPECT_EQ(h.dlg->windowTitle(), "Velquin [night.edf]");
        EXPECT_EQ(h.Probe().ReviewSeconds(), 45);
        SaveScreenshot(QGuiApplication::primaryScreen()->grabWindow(0).toImage(), QStringLiteral("x11_drop_opened"));
    } else {
        EXPECT_EQ(h.dlg->GetMode(), row.mode);
        EXPECT_FALSE(h.Probe().HasReviewArrays());
    }
}

INSTANTIATE_TEST_SUITE_P(
    Modes, X11Drop,
    ::testing::Values(sDropRow{"idle", StayIdle, CVelquinDlg::kModeIdle, Qt::CopyAction},
                      sDropRow{"talking", Talk, CVelquinDlg::kModeTalking, Qt::IgnoreAction},
                      sDropRow{"measuring", Measure, CVelquinDlg::kModeMeasuring, Qt::IgnoreAction}),
    [](const ::testing::TestParamInfo<sDropRow>& info) { return std::string(info.param.name); });
