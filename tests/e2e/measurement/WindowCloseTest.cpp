// Closing the window in the middle of a measurement: while measuring (the stop goes out,
// the files are finished) and after Stop before its reply (the files are finished all the
// same); the settings reach the profile either way.
#include <gtest/gtest.h>

#include <QFile>
#include <QSettings>
#include <QStandardPaths>

#include "FileChecks.h"

using namespace e2e;

namespace {

QString ProfileFile()
{
    return QString::fromLocal8Bit(qgetenv("XDG_CONFIG_HOME")) + QStringLiteral("/Kestrova/Velquin.ini");
}

}  // namespace

TEST(MeasurementE2e, ClosingWhileMeasuringStopsTheReceiverAndFinishesTheFiles)
{
    QFile::remove(ProfileFile());
    MeasurementRig rig;
    ASSERT_TRUE(rig.StartMeasuring());
    ASSERT_TRUE(rig.WaitStored(3));
    rig.dlg->close();
    EXPECT_TRUE(rig.Received("evnbe"));
    EXPECT_EQ(rig.modes, (std::vector<int>{1, 2, 1, 0}));
    // Frames still sent go nowhere.
    MeasurementRig::Spin(200);
    EXPECT_EQ(rig.prompter->shown.size(), 1u);  // the confirmation only
    ExpectRecordingMatches(rig, SentByNumber(rig.sim.Frames()));

    QSettings profile(ProfileFile(), QSettings::IniFormat);
    profile.beginGroup(QStringLiteral("SavedFileSeting"));
    EXPECT_EQ(profile.value(QStringLiteral("OutputDirectory")).toString(), QString::fromStdString(rig.folder.str()));
    EXPECT_EQ(profile.value(QStringLiteral("FileType")).toInt(), 3);
    EXPECT_EQ(profile.value(QStringLiteral("IsDefaultFileName")).toInt(), 1);
}

TEST(MeasurementE2e, ClosingAfterStopBeforeItsReplyStillFinishesTheFiles)
{
    MeasurementRig rig;
    rsim::Rule slowStop = rsim::On('e');
    slowStop.skip = 1;
    slowStop.delayMs = 600;
    rig.sim.AddRule(slowStop);
    ASSERT_TRUE(rig.StartMeasuring());
    ASSERT_TRUE(rig.WaitStored(3));
    rig.Click(1069);
    ASSERT_TRUE(MeasurementRig::SpinUntil([&] { return rig.Letters() == "evnbe"; }));
    EXPECT_EQ(rig.dlg->GetMode(), CVelquinDlg::kModeTalking);
    rig.dlg->close();
    MeasurementRig::Spin(100);
    EXPECT_TRUE(rig.Received("evnbe"));  // no second stop
    EXPECT_EQ(rig.prompter->shown.size(), 1u);
    ExpectRecordingMatches(rig, SentByNumber(rig.sim.Frames()));
}
