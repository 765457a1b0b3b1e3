// The memory-card query (a command without a menu item): the sizes in an information box
// shown after the port is closed, and each refusal code with its error.
#include <gtest/gtest.h>

#include <QAction>

#include "FileChecks.h"

using namespace e2e;

TEST(MeasurementE2e, MemoryCardQueryShowsTheSizesOnceThePortIsClosed)
{
    struct Case {
        const char* what;
        bool refuse;
        rsim::Bytes payload;
        int error;  // -1: the sizes
    };
    const Case cases[] = {
        {"answered", false, {}, -1},
        {"no card", true, {0x11, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}, 6},
        {"card unreadable", true, {0x12, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}, 7},
        {"other refusal", true, {0x20, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}, 8},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        sRigOptions options;
        options.sim.cardTotalMb = 1907;
        options.sim.cardFreeMb = 1024;
        MeasurementRig rig(options);
        if (c.refuse) {
            rsim::Rule refuse = rsim::On('d', rsim::Answer::Nak);
            refuse.payload = c.payload;
            rig.sim.AddRule(refuse);
        }
        bool portOpenAtBox = true;
        rig.prompter->onShow = [&] {
            portOpenAtBox = static_cast<CWaveIo*>(rig.Probe().WaveIo())->Link().IsPortValid() != 0;
        };
        rig.dlg->CommandAction(32855)->trigger();
        ASSERT_TRUE(MeasurementRig::SpinUntil([&] { return !rig.prompter->shown.empty(); }));
        MeasurementRig::Spin(100);
        ASSERT_EQ(rig.prompter->shown.size(), 1u);
        const sBox& box = rig.prompter->shown[0];
        if (c.error < 0) {
            EXPECT_EQ(box.text, QString::fromUtf8("総容量1907MBのうち、残り容量は1024MBです。"));
            EXPECT_EQ(box.icon, ePromptIcon::Information);
            EXPECT_EQ(box.buttons, ePromptButtons::Ok);
        } else {
            EXPECT_EQ(rig.prompter->Errors(), std::vector<int>{c.error});
        }
        EXPECT_FALSE(portOpenAtBox);
        EXPECT_EQ(box.mode, CVelquinDlg::kModeIdle);
        EXPECT_TRUE(rig.Received("d"));
        EXPECT_EQ(rig.modes, (std::vector<int>{1, 0}));
    }
}
