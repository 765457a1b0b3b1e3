#pragma once
// A push button whose caption wraps onto several lines when it does not fit, as a button
// with the multi-line style does. text() keeps the caption as given.

#include <QPushButton>

class CMultiLineButton : public QPushButton {
    Q_OBJECT
public:
    explicit CMultiLineButton(const QString& text, QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
};
