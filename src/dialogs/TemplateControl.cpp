#include "dialogs/TemplateControl.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>

#include "platform/qt/DialogStyle.h"
#include "platform/qt/MultiLineButton.h"

namespace {

Qt::FocusPolicy FocusPolicyFor(unsigned style)
{
    // Controls with a tab stop take the focus by Tab and click, the others by click only.
    return (style & kStyleTabStop) ? Qt::StrongFocus : Qt::ClickFocus;
}

QLabel* MakeStatic(const QString& caption, unsigned style, QWidget* parent)
{
    auto* label = new QLabel(caption, parent);
    label->setTextFormat(Qt::PlainText);
    label->setAlignment((style & kStyleAlignRight) ? Qt::AlignRight | Qt::AlignTop
                                                   : Qt::AlignLeft | Qt::AlignTop);
    if (style & kStyleClientEdge) {
        label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        label->setLineWidth(2);
        label->setWordWrap(true);
    } else {
        // Lines break only where the caption breaks them; a caption too long for its place
        // is cut at the edge rather than wrapped out of sight.
        label->setWordWrap(false);
    }
    label->setFocusPolicy(Qt::NoFocus);
    return label;
}

QPlainTextEdit* MakeMultiLineEdit(const QString& caption, unsigned style, QWidget* parent)
{
    auto* edit = new QPlainTextEdit(caption, parent);
    edit->setReadOnly(style & kStyleReadOnly);
    // A path has no blanks to break at: it breaks anywhere, and there are no scroll bars.
    edit->setWordWrapMode(QTextOption::WrapAnywhere);
    edit->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    edit->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    edit->setFrameStyle((style & kStyleBorder) ? QFrame::Box | QFrame::Plain : QFrame::NoFrame);
    return edit;
}

}  // namespace

QWidget* CreateTemplateControl(const sControlTemplate& c, QWidget* parent)
{
    const QString caption = QString::fromUtf8(c.caption);
    QWidget* control = nullptr;
    switch (c.kind) {
    case eControlKind::Static:
        return MakeStatic(caption, c.style, parent);
    case eControlKind::Edit: {
        auto* edit = new QLineEdit(caption, parent);
        edit->setReadOnly(c.style & kStyleReadOnly);
        edit->setFrame(c.style & kStyleBorder);
        control = edit;
        break;
    }
    case eControlKind::MultiLineEdit:
        control = MakeMultiLineEdit(caption, c.style, parent);
        break;
    case eControlKind::Button:
    case eControlKind::MultiLineButton: {
        QPushButton* button = c.kind == eControlKind::Button ? new QPushButton(caption, parent)
                                                             : new CMultiLineButton(caption, parent);
        button->setAutoDefault(false);
        button->setDefault(false);
        control = button;
        break;
    }
    case eControlKind::CheckBox: {
        auto* box = new QCheckBox(caption, parent);
        box->setStyle(DialogControlStyle());
        control = box;
        break;
    }
    case eControlKind::RadioButton: {
        auto* radio = new QRadioButton(caption, parent);
        radio->setStyle(DialogControlStyle());
        control = radio;
        break;
    }
    case eControlKind::DropDownList: {
        auto* combo = new QComboBox(parent);
        combo->setEditable(false);
        control = combo;
        break;
    }
    case eControlKind::GroupBox: {
        auto* group = new CGroupBox(caption, parent);
        group->setFocusPolicy(Qt::NoFocus);
        return group;
    }
    case eControlKind::ScrollBar: {
        auto* bar = new QScrollBar(Qt::Horizontal, parent);
        bar->setPageStep(0);
        control = bar;
        break;
    }
    case eControlKind::Custom:
        return nullptr;
    }
    if (control)
        control->setFocusPolicy(FocusPolicyFor(c.style));
    return control;
}
