#include "dialogs/KeyRuleDialog.h"

#include <QKeyEvent>
#include <QPushButton>

CKeyRuleDialog::CKeyRuleDialog(QWidget* parent) : QDialog(parent)
{
}

void CKeyRuleDialog::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Escape:
        event->accept();
        return;
    default:
        QDialog::keyPressEvent(event);
    }
}

void CKeyRuleDialog::RemoveDefaultButtons()
{
    for (QPushButton* button : findChildren<QPushButton*>()) {
        button->setAutoDefault(false);
        button->setDefault(false);
    }
}
