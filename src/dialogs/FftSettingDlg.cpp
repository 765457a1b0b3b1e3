#include "dialogs/FftSettingDlg.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QPushButton>
#include <QRadioButton>

#include <algorithm>

#include "dialogs/DialogControls.h"

CFftSettingDlg::CFftSettingDlg(IFftSettings* settings, QWidget* parent)
    : CKeyRuleDialog(FftSettingTemplate(), parent), m_pSettings(settings)
{
    m_groupDisplayMode = Item<CGroupBox>(kIdFftModeGroup);
    m_groupRange = Item<CGroupBox>(kIdFftRangeGroup);
    m_comboYMax = Item<QComboBox>(kIdFftYMaxList);
    m_radioBand = Item<QRadioButton>(kIdFftBandMode);
    m_radioDetail = Item<QRadioButton>(kIdFftDetailMode);
    m_radioNewest = Item<QRadioButton>(kIdFftNewestSeconds);
    m_radioShownRange = Item<QRadioButton>(kIdFftShownRange);
    ConnectControls();
    InitControls();
}

void CFftSettingDlg::ConnectControls()
{
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
    connect(Item<QPushButton>(kIdOk), &QPushButton::clicked, this, &CFftSettingDlg::OnBnClickedOk);
    connect(Item<QPushButton>(kIdCancel), &QPushButton::clicked, this, &CFftSettingDlg::OnBnClickedCancel);
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
