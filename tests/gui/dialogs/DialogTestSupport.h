#pragma once
// Helpers of the dialogs' tests.

#include <QCoreApplication>

inline void Flush()
{
    QCoreApplication::processEvents();
}
