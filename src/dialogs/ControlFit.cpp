#include "dialogs/ControlFit.h"

#include <QAbstractSpinBox>
#include <QCheckBox>
#include <QComboBox>
#include <QDateTimeEdit>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStyleOptionButton>
#include <QStyleOptionComboBox>
#include <QStyleOptionFrame>
#include <QStyleOptionSpinBox>

#include <algorithm>
#include <cmath>
#include <limits>

#include "platform/qt/MultiLineButton.h"

namespace {

// A one-line edit keeps 2 pixels inside its frame on each side, and a pixel after the text
// for the cursor (Qt's own margins).
constexpr int kEditTextMargin = 2;
constexpr int kEditCursorWidth = 1;

// Whole pixels for a text whose glyphs advance by fractions of one.
int TextWidth(const QWidget& control, const QString& text)
{
    return static_cast<int>(std::ceil(QFontMetricsF(control.font()).horizontalAdvance(text)));
}

// Where the style lays out a one-line edit's contents, inside its frame and padding, as the
// edit itself asks its style.
QRect LineEditContents(const QLineEdit& edit)
{
    QStyleOptionFrame option;
    option.initFrom(&edit);
    option.lineWidth = edit.hasFrame() ? edit.style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, &edit) : 0;
    option.midLineWidth = 0;
    option.state |= QStyle::State_Sunken;
    if (edit.isReadOnly())
        option.state |= QStyle::State_ReadOnly;
    return edit.style()->subElementRect(QStyle::SE_LineEditContents, &option, &edit);
}

// What a one-line edit needs across for the text: its style's frame and padding around the
// contents, the text margins, Qt's own margins and the cursor.
int LineEditFitWidth(const QLineEdit& edit, const QString& text)
{
    const QRect contents = LineEditContents(edit);
    const QMargins margins = edit.textMargins();
    return edit.width() - contents.width() + margins.left() + margins.right() + 2 * kEditTextMargin +
           TextWidth(edit, text) + kEditCursorWidth;
}

// The widest text a picker shows: of its value, and for a date or time picker of its first
// and last dates and times too.
QString WidestValue(const QAbstractSpinBox& box)
{
    QString widest = box.text();
    if (const auto* picker = qobject_cast<const QDateTimeEdit*>(&box)) {
        for (const QDateTime& end : {picker->minimumDateTime(), picker->maximumDateTime()}) {
            const QString text = picker->locale().toString(end, picker->displayFormat());
            if (TextWidth(box, text) > TextWidth(box, widest))
                widest = text;
        }
    }
    return widest;
}

// A date or time picker: the style's buttons and frame around its edit field, and what the
// edit inside needs for its widest value.
int SpinBoxFitWidth(const QAbstractSpinBox& box)
{
    // The edit field as the picker places its edit, in a picker as wide as the style would
    // have it (a style may leave out its buttons in a narrower one); a date picker with a
    // calendar button is laid out as an editable drop-down list.
    const QRect wide(0, 0, std::max(box.width(), box.sizeHint().width()), box.height());
    QRect field;
    const auto* picker = qobject_cast<const QDateTimeEdit*>(&box);
    if (picker && picker->calendarPopup()) {
        QStyleOptionComboBox option;
        option.initFrom(&box);
        option.rect = wide;
        option.editable = true;
        option.frame = box.hasFrame();
        option.subControls = QStyle::SC_ComboBoxEditField;
        field = box.style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, &box);
    } else {
        QStyleOptionSpinBox option;
        option.initFrom(&box);
        option.rect = wide;
        option.buttonSymbols = box.buttonSymbols();
        option.frame = box.hasFrame();
        option.subControls = QStyle::SC_SpinBoxEditField;
        field = box.style()->subControlRect(QStyle::CC_SpinBox, &option, QStyle::SC_SpinBoxEditField, &box);
    }
    // The edit inside fills the field; its own measure does not depend on its width.
    const auto* edit = box.findChild<const QLineEdit*>();
    const QString widest = WidestValue(box);
    const int inside = edit ? LineEditFitWidth(*edit, widest) : TextWidth(box, widest) + 2 * kEditTextMargin + kEditCursorWidth;
    return wide.width() - field.width() + inside;
}

// A button of one caption line: what its style leaves of its width for the caption (the
// contents element: after a check box's or radio button's indicator and gap, inside a push
// button's frame), the caption laid out as the style draws it, bearings included, and for a
// push button the style's button margin.
QSize ButtonFitSize(const QAbstractButton& button, QStyle::SubElement contentsElement)
{
    QStyleOptionButton option;
    option.initFrom(&button);
    option.text = button.text();
    const QRect contents = button.style()->subElementRect(contentsElement, &option, &button);
    const int margin = contentsElement == QStyle::SE_PushButtonContents
        ? button.style()->pixelMetric(QStyle::PM_ButtonMargin, &option, &button)
        : 0;
    const int text = button.fontMetrics().size(Qt::TextShowMnemonic, button.text()).width();
    return {button.width() - contents.width() + text + margin, button.height()};
}

// A drop-down list: as wide as its style would have it, and as high as its style needs for a
// whole text line in its field (Qt's Windows style keeps 3 pixels around the field, which
// leaves less than a line in a template's 12 dialog units).
QSize ComboBoxFitSize(const QComboBox& combo)
{
    QStyleOptionComboBox option;
    option.initFrom(&combo);
    option.editable = combo.isEditable();
    option.frame = combo.hasFrame();
    const QRect field = combo.style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, &combo);
    return {combo.sizeHint().width(), combo.height() - field.height() + combo.fontMetrics().height()};
}

bool RunsLeft(const QWidget& control)
{
    const auto* label = qobject_cast<const QLabel*>(&control);
    return label && (label->alignment() & Qt::AlignRight);
}

// The free pixels beside the place on one side, up to the nearest shown sibling that shares
// rows with it (a sibling around it does not count); the largest int when there is none.
int RoomBeside(const QWidget& control, const QRect& place, bool toLeft)
{
    int room = std::numeric_limits<int>::max();
    const QWidget* parent = control.parentWidget();
    if (!parent)
        return room;
    for (const QWidget* other : parent->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        const QRect r = other->geometry();
        if (other == &control || other->isHidden() || other->isWindow() || r.contains(control.geometry()))
            continue;
        if (r.bottom() < place.top() || r.top() > place.bottom())
            continue;
        if (toLeft && r.right() < place.left())
            room = std::min(room, place.left() - r.right() - 1);
        else if (!toLeft && r.left() > place.right())
            room = std::min(room, r.left() - place.right() - 1);
    }
    return room;
}

// The size the control needs to show its text whole: labels, check boxes, radio buttons,
// drop-down lists, one-line edits and date or time pickers; its own size for the others.
// Only a label or a drop-down list may need more height than it has.
QSize TextFitSize(const QWidget& control)
{
    // The style measures a control as it will draw it: once it has set the control up.
    control.ensurePolished();
    // A label that wraps its lines keeps its place.
    if (auto* label = qobject_cast<const QLabel*>(&control))
        return label->wordWrap() ? control.size() : label->sizeHint();
    if (auto* edit = qobject_cast<const QLineEdit*>(&control))
        return {LineEditFitWidth(*edit, edit->text()), edit->height()};
    if (auto* box = qobject_cast<const QCheckBox*>(&control))
        return ButtonFitSize(*box, QStyle::SE_CheckBoxContents);
    if (auto* button = qobject_cast<const QPushButton*>(&control); button && !qobject_cast<const CMultiLineButton*>(button))
        return ButtonFitSize(*button, QStyle::SE_PushButtonContents);
    if (auto* radio = qobject_cast<const QRadioButton*>(&control))
        return ButtonFitSize(*radio, QStyle::SE_RadioButtonContents);
    // A picker is one text line high in every template: only its width can fall short.
    if (auto* box = qobject_cast<const QAbstractSpinBox*>(&control))
        return {SpinBoxFitWidth(*box), control.height()};
    if (auto* combo = qobject_cast<const QComboBox*>(&control))
        return ComboBoxFitSize(*combo);
    return control.size();
}

}  // namespace

QRect GrowToText(const QWidget& control, QRect place, bool toLeft)
{
    const QSize needed = TextFitSize(control);
    if (needed.height() > place.height())
        place.setHeight(needed.height());
    const int extra = needed.width() - place.width();
    if (extra > 0) {
        if (toLeft)
            place.setLeft(place.left() - extra);
        else
            place.setRight(place.right() + extra);
    }
    return place;
}

QWidget* FitToText(QWidget* control)
{
    const bool toLeft = RunsLeft(*control);
    const QRect place = control->geometry();
    const QRect grown = GrowToText(*control, place, toLeft);
    const int extra = grown.width() - place.width();
    // The side the text runs to takes what the neighbour there leaves, the other side the rest.
    QRect fitted(place.x(), place.y(), place.width(), grown.height());
    const int beside = std::min(extra, RoomBeside(*control, fitted, toLeft));
    if (toLeft)
        fitted.adjust(-beside, 0, extra - beside, 0);
    else
        fitted.adjust(beside - extra, 0, beside, 0);
    control->setGeometry(fitted);
    return control;
}

void FitTextLine(QLineEdit* edit)
{
    edit->ensurePolished();
    const QMargins margins = edit->textMargins();
    const QRect line = LineEditContents(*edit).marginsRemoved(margins);
    const int missing = edit->fontMetrics().height() - line.height();
    if (missing <= 0)
        return;
    // The edit draws only inside the line; the style's padding gives up the missing rows.
    edit->setTextMargins(margins.left(), margins.top() - (missing + 1) / 2, margins.right(),
                         margins.bottom() - missing / 2);
}
