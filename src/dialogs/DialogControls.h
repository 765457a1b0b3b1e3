#pragma once
// Controls of the dialog templates that draw their own frames: group boxes whose frame runs
// through the middle of their title, and multi-line edits in a plain box. Frames are drawn in
// whole device pixels, so they are whole and of one width at any scale.

#include <QGroupBox>
#include <QPlainTextEdit>

class CGroupBox : public QGroupBox {
    Q_OBJECT
public:
    explicit CGroupBox(const QString& title, QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
};

// A multi-line edit in a plain one-pixel box. Qt's own box lands half a device pixel off at
// a fractional scale, where the text area beside it covers it.
class CBoxedTextEdit : public QPlainTextEdit {
    Q_OBJECT
public:
    explicit CBoxedTextEdit(const QString& text, QWidget* parent = nullptr);

protected:
    bool event(QEvent* event) override;
};
