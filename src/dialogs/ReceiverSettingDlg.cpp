#include "dialogs/ReceiverSettingDlg.h"

#include <QDateEdit>
#include <QDateTime>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTimeEdit>

#include <algorithm>

#include "app/MessageTables.h"
#include "dialogs/ControlFit.h"
#include "dialogs/DialogFrame.h"
#include "dialogs/DialogControls.h"
#include "platform/qt/DialogStyle.h"
#include "platform/qt/QtPrompter.h"
#include "receiver/CommandWait.h"
#include "receiver/WaveIoInterface.h"

namespace {

constexpr int kIdInfoGroup = 1117;
constexpr int kIdVersionLabel = 1120;
constexpr int kIdVersion = 1126;
constexpr int kIdClockLabel = 1121;
constexpr int kIdClock = 1125;
constexpr int kIdGetInfo = 1113;
constexpr int kIdSetGroup = 1118;
constexpr int kIdPickedTime = 1134;
constexpr int kIdDate = 1131;
constexpr int kIdTime = 1130;
constexpr int kIdPcClock = 1129;
constexpr int kIdSetClock = 1114;
constexpr int kIdClose = 1;

constexpr int kErrorNoPort = 0;
constexpr int kErrorNoTime = 17;

// The years the clock-set command can carry (two digits after 2000).
constexpr int kFirstYear = 2000;
constexpr int kLastYear = 2099;

const char* const kFailedText = "---";

bool SystemLocalNow(std::tm& time)
{
    const std::time_t now = std::time(nullptr);
    return now != static_cast<std::time_t>(-1) && localtime_r(&now, &time) != nullptr;
}

QDateTime ToDateTime(const std::tm& t)
{
    return QDateTime(QDate(t.tm_year + 1900, t.tm_mon + 1, t.tm_mday), QTime(t.tm_hour, t.tm_min, t.tm_sec));
}

}  // namespace

ReceiverSettingDlg::ReceiverSettingDlg(IWaveIo* waveIo, QWidget* parent, sReceiverSettingServices services)
    : QDialog(parent), m_pWaveIo(waveIo), m_services(std::move(services))
{
    if (!m_services.prompter) {
        m_ownPrompter = std::make_unique<CQtPrompter>();
        m_services.prompter = m_ownPrompter.get();
    }
    if (!m_services.localNow)
        m_services.localNow = SystemLocalNow;
    SetUpDialogFrame(*this, QString::fromUtf8("受信機情報設定"), kDialogFontFace, kDialogFontPoints, 218, 162);
    CreateControls();
    // The value fields show the (still empty) texts, not the template's placeholders.
    ShowTexts();
    InitControls();
}

ReceiverSettingDlg::~ReceiverSettingDlg() = default;

void ReceiverSettingDlg::CreateControls()
{
    auto label = [this](const char* text, int id, int x, int y, int w, int h) {
        auto* l = new QLabel(QString::fromUtf8(text), this);
        l->setTextFormat(Qt::PlainText);
        return PlaceDlgControl(l, id, x, y, w, h);
    };
    auto radio = [this](const char* text, int id, int x, int y, int w, int h) {
        auto* r = new QRadioButton(QString::fromUtf8(text), this);
        r->setStyle(DialogControlStyle());
        return PlaceDlgControl(r, id, x, y, w, h);
    };
    PlaceDlgControl(new CGroupBox(QString::fromUtf8("受信機情報の取得"), this), kIdInfoGroup, 9, 8, 199, 61);
    label("バ ー ジ ョ ン ：", kIdVersionLabel, 22, 26, 45, 8);
    m_staticVersion = label(kFailedText, kIdVersion, 72, 26, 81, 8);
    label("　時　　刻　　：", kIdClockLabel, 20, 41, 48, 8);
    m_staticClock = label(kFailedText, kIdClock, 72, 41, 81, 8);
    m_btnGetInfo = PlaceDlgControl(new QPushButton(QString::fromUtf8("取得"), this), kIdGetInfo, 162, 49, 41, 14);
    PlaceDlgControl(new CGroupBox(QString::fromUtf8("時間情報のセット"), this), kIdSetGroup, 9, 76, 200, 60);
    m_radioPicked = radio("時刻指定", kIdPickedTime, 23, 93, 48, 10);
    m_dateCtrl = PlaceDlgControl(new QDateEdit(this), kIdDate, 76, 91, 56, 15);
    m_timeCtrl = PlaceDlgControl(new QTimeEdit(this), kIdTime, 138, 91, 66, 15);
    m_radioPcClock = radio("PCから取得", kIdPcClock, 23, 112, 53, 10);
    m_btnSetClock = PlaceDlgControl(new QPushButton(QString::fromUtf8("セット"), this), kIdSetClock, 162, 117, 41, 14);
    m_btnClose = PlaceDlgControl(new QPushButton(QString::fromUtf8("閉じる"), this), kIdClose, 161, 144, 50, 14);
    // Enter presses "閉じる" unless another button has the focus; Escape cancels.
    m_btnClose->setDefault(true);

    m_dateCtrl->setCalendarPopup(true);
    m_dateCtrl->setDisplayFormat(QStringLiteral("yyyy/MM/dd"));
    m_timeCtrl->setDisplayFormat(QStringLiteral("H:mm:ss"));
    FitTexts();

    connect(m_btnClose, &QPushButton::clicked, this, &ReceiverSettingDlg::OnBnClickedClose);
    connect(m_btnGetInfo, &QPushButton::clicked, this, &ReceiverSettingDlg::OnBnClickedGetInfo);
    connect(m_btnSetClock, &QPushButton::clicked, this, &ReceiverSettingDlg::OnBnClickedSetClock);
}

// The value fields show a whole clock text, the labels and radio buttons their captions, and
// the date picker a whole date beside its calendar button; the time picker then starts the
// template's gap later and keeps its right edge, or grows to the right where its style needs
// more room for a whole time.
void ReceiverSettingDlg::FitTexts()
{
    const int clockWidth = m_staticClock->fontMetrics().horizontalAdvance(QStringLiteral("0000/00/00 00:00:00"));
    for (QLabel* value : {m_staticVersion, m_staticClock}) {
        value->resize(std::max(value->width(), clockWidth), value->height());
        FitToText(value);
    }
    for (int id : {kIdVersionLabel, kIdClockLabel, kIdPickedTime, kIdPcClock})
        FitToText(FindDlgItem(*this, id));
    const int gap = m_timeCtrl->x() - m_dateCtrl->geometry().right() - 1;
    const int timeRight = m_timeCtrl->geometry().right();
    m_dateCtrl->setGeometry(GrowToText(*m_dateCtrl, m_dateCtrl->geometry(), false));
    const int timeLeft = m_dateCtrl->geometry().right() + 1 + gap;
    const QRect timePlace(timeLeft, m_timeCtrl->y(), timeRight - timeLeft + 1, m_timeCtrl->height());
    m_timeCtrl->setGeometry(timePlace);
    m_timeCtrl->setGeometry(GrowToText(*m_timeCtrl, timePlace, false));

    // Pickers that grew past their group (a style with wide buttons, as Adwaita's) widen the
    // groups and the dialog by as much; the buttons at the right edge move along.
    const int extra = m_timeCtrl->geometry().right() - timeRight;
    if (extra <= 0)
        return;
    for (int id : {kIdInfoGroup, kIdSetGroup}) {
        QWidget* group = FindDlgItem(*this, id);
        group->resize(group->width() + extra, group->height());
    }
    for (QWidget* button : {static_cast<QWidget*>(m_btnGetInfo), static_cast<QWidget*>(m_btnSetClock),
                            static_cast<QWidget*>(m_btnClose)})
        button->move(button->x() + extra, button->y());
    setFixedSize(width() + extra, height());
}

void ReceiverSettingDlg::InitControls()
{
    m_radioPicked->setChecked(false);
    m_radioPcClock->setChecked(true);
    // The date picker offers the years the receiver's clock can hold; a time picker holds
    // any time of day. Both start at now and stay enabled whichever radio button is checked.
    m_dateCtrl->setDateRange(QDate(kFirstYear, 1, 1), QDate(kLastYear, 12, 31));
    std::tm now{};
    const QDateTime start = m_services.localNow(now) ? ToDateTime(now) : QDateTime::currentDateTime();
    m_dateCtrl->setDate(start.date());
    m_timeCtrl->setTime(start.time());
}

int ReceiverSettingDlg::WaitForReply()
{
    return WaitForCommandReply(*m_pWaveIo, m_services.replyWaitLimit) != kStateFailed ? 1 : 0;
}

int ReceiverSettingDlg::QueryVersionAndClock()
{
    if (m_pWaveIo->RequestVersion() != 1 || !WaitForReply())
        return 0;
    if (m_pWaveIo->RequestClock() != 1 || !WaitForReply())
        return 0;
    return 1;
}

void ReceiverSettingDlg::OnBnClickedGetInfo()
{
    if (!OpenLink())
        return;
    if (QueryVersionAndClock()) {
        m_strVersion = QString::fromLatin1(m_pWaveIo->GetFirmwareVersion());
        m_strClock = QString::fromLatin1(m_pWaveIo->GetReceiverClock());
    } else {
        m_strVersion = QString::fromUtf8(kFailedText);
        m_strClock = QString::fromUtf8(kFailedText);
    }
    ShowTexts();
    CloseLinkUnlessTimedOut();
}

void ReceiverSettingDlg::OnBnClickedSetClock()
{
    std::tm time{};
    if (!TimeToSend(time))
        return;
    if (!OpenLink())
        return;
    // The clock is not read back: the value fields keep what the last "取得" showed.
    if (m_pWaveIo->SetReceiverClock(&time) == 1 && WaitForReply())
        ShowTexts();
    CloseLinkUnlessTimedOut();
}

void ReceiverSettingDlg::OnBnClickedClose()
{
    accept();
}

bool ReceiverSettingDlg::TimeToSend(std::tm& time)
{
    time = std::tm{};
    if (!m_services.localNow(time)) {
        ShowError(kErrorNoTime);
        return false;
    }
    if (!m_radioPcClock->isChecked()) {
        // The picked date with its own weekday and day of the year; the other fields stay
        // those of now.
        const QDate date = m_dateCtrl->date();
        const QTime clock = m_timeCtrl->time();
        if (!date.isValid() || !clock.isValid()) {
            ShowError(kErrorNoTime);
            return false;
        }
        time.tm_year = date.year() - 1900;
        time.tm_mon = date.month() - 1;
        time.tm_mday = date.day();
        time.tm_wday = date.dayOfWeek() % 7;
        time.tm_yday = date.dayOfYear() - 1;
        time.tm_hour = clock.hour();
        time.tm_min = clock.minute();
        time.tm_sec = clock.second();
    }
    // A year the command cannot carry is refused before anything is sent.
    const int year = time.tm_year + 1900;
    if (year < kFirstYear || year > kLastYear) {
        ShowError(kErrorNoTime);
        return false;
    }
    return true;
}

bool ReceiverSettingDlg::OpenLink()
{
    if (m_pWaveIo->OpenAndReceive() == 1)
        return true;
    ShowError(kErrorNoPort);
    m_pWaveIo->Disconnect();
    return false;
}

void ReceiverSettingDlg::CloseLinkUnlessTimedOut()
{
    if (m_pWaveIo->GetCommandState() == kStateFailed && m_pWaveIo->GetCommandTimedOut())
        return;
    m_pWaveIo->Disconnect();
}

void ReceiverSettingDlg::ShowTexts()
{
    m_staticVersion->setText(m_strVersion);
    m_staticClock->setText(m_strClock);
}

void ReceiverSettingDlg::ShowError(int error)
{
    const std::string_view text = g_strErrorMsg[static_cast<size_t>(error)];
    ShowErrorBox(*m_services.prompter, this, QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
}
