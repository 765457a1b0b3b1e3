#pragma once
// What a physical key means for zooming, decided by what its cap carries in the keyboard's
// own keymap, not by the character it types: on a US keyboard the "=/+" key zooms in with
// or without Shift, on a jp106 keyboard the ";/+" key does, and "-=" zooms out there.
// Plain xkbcommon, no Qt, so it is tested on keymaps compiled from layout names.

#include <cstdint>
#include <vector>

struct xkb_keymap;

enum class eZoomKey { None, In, Out };

// In when any of the keysyms is plus (main row or keypad), else Out when any is minus
// (main row or keypad), else None.
eZoomKey ZoomKeyOfSyms(const std::vector<std::uint32_t>& keysyms);

// The keysyms on every level of the key with this keycode (X keycode: evdev code + 8) in
// the given layout (group) of the keymap. Empty for a keycode the keymap does not have.
std::vector<std::uint32_t> KeySymsOnAllLevels(xkb_keymap* keymap, std::uint32_t keycode, std::uint32_t layout);
