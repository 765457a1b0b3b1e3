// The window title (product, port or opened file) and the saved-file settings kept in the
// profile between runs. Display settings are never stored.
#include "app/VersionInfo.h"
#include "mainwindow/VelquinDlg.h"

namespace {

const QString kSection = QStringLiteral("SavedFileSeting");
const QString kKeyFolder = QStringLiteral("OutputDirectory");
const QString kKeyFileType = QStringLiteral("FileType");
const QString kKeyNaming = QStringLiteral("IsDefaultFileName");
const QString kKeyEdfName = QStringLiteral("EdfFileName");
const QString kKeyCsvName = QStringLiteral("CsvFileName");

constexpr int kNamingAutomatic = 1;

QString FromStd(const std::string& utf8)
{
    return QString::fromStdString(utf8);
}

}  // namespace

void CVelquinDlg::UpdateTitle()
{
    VersionInfoStrings version;
    ReadVersionInfoStrings(version);
    const QString product = FromStd(version.productName);
    const QString port = m_pWaveIo ? FromStd(m_pWaveIo->GetPortName()) : QString();
    QString title;
    if (!IsReviewMode() && port.isEmpty())
        title = product;
    else if (IsReviewMode())
        title = product + QStringLiteral(" [") + m_strOpenedFile + QLatin1Char(']');
    else
        title = product + QStringLiteral(" [") + port + QLatin1Char(']');
    setWindowTitle(title);
}

void CVelquinDlg::LoadSavedFileSettings()
{
    IProfile& profile = *m_services.profile;
    m_waveLog.SetFolder(profile.GetProfileString(kSection, kKeyFolder, FromStd(m_waveLog.GetFolder())).toStdString());
    m_waveLog.SetFileTypes(profile.GetProfileInt(kSection, kKeyFileType, m_waveLog.GetFileTypes()));
    m_waveLog.SetNamingMode(profile.GetProfileInt(kSection, kKeyNaming, m_waveLog.GetNamingMode()));
    m_waveLog.SetEdfFileName(
        profile.GetProfileString(kSection, kKeyEdfName, FromStd(m_waveLog.GetEdfFileName())).toStdString());
    m_waveLog.SetCsvFileName(
        profile.GetProfileString(kSection, kKeyCsvName, FromStd(m_waveLog.GetCsvFileName())).toStdString());
}

void CVelquinDlg::SaveSavedFileSettings()
{
    IProfile& profile = *m_services.profile;
    profile.WriteProfileString(kSection, kKeyFolder, FromStd(m_waveLog.GetFolder()));
    profile.WriteProfileInt(kSection, kKeyFileType, m_waveLog.GetFileTypes());
    const int naming = m_waveLog.GetNamingMode();
    profile.WriteProfileInt(kSection, kKeyNaming, naming);
    // Automatic names leave the user's names empty; any other mode keeps them, since every
    // other mode records under the user's names.
    const bool automatic = naming == kNamingAutomatic;
    profile.WriteProfileString(kSection, kKeyEdfName, automatic ? QString() : FromStd(m_waveLog.GetEdfFileName()));
    profile.WriteProfileString(kSection, kKeyCsvName, automatic ? QString() : FromStd(m_waveLog.GetCsvFileName()));
}
