#pragma once
// The line graph: one signal as a black polyline over a dotted grid, with tick values, axis
// labels, a title, a red zero line, a black cursor line and an optional dotted selection.
// It keeps its own copy of at most 16384 points and paints its whole client area.
//
// Setters take a redraw flag: the graph is invalidated only when the flag is exactly 1.
// Mouse presses are not taken: they pass on to the parent window, which places the cursor
// (SetCursorPixel, UpdateCursorFraction) and opens the context menu.

#include <QFrame>
#include <QRect>
#include <QString>

#include <span>
#include <string>
#include <vector>

#include "display/GraphGeometry.h"

class QPainter;

// The settings of a graph that survive Clear.
struct sGraphSettings {
    double xZoom = 1.0;
    double yZoom = 1.0;
    double xCenter = 0.5;
    double yCenter = 0.5;
    QString title = QStringLiteral("CGraph Class Title");
    QString xLabel = QStringLiteral("[x]");
    QString yLabel = QStringLiteral("[y]");
    int xGridCount = 3;
    int yGridCount = 3;
    double xMax = 10.0;
    double xMin = 0.0;
    double yMin = -1.0;
    double yMax = 1.0;
    std::string xFormat = "%2.0f";
    std::string yFormat = "%5.0f";
    int cursorPixel = 0;
    double cursorFraction = 0.0;
    double selectionX1 = -1.0;
    double selectionY1 = -1.0;
    double selectionX2 = -1.0;
    double selectionY2 = -1.0;
};

class CGraph : public QFrame {
    Q_OBJECT
public:
    explicit CGraph(QWidget* parent = nullptr);
    ~CGraph() override;

    // Stores a copy of the values (every step-th when there are more than 16384) and repaints.
    // FLT_MAX marks a point without a value; NaN is treated the same way.
    virtual void SetData(std::span<const float> values);
    // Forgets the data and the selection and repaints; ranges, labels and cursor stay.
    virtual void Clear();

    void SetXMax(double value, int redraw);
    void SetXMin(double value, int redraw);
    void SetYMax(double value, int redraw);
    void SetYMin(double value, int redraw);
    void SetTitle(const QString& text, int redraw);
    void SetXLabel(const QString& text, int redraw);
    void SetYLabel(const QString& text, int redraw);
    // A printf format with one floating conversion ("%2.0f"); any other format prints no ticks.
    void SetXFormat(const QString& format, int redraw);
    void SetXGridCount(int count, int redraw);

    // The cursor pixel is an x in client coordinates; the drawn position is the fraction.
    void SetCursorPixel(int x, int redraw);
    void UpdateCursorFraction();
    double GetCursorFraction() const { return m_s.cursorFraction; }
    void SetCursorFraction(double fraction, int redraw);

    double GetXRange() const;
    double GetYRange() const;
    double GetXZoom() const { return m_s.xZoom; }
    double GetYZoom() const { return m_s.yZoom; }
    double GetXCenter() const { return m_s.xCenter; }
    double GetYCenter() const { return m_s.yCenter; }
    double GetVisibleXRange() const;
    double GetVisibleYRange() const;
    double GetVisibleXMin() const;
    double GetVisibleXMax() const;
    double GetVisibleYMin() const;
    double GetVisibleYMax() const;

    // The selection corners as fractions of the client width (X) and height (Y); -1 = not set.
    double GetSelectionX1() const { return m_s.selectionX1; }
    double GetSelectionY1() const { return m_s.selectionY1; }
    double GetSelectionX2() const { return m_s.selectionX2; }
    double GetSelectionY2() const { return m_s.selectionY2; }
    int HasSelection() const;
    void ResetSelection(int redraw);
    void SetSelection(double x1, double y1, double x2, double y2, int redraw);

    // Read-backs of the settings and the stored points.
    const QString& GetTitle() const { return m_s.title; }
    const QString& GetXLabel() const { return m_s.xLabel; }
    const QString& GetYLabel() const { return m_s.yLabel; }
    QString GetXFormat() const { return QString::fromStdString(m_s.xFormat); }
    double GetXMin() const { return m_s.xMin; }
    double GetXMax() const { return m_s.xMax; }
    double GetYMin() const { return m_s.yMin; }
    double GetYMax() const { return m_s.yMax; }
    int GetXGridCount() const { return m_s.xGridCount; }
    int GetCursorPixel() const { return m_s.cursorPixel; }
    std::span<const double> GetStoredData() const { return m_data; }

    // Where the graph draws, in the widget's own coordinates: the client area (inside any
    // frame) and the plot rectangle within it (right and bottom edges on the frame lines).
    QRect ClientRect() const;
    QRect PlotRect() const;
    // The cells of the axis labels in the widget's own coordinates: the text's advance wide and
    // its font's pixel height high; empty when the graph draws no label. The y label stands
    // above the plot's upper left corner. The x label stands right of the plot's lower right
    // corner, in a font no larger than the y label's that lets it end inside the client area.
    QRect XLabelRect() const;
    QRect YLabelRect() const;

    // Draws the whole graph into a painter whose area is width × height pixels from (0, 0).
    void Draw(QPainter& painter, int width, int height) const;

protected:
    void paintEvent(QPaintEvent* event) override;

    // Stores count points, point i taken from value(i × step) with the decimation step of
    // count; value returns a float (FLT_MAX for no value).
    template <typename ValueAt>
    void StoreDecimated(int count, ValueAt value)
    {
        const int step = DecimationStep(count);
        const int stored = DecimatedCount(count);
        m_data.assign(static_cast<std::size_t>(stored), 0.0);
        for (int i = 0; i < stored; ++i)
            m_data[static_cast<std::size_t>(i)] = static_cast<double>(value(i * step));
    }
    void StoreData(std::span<const float> values);
    void Invalidate(int redraw);
    // Stores a setting and invalidates when redraw is exactly 1.
    template <typename Member, typename Value>
    void Store(Member& member, const Value& value, int redraw)
    {
        member = value;
        Invalidate(redraw);
    }

private:
    void DrawGrid(QPainter& painter, const sGraphPlotArea& plot) const;
    void DrawTickValues(QPainter& painter, const sGraphPlotArea& plot) const;
    void DrawAxisLabels(QPainter& painter, int width, int height) const;
    // The label cells for a client area of width × height pixels, in its coordinates.
    QRect XLabelCell(int width, int height) const;
    QRect YLabelCell(int width, int height) const;
    void DrawZeroLine(QPainter& painter, const sGraphPlotArea& plot) const;
    void DrawCursor(QPainter& painter, const sGraphPlotArea& plot) const;
    void DrawFrameLines(QPainter& painter, const sGraphPlotArea& plot) const;
    void DrawTrace(QPainter& painter, const sGraphPlotArea& plot) const;
    void DrawTitle(QPainter& painter, const sGraphPlotArea& plot, int width) const;
    void DrawSelection(QPainter& painter, const sGraphPlotArea& plot, int width, int height) const;

    sGraphSettings m_s;
    std::vector<double> m_data;
};
