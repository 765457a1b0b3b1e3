#pragma once
// Stand-ins for the spectrum, hypnogram and band-trend charts until the charts land: they
// keep what the window gives them and draw a plain frame.

#include <QString>
#include <QWidget>

#include <ctime>
#include <vector>

class CMschart : public QWidget {
    Q_OBJECT
public:
    explicit CMschart(QWidget* parent = nullptr);
    int GetUpdateCount() const { return m_updates; }

protected:
    void paintEvent(QPaintEvent* event) override;
    int m_updates = 0;
};

class CFftMSChart : public CMschart {
    Q_OBJECT
public:
    explicit CFftMSChart(QWidget* parent = nullptr);
    void InitData();
    void SetData(const float* values, int n);
    void SetCount(int n) { m_count = n; }
    int GetCount() const { return m_count; }
    void SetBinsPerHz(int b) { m_binsPerHz = b; }
    void SetVerticalMax(double v, int redraw);
    double GetVerticalMax() const { return m_verticalMax; }
    void Update(int displayMode);

private:
    std::vector<float> m_values;
    int m_count = 4;
    int m_binsPerHz = 1;
    double m_verticalMax = 0.0;
};

class CHypnogramMSChart : public CMschart {
    Q_OBJECT
public:
    explicit CHypnogramMSChart(QWidget* parent = nullptr);
    void InitData() { m_values.assign(static_cast<size_t>(m_count), 0); }
    void SetData(const int* values, int n);
    void SetCount(int n) { m_count = n; }
    void SetStartTime(std::time_t t) { m_start = t; }
    void Update() { ++m_updates; update(); }

private:
    std::vector<int> m_values;
    int m_count = 120;
    std::time_t m_start = 0;
};

class CFftTrendMSChart : public CMschart {
    Q_OBJECT
public:
    explicit CFftTrendMSChart(QWidget* parent = nullptr);
    void InitData() { m_values.assign(static_cast<size_t>(m_count), 0); }
    void SetData(const int* values, int n);
    void SetCount(int n) { m_count = n; }
    void SetStartTime(std::time_t t) { m_start = t; }
    void Update() { ++m_updates; update(); }

private:
    std::vector<int> m_values;
    int m_count = 120;
    std::time_t m_start = 0;
};
