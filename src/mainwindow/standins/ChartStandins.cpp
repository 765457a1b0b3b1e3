#include "mainwindow/standins/ChartStandins.h"

#include <QPainter>

#include <algorithm>

CMschart::CMschart(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void CMschart::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.fillRect(rect(), QColor(240, 240, 240));
    p.setPen(Qt::gray);
    p.drawRect(rect().adjusted(0, 0, -1, -1));
}

CFftMSChart::CFftMSChart(QWidget* parent) : CMschart(parent)
{
    InitData();
}

void CFftMSChart::InitData()
{
    m_values.assign(static_cast<size_t>(std::max(0, m_count)), 0.0f);
}

void CFftMSChart::SetData(const float* values, int n)
{
    m_values.assign(static_cast<size_t>(std::max(0, m_count)), 0.0f);
    std::copy_n(values, std::min(std::max(0, n), std::max(0, m_count)), m_values.begin());
}

void CFftMSChart::SetVerticalMax(double v, int redraw)
{
    m_verticalMax = v;
    if (redraw == 1)
        update();
}

void CFftMSChart::Update(int)
{
    ++m_updates;
    update();
}

CHypnogramMSChart::CHypnogramMSChart(QWidget* parent) : CMschart(parent)
{
    InitData();
}

void CHypnogramMSChart::SetData(const int* values, int n)
{
    m_values.assign(static_cast<size_t>(std::max(0, m_count)), 0);
    std::copy_n(values, std::min(std::max(0, n), std::max(0, m_count)), m_values.begin());
}

CFftTrendMSChart::CFftTrendMSChart(QWidget* parent) : CMschart(parent)
{
    InitData();
}

void CFftTrendMSChart::SetData(const int* values, int n)
{
    m_values.assign(static_cast<size_t>(std::max(0, m_count)), 0);
    std::copy_n(values, std::min(std::max(0, n), std::max(0, m_count)), m_values.begin());
}
