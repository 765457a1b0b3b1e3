// The idle status line against the real receiver façade on a pseudo-terminal: a port that
// opens, and the same port while another opener holds it.
#include <gtest/gtest.h>

#include <QLabel>

#include <fcntl.h>
#include <stdlib.h>
#include <sys/file.h>
#include <unistd.h>

#include "Fakes.h"
#include "mainwindow/VelquinDlg.h"
#include "receiver/WaveIo.h"

namespace {

// A pseudo-terminal whose slave stands in for the receiver's port.
struct PseudoTerminal {
    int master = -1;
    std::string slave;
    PseudoTerminal()
    {
        master = posix_openpt(O_RDWR | O_NOCTTY);
        if (master >= 0 && grantpt(master) == 0 && unlockpt(master) == 0)
            slave = ptsname(master);
    }
    ~PseudoTerminal()
    {
        if (master >= 0)
            close(master);
    }
};

}  // namespace

TEST(MainWindowRealPort, StatusForAPortThatOpensAndForOneHeldByAnotherOpener)
{
    PseudoTerminal pty;
    ASSERT_FALSE(pty.slave.empty());
    sDlgServices services;
    services.makeWaveIo = [port = pty.slave](ILinkSink& sink) {
        auto wave = std::make_unique<CWaveIo>(&sink, sLinkTimings{}, sPortListRoots{"/nonexistent", "/dev", false});
        wave->SetPortName(port);
        return wave;
    };
    services.prompter = std::make_unique<FakePrompter>();
    services.profile = std::make_unique<MemoryProfile>();
    services.inhibitScreenSaver = false;
    CVelquinDlg dlg(std::move(services));
    auto* source = qobject_cast<QLabel*>(dlg.DlgItem(1092));
    auto* text = qobject_cast<QLabel*>(dlg.DlgItem(1094));
    const QColor red(255, 0, 0), green(0, 255, 0);

    EXPECT_EQ(source->text(), QString::fromStdString(pty.slave));
    EXPECT_EQ(text->text(), "");
    EXPECT_EQ(source->palette().color(QPalette::Window), green);
    EXPECT_EQ(dlg.windowTitle(), QString::fromStdString("Velquin [" + pty.slave + "]"));

    // Another program holds the port.
    const int held = ::open(pty.slave.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
    ASSERT_GE(held, 0);
    ASSERT_EQ(::flock(held, LOCK_EX | LOCK_NB), 0);
    dlg.UpdateStatusBar();
    EXPECT_EQ(source->text(), QString::fromStdString(pty.slave));
    EXPECT_EQ(text->text(), QString::fromUtf8("選択されたポートはオープンできません"));
    EXPECT_EQ(source->palette().color(QPalette::Window), red);

    ::close(held);
    dlg.UpdateStatusBar();
    EXPECT_EQ(text->text(), "");
    EXPECT_EQ(source->palette().color(QPalette::Window), green);
}
