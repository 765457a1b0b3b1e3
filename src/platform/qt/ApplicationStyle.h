#pragma once
// One style of type T for the whole program: made when first asked for and owned by the
// application, so it lives as long as the widgets that use it.

#include <QApplication>
#include <QPointer>
#include <QStyle>

template <class T>
QStyle* ApplicationStyle()
{
    static QPointer<QStyle> style;
    if (!style) {
        style = new T;
        style->setParent(qApp);
    }
    return style;
}
