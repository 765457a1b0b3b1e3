// Each time-range and voltage command of both menus, run as the user runs it (the item of
// the menu bar, or the item chosen in the context menu over a graph), changes exactly its own
// part of the window's state; greyed items change nothing.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QMenuBar>

#include "MenuTestSupport.h"
#include "ReviewSupport.h"
#include "WindowHarness.h"
#include "resources/MenuTables.h"

namespace {

struct ViewState {
    int mode, range, eeg, emg, targetA, targetB, fftMode, fftOption;
    double fftYMax;
    bool eegShown, emgShown, fftShown;
    bool operator==(const ViewState&) const = default;
};

void PrintTo(const ViewState& s, std::ostream* os)
{
    *os << "mode " << s.mode << " range " << s.range << " eeg " << s.eeg << " emg " << s.emg << " targets "
        << s.targetA << s.targetB << " fft " << s.fftMode << s.fftOption << " " << s.fftYMax << " views "
        << s.eegShown << s.emgShown << s.fftShown;
}

ViewState StateOf(WindowHarness& h)
{
    CVelquinDlgProbe p = h.Probe();
    return {h.dlg->GetMode(),
            p.TimeRange(),
            p.EegYMax(),
            p.EmgYMax(),
            p.MenuTargets().first,
            p.MenuTargets().second,
            h.dlg->GetFftDisplayMode(),
            h.dlg->GetFftOption(),
            h.dlg->GetFftYMax(),
            h.Item<QCheckBox>(1074)->isChecked(),
            h.Item<QCheckBox>(1075)->isChecked(),
            h.Item<QCheckBox>(1076)->isChecked()};
}

// Opens the context menu over a graph and chooses the item with this id, when it is enabled
// (a greyed item cannot be chosen). False when it was greyed.
bool ChooseFromContextMenu(WindowHarness& h, QWidget* graph, int id)
{
    bool chosen = false;
    h.popup = [id, &chosen](QMenu& menu, const QPoint&) -> QAction* {
        for (QAction* sub : menu.actions())
            for (QAction* item : sub->menu()->actions())
                if (item->data().toInt() == id && item->isEnabled()) {
                    chosen = true;
                    return item;
                }
        return nullptr;
    };
    h.Probe().RButtonDown(graph->geometry().center());
    h.popup = nullptr;
    return chosen;
}

// A file longer than every fixed range.
QString FiveHours(const ReviewFiles& files)
{
    sEdfFixture f;
    f.records = 5 * 3600;
    return files.Write("five-hours.edf", f);
}

}  // namespace

TEST(MenuCommandState, MenuBarCommandsInReviewChangeOnlyTheirOwnSetting)
{
    ReviewFiles files;
    WindowHarness h;
    OpenByDialog(h, FiveHours(files));
    ASSERT_EQ(h.dlg->GetMode(), CVelquinDlg::kModeReview);

    for (const sTimeRangeCommand& c : kTimeRangeCommands) {
        ViewState expected = StateOf(h);
        expected.range = c.seconds > 0 ? c.seconds : 5 * 3600;
        h.dlg->CommandAction(c.mainId)->trigger();
        EXPECT_EQ(StateOf(h), expected) << c.caption;
    }
    for (const sVoltageCommand& c : kVoltageCommands) {
        for (const bool eeg : {true, false}) {
            const int id = eeg ? c.eegId : c.emgId;
            if (id == 0)
                continue;
            h.Probe().SetMenuTargets(eeg ? 1 : 0, eeg ? 0 : 1);
            ViewState expected = StateOf(h);
            (eeg ? expected.eeg : expected.emg) = c.microvolts;
            expected.targetA = expected.targetB = 0;  // a menu-bar voltage clears the target
            h.dlg->CommandAction(id)->trigger();
            EXPECT_EQ(StateOf(h), expected) << c.caption << (eeg ? " EEG" : " EMG");
        }
    }
}

TEST(MenuCommandState, ContextCommandsInReviewWorkOnTheGraphPressed)
{
    ReviewFiles files;
    WindowHarness h;
    OpenByDialog(h, FiveHours(files));
    QWidget* graphs[2] = {h.Probe().GraphEeg(), h.Probe().GraphEmg()};

    for (const sTimeRangeCommand& c : kTimeRangeCommands) {
        h.dlg->CommandAction(32808)->trigger();  // EEG ±100: both targets cleared
        ViewState expected = StateOf(h);
        expected.range = c.seconds > 0 ? c.seconds : 5 * 3600;
        expected.targetA = 1;
        EXPECT_TRUE(ChooseFromContextMenu(h, graphs[0], c.contextId)) << c.caption;
        EXPECT_EQ(StateOf(h), expected) << c.caption;
    }
    for (const sVoltageCommand& c : kVoltageCommands) {
        for (const bool eeg : {true, false}) {
            ViewState expected = StateOf(h);
            expected.targetA = eeg ? 1 : 0;
            expected.targetB = eeg ? 0 : 1;
            // Over the EEG graph the values beyond ±1000 μV are greyed.
            const bool offered = !eeg || c.eegId != 0;
            if (offered)
                (eeg ? expected.eeg : expected.emg) = c.microvolts;
            EXPECT_EQ(ChooseFromContextMenu(h, graphs[eeg ? 0 : 1], c.contextId), offered) << c.caption;
            EXPECT_EQ(StateOf(h), expected) << c.caption << (eeg ? " EEG" : " EMG");
        }
    }

    // After a menu-bar voltage command a context command without a new press does nothing.
    h.dlg->CommandAction(32860)->trigger();  // EMG ±20000
    const ViewState before = StateOf(h);
    h.dlg->OnCommand(32841);  // context ±50
    EXPECT_EQ(StateOf(h), before);
}

TEST(MenuCommandState, InRealTimeTheLongRangesAreGreyedAndDoNothing)
{
    WindowHarness h;
    for (const sTimeRangeCommand& c : kTimeRangeCommands) {
        for (const bool context : {false, true}) {
            h.dlg->SetTimeRange(30);
            h.dlg->CommandAction(32808)->trigger();
            ViewState expected = StateOf(h);
            const bool offered = c.seconds > 0 && c.seconds <= 120;
            if (offered)
                expected.range = c.seconds;
            if (context) {
                expected.targetA = 1;
                EXPECT_EQ(ChooseFromContextMenu(h, h.Probe().GraphEeg(), c.contextId), offered) << c.caption;
            } else {
                // Opening the menu greys the long ranges.
                for (QAction* top : h.dlg->menuBar()->actions())
                    emit top->menu()->aboutToShow();
                h.dlg->CommandAction(c.mainId)->trigger();
            }
            EXPECT_EQ(StateOf(h), expected) << c.caption << (context ? " context" : " menu bar");
            EXPECT_EQ(h.Probe().GraphEeg()->GetSize(), StateOf(h).range * 128) << c.caption;
        }
    }
}
