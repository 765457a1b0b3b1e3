// Every text of the main window, in each mode and with real values, and of every dialog shows
// whole in the program's font, and no control that grew for its text covers a neighbour; so do
// the graphs' axis labels at every time range.
#include <gtest/gtest.h>

#include <QFontInfo>
#include <QFontMetrics>
#include <QPushButton>
#include <QRadioButton>

#include "ReviewSupport.h"
#include "dialogs/AboutDlg.h"
#include "dialogs/CommunicationSettingDlg.h"
#include "dialogs/FftSettingDlg.h"
#include "dialogs/ReceiverSettingDlg.h"
#include "dialogs/SavedFileSettingDlg.h"
#include "display/GraphPainting.h"
#include "gui/dialogs/DialogTemplateChecks.h"
#include "recording/WaveLog.h"
#include "resources/DialogTemplate.h"
#include "resources/MenuTables.h"
#include "resources/SettingDialogTemplates.h"
#include "support/TempDir.h"

namespace {

// The texts are measured in the font the program ships with, not in a fallback.
void ExpectShippedFont(const QWidget& window)
{
    EXPECT_TRUE(QFontInfo(window.font()).family().startsWith(QStringLiteral("IPA")))
        << QFontInfo(window.font()).family().toStdString();
}

// A graph draws its axis labels itself, in its own font: each shows whole inside the client
// area, the y unit above the plot, the x unit right of the plot (on its frame line at most)
// and not below its bottom edge, where the tick values stand. The x unit is as large as the y
// unit unless that size would run past the client area, and then no smaller than it needs.
void CheckGraphLabelsWhole(const CGraph& graph, const std::string& where)
{
    SCOPED_TRACE(where + ", graph " + graph.objectName().toStdString() + ", " + graph.GetXLabel().toStdString());
    const QRect client = graph.ClientRect();
    const QRect plot = graph.PlotRect();
    const QRect x = graph.XLabelRect();
    const QRect y = graph.YLabelRect();
    ASSERT_FALSE(x.isEmpty());
    ASSERT_FALSE(y.isEmpty());
    const auto advance = [](const QString& text, int height) {
        return QFontMetrics(GraphFont(height)).horizontalAdvance(text);
    };
    EXPECT_TRUE(QFontInfo(GraphFont(x.height())).family().startsWith(QStringLiteral("IPA")));
    EXPECT_LE(advance(graph.GetXLabel(), x.height()), client.right() + 1 - x.left());
    EXPECT_LE(advance(graph.GetYLabel(), y.height()), client.right() + 1 - y.left());
    EXPECT_TRUE(client.contains(x)) << x.right() << " past " << client.right();
    EXPECT_TRUE(client.contains(y));
    EXPECT_GE(x.left(), plot.right());
    EXPECT_LE(x.bottom(), plot.bottom());
    EXPECT_LT(y.bottom(), plot.top());
    if (x.height() != y.height()) {
        EXPECT_LT(x.height(), y.height());
        EXPECT_GT(advance(graph.GetXLabel(), x.height() + 1), client.right() + 1 - x.left());
    }
}

// Every text of the main window: its controls' and its graphs' labels.
void CheckWindowTexts(WindowHarness& h, const std::string& where)
{
    CheckTextsWhole(*h.dlg, where, &MainDialogTemplate());
    for (const CGraph* graph : {h.Probe().GraphEeg(), h.Probe().GraphEmg()})
        CheckGraphLabelsWhole(*graph, where);
}

// The dialog as the user sees it: shown, so that every control has its final place.
void CheckDialog(QDialog& dialog, const std::string& where, const sDialogTemplate* layout = nullptr)
{
    dialog.show();
    WindowHarness::Flush();
    CheckTextsWhole(dialog, where, layout);
}

// A receiver that answers the version and clock queries.
class AnsweringWaveIo : public FakeWaveIo {
public:
    std::string GetFirmwareVersion() const override { return "2.0.1.13"; }
    std::string GetReceiverClock() const override { return "2026/12/09 17:10:33"; }
};

class FixedFftSettings : public IFftSettings {
public:
    int mode = 0;
    bool review = false;
    int GetFftDisplayMode() const override { return mode; }
    void SetFftDisplayMode(int) override {}
    int GetFftOption() const override { return 1; }
    void SetFftOption(int) override {}
    double GetFftYMax() const override { return mode ? 0.2 : 500.0; }
    void SetFftYMax(double) override {}
    bool IsReviewMode() const override { return review; }
};

}  // namespace

TEST(CaptionsFit, MainWindowInEveryModeWithRealValues)
{
    WindowHarness h([](FakeWaveIo& w, MemoryProfile&) {
        w.portName.clear();
        w.receiverName = "TQS27012345";
    });
    ExpectShippedFont(*h.dlg);
    CheckWindowTexts(h, "idle, no port");
    h.wave->portName = "/dev/ttyUSB10";
    h.wave->testPortResult = 0;
    h.dlg->UpdateStatusBar();
    CheckWindowTexts(h, "idle, a port that does not open");
    h.dlg->SetMode(CVelquinDlg::kModeTalking);
    CheckWindowTexts(h, "talking");

    // Measuring: the receiver on each kind of port path, every link state.
    TempDir folder;
    h.MeasureOneSecond(folder.str());
    ASSERT_EQ(h.dlg->GetMode(), CVelquinDlg::kModeMeasuring);
    ASSERT_FALSE(FieldText(h, kIdNowTime).isEmpty());
    for (const char* port : {"/dev/ttyUSB10", "/dev/ttyACM0", "/tmp/ttyUSB7"}) {
        for (const char* name : {"TQS27012345", "TQR27012345"}) {
            h.wave->portName = port;
            h.wave->receiverName = name;
            for (int status = 0; status <= 5; ++status) {
                h.wave->linkStatus = status;
                h.dlg->UpdateStatusBar();
                CheckWindowTexts(h, std::string("measuring on ") + port + ", " + name + ", status " +
                                        std::to_string(status));
            }
        }
    }
    h.dlg->SetMode(CVelquinDlg::kModeLocked);
    CheckWindowTexts(h, "locked");
    // The stop's reply closes the files.
    h.dlg->SetMode(CVelquinDlg::kModeTalking);
    h.Probe().Post(kLinkStopAccepted, h.wave->generation);
    WindowHarness::Flush();
    ASSERT_EQ(h.dlg->GetMode(), CVelquinDlg::kModeIdle);

    // Review of a real file: both time fields hold a start and an end.
    ReviewFiles files;
    OpenByDialog(h, files.Own("20240102_235950.edf", 600));
    ASSERT_EQ(h.dlg->GetMode(), CVelquinDlg::kModeReview);
    ASSERT_EQ(FieldText(h, kIdStartTime), "2024/01/02 23:59:50-00:09:50");
    CheckWindowTexts(h, "review");
    h.dlg->PageRight();
    CheckWindowTexts(h, "review, next page");

    // A file longer than the longest range: every range of the menu, up to hours, and "ALL".
    OpenByDialog(h, files.Own("20240103_220000.edf", 4 * 3600 + 600));
    ASSERT_EQ(h.dlg->GetMode(), CVelquinDlg::kModeReview);
    for (const sTimeRangeCommand& c : kTimeRangeCommands) {
        h.dlg->CommandAction(c.mainId)->trigger();
        WindowHarness::Flush();
        ASSERT_EQ(h.Probe().TimeRange(), c.seconds ? c.seconds : 4 * 3600 + 600) << c.caption;
        CheckWindowTexts(h, std::string("review, range ") + c.caption);
    }
}

TEST(CaptionsFit, EveryDialog)
{
    CAboutDlg about;
    ExpectShippedFont(about);
    CheckDialog(about, "about");

    FakeWaveIo ports;
    ports.portName = "/dev/ttyUSB10";
    CCommunicationSettingDlg communication(&ports);
    CheckDialog(communication, "communication", &CommunicationSettingTemplate());

    for (int mode : {0, 1}) {
        for (bool review : {false, true}) {
            FixedFftSettings settings;
            settings.mode = mode;
            settings.review = review;
            CFftSettingDlg fft(&settings);
            CheckDialog(fft, "fft, mode " + std::to_string(mode) + (review ? ", review" : ""), &FftSettingTemplate());
        }
    }

    AnsweringWaveIo receiver;
    sReceiverSettingServices services;
    FakePrompter prompter;
    services.prompter = &prompter;
    ReceiverSettingDlg receiverDialog(&receiver, nullptr, services);
    CheckDialog(receiverDialog, "receiver");
    receiverDialog.findChild<QPushButton*>(QStringLiteral("1113"))->click();
    ASSERT_EQ(receiverDialog.findChild<QLabel*>(QStringLiteral("1125"))->text(), "2026/12/09 17:10:33");
    CheckDialog(receiverDialog, "receiver, information read");

    TempDir folder;
    CWaveLog log(folder.str());
    FakeFileChooser chooser;
    CSavedFileSettingDlg savedFile(&log, prompter, chooser);
    CheckDialog(savedFile, "saved file", &SavedFileSettingTemplate());
    savedFile.Item<QRadioButton>(kIdUserName)->click();
    CheckDialog(savedFile, "saved file, user names", &SavedFileSettingTemplate());
}

// A name of the program's own pattern fits the name field whole in the program's own style (a
// style that pads its edits more, as Adwaita, scrolls it as any edit does).
TEST(CaptionsFit, SavedFileNameFieldHoldsANameOfTheProgramsPattern)
{
    TempDir folder;
    CWaveLog log(folder.str());
    FakePrompter prompter;
    FakeFileChooser chooser;
    CSavedFileSettingDlg savedFile(&log, prompter, chooser);
    savedFile.Item<QRadioButton>(kIdUserName)->click();
    savedFile.Item<QLineEdit>(kIdEdfName)->setText(QStringLiteral("20261209_171033_subject-0042.edf"));
    CheckDialog(savedFile, "saved file, a long user name", &SavedFileSettingTemplate());
}
