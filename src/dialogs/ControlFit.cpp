#include "dialogs/ControlFit.h"

#include <QAbstractSpinBox>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QStyleOptionButton>
#include <QStyleOptionFrame>

#include <algorithm>
#include <cmath>
#include <limits>

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

QSize LineEditFitSize(const QLineEdit& edit)
{
    QStyleOptionFrame option;
    option.initFrom(&edit);
    option.lineWidth = edit.hasFrame() ? edit.style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, &edit) : 0;
    const QMargins margins = edit.textMargins();
    const QSize text(TextWidth(edit, edit.text()) + kEditCursorWidth + 2 * kEditTextMargin + margins.left() +
                         margins.right(),
                     edit.height());
    const QSize needed = edit.style()->sizeFromContents(QStyle::CT_LineEdit, &option, text, &edit);
    return {needed.width(), edit.height()};
}

// A check box or radio button: its box, the gap after it and its caption.
QSize IndicatorFitSize(const QAbstractButton& button, bool radio)
{
    QStyleOptionButton option;
    option.initFrom(&button);
    const QStyle* style = button.style();
    const int box = style->pixelMetric(radio ? QStyle::PM_ExclusiveIndicatorWidth : QStyle::PM_IndicatorWidth,
                                       &option, &button);
    const int gap = style->pixelMetric(radio ? QStyle::PM_RadioButtonLabelSpacing : QStyle::PM_CheckBoxLabelSpacing,
                                       &option, &button);
    // The caption laid out as the style draws it, bearings included.
    const int text = button.fontMetrics().size(Qt::TextShowMnemonic, button.text()).width();
    return {box + gap + text, button.height()};
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
// Only a label may need more height than it has.
QSize TextFitSize(const QWidget& control)
{
    // A label that wraps its lines keeps its place.
    if (auto* label = qobject_cast<const QLabel*>(&control))
        return label->wordWrap() ? control.size() : label->sizeHint();
    if (auto* edit = qobject_cast<const QLineEdit*>(&control))
        return LineEditFitSize(*edit);
    if (auto* box = qobject_cast<const QCheckBox*>(&control))
        return IndicatorFitSize(*box, false);
    if (auto* radio = qobject_cast<const QRadioButton*>(&control))
        return IndicatorFitSize(*radio, true);
    // A list or picker is one text line high in every template: only its width can fall short.
    if (qobject_cast<const QComboBox*>(&control) || qobject_cast<const QAbstractSpinBox*>(&control))
        return {control.sizeHint().width(), control.height()};
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
