#pragma once
// The base of the settings dialogs. It makes the dialog from its template (controls in
// template order at their dialog-unit places, each with its decimal id as objectName) and
// keeps the dialogs' keyboard rule: Enter and Escape do nothing. Those keys reach the
// focused control like any other key, no button is a default or auto-default button, and
// the dialog itself ignores them, so neither OK nor Cancel is pressed by them; a dialog
// closes only by its buttons or the close box. Space still presses a focused button.
//
// Another dialog gets the rule by deriving from CKeyRuleDialog; buttons it adds after the
// constructor lose their default role when the dialog is shown.

#include <QDialog>
#include <QHash>

#include "resources/SettingDialogTemplates.h"

class CKeyRuleDialog : public QDialog {
    Q_OBJECT
public:
    explicit CKeyRuleDialog(const sDialogTemplate& dialogTemplate, QWidget* parent = nullptr);

    // Runs the dialog modally: IDOK when it was accepted, IDCANCEL otherwise.
    int DoModal();

    // A control by its id; nullptr when the dialog has none.
    QWidget* DlgItem(int id) const;
    template <typename T>
    T* Item(int id) const
    {
        return qobject_cast<T*>(DlgItem(id));
    }

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    QHash<int, QWidget*> m_controls;
};

// Makes every push button inside the widget neither the default nor an auto-default button,
// so Enter never presses one.
void ClearDefaultButtons(QWidget& widget);
