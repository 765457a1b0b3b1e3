#pragma once
// Makes the Qt widget for one control of a dialog template: the main window and the settings
// dialogs build their controls with it, so a kind of control looks and behaves the same in
// every window. Buttons are never default buttons (Enter presses none). A Custom control is
// the window's own (graph, chart): the caller makes it, and this returns nullptr.

#include "resources/DialogTemplate.h"

#include <QHash>
#include <QRect>

class QWidget;

QWidget* CreateTemplateControl(const sControlTemplate& control, QWidget* parent);

// A control's place in its template, in pixels.
QRect TemplatePlace(const sControlTemplate& control);

// Once every control of the template is made and placed (by id in `controls`): grows the
// labels, check boxes, radio buttons and one-line buttons whose captions need more room than
// their places give, and keeps a whole text line inside the one-line edits (see ControlFit.h);
// a group box then grows too, keeping the template's margins right of and
// below the controls inside it (at most 4 dialog units).
void FitTemplateControls(const sDialogTemplate& dialogTemplate, const QHash<int, QWidget*>& controls);
