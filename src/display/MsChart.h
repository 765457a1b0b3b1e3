#pragma once
// The chart control as a widget: it holds a chart state, draws it, lays out its plot on
// request, and reports clicks as two events. The chart classes derive from it and send
// their data into its state; what is drawn is always the state as last sent.

#include <QWidget>

#include <optional>

#include "display/ChartLayout.h"
#include "display/ChartState.h"
#include "display/ChartValueLabels.h"

class CMschart : public QWidget {
    Q_OBJECT
public:
    explicit CMschart(QWidget* parent = nullptr);

    CChartState& State() { return m_state; }
    const CChartState& State() const { return m_state; }

    // Schedules a repaint of the state as it stands.
    void Refresh();
    // Lays out the plot for the current size and stores the automatic rectangle, in twips,
    // as the plot's location rectangle (whatever AutoLayout says).
    void Layout();

    // Draws the control as it would look at the given size (the test and screenshot seam).
    void Draw(QPainter& painter, QSize size) const;

    // Geometry at the control's current size, in pixels, for hit-testing and tests.
    sChartGeometry Geometry() const;
    QRect GetPlotRect() const { return Geometry().plot; }
    QRect GetAxesRect() const { return Geometry().axes; }
    QRect GetLegendRect() const { return Geometry().legend; }
    // Where series s (from 1) shows row r (from 1): a line point, or a bar's centre.
    std::optional<QPoint> GetPointPos(int series, int row) const;
    std::optional<QRect> GetBarRect(int series, int row) const;
    // The value labels as they are drawn: texts, boxes and their font.
    sValueLabels GetValueLabels() const;

signals:
    // A click on a bar or point; mouse flags: 4 shift, 8 control held. A handler may set
    // *cancel to 1.
    void PointSelected(short series, short dataPoint, short mouseFlags, short* cancel);
    // A click on the chart anywhere else.
    void ChartSelected(short mouseFlags, short* cancel);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    sChartGeometry GeometryAt(QSize size) const;

    CChartState m_state;
};
