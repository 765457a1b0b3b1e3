#pragma once
// The main window. This first form only shows an empty window with the program's caption;
// the measurement, review and settings parts build on it.

#include <QMainWindow>

class CVelquinDlg : public QMainWindow {
    Q_OBJECT
public:
    explicit CVelquinDlg(QWidget* parent = nullptr);
};
