// What the user may do in each mode: the top-row buttons and the review row shown or hidden,
// controls and the file and dialog commands enabled or greyed, the status fields placed; and
// the way back from review to real time.
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>

#include "dialogs/ControlFit.h"
#include "mainwindow/VelquinDlg.h"
#include "resources/MainWindowTexts.h"
#include "resources/ResourceIds.h"

namespace {

// Enabled, disabled, or left as it was.
enum eEnable : signed char { U = -1, D = 0, E = 1 };

struct sModeEnables {
    int id;
    eEnable byMode[5];  // modes 0 idle, 1 talking, 2 measuring, 3 locked, 4 review
};

// Controls: the buttons of the top row and the display check boxes.
constexpr sModeEnables kControlEnables[] = {
    {kIdStart, {E, D, D, D, U}},
    {kIdStop, {D, D, E, D, U}},
    {kIdOpenEdf, {E, D, D, D, E}},
    {kIdBackToRealTime, {U, U, U, U, E}},
    {kIdAnalysisStart, {U, U, U, U, E}},
    {kIdAnalysisSave, {U, U, U, U, E}},
    {kIdCheckEeg, {U, U, U, D, U}},
    {kIdCheckEmg, {U, U, U, D, U}},
    {kIdCheckEegFft, {U, U, U, D, U}},
};

// The commands that open files and dialogs, in the order they are set.
constexpr sModeEnables kCommandEnables[] = {
    {kCommandOpenEdf, {E, D, D, D, E}},
    {kCommandSavedFileSetting, {E, D, D, D, D}},
    {kCommandFftSetting, {E, D, E, D, E}},
    {kCommandCommunicationSetting, {E, D, D, D, D}},
    {kCommandCardInfo, {E, D, D, D, D}},
    {kCommandReceiverSetting, {E, D, D, D, D}},
    {kCommandAppAbout, {E, D, E, D, E}},
};

constexpr int kButtonTop = 10;
constexpr int kButtonWidth = 120;
constexpr int kButtonHeight = 35;

// A style that pads its buttons more than the Windows measures (Adwaita) widens a button to
// its caption, into the gap before the next one.
void PlaceButton(QWidget* button, int x)
{
    button->show();
    button->setGeometry(GrowToText(*button, QRect(x, kButtonTop, kButtonWidth, kButtonHeight), false));
}

}  // namespace

void CVelquinDlg::ApplyModeLayout()
{
    const int mode = m_nMode;
    if (mode < kModeIdle || mode > kModeReview)
        return;
    if (mode == kModeReview)
        UpdateTitle();
    if (mode != kModeLocked)
        LayoutButtons();
    for (const sModeEnables& row : kControlEnables)
        if (row.byMode[mode] != U)
            DlgItem(row.id)->setEnabled(row.byMode[mode] == E);
    // The analysis view stays off in every mode.
    m_chkAnalysis->setChecked(false);
    m_chkAnalysis->setEnabled(false);
    for (const sModeEnables& row : kCommandEnables)
        EnableCommand(row.id, row.byMode[mode] == E);
}

void CVelquinDlg::LayoutButtons()
{
    m_chkAnalysis->hide();
    if (!IsReviewMode()) {
        PlaceButton(m_btnStart, 5);
        PlaceButton(m_btnStop, 130);
        PlaceButton(m_btnOpenEdf, 255);
        m_btnAnalysisStart->hide();
        m_btnAnalysisSave->hide();
        m_btnBackToRealTime->hide();
        m_btnLeft->hide();
        m_scrollBar->hide();
        m_btnRight->hide();
    } else {
        m_btnStart->hide();
        m_btnStop->hide();
        PlaceButton(m_btnOpenEdf, 5);
        PlaceButton(m_btnAnalysisStart, 130);
        PlaceButton(m_btnAnalysisSave, 255);
        PlaceButton(m_btnBackToRealTime, 380);
        m_btnLeft->show();
        m_scrollBar->show();
        m_btnRight->show();
        m_btnAnalysisStart->hide();
        m_btnAnalysisSave->hide();
        m_btnBackToRealTime->setGeometry(
            GrowToText(*m_btnBackToRealTime, QRect(130, kButtonTop, kButtonWidth, kButtonHeight), false));
    }
    PlaceStatusFields();
    UpdateStatusBar();
    update();
    // The graphs are laid out again after the mode's controls change; this also hides
    // the review row again when no graph is shown.
    OnClientResized();
}

void CVelquinDlg::OnBnClickedBackToRealTime()
{
    if (Prompt(QString::fromUtf8(kTextConfirmBackToRealTime), ePromptButtons::YesNo,
               ePromptIcon::Question) == IDYES)
        ReturnToRealTimeMode();
}

void CVelquinDlg::ReturnToRealTimeMode()
{
    SetMode(kModeIdle);
    ResetGraphs();
    ClearGraphs();
    ReleaseReviewFile();
    SetFieldText(m_editStartTime, QString());
    SetFieldText(m_editNowTime, QString());
    SetLabelText(m_staticStartTime, kTextStartTimeLabel);
    SetLabelText(m_staticNowTime, kTextNowTimeLabel);
    UpdateTitle();
}

void CVelquinDlg::OnBnClickedGraphCheck()
{
    ArrangeGraphs();
}
