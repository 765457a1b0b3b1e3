#pragma once
// The FFT settings dialog: how the spectrum chart shows the EEG (four band bars or the
// frequency detail), over which seconds it is computed while measuring (the newest ones or
// the shown range), and the chart's vertical maximum, chosen from a list of the display
// mode. It reads the settings when it opens and writes them only on OK. Enter and Escape do
// nothing; Cancel and the close box leave everything as it was.

#include <array>

#include "dialogs/KeyRuleDialog.h"

class CGroupBox;
class QComboBox;
class QRadioButton;

// The settings the dialog edits; the main window provides them.
class IFftSettings {
public:
    virtual ~IFftSettings() = default;
    virtual int GetFftDisplayMode() const = 0;  // 0 band bars, any other value the detail
    virtual void SetFftDisplayMode(int mode) = 0;
    virtual int GetFftOption() const = 0;       // 1 the newest seconds, any other the shown range
    virtual void SetFftOption(int option) = 0;
    virtual double GetFftYMax() const = 0;      // µV²
    virtual void SetFftYMax(double value) = 0;
    virtual bool IsReviewMode() const = 0;
};

// The vertical maxima offered for each display mode (µV²), and the one chosen when the
// current maximum is not in the list.
inline constexpr std::array<double, 6> kFftBandYMaxList = {10.0, 20.0, 50.0, 100.0, 200.0, 500.0};
inline constexpr double kFftBandYMaxDefault = 20.0;
inline constexpr std::array<double, 6> kFftDetailYMaxList = {0.1, 0.2, 0.5, 1.0, 2.0, 5.0};
inline constexpr double kFftDetailYMaxDefault = 0.2;

class CFftSettingDlg : public CKeyRuleDialog {
    Q_OBJECT
public:
    // settings is both what the dialog edits and, as a window, usually its parent.
    explicit CFftSettingDlg(IFftSettings* settings, QWidget* parent = nullptr);

private:
    void ConnectControls();
    void InitControls();
    // Puts the mode's six values into the list and selects the current maximum, or the
    // mode's default when the maximum is not among them.
    void FillYMaxList(bool detail);
    void OnBnClickedBandMode();
    void OnBnClickedDetailMode();
    void OnBnClickedOk();
    void OnBnClickedCancel();

    IFftSettings* m_pSettings;
    CGroupBox* m_groupDisplayMode = nullptr;
    CGroupBox* m_groupRange = nullptr;
    QComboBox* m_comboYMax = nullptr;
    QRadioButton* m_radioBand = nullptr;
    QRadioButton* m_radioDetail = nullptr;
    QRadioButton* m_radioNewest = nullptr;
    QRadioButton* m_radioShownRange = nullptr;
};
