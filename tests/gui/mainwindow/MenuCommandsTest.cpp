// The commands that open dialogs, as the menu bar runs them: each opens its dialog on what it
// edits; the communication settings re-apply the idle layout after OK or Cancel (and after
// OK clear the graphs and renew the title); the memory-card command has no item but runs;
// greyed items do nothing.
#include <gtest/gtest.h>

#include <QPushButton>

#include <vector>

#include "WindowHarness.h"

TEST(MenuCommands, EachDialogItemOpensItsDialog)
{
    WindowHarness h;
    const struct {
        int id;
        const char* dialog;
    } items[] = {
        {32778, "SavedFileSetting"}, {32853, "FftSetting"}, {32781, "CommunicationSetting"},
        {32857, "ReceiverSetting"},  {32782, "About"},
    };
    for (const auto& item : items) {
        h.dialogs->opened.clear();
        h.dlg->CommandAction(item.id)->trigger();
        EXPECT_EQ(h.dialogs->opened, QStringList{item.dialog}) << item.id;
    }
}

TEST(MenuCommands, CommunicationSettingsReapplyTheIdleLayoutAndOnOkClearAndRetitle)
{
    WindowHarness h;
    const std::vector<float> samples(3840, 50.0f);
    h.Probe().GraphEeg()->AddData(samples, 1);
    h.Item<QPushButton>(1068)->hide();

    h.dialogs->communicationResult = IDCANCEL;
    h.dlg->CommandAction(32781)->trigger();
    EXPECT_TRUE(h.Item<QPushButton>(1068)->isVisible());
    EXPECT_FALSE(h.Probe().GraphEeg()->GetStoredData().empty());
    EXPECT_EQ(h.dlg->windowTitle(), "Velquin [/dev/ttyUSB0]");

    h.Item<QPushButton>(1068)->hide();
    h.dialogs->communicationResult = IDOK;
    h.dialogs->portChosen = "/dev/ttyACM3";
    h.dlg->CommandAction(32781)->trigger();
    EXPECT_TRUE(h.Item<QPushButton>(1068)->isVisible());
    EXPECT_TRUE(h.Probe().GraphEeg()->GetStoredData().empty());
    EXPECT_EQ(h.dlg->windowTitle(), "Velquin [/dev/ttyACM3]");
    EXPECT_EQ(h.dlg->GetMode(), 0);
}

TEST(MenuCommands, TheMemoryCardCommandHasNoItemButAsksTheReceiver)
{
    WindowHarness h;
    h.wave->ClearCalls();
    h.dlg->CommandAction(32855)->trigger();
    EXPECT_EQ(h.wave->Commands(), (std::vector<std::string>{"OpenAndReceive", "RequestCardInfo"}));
    EXPECT_EQ(h.dlg->GetMode(), 1);
}

TEST(MenuCommands, GreyedItemsDoNothing)
{
    WindowHarness h;
    h.dlg->SetMode(CVelquinDlg::kModeMeasuring);
    h.wave->ClearCalls();
    for (int id : {32777, 32778, 32781, 32857, 32855})
        h.dlg->CommandAction(id)->trigger();
    EXPECT_TRUE(h.dialogs->opened.isEmpty());
    EXPECT_TRUE(h.wave->Commands().empty());
    // Still offered while measuring.
    h.dlg->CommandAction(32853)->trigger();
    h.dlg->CommandAction(32782)->trigger();
    EXPECT_EQ(h.dialogs->opened, (QStringList{"FftSetting", "About"}));
}
