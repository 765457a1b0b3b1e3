#pragma once
// Makes the Qt widget for one control of a dialog template: the main window and the settings
// dialogs build their controls with it, so a kind of control looks and behaves the same in
// every window. Buttons are never default buttons (Enter presses none). A Custom control is
// the window's own (graph, chart): the caller makes it, and this returns nullptr.

#include "resources/DialogTemplate.h"

class QWidget;

QWidget* CreateTemplateControl(const sControlTemplate& control, QWidget* parent);
