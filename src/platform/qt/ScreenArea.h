#pragma once
// Keeps windows on small screens: a laptop, or a large screen at a high scale, may leave less
// room than a window was laid out for.

class QSize;
class QWidget;

// Resizes the top-level window to size, each side at most what the available area of its
// screen (the screen less its panels) leaves for it with its window frame. A window whose
// size this changes is then moved as far as it reaches past the area's right or bottom edge,
// never past its left or top edge, so that the whole window, frame included, is on the screen.
// Nothing changes when the window already has that size.
void ResizeWithinAvailableArea(QWidget& window, const QSize& size);

// Makes the top-level window open within its screen's available area: where the area is
// smaller than the window, the window is shrunk to it when it first shows, and once more when
// a window manager first announces a frame for it (a manager frames a window only once it is
// on the screen); a manager that then holds it maximised one way is asked to hold it normal.
// On Wayland, where only the compositor knows what of the output is free, a window that does
// not fit the output less an allowance for its panels and a title bar opens maximised, and
// restored it takes the size that fits that room. Where the area is large enough, the window
// keeps its size and place. Once the window is open its size and place are left to the user
// and the window manager.
void OpenWithinAvailableArea(QWidget& window);
