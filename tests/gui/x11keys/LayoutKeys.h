#pragma once
// Keys pressed by keycode in a chosen layout of the X server's keymap. xdotool cannot do
// this: for each press it locks the layout in which it finds the key's symbol (the first
// layout for a bare keycode). Xlib is kept to LayoutKeys.cpp, since its macros (None,
// KeyPress, KeyRelease) clash with Qt's names.

// Locks layout (group) `layout` of the keymap, as a layout switch does. False when the
// server cannot be reached.
bool LockLayout(unsigned layout);

// Presses and releases the key with this X keycode through the server's test extension,
// with the left Shift held around it when shift is set. False when that cannot be sent.
bool PressKeycode(unsigned keycode, bool shift);
