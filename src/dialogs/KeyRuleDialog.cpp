#include "dialogs/KeyRuleDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>

#include "dialogs/DialogFrame.h"
#include "platform/qt/DialogStyle.h"
#include "platform/qt/Prompter.h"

namespace {

Qt::FocusPolicy FocusPolicyFor(unsigned style)
{
    return (style & kStyleTabStop) ? Qt::StrongFocus : Qt::ClickFocus;
}

}  // namespace

CKeyRuleDialog::CKeyRuleDialog(const sSettingDialogTemplate& dialogTemplate, QWidget* parent)
    : QDialog(parent)
{
    SetUpDialogFrame(*this, QString::fromUtf8(dialogTemplate.caption), dialogTemplate.fontFace,
                     dialogTemplate.fontPoints, dialogTemplate.width, dialogTemplate.height);
    for (const sDlgControlTemplate& c : dialogTemplate.controls) {
        QWidget* control = CreateControl(c);
        NameAndPlace(control, c.id, c.x, c.y, c.w, c.h);
        m_controls.insert(c.id, control);
    }
}

QWidget* CKeyRuleDialog::CreateControl(const sDlgControlTemplate& c)
{
    const QString caption = QString::fromUtf8(c.caption);
    switch (c.kind) {
    case eDlgControlKind::Static: {
        auto* label = new QLabel(caption, this);
        label->setTextFormat(Qt::PlainText);
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        // Lines break only where the caption breaks them; a caption too long for its place
        // is cut at the right edge rather than wrapped out of sight.
        label->setWordWrap(false);
        label->setFocusPolicy(Qt::NoFocus);
        return label;
    }
    case eDlgControlKind::Edit: {
        auto* edit = new QLineEdit(caption, this);
        edit->setReadOnly(c.style & kStyleReadOnly);
        edit->setFrame(c.style & kStyleBorder);
        edit->setFocusPolicy(FocusPolicyFor(c.style));
        return edit;
    }
    case eDlgControlKind::MultiLineEdit: {
        auto* edit = new QPlainTextEdit(caption, this);
        edit->setReadOnly(c.style & kStyleReadOnly);
        // A path has no blanks to break at: it breaks anywhere, and there are no scroll bars.
        edit->setWordWrapMode(QTextOption::WrapAnywhere);
        edit->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        edit->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        edit->setFrameStyle((c.style & kStyleBorder) ? QFrame::Box | QFrame::Plain : QFrame::NoFrame);
        edit->setFocusPolicy(FocusPolicyFor(c.style));
        return edit;
    }
    case eDlgControlKind::Button: {
        auto* button = new QPushButton(caption, this);
        button->setAutoDefault(false);
        button->setDefault(false);
        button->setFocusPolicy(FocusPolicyFor(c.style));
        return button;
    }
    case eDlgControlKind::CheckBox: {
        auto* box = new QCheckBox(caption, this);
        box->setStyle(DialogControlStyle());
        box->setFocusPolicy(FocusPolicyFor(c.style));
        return box;
    }
    case eDlgControlKind::RadioButton: {
        auto* radio = new QRadioButton(caption, this);
        radio->setStyle(DialogControlStyle());
        radio->setFocusPolicy(FocusPolicyFor(c.style));
        return radio;
    }
    case eDlgControlKind::GroupBox: {
        auto* group = new CGroupBox(caption, this);
        group->setFocusPolicy(Qt::NoFocus);
        return group;
    }
    case eDlgControlKind::DropDownList: {
        auto* combo = new QComboBox(this);
        combo->setEditable(false);
        combo->setFocusPolicy(FocusPolicyFor(c.style));
        return combo;
    }
    }
    return new QWidget(this);
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
