#include "display/EpochMSChart.h"

#include <QCoreApplication>
#include <QMessageBox>

#include "display/FftChartSetup.h"

namespace {

constexpr int kDefaultEpochs = 120;

}  // namespace

CEpochMSChart::CEpochMSChart(const EpochChart::sStyle& style, int plotLeftTwips, QWidget* parent)
    : CMschart(parent), m_values(kDefaultEpochs), m_style(style), m_nPlotLeftTwips(plotLeftTwips)
{
    m_showMessage = [this](const QString& text) {
        QMessageBox box(QMessageBox::NoIcon, QCoreApplication::applicationName(), text, QMessageBox::Ok, window());
        box.exec();
    };
    connect(this, &CMschart::PointSelected, this, [this](short series, short point, short flags, short* cancel) {
        OnPointSelected(&series, &point, &flags, cancel);
    });
    connect(this, &CMschart::ChartSelected, this, [this](short flags, short* cancel) {
        OnCancelSelection(&flags, cancel);
    });
}

void CEpochMSChart::SetData(std::span<const std::int32_t> values)
{
    m_values.SetData(values);
}

void CEpochMSChart::SetCount(int count)
{
    m_values.SetCount(count);
}

void CEpochMSChart::SetStartTime(std::time_t startTime)
{
    m_startTime = startTime;
}

void CEpochMSChart::Update()
{
    CChartState& state = State();
    state.SetChartType(kChartTypeLine2d);
    SetupBackdrop(state);
    EpochChart::SetupAxes(state, m_style, m_strXTitle, m_strYTitle);
    EpochChart::SetupData(state, m_values, m_startTime);
    if (m_style.stageColours)
        EpochChart::SetSeriesColours(state);
    EpochChart::SetLegend(state, m_style);
    AdjustPlotRect();
    Refresh();
}

void CEpochMSChart::AdjustPlotRect()
{
    CChartState& state = State();
    Layout();
    state.SetAutoLayout(true);
    const sChartRect automatic = state.LocationRect();
    state.SetAutoLayout(false);
    sChartRect& rect = state.LocationRect();
    rect.min.x = static_cast<float>(m_nPlotLeftTwips);
    rect.min.y = automatic.min.y;
    rect.max.y = automatic.max.y;
    rect.max.x = automatic.max.x + static_cast<float>(TakePlotWidthCorrection());
}

void CEpochMSChart::OnPointSelected(short* series, short* dataPoint, short* /*mouseFlags*/, short* /*cancel*/)
{
    m_showMessage(QStringLiteral("Series:%1,DataPoint:%2").arg(*series).arg(*dataPoint));
}

bool CEpochMSChart::OnCancelSelection(short* /*mouseFlags*/, short* cancel)
{
    *cancel = 1;
    return true;
}
