#pragma once
// The main window's client area (its central widget): the controls stand on it at absolute
// places, and its size is the client rectangle the layouts work with. It tells the window
// when it is resized; mouse input over it reaches the window through it as well.

#include <QWidget>

class CVelquinDlg;

class CClientArea : public QWidget {
    Q_OBJECT
public:
    explicit CClientArea(CVelquinDlg* owner);

protected:
    void resizeEvent(QResizeEvent* event) override;
    // Presses that the graphs pass on (they take none themselves) reach the window here.
    void mousePressEvent(QMouseEvent* event) override;

private:
    CVelquinDlg* m_owner;
};
