#pragma once
// Check boxes and radio buttons drawn with the measures of Windows dialogs: a 13-pixel box
// and 3 pixels before their text, so the captions fit the template's narrow places.

class QStyle;

// The style to give check boxes and radio buttons of a dialog template (one for the whole
// program, owned by the application).
QStyle* DialogControlStyle();
