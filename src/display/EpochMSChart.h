#pragma once
// What the hypnogram and the band-trend chart share: one stage code per 30-second epoch
// from a start time, sent to the chart control as a line chart with one series per stage,
// and the answers to the control's two click events.

#include <QString>

#include <cstdint>
#include <ctime>
#include <functional>
#include <span>
#include <string>

#include "display/ChartValues.h"
#include "display/EpochChartSetup.h"
#include "display/MsChart.h"

class CEpochMSChart : public CMschart {
    Q_OBJECT
public:
    // Shows a text to the user; by default a message box with an OK button and the
    // application's name as caption.
    using MessageBoxFn = std::function<void(const QString& text)>;

    // Copies count codes; a shorter array gives zeros (no stage) for the rest.
    void SetData(std::span<const std::int32_t> values);
    // Stores the count only; the owner sends data before the next Update.
    void SetCount(int count);
    void SetStartTime(std::time_t startTime);
    // Sends the whole state to the control and fixes the plot's rectangle.
    void Update();

    // A click on a point: the text "Series:%d,DataPoint:%d" in a message box.
    void OnPointSelected(short* series, short* dataPoint, short* mouseFlags, short* cancel);
    // A click elsewhere on the chart: the selection is cancelled.
    bool OnCancelSelection(short* mouseFlags, short* cancel);

    void SetMessageBox(MessageBoxFn show) { m_showMessage = std::move(show); }

    int GetCount() const { return m_values.GetCount(); }
    std::time_t GetStartTime() const { return m_startTime; }

protected:
    CEpochMSChart(const EpochChart::sStyle& style, int plotLeftTwips, QWidget* parent);

    // Added to the plot's right edge (twips) at this update; the hypnogram narrows its plot once.
    virtual int TakePlotWidthCorrection() { return 0; }

    CChartValues<std::int32_t> m_values;
    std::time_t m_startTime = 0;
    std::string m_strXTitle;
    std::string m_strYTitle;

private:
    void AdjustPlotRect();

    const EpochChart::sStyle& m_style;
    int m_nPlotLeftTwips;
    MessageBoxFn m_showMessage;
};
