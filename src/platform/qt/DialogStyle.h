#pragma once
// Controls of the windows drawn with the measures of Windows dialogs: check boxes and
// radio buttons with a 13-pixel box and 3 pixels before their text, so the captions fit the
// template's narrow places; and group boxes whose frame runs through the middle of their
// title.

#include <QGroupBox>

class QStyle;

// The style to give check boxes and radio buttons of a dialog template (one for the whole
// program, owned by the application).
QStyle* DialogControlStyle();

class CGroupBox : public QGroupBox {
    Q_OBJECT
public:
    explicit CGroupBox(const QString& title, QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
};
