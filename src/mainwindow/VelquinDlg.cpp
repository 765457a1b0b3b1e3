#include "mainwindow/VelquinDlg.h"

CVelquinDlg::CVelquinDlg(QWidget* parent) : QMainWindow(parent)
{
    setWindowTitle(QStringLiteral("Velquin"));
    resize(960, 640);
}
