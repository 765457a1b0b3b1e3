#pragma once
// Which zoom a key press asks for, by the key's caps on the user's keyboard.

#include "platform/qt/KeyCaps.h"

class QKeyEvent;

// A press from an X server is looked up by its keycode in the server's current keymap, so
// the key's caps decide on any layout. A press without a keycode (other platforms, events
// made by a program) goes by Qt's key code: plus and "=" zoom in, minus and "_" zoom out.
eZoomKey ZoomKeyOf(const QKeyEvent& event);
