#pragma once
// Dialog templates as data: a window's caption, font and size, and its controls in creation
// order with their places in dialog units. The windows turn a template into widgets; the
// dialog-unit conversion is in platform/qt/DialogUnits.h.

#include <span>

enum class eControlKind {
    Static,            // text label
    Edit,              // single-line edit, scrolling sideways
    MultiLineEdit,     // multi-line edit
    Button,            // push button
    MultiLineButton,   // push button whose caption wraps
    CheckBox,          // auto check box
    RadioButton,       // auto radio button
    DropDownList,      // combo box that only lists (no typing)
    GroupBox,          // frame with a caption
    ScrollBar,         // horizontal scroll bar
    Custom,            // a window of the program's own (graph, chart), chosen by id
};

// Style bits of a control (several may be combined).
enum eControlStyle : unsigned {
    kStyleNone = 0,
    kStyleTabStop = 1u << 0,      // reachable with the Tab key
    kStyleAlignRight = 1u << 1,   // text right-aligned
    kStyleReadOnly = 1u << 2,     // edit that the user cannot change
    kStyleBorder = 1u << 3,       // thin border
    kStyleClientEdge = 1u << 4,   // sunken edge
    kStyleStaticEdge = 1u << 5,   // thin sunken edge
};

struct sControlTemplate {
    int id;
    eControlKind kind;
    const char* caption;  // UTF-8; "\r\n" breaks a line
    unsigned style;       // eControlStyle bits
    int x, y, w, h;       // dialog units
};

struct sDialogTemplate {
    const char* caption;
    const char* fontFace;
    int fontPoints;
    int width, height;    // dialog units
    std::span<const sControlTemplate> controls;
};

// The main window (template 102).
const sDialogTemplate& MainDialogTemplate();
