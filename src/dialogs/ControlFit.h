#pragma once
// Grows controls so that their captions and values show whole in this program's fonts, which
// run wider than the ones the templates were drawn for. A control only ever grows: across on
// the side its text runs to, and a label or a drop-down list also downwards to its text's height.

#include <QRect>

class QLineEdit;
class QWidget;

// The place grown to what the control's text needs (labels, check boxes, radio buttons,
// one-line push buttons, drop-down lists, one-line edits, date and time pickers): downwards
// (labels and drop-down lists only), and across to the left when toLeft, else to the right.
QRect GrowToText(const QWidget& control, QRect place, bool toLeft);

// Grows the control where it stands: across on the side its text runs to (the left for
// right-aligned text) as far as the nearest neighbour beside it allows, and by the rest on the
// other side; a group box around it is no neighbour. Returns the control.
QWidget* FitToText(QWidget* control);

// Keeps a whole text line inside a one-line edit whose style pads it more than its height
// allows (Adwaita's padding in a template's 18-pixel field would cut the descenders, and an
// underscore would vanish): the missing rows are taken from the padding above and below.
void FitTextLine(QLineEdit* edit);
