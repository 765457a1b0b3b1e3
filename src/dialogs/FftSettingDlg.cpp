#include "dialogs/FftSettingDlg.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

#include <algorithm>

#include "dialogs/DialogFrame.h"
#include "platform/qt/DialogStyle.h"

namespace {

constexpr int kIdDisplayModeGroup = 1084;
constexpr int kIdBandMode = 1082;
constexpr int kIdDetailMode = 1083;
constexpr int kIdRangeGroup = 1085;
constexpr int kIdNewestSeconds = 1086;
constexpr int kIdShownRange = 1087;
constexpr int kIdYMaxLabel = 1088;
constexpr int kIdYMaxList = 1089;
constexpr int kIdOk = 1;
constexpr int kIdCancel = 2;

// A drop-down list stands as high as one line of the template font; its template height is
// that of the opened list.
constexpr int kClosedComboHeightDlu = 14;

QRadioButton* MakeRadio(QWidget* parent, const char* caption, int id, int x, int y, int w, int h)
{
    auto* radio = new QRadioButton(QString::fromUtf8(caption), parent);
    radio->setStyle(DialogControlStyle());
    return PlaceDlgControl(radio, id, x, y, w, h);
}

}  // namespace

CFftSettingDlg::CFftSettingDlg(IFftSettings* settings, QWidget* parent)
    : CKeyRuleDialog(parent), m_pSettings(settings)
{
    SetUpDialogFrame(*this, QString::fromUtf8("FFT設定"), 172, 161);
    CreateControls();
    InitControls();
}

void CFftSettingDlg::CreateControls()
{
    m_groupDisplayMode = PlaceDlgControl(new CGroupBox(QString::fromUtf8("FFT表示方法"), this),
                                         kIdDisplayModeGroup, 7, 11, 150, 40);
    m_radioBand = MakeRadio(this, "δ波・θ波・α波・β波を表示", kIdBandMode, 19, 22, 98, 10);
    WidenToFit(m_radioBand);
    m_radioDetail = MakeRadio(this, "周波数詳細を表示", kIdDetailMode, 19, 36, 78, 10);
    m_groupRange = PlaceDlgControl(new CGroupBox(QString::fromUtf8("FFT計算範囲"), this), kIdRangeGroup, 7,
                                   59, 149, 41);
    m_radioNewest = MakeRadio(this, "直近4秒のFFTを計算", kIdNewestSeconds, 19, 70, 85, 10);
    m_radioShownRange = MakeRadio(this, "表示範囲のFFTを計算", kIdShownRange, 19, 84, 89, 10);
    WidenToFit(PlaceDlgControl(new QLabel(QString::fromUtf8("縦軸最大値(μV^2) ："), this), kIdYMaxLabel, 14, 113, 70, 8));
    m_comboYMax = PlaceDlgControl(new QComboBox(this), kIdYMaxList, 89, 112, 67, kClosedComboHeightDlu);
    auto* ok = PlaceDlgControl(new QPushButton(QStringLiteral("OK"), this), kIdOk, 61, 140, 50, 14);
    auto* cancel = PlaceDlgControl(new QPushButton(QString::fromUtf8("キャンセル"), this), kIdCancel, 115, 140, 50, 14);
    RemoveDefaultButtons();

    // Each pair of radio buttons is a group of its own.
    auto* displayMode = new QButtonGroup(this);
    displayMode->addButton(m_radioBand);
    displayMode->addButton(m_radioDetail);
    auto* range = new QButtonGroup(this);
    range->addButton(m_radioNewest);
    range->addButton(m_radioShownRange);

    // Clicks, not toggles: a click on the radio button already checked refills the list too.
    connect(m_radioBand, &QRadioButton::clicked, this, &CFftSettingDlg::OnBnClickedBandMode);
    connect(m_radioDetail, &QRadioButton::clicked, this, &CFftSettingDlg::OnBnClickedDetailMode);
    connect(ok, &QPushButton::clicked, this, &CFftSettingDlg::OnBnClickedOk);
    connect(cancel, &QPushButton::clicked, this, &CFftSettingDlg::OnBnClickedCancel);
}

void CFftSettingDlg::InitControls()
{
    const bool detail = m_pSettings->GetFftDisplayMode() != 0;
    m_radioDetail->setChecked(detail);
    m_radioBand->setChecked(!detail);

    const bool newest = m_pSettings->GetFftOption() == 1;
    m_radioNewest->setChecked(newest);
    m_radioShownRange->setChecked(!newest);

    // A review always computes over the shown range.
    if (m_pSettings->IsReviewMode()) {
        m_groupRange->setEnabled(false);
        m_radioNewest->setEnabled(false);
        m_radioShownRange->setEnabled(false);
    }
    FillYMaxList(detail);
}

void CFftSettingDlg::FillYMaxList(bool detail)
{
    const auto& values = detail ? kFftDetailYMaxList : kFftBandYMaxList;
    const double fallback = detail ? kFftDetailYMaxDefault : kFftBandYMaxDefault;
    m_comboYMax->clear();
    for (int i = 0; i < static_cast<int>(values.size()); ++i)
        m_comboYMax->insertItem(i, QString::asprintf("%.1f", values[static_cast<size_t>(i)]));
    const double current = m_pSettings->GetFftYMax();
    for (int i = 0; i < static_cast<int>(values.size()); ++i)
        if (values[static_cast<size_t>(i)] == fallback)
            m_comboYMax->setCurrentIndex(i);
    for (int i = 0; i < static_cast<int>(values.size()); ++i)
        if (values[static_cast<size_t>(i)] == current)
            m_comboYMax->setCurrentIndex(i);
}

void CFftSettingDlg::OnBnClickedBandMode()
{
    FillYMaxList(false);
}

void CFftSettingDlg::OnBnClickedDetailMode()
{
    FillYMaxList(true);
}

// The maximum first: the display-mode setter leaves it as it is.
void CFftSettingDlg::OnBnClickedOk()
{
    const bool detail = m_radioDetail->isChecked();
    const auto& values = detail ? kFftDetailYMaxList : kFftBandYMaxList;
    const int index = std::clamp(m_comboYMax->currentIndex(), 0, static_cast<int>(values.size()) - 1);
    m_pSettings->SetFftYMax(values[static_cast<size_t>(index)]);
    m_pSettings->SetFftDisplayMode(detail ? 1 : 0);
    m_pSettings->SetFftOption(m_radioNewest->isChecked() ? 1 : 0);
    accept();
}

void CFftSettingDlg::OnBnClickedCancel()
{
    reject();
}
