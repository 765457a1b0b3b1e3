// Construction, initialisation, the dialog mode and the reset operations.
#include "mainwindow/VelquinDlg.h"

#include <QApplication>
#include <QCheckBox>
#include <QLayout>
#include <QMenuBar>
#include <QPushButton>
#include <QScrollBar>
#include <QShowEvent>

#include "app/VersionInfo.h"
#include "mainwindow/WindowGeometry.h"
#include "platform/qt/DialogUnits.h"
#include "platform/qt/ScreenArea.h"
#include "platform/qt/ShellFolders.h"
#include "resources/AppIcon.h"
#include "resources/DialogTemplate.h"
#include "resources/MainWindowTexts.h"

namespace {

// Where recordings go until the user chooses a folder: Documents, then the product name.
std::string DefaultRecordingFolder()
{
    VersionInfoStrings version;
    ReadVersionInfoStrings(version);
    return (GetDocumentsFolder() + QLatin1Char('/') + QString::fromStdString(version.productName))
        .toStdString();
}

}  // namespace

CVelquinDlg::CVelquinDlg(QWidget* parent) : CVelquinDlg(sDlgServices{}, parent)
{
}

CVelquinDlg::CVelquinDlg(sDlgServices services, QWidget* parent)
    : QMainWindow(parent),
      m_services(std::move(services)),
      m_waveLog(DefaultRecordingFolder(), [this] { return m_services.now(); })
{
    FillDefaultDlgServices(m_services);
    m_hIcon = MakeAppIcon();
    m_filePositions.clear();

    const sDialogTemplate& dialog = MainDialogTemplate();
    setWindowTitle(QString::fromUtf8(dialog.caption));
    setWindowIcon(m_hIcon);
    setFont(QFont(QString::fromUtf8(dialog.fontFace), dialog.fontPoints));
    BuildMenuBar();
    CreateControls();
    InitReview();

    // The client area below the menu bar has the template's size.
    const QSize client = DluSizeToPixels(dialog.width, dialog.height);
    resize(client.width(), client.height() + menuBar()->sizeHint().height());
    layout()->activate();
    // On a screen smaller than that the window opens within the screen's available area, laid
    // out as any resize to that size lays it out; on a larger one it keeps its size and place.
    OpenWithinAvailableArea(*this);

    // The key filter sees the keys before the focused control does (VelquinDlgKeys.cpp).
    qApp->installEventFilter(this);
    InitializeDialog();
}

void CVelquinDlg::InitializeDialog()
{
    m_pWaveIo = m_services.makeWaveIo(m_linkSink);
    LoadSavedFileSettings();
    ResetGraphs();
    SetMode(kModeIdle);
    UpdateTitle();
    ResetControls();
}

void CVelquinDlg::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    if (event->spontaneous())
        return;
    // The screen saver and the monitor's power saving stay off while the window runs.
    if (m_services.screenSaver && !m_bClosing) {
        VersionInfoStrings version;
        ReadVersionInfoStrings(version);
        m_services.screenSaver->Inhibit(QString::fromStdString(version.productName),
                                        QStringLiteral("睡眠脳波の計測中"));
    }
    OnClientResized();
}

void CVelquinDlg::OnClientResized()
{
    // No layout while closing, and none for a minimised window (whose client area is empty).
    if (m_bClosing || isMinimized())
        return;
    OnBnClickedGraphCheck();
}

void CVelquinDlg::SetMode(int mode)
{
    m_nMode = mode;
    ApplyModeLayout();
    emit ModeChanged(mode);
}

void CVelquinDlg::ResetGraphs()
{
    InitGraphSettings();
    ResetScrollBar(m_scrollBar);
}

void CVelquinDlg::InitGraphSettings()
{
    m_nSampleRate = 128;
    SetTimeRange(30);
    m_graphEeg->SetTitle(QString::fromUtf8(kTextEegTitle), 0);
    m_graphEeg->SetYLabel(QString::fromUtf8(kTextMicrovoltLabel), 0);
    SetEegVoltageRange(200);
    m_graphEmg->SetTitle(QString::fromUtf8(kTextEmgTitle), 0);
    m_graphEmg->SetYLabel(QString::fromUtf8(kTextMicrovoltLabel), 0);
    SetEmgVoltageRange(200);
    m_chartFft->SetCount(4);
    SetFftYMax(20.0);
    SetFftDisplayMode(0);
    SetFftOption(1);
}

void CVelquinDlg::ClearGraphs()
{
    m_graphEmg->Clear();
    m_graphEeg->Clear();
    m_graphEeg->SetCursorFraction(0.0, 1);
    m_graphEmg->SetCursorFraction(0.0, 1);
    m_chartFft->InitData();
    m_chartFft->Update(m_nFftDisplayMode);
}

void CVelquinDlg::ResetControls()
{
    UpdateTitle();
    SetMode(kModeIdle);
    m_chkEeg->setChecked(true);
    m_chkEmg->setChecked(true);
    m_chkEegFft->setChecked(true);
    m_chkAnalysis->setChecked(false);
    m_brushRed = QBrush(QColor(255, 0, 0));
    m_brushGreen = QBrush(QColor(0, 255, 0));
    // The check boxes decide the graph layout, which the window procedure redid on the
    // repaint that followed here.
    OnClientResized();
    update();
}

void CVelquinDlg::ResetAfterLoadFailure()
{
    m_nMode = kModeIdle;  // no layout is applied
    m_btnLeft->hide();
    m_btnRight->hide();
    m_scrollBar->hide();
    ClearGraphs();
}
