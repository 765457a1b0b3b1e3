#pragma once
// CCommunicationSettingDlg: the user chooses the receiver's serial port. The dialog lists
// the ports the receiver façade finds, preselects the port set now, and on OK sets the
// chosen port in the façade (an empty name when no port was listed). Cancel or the close
// box store nothing.
//
//   CCommunicationSettingDlg dlg(&waveIo, owner);
//   if (dlg.DoModal() == IDOK) ...   // waveIo.GetPortName() is the choice

#include "dialogs/KeyRuleDialog.h"

class IWaveIo;
class QComboBox;

class CCommunicationSettingDlg : public CKeyRuleDialog {
    Q_OBJECT
public:
    // The façade is not owned and must outlive the dialog.
    explicit CCommunicationSettingDlg(IWaveIo* waveIo, QWidget* parent = nullptr);

private:
    void OnInitDialog();
    void FillPortList();
    void InitPortCombo();
    void ApplyPortSelection();
    void OnBnClickedOk();
    void OnBnClickedCancel();

    IWaveIo* m_pWaveIo;
    QComboBox* m_comboPort = nullptr;
};
