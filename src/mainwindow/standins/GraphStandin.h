#pragma once
// Stand-ins for the line graph and the sweep graph until the graphs land: they keep the
// settings the window gives them and draw a frame with the title and axis labels.

#include <QString>
#include <QWidget>

#include <vector>

class CGraph : public QWidget {
    Q_OBJECT
public:
    explicit CGraph(QWidget* parent = nullptr);

    virtual void SetData(const float* values, int n);
    virtual void Clear();
    void SetXMax(double v, int redraw) { m_xMax = v; Redraw(redraw); }
    void SetXMin(double v, int redraw) { m_xMin = v; Redraw(redraw); }
    void SetYMax(double v, int redraw) { m_yMax = v; Redraw(redraw); }
    void SetYMin(double v, int redraw) { m_yMin = v; Redraw(redraw); }
    void SetTitle(const QString& s, int redraw) { m_title = s; Redraw(redraw); }
    void SetXLabel(const QString& s, int redraw) { m_xLabel = s; Redraw(redraw); }
    void SetYLabel(const QString& s, int redraw) { m_yLabel = s; Redraw(redraw); }
    void SetXFormat(const QString& s, int redraw) { m_xFormat = s; Redraw(redraw); }
    void SetXGridCount(int n, int redraw) { m_xGridCount = n; Redraw(redraw); }
    void SetCursorPixel(int x, int redraw) { m_cursorPixel = x; Redraw(redraw); }
    void UpdateCursorFraction();
    double GetCursorFraction() const { return m_cursorFraction; }
    void SetCursorFraction(double f, int redraw) { m_cursorFraction = f; Redraw(redraw); }

    double GetXMax() const { return m_xMax; }
    double GetXMin() const { return m_xMin; }
    double GetYMax() const { return m_yMax; }
    double GetYMin() const { return m_yMin; }
    QString GetTitle() const { return m_title; }
    QString GetXLabel() const { return m_xLabel; }
    QString GetYLabel() const { return m_yLabel; }
    QString GetXFormat() const { return m_xFormat; }
    int GetXGridCount() const { return m_xGridCount; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void Redraw(int flag) { if (flag == 1) update(); }

    std::vector<double> m_data;

private:
    double m_xMax = 10.0, m_xMin = 0.0, m_yMin = -1.0, m_yMax = 1.0;
    QString m_title = QStringLiteral("CGraph Class Title");
    QString m_xLabel = QStringLiteral("[x]");
    QString m_yLabel = QStringLiteral("[y]");
    QString m_xFormat = QStringLiteral("%2.0f");
    int m_xGridCount = 3;
    int m_cursorPixel = 0;
    double m_cursorFraction = 0.0;
};

class CRealTimeGraph : public CGraph {
    Q_OBJECT
public:
    explicit CRealTimeGraph(QWidget* parent = nullptr);

    virtual void AddData(const float* values, int n, int direct);
    void Clear() override;
    void SetSize(int n, int redraw);
    int GetSize() const { return static_cast<int>(m_ring.size()); }
    void GetData(float* out) const;

private:
    std::vector<float> m_ring;
    int m_writeIndex = 0;
};
