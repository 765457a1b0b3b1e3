#pragma once
// The receiver information dialog: reads the receiver's firmware version and clock ("取得")
// and sets its clock to the PC's time or to a picked date and time ("セット"). Each action
// opens the port of the receiver façade, sends its commands, waits for each reply on this
// thread (no events are handled meanwhile) and closes the link again. A reply time-out is
// left to the main window, which is told of it by the link, closes the link and shows its
// error; after a refused or damaged reply, which the link reports to nobody, the dialog
// closes the link itself.

#include <QDialog>
#include <QString>

#include <chrono>
#include <ctime>
#include <functional>
#include <memory>

class IPrompter;
class IWaveIo;
class QDateEdit;
class QLabel;
class QPushButton;
class QRadioButton;
class QTimeEdit;

// What the dialog needs besides the façade; empty fields take the program's own.
struct sReceiverSettingServices {
    IPrompter* prompter = nullptr;                     // error boxes
    std::chrono::milliseconds replyWaitLimit{6000};    // longest wait for one reply
    std::function<bool(std::tm&)> localNow;            // the PC's local time; false if unreadable
};

class ReceiverSettingDlg : public QDialog {
    Q_OBJECT
public:
    explicit ReceiverSettingDlg(IWaveIo* waveIo, QWidget* parent = nullptr, sReceiverSettingServices services = {});
    ~ReceiverSettingDlg() override;

private:
    void CreateControls();
    void FitTexts();
    void InitControls();
    // Waits for the reply to the command just sent; 1 unless the command failed (or no
    // reply came within the limit).
    int WaitForReply();
    // Version request, its reply, clock request, its reply; 1 when all four succeed.
    int QueryVersionAndClock();
    void OnBnClickedGetInfo();
    void OnBnClickedSetClock();
    void OnBnClickedClose();
    // The broken-down time to send: now, or the picked date and time; false (error 17
    // shown) when there is none to send.
    bool TimeToSend(std::tm& time);
    // Opens the link for an action; on failure error 0 and the link closed again.
    bool OpenLink();
    // Closes the link after an action, unless it ended in the reply time-out.
    void CloseLinkUnlessTimedOut();
    void ShowTexts();
    void ShowError(int error);

    IWaveIo* m_pWaveIo;
    sReceiverSettingServices m_services;
    std::unique_ptr<IPrompter> m_ownPrompter;
    QString m_strClock;
    QString m_strVersion;
    QLabel* m_staticClock = nullptr;
    QLabel* m_staticVersion = nullptr;
    QDateEdit* m_dateCtrl = nullptr;
    QTimeEdit* m_timeCtrl = nullptr;
    QRadioButton* m_radioPicked = nullptr;
    QRadioButton* m_radioPcClock = nullptr;
    QPushButton* m_btnClose = nullptr;
    QPushButton* m_btnGetInfo = nullptr;
    QPushButton* m_btnSetClock = nullptr;
};
