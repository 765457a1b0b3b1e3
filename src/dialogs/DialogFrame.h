#pragma once
// What every settings dialog and the About box share: the frame of its template (caption,
// template font, fixed size in dialog units, a title bar with only the close box) and its
// controls, each placed in dialog units with its decimal id as objectName.

#include <QString>

class QDialog;
class QWidget;

// The font of the dialog templates; the program maps it to the IPA P Gothic family.
inline constexpr const char* kDialogFontFace = "MS UI Gothic";
inline constexpr int kDialogFontPoints = 9;

// Sets up the dialog's frame from its template.
void SetUpDialogFrame(QDialog& dialog, const QString& caption, const char* fontFace, int fontPoints,
                      int widthDlu, int heightDlu);

// Names the control by its id and places it at the dialog-unit rectangle of its parent.
void NameAndPlace(QWidget* control, int id, int x, int y, int width, int height);

template <typename T>
T* PlaceDlgControl(T* control, int id, int x, int y, int width, int height)
{
    NameAndPlace(control, id, x, y, width, height);
    return control;
}

// A control of the dialog by its id (nullptr when there is none).
QWidget* FindDlgItem(const QWidget& dialog, int id);
