#pragma once
// CVelquinDlg, the program's only top-level window: the measurement from the receiver, the
// recording of every second, the review of stored EDF files, the graphs and the status line.
//
// One class, split over several files by concern:
//   VelquinDlg.cpp               construction and initialisation, the mode, reset operations
//   VelquinDlgControls.cpp       the controls from the dialog template, lookup by id
//   VelquinDlgNotifications.cpp  receiver notifications: event() and the dispatch table
//   VelquinDlgKeys.cpp           the window's key filter
//   VelquinDlgClose.cpp          closing and release
//   VelquinDlgMeasure.cpp        measurement commands: start, handshake, stop, close, card
//   VelquinDlgIntake.cpp         data blocks and their recording
//   VelquinDlgSpectrum.cpp       the spectrum chart, for the measurement and the review
//   VelquinDlgStatus.cpp         status line, error box and the confirmation prompts
//   VelquinDlgProfile.cpp        window title and the saved-file settings in the profile
//   VelquinDlgModes.cpp          controls and commands enabled per mode, back to real time
//   VelquinDlgLayout.cpp         graph layout (GraphLayout.h computes it), view commands
//   VelquinDlgTimeRange.cpp      time range and zoom
//   VelquinDlgDisplay.cpp        voltage ranges and FFT display settings
//   VelquinDlgReview.cpp         review of EDF files: opening, loading, the shown slice, paging
//   VelquinDlgDrop.cpp           a file dropped on the window
//   VelquinDlgCursor.cpp         the review cursor by mouse click, the scroll bar
//   VelquinDlgMenus.cpp          the menu bar, its refresh, the routing of buttons and
//                                commands, the commands that open dialogs
//   VelquinDlgContextMenu.cpp    the graphs' context menu
//   VelquinDlgAnalysis.cpp       the analysis view (always hidden)
// with helpers beside them: review/ (the reviewed file, its spectrum and the view's
// arithmetic, Qt-free), GraphLayout (the layout's arithmetic, Qt-free), ClientArea,
// ReceiverEvent (notifications as events), CommandWait (the bounded reply wait), TimeText,
// DialogRunner and DlgServices (the collaborators), Subsystems.h (the other subsystems' classes),
// MenuStates (checked and greyed menu items) and AnalysisPattern (the analysis view's stages).
//
// Collaborators come in through sDlgServices (DlgServices.h), so tests run the window with
// a fake receiver façade, scripted prompts and dialogs, a clock and a profile of their own.

#include <QBrush>
#include <QColor>
#include <QHash>
#include <QIcon>
#include <QMainWindow>
#include <QPoint>
#include <QString>

#include <ctime>
#include <memory>
#include <span>
#include <vector>

#include "mainwindow/DataFilePosition.h"
#include "mainwindow/DlgServices.h"
#include "mainwindow/review/ReviewFile.h"
#include "mainwindow/review/ReviewSpectrum.h"
#include "mainwindow/Subsystems.h"
#include "mainwindow/ReceiverEvent.h"

class QAction;
struct sControlTemplate;
class QCheckBox;
class QDragEnterEvent;
class QDragMoveEvent;
class QDropEvent;
class QGroupBox;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QMenu;
class QPoint;
class QPushButton;
class QScrollBar;
class CScreenSaverInhibitor;
class CEdfFile;

class CVelquinDlg : public QMainWindow {
    Q_OBJECT
public:
    // The dialog modes.
    static constexpr int kModeIdle = 0;       // real-time view, nothing connected
    static constexpr int kModeTalking = 1;    // a receiver command is outstanding
    static constexpr int kModeMeasuring = 2;  // files open, blocks arriving
    static constexpr int kModeLocked = 3;     // every control disabled (never entered)
    static constexpr int kModeReview = 4;     // reviewing an opened EDF file

    // The window with the real receiver link, prompts, dialogs and profile.
    explicit CVelquinDlg(QWidget* parent = nullptr);
    // The window with the given collaborators (tests).
    explicit CVelquinDlg(sDlgServices services, QWidget* parent = nullptr);
    ~CVelquinDlg() override;

    // Dialog mode.
    int GetMode() const { return m_nMode; }
    void SetMode(int mode);
    bool IsReviewMode() const { return m_nMode == kModeReview; }

    // Reset operations shared by the measurement and the review.
    void ResetGraphs();
    void InitGraphSettings();
    void ClearGraphs();
    void ResetControls();
    void ResetAfterLoadFailure();

    // Status line, error box, prompts.
    void UpdateStatusBar();
    QString DescribeReceiver() const;
    void SetReviewScrollRange(int position);
    int ShowError(int error);
    int ConfirmSavedFileSettings();
    int ConfirmNoFileType();
    int ConfirmOverwrite();

    // Window title and profile.
    void UpdateTitle();
    void LoadSavedFileSettings();
    void SaveSavedFileSettings();

    // Mode-dependent controls.
    void ApplyModeLayout();
    void LayoutButtons();
    void ReturnToRealTimeMode();

    // Graph layout.
    void ArrangeGraphs();
    void MoveControlPercent(QWidget* control, double x, double y, double w, double h);

    // Measurement.
    void StartMeasurement();
    int StopMeasurement();
    // Closes the port and the recording files, goes idle, and shows one box for what went
    // wrong, error (when not negative) among it; see VelquinDlgMeasure.cpp.
    void CloseMeasurement(int error = -1);
    void RequestCardInfo();

    // Time range and zoom.
    void SetTimeRange(int seconds);
    void ZoomIn();
    void ZoomOut();

    // Voltage ranges and FFT display settings.
    void SetEegVoltageRange(int microvolts);
    void SetEmgVoltageRange(int microvolts);
    double GetFftYMax() const { return m_dFftYMax; }
    void SetFftYMax(double value);
    int GetFftDisplayMode() const { return m_nFftDisplayMode; }
    void SetFftDisplayMode(int mode);
    int GetFftOption() const { return m_nFftRange; }
    void SetFftOption(int option);

    // Review.
    void RedrawReview();
    void PageLeft();
    void PageRight();

    // A control by its id (nullptr when the window has none), a command's action by its id.
    QWidget* DlgItem(int id) const;
    QAction* CommandAction(int id) const;
    // Runs the button or command with this id, as a click or a menu choice does.
    void OnCommand(int id);

signals:
    // Every SetMode, also when the mode stays the same.
    void ModeChanged(int mode);

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    friend class CVelquinDlgProbe;  // read access for the window's tests
    friend class CMeasurementProbe;  // read access for the measurement's tests
    friend class CClientArea;

    // Construction (VelquinDlg.cpp, VelquinDlgControls.cpp, VelquinDlgMenus.cpp).
    void CreateControls();
    QWidget* CreateControl(const sControlTemplate& control);
    // The time rows: a caption or a value set here shows whole (field from its start), the row
    // growing to the left where its template places are too small.
    void SetLabelText(QLabel* label, const char* text);
    void SetFieldText(QLineEdit* field, const QString& text);
    void FitTimeRows();
    void BuildMenuBar();
    void InitializeDialog();
    void ReleaseResources();
    void OnClientResized();

    // Receiver notifications (VelquinDlgNotifications.cpp).
    struct sReceiverReaction;
    static const std::vector<sReceiverReaction>& ReceiverReactions();
    void OnReceiverNotification(int code, std::uint32_t generation);
    void OnNewFrameNotification();
    void OnLateFrameNotification();
    void OnDataStopped();

    // Key filter (VelquinDlgKeys.cpp).
    bool HandleWindowKey(const QKeyEvent& event);

    // Measurement (VelquinDlgMeasure.cpp).
    bool SendStep(int (IWaveIo::*command)());
    void OnBnClickedStart();
    void OnBnClickedStop();
    void OnWmConnectReply();
    void OnReceiverConnected();
    void OnNameReply();
    void SendStartMeasurement();
    void OnNoDataAfterStart();
    void SendCommand4();
    void OnCommand4Reply();
    void SendCommand6();
    void SendCommand8();
    void OnCardInfo();
    void OnCardInfoError();
    void OnCommand32855();

    // Data blocks (VelquinDlgIntake.cpp). FillGapBlock returns 1, or 0 when storing the
    // filled second failed (the measurement is then over).
    void OnMeasurementStarted();
    bool DateRecording();
    void ShowStartTime(std::time_t start);
    int FillGapBlock();
    void OnDataBlock();
    void RewriteLateBlock();
    bool TakeNotifiedFrame();
    std::vector<float> FrameBlock(int& channels, int& n) const;
    bool StoreBlock(const std::vector<float>& block, int channels, int n, int sequence);
    void ShowSweepSpectrum();
    // The spectrum chart from a spectrum and its bands (VelquinDlgSpectrum.cpp).
    void ShowSpectrum(std::span<const float> spectrum, const sBandPowers& bands);

    // Modes (VelquinDlgModes.cpp).
    void OnBnClickedBackToRealTime();
    void OnBnClickedGraphCheck();
    void EnableCommand(int id, bool enable);

    // Layout and view commands (VelquinDlgLayout.cpp).
    void PlaceStatusFields();
    void OnViewEegGraph();
    void OnViewEmgGraph();
    void OnViewEegFft();
    void ToggleViewCommand(int command, QCheckBox* box);

    // Menus (VelquinDlgMenus.cpp, VelquinDlgContextMenu.cpp).
    struct sCommandRoute;
    static const std::vector<sCommandRoute>& CommandRoutes();
    void OnMenuSelect();
    void OnSavedFileSetting();
    void OnFftSetting();
    void OnCommunicationSetting();
    void OnReceiverSetting();
    void OnAppAbout();
    void OnRButtonDown(const QPoint& point);
    void ShowGraphContextMenu(bool eegGraph, const QPoint& point);

    // Analysis view (VelquinDlgAnalysis.cpp).
    void OnBnClickedAnalysisStart();
    void ShowAnalysisPattern();
    void OnBnClickedAnalysisSave();
    void SaveAnalysisResult();

    // Status line (VelquinDlgStatus.cpp).
    void SetStatusColour(const QColor& colour, bool repaint);
    int Prompt(const QString& text, ePromptButtons buttons, ePromptIcon icon);

    // Collaborators.
    sDlgServices m_services;
    CWindowLinkSink m_linkSink{this};

    // Members of the window.
    QIcon m_hIcon;
    int m_nMode = kModeIdle;
    std::unique_ptr<IWaveIo> m_pWaveIo;
    CWaveLog m_waveLog;
    CSleepScorer m_sleepScorer;
    QPushButton* m_btnStart = nullptr;
    QPushButton* m_btnStop = nullptr;
    QPushButton* m_btnOpenEdf = nullptr;
    QPushButton* m_btnAnalysisStart = nullptr;
    QPushButton* m_btnAnalysisSave = nullptr;
    QPushButton* m_btnBackToRealTime = nullptr;
    QLabel* m_staticStartTime = nullptr;
    QLineEdit* m_editStartTime = nullptr;
    QLabel* m_staticNowTime = nullptr;
    QLineEdit* m_editNowTime = nullptr;
    QCheckBox* m_chkEeg = nullptr;
    QCheckBox* m_chkEmg = nullptr;
    QCheckBox* m_chkEegFft = nullptr;
    QCheckBox* m_chkAnalysis = nullptr;
    QLabel* m_staticStatusSource = nullptr;
    QLabel* m_staticStatusText = nullptr;
    QLabel* m_staticStatusSpare = nullptr;
    QBrush m_brushRed;
    QBrush m_brushGreen;
    QPushButton* m_btnLeft = nullptr;
    QPushButton* m_btnRight = nullptr;
    QScrollBar* m_scrollBar = nullptr;
    CRealTimeGraph* m_graphEeg = nullptr;
    CRealTimeGraph* m_graphEmg = nullptr;
    CFftMSChart* m_chartFft = nullptr;
    CHypnogramMSChart* m_chartHypnogram = nullptr;
    CFftTrendMSChart* m_chartFftTrend = nullptr;
    QString m_strOpenedFile;
    std::vector<sDataFilePosition> m_filePositions;
    QString m_strRecorderId;
    CReviewFile m_review;  // the samples of the reviewed file (both channels as float arrays)
    int m_nSampleRate = 128;
    int m_nReviewSeconds = 0;
    std::time_t m_startTime = 0;
    int m_nTimeRange = 30;
    int m_nFirstSecond = 0;
    int m_nEegYMax = 200;
    int m_nEegYMin = -200;
    int m_nEmgYMax = 200;
    int m_nEmgYMin = -200;
    double m_dFftYMax = 20.0;
    int m_nMenuTargetA = 0;
    int m_nMenuTargetB = 0;
    double m_dCursorFraction = 0.0;
    int m_nCursorSecond = 0;
    int m_bShowAll = 0;
    int m_nFftDisplayMode = 0;
    int m_nFftRange = 1;
    QColor m_crStatus;
    int m_bClosing = 0;

    // Of this port: the frame snapshot of the data notification being handled, the client
    // area the controls stand on, the controls and commands by id, and whether the link and
    // the review arrays have been released.
    sFrameSnapshot m_frame;
    QWidget* m_clientArea = nullptr;
    QHash<int, QWidget*> m_controls;
    QHash<int, QAction*> m_commands;
    bool m_released = false;

    // Review, time range, display settings, cursor and scroll bar (VelquinDlgReview.cpp,
    // VelquinDlgDrop.cpp, VelquinDlgTimeRange.cpp, VelquinDlgDisplay.cpp, VelquinDlgCursor.cpp).
public:
    // Opens the file at path for review as the file dialog and a drop do.
    void OpenEdfPath(const QString& path);
    // The left button pressed at point (client-area coordinates): places the review cursor.
    void OnLButtonDown(const QPoint& point);
    // The cursor step of a press on a graph in review; the point is in client-area coordinates.
    void PlaceReviewCursor(CRealTimeGraph* clicked, const QPoint& point);

private:
    void InitReview();
    void OnBnClickedOpenEdf();
    void OpenEdfFile();
    void LoadEdf(CEdfFile& file);
    void RefuseEdf(CEdfFile& file);
    void ReleaseReviewFile();
    void OnBnClickedLeft();
    void OnBnClickedRight();
    // Accepts the drag or drop with the action the window takes; false when it refuses it.
    bool AnswerDrag(QDropEvent& event) const;
    // Copy, or link where the source offers no copy; IgnoreAction when the window would not
    // open what is dragged.
    Qt::DropAction DropActionFor(const QDropEvent& event) const;
    void ApplyTimeRange(int seconds, bool resizeRings);
    bool OnTimeRangeCommand(int id);
    bool OnVoltageCommand(int id);
    void OnHScroll(int action);
    void ScheduleReviewRedraw();
    void SetGraphsCursorFraction(double fraction);

    CReviewSpectrumCache m_reviewSpectrum;
    QString m_strLastEdfFolder;       // folder of the last file opened for review
    bool m_bReviewRedrawPending = false;
};
