#pragma once
// Text of the chart control: its font, the value-axis labels and the axis titles in their
// four orientations. Shared by the layout (which measures) and the renderer (which draws).

#include <QFont>
#include <QPoint>
#include <QSize>
#include <QString>

#include "display/ChartState.h"

class QPainter;
struct sChartScale;

// The control's Gothic face at a size in points.
QFont ChartFont(double points, double dotsPerInch);

// Label k (0 = minimum … majorDivision = maximum) of the value axis.
QString ValueAxisLabel(const sChartScale& scale, int k);

// Size of the box a title takes when drawn in its orientation.
QSize TitleSize(const sAxisTitle& title, const QFont& font);
// Draws a title centred on a point, in its orientation.
void DrawTitle(QPainter& painter, const sAxisTitle& title, const QFont& font, QPoint centre);
