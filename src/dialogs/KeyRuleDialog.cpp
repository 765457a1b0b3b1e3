#include "dialogs/KeyRuleDialog.h"

#include <QKeyEvent>
#include <QPushButton>

#include "dialogs/DialogFrame.h"
#include "dialogs/TemplateControl.h"
#include "platform/qt/Prompter.h"

CKeyRuleDialog::CKeyRuleDialog(const sDialogTemplate& dialogTemplate, QWidget* parent)
    : QDialog(parent)
{
    SetUpDialogFrame(*this, QString::fromUtf8(dialogTemplate.caption), dialogTemplate.fontFace,
                     dialogTemplate.fontPoints, dialogTemplate.width, dialogTemplate.height);
    for (const sControlTemplate& c : dialogTemplate.controls) {
        QWidget* control = CreateTemplateControl(c, this);
        NameAndPlace(control, c.id, c.x, c.y, c.w, c.h);
        m_controls.insert(c.id, control);
    }
    FitTemplateControls(dialogTemplate, m_controls);
}

int CKeyRuleDialog::DoModal()
{
    return exec() == QDialog::Accepted ? IDOK : IDCANCEL;
}

QWidget* CKeyRuleDialog::DlgItem(int id) const
{
    return m_controls.value(id, nullptr);
}

void CKeyRuleDialog::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Escape:
        // Not the dialog's: no default button is pressed and the dialog is not cancelled.
        event->accept();
        return;
    default:
        QDialog::keyPressEvent(event);
    }
}

void CKeyRuleDialog::showEvent(QShowEvent* event)
{
    ClearDefaultButtons(*this);
    QDialog::showEvent(event);
}

void ClearDefaultButtons(QWidget& widget)
{
    for (QPushButton* button : widget.findChildren<QPushButton*>()) {
        button->setAutoDefault(false);
        button->setDefault(false);
    }
}
