#include "dialogs/TemplateControl.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>

#include <algorithm>

#include "dialogs/ControlFit.h"
#include "dialogs/DialogControls.h"
#include "platform/qt/DialogStyle.h"
#include "platform/qt/DialogUnits.h"
#include "platform/qt/MultiLineButton.h"

namespace {

// Pixels between a status field's sunken edge and its text.
constexpr int kSunkenTextIndent = 1;

Qt::FocusPolicy FocusPolicyFor(unsigned style)
{
    // Controls with a tab stop take the focus by Tab and click, the others by click only.
    return (style & kStyleTabStop) ? Qt::StrongFocus : Qt::ClickFocus;
}

// The most room a group box keeps right of and below the controls inside it when they grow:
// what the templates keep between a check box and its group's frame (4 dialog units).
const int kGroupMarginX = DluToPixelsX(4);
const int kGroupMarginY = DluToPixelsY(4);

// Captions that can outgrow their places. Framed labels (the status fields) are placed by
// their window, edits and lists show values that come later, and group boxes and buttons of
// several lines keep their places (their captions fit them).
bool HasFittedCaption(const sControlTemplate& c)
{
    switch (c.kind) {
    case eControlKind::Static:
        return !(c.style & kStyleClientEdge);
    case eControlKind::CheckBox:
    case eControlKind::RadioButton:
    case eControlKind::Button:
        return true;
    default:
        return false;
    }
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
        // The text starts a pixel inside the sunken edge (Qt's default is half an "x"), so
        // that a receiver description such as "ttyUSB10 シリアル：012345 Tessaly" fits a
        // 200-pixel status field.
        label->setIndent(kSunkenTextIndent);
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
    QPlainTextEdit* edit = nullptr;
    if (style & kStyleBorder) {
        edit = new CBoxedTextEdit(caption, parent);
    } else {
        edit = new QPlainTextEdit(caption, parent);
        edit->setFrameStyle(QFrame::NoFrame);
    }
    edit->setReadOnly(style & kStyleReadOnly);
    // A path has no blanks to break at: it breaks anywhere, and there are no scroll bars.
    edit->setWordWrapMode(QTextOption::WrapAnywhere);
    edit->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    edit->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
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

QRect TemplatePlace(const sControlTemplate& c)
{
    return DluRectToPixels(c.x, c.y, c.w, c.h);
}

void FitTemplateControls(const sDialogTemplate& dialogTemplate, const QHash<int, QWidget*>& controls)
{
    for (const sControlTemplate& c : dialogTemplate.controls) {
        QWidget* control = controls.value(c.id);
        if (control && HasFittedCaption(c))
            FitToText(control);
        if (auto* edit = qobject_cast<QLineEdit*>(control))
            FitTextLine(edit);
    }

    for (const sControlTemplate& g : dialogTemplate.controls) {
        QWidget* group = controls.value(g.id);
        if (g.kind != eControlKind::GroupBox || !group)
            continue;
        const QRect groupPlace = TemplatePlace(g);
        QRect grown = group->geometry();
        for (const sControlTemplate& c : dialogTemplate.controls) {
            const QWidget* inside = controls.value(c.id);
            const QRect place = TemplatePlace(c);
            if (&c == &g || !inside || !groupPlace.contains(place))
                continue;
            const QRect now = inside->geometry();
            const int right = std::min(groupPlace.right() - place.right(), kGroupMarginX);
            const int bottom = std::min(groupPlace.bottom() - place.bottom(), kGroupMarginY);
            grown.setRight(std::max(grown.right(), now.right() + right));
            grown.setBottom(std::max(grown.bottom(), now.bottom() + bottom));
        }
        group->setGeometry(grown);
    }
}
