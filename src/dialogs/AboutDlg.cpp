#include "dialogs/AboutDlg.h"

#include <QLabel>
#include <QPushButton>

#include "dialogs/ControlFit.h"
#include "dialogs/DialogFrame.h"
#include "platform/qt/DialogUnits.h"
#include "resources/AppIcon.h"

namespace {

constexpr int kIdProductName = 1050;
constexpr int kIdProductVersion = 1051;
constexpr int kIdFileVersion = 1052;
constexpr int kIdLegalCopyright = 1053;
constexpr int kIdCompanyName = 1054;
constexpr int kIdOk = 1;
constexpr int kIconSize = 32;

QString Labelled(const char* label, const std::string& value)
{
    return QString::fromUtf8(label) + QString::fromStdString(value);
}

}  // namespace

CAboutDlg::CAboutDlg(QWidget* parent) : CAboutDlg(RunningVersion(), parent)
{
}

CAboutDlg::CAboutDlg(const VersionInfoStrings& version, QWidget* parent)
    : QDialog(parent),
      m_strProductName(Labelled("Product Name : ", version.productName)),
      m_strProductVersion(Labelled("Product Version : ", version.productVersion)),
      m_strFileVersion(Labelled("File Version : ", version.fileVersion)),
      m_strLegalCopyright(QString::fromStdString(version.legalCopyright)),
      m_strCompanyName(QString::fromStdString(version.companyName))
{
    SetUpDialogFrame(*this, QStringLiteral("Velquin"), kDialogFontFace, kDialogFontPoints, 251, 95);
    CreateControls();
}

VersionInfoStrings CAboutDlg::RunningVersion()
{
    VersionInfoStrings version;
    ReadVersionInfoStrings(version);
    return version;
}

void CAboutDlg::CreateControls()
{
    // An icon static takes the size of its icon, whatever size the template gives it.
    auto* icon = new QLabel(this);
    icon->setPixmap(QPixmap::fromImage(RenderAppIcon(kIconSize)));
    icon->setGeometry(QRect(DluRectToPixels(14, 14, 18, 21).topLeft(), QSize(kIconSize, kIconSize)));

    const struct {
        int id;
        const QString& text;
        int y;
    } lines[] = {
        {kIdProductName, m_strProductName, 14},     {kIdProductVersion, m_strProductVersion, 26},
        {kIdFileVersion, m_strFileVersion, 38},     {kIdLegalCopyright, m_strLegalCopyright, 50},
        {kIdCompanyName, m_strCompanyName, 62},
    };
    for (const auto& line : lines) {
        // Shown as plain text: an ampersand or an angle bracket in a value stays as it is.
        auto* label = new QLabel(line.text, this);
        label->setTextFormat(Qt::PlainText);
        FitToText(PlaceDlgControl(label, line.id, 42, line.y, 149, 8));
    }

    auto* ok = PlaceDlgControl(new QPushButton(QStringLiteral("OK"), this), kIdOk, 194, 74, 50, 14);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
}
