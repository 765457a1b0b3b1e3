// The status line (receiver, link state, colour), the error box, the review scroll range,
// and the confirmation of the saved-file settings before a measurement.
#include <QLabel>
#include <QPalette>
#include <QScrollBar>

#include "app/MessageTables.h"
#include "mainwindow/VelquinDlg.h"
#include "platform/qt/ScrollInfo.h"
#include "resources/MainWindowTexts.h"

namespace {

const QColor kRed(255, 0, 0);
const QColor kGreen(0, 255, 0);
// The text on the field's own colours: black reads on both (15:1 on green, 5:1 on red),
// whatever colour the desktop gives its own texts.
const QColor kStatusInk(0, 0, 0);

QString Text(const char* utf8)
{
    return QString::fromUtf8(utf8);
}

QString Text(std::string_view utf8)
{
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

QString FromStd(const std::string& utf8)
{
    return QString::fromStdString(utf8);
}

// One line of the confirmation: indented, ended by CR LF.
QString ConfirmLine(const QString& text)
{
    return Text(kConfirmIndent) + text + QStringLiteral("\r\n");
}

// The port as the receiver description names it: the device's name under /dev ("ttyUSB0",
// "pts/3"), else the file's own name, so that the serial number and model after it fit the
// field. The window title keeps the whole path.
QString ShortPortName(const QString& port)
{
    const QString devices = QStringLiteral("/dev/");
    if (port.startsWith(devices))
        return port.mid(devices.size());
    return port.mid(port.lastIndexOf(QLatin1Char('/')) + 1);
}

// The file-type bits of the saved-file settings.
constexpr int kTypeEdf = CWaveLog::kEdf;
constexpr int kTypeCsv = CWaveLog::kCsv;
constexpr int kNamingAutomatic = 1;

}  // namespace

int CVelquinDlg::Prompt(const QString& text, ePromptButtons buttons, ePromptIcon icon)
{
    return m_services.prompter->Show(this, text, buttons, icon);
}

void CVelquinDlg::SetStatusColour(const QColor& colour, bool repaintAlways)
{
    const bool changed = colour != m_crStatus;
    m_crStatus = colour;
    if (!repaintAlways && !changed)
        return;
    QPalette palette = m_staticStatusSource->palette();
    palette.setColor(QPalette::Window, colour);
    palette.setColor(QPalette::WindowText, kStatusInk);
    m_staticStatusSource->setPalette(palette);
    m_staticStatusSource->update();
}

void CVelquinDlg::UpdateStatusBar()
{
    switch (m_nMode) {
    case kModeIdle: {
        const QString port = m_pWaveIo ? FromStd(m_pWaveIo->GetPortName()) : QString();
        if (port.isEmpty()) {
            m_staticStatusSource->setText(Text(kTextNotConnected));
            m_staticStatusText->setText(Text(kTextChoosePortHint));
            SetStatusColour(kRed, true);
        } else if (m_pWaveIo->TestPort()) {
            m_staticStatusSource->setText(port);
            m_staticStatusText->clear();
            SetStatusColour(kGreen, true);
        } else {
            m_staticStatusSource->setText(port);
            m_staticStatusText->setText(Text(kTextPortCannotOpen));
            SetStatusColour(kRed, true);
        }
        break;
    }
    case kModeMeasuring: {
        m_staticStatusSource->setText(DescribeReceiver());
        const int status = m_pWaveIo ? m_pWaveIo->GetLinkStatus() : 5;
        const bool known = status >= 0 && status < static_cast<int>(kStatusMsgCount);
        m_staticStatusText->setText(known ? Text(g_strStatusMsg[static_cast<size_t>(status)]) : QString());
        SetStatusColour(status == 0 ? kGreen : kRed, false);
        break;
    }
    case kModeReview:
        m_staticStatusSource->setText(DescribeReceiver());
        m_staticStatusText->clear();
        SetStatusColour(kGreen, true);
        break;
    default:
        break;  // talking to the receiver, locked: the fields stay as they are
    }
}

QString CVelquinDlg::DescribeReceiver() const
{
    const bool measuring = m_nMode == kModeMeasuring;
    QString source;
    if (measuring) {
        // The first 11 bytes of the receiver's name, up to a zero byte.
        const std::string name = m_pWaveIo ? m_pWaveIo->GetReceiverName() : std::string();
        const std::string head = name.substr(0, std::min<size_t>(name.size(), 11));
        source = QString::fromLatin1(head.c_str());
    } else {
        source = m_strRecorderId;
    }

    QString serial = source;
    QString model;
    if (source.contains(Text(kTextCodeOlder))) {
        serial.remove(Text(kTextCodeOlder));
        model = Text(kTextModelOlder);
    } else if (source.contains(Text(kTextCodeCurrent))) {
        serial.remove(Text(kTextCodeCurrent));
        model = Text(kTextModelCurrent);
    } else {
        serial = measuring ? QString() : Text(kTextSerialUnknown);
        model = Text(kTextModelUnknown);
    }

    if (measuring) {
        const QString port = m_pWaveIo ? ShortPortName(FromStd(m_pWaveIo->GetPortName())) : QString();
        return QString::asprintf(kFormatReceiverMeasuring, port.toUtf8().constData(),
                                 serial.toUtf8().constData(), model.toUtf8().constData());
    }
    return QString::asprintf(kFormatReceiverOther, serial.toUtf8().constData(), model.toUtf8().constData());
}

void CVelquinDlg::SetReviewScrollRange(int position)
{
    sScrollInfo info = GetScrollInfo(m_scrollBar);
    info.min = 0;
    info.max = m_nReviewSeconds - 1;
    info.page = m_nTimeRange;
    info.pos = position;
    SetScrollInfo(m_scrollBar, info);
}

int CVelquinDlg::ShowError(int error)
{
    // Every caller passes a number of the table; anything else shows nothing.
    if (error < 0 || error >= static_cast<int>(kErrorMsgCount))
        return 0;
    return Prompt(Text(g_strErrorMsg[static_cast<size_t>(error)]), ePromptButtons::Ok, ePromptIcon::Exclamation);
}

int CVelquinDlg::ConfirmSavedFileSettings()
{
    const QString folder = FromStd(m_waveLog.GetFolder());
    const int types = m_waveLog.GetFileTypes();
    const bool noType = !m_waveLog.RecordsFiles();

    const QString folderPart = ConfirmLine(folder);

    QString typePart;
    if (noType)
        typePart = ConfirmLine(Text(kConfirmNotSet));
    if (types & kTypeEdf)
        typePart += ConfirmLine(Text(kConfirmEdfType));
    if (types & kTypeCsv)
        typePart += ConfirmLine(Text(kConfirmCsvType));

    QString namePart;
    if (noType) {
        namePart = ConfirmLine(Text(kConfirmNotSet));
    } else if (m_waveLog.GetNamingMode() == kNamingAutomatic) {
        namePart = ConfirmLine(Text(kConfirmAutomaticNames));
        if (types & kTypeEdf)
            namePart += ConfirmLine(Text(kConfirmEdfExample));
        if (types & kTypeCsv)
            namePart += ConfirmLine(Text(kConfirmCsvExample));
    } else {
        namePart = ConfirmLine(Text(kConfirmUserNames));
        if (types & kTypeEdf)
            namePart += ConfirmLine(FromStd(m_waveLog.GetEdfFileName()));
        if (types & kTypeCsv)
            namePart += ConfirmLine(FromStd(m_waveLog.GetCsvFileName()));
    }

    const QString message = QString::asprintf(kFormatConfirmSettings, folderPart.toUtf8().constData(),
                                              typePart.toUtf8().constData(), namePart.toUtf8().constData());
    int answer = Prompt(message, ePromptButtons::YesNoCancel, ePromptIcon::Question);
    if (answer == IDYES) {
        answer = ConfirmNoFileType();
        if (answer == IDYES)
            answer = ConfirmOverwrite();
    }
    return answer;
}

int CVelquinDlg::ConfirmNoFileType()
{
    // A stored value without either type bit records nothing, whatever its other bits.
    if (m_waveLog.RecordsFiles())
        return IDYES;
    return Prompt(Text(kTextConfirmNoFileType), ePromptButtons::YesNo, ePromptIcon::Question);
}

int CVelquinDlg::ConfirmOverwrite()
{
    if (m_waveLog.GetNamingMode() == kNamingAutomatic)
        return IDYES;
    // Only the files the user agreed to replace may go when the recording starts: each as it
    // stood when the question was asked, so that a file put under the name while the
    // question is open is not the one removed.
    const int types = m_waveLog.GetFileTypes();
    const struct {
        int type;
        const char* question;
    } names[] = {{kTypeEdf, kTextConfirmOverwriteEdf}, {kTypeCsv, kTextConfirmOverwriteCsv}};
    std::optional<sFileIdentity> agreed[2];
    for (std::size_t i = 0; i < 2; ++i) {
        if (!(types & names[i].type))
            continue;
        std::optional<sFileIdentity> there = m_waveLog.UserFileAt(names[i].type);
        if (!there)
            continue;
        if (Prompt(Text(names[i].question), ePromptButtons::YesNo, ePromptIcon::Question) == IDNO)
            return IDNO;
        agreed[i] = there;
    }
    m_waveLog.PermitReplacing(agreed[0], agreed[1]);
    return IDYES;
}
