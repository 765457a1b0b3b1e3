#pragma once
// A dialog on which Enter and Escape do nothing: no push button takes Enter as the default
// one, and Escape does not cancel. It ends only by its own buttons and the close box.

#include <QDialog>

class CKeyRuleDialog : public QDialog {
    Q_OBJECT
public:
    explicit CKeyRuleDialog(QWidget* parent = nullptr);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    // Takes the default role from every push button of the dialog; call once they exist.
    void RemoveDefaultButtons();
};
