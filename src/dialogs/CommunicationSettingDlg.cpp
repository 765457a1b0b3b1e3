#include "dialogs/CommunicationSettingDlg.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QPushButton>

#include <algorithm>
#include <string>
#include <vector>

#include "dialogs/ControlFit.h"
#include "receiver/WaveIoInterface.h"

CCommunicationSettingDlg::CCommunicationSettingDlg(IWaveIo* waveIo, QWidget* parent)
    : CKeyRuleDialog(CommunicationSettingTemplate(), parent), m_pWaveIo(waveIo)
{
    m_comboPort = Item<QComboBox>(kIdPortList);
    connect(Item<QPushButton>(kIdOk), &QPushButton::clicked, this, &CCommunicationSettingDlg::OnBnClickedOk);
    connect(Item<QPushButton>(kIdCancel), &QPushButton::clicked, this, &CCommunicationSettingDlg::OnBnClickedCancel);
    OnInitDialog();
}

void CCommunicationSettingDlg::OnInitDialog()
{
    FillPortList();
    InitPortCombo();
    if (m_comboPort->count() == 0)
        m_comboPort->setEnabled(false);
}

void CCommunicationSettingDlg::FillPortList()
{
    std::vector<std::string> ports;
    m_pWaveIo->EnumComPorts(ports);
    if (ports.empty()) {
        m_comboPort->setEnabled(false);
        return;
    }
    for (const std::string& port : ports)
        m_comboPort->addItem(QString::fromStdString(port));
    // Device paths are longer than the list's place: the opened list shows them whole, and
    // the closed list grows to show the longest of them.
    int widest = 0;
    for (int i = 0; i < m_comboPort->count(); ++i)
        widest = std::max(widest, m_comboPort->fontMetrics().horizontalAdvance(m_comboPort->itemText(i)));
    m_comboPort->view()->setMinimumWidth(widest + 2 * m_comboPort->fontMetrics().averageCharWidth());
    FitToText(m_comboPort);
}

// The port set now is selected when the list holds exactly that name (device names differ
// by case, and /dev/ttyUSB1 is not /dev/ttyUSB10); otherwise the first port.
void CCommunicationSettingDlg::InitPortCombo()
{
    if (m_comboPort->count() == 0)
        return;
    const int index = m_comboPort->findText(QString::fromStdString(m_pWaveIo->GetPortName()),
                                            Qt::MatchExactly | Qt::MatchCaseSensitive);
    m_comboPort->setCurrentIndex(index >= 0 ? index : 0);
}

void CCommunicationSettingDlg::ApplyPortSelection()
{
    m_pWaveIo->SetPortName(m_comboPort->currentText().toStdString());
}

void CCommunicationSettingDlg::OnBnClickedOk()
{
    ApplyPortSelection();
    accept();
}

void CCommunicationSettingDlg::OnBnClickedCancel()
{
    reject();
}
