#pragma once
// Geometry helpers of the main window that other windows may share.

class QScrollBar;
class QWidget;

// Moves control to percentages of a width × height area (each product truncated toward
// zero) and repaints it; nothing for a null control.
void MoveWindowByPercent(QWidget* control, int width, int height, double xPercent, double yPercent,
                         double widthPercent, double heightPercent);

// The review scroll bar back to range 0..100 at position 0, its page unchanged.
void ResetScrollBar(QScrollBar* bar);
