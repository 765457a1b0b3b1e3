#include "platform/qt/KeyCaps.h"

#include <xkbcommon/xkbcommon.h>

#include <algorithm>

namespace {

bool CarriesAny(const std::vector<std::uint32_t>& keysyms, std::initializer_list<std::uint32_t> wanted)
{
    return std::any_of(keysyms.begin(), keysyms.end(), [&](std::uint32_t sym) {
        return std::find(wanted.begin(), wanted.end(), sym) != wanted.end();
    });
}

}  // namespace

eZoomKey ZoomKeyOfSyms(const std::vector<std::uint32_t>& keysyms)
{
    if (CarriesAny(keysyms, {XKB_KEY_plus, XKB_KEY_KP_Add}))
        return eZoomKey::In;
    if (CarriesAny(keysyms, {XKB_KEY_minus, XKB_KEY_KP_Subtract}))
        return eZoomKey::Out;
    return eZoomKey::None;
}

std::vector<std::uint32_t> KeySymsOnAllLevels(xkb_keymap* keymap, std::uint32_t keycode, std::uint32_t layout)
{
    std::vector<std::uint32_t> keysyms;
    if (!keymap)
        return keysyms;
    // A layout past the key's last is brought into range by the keymap's own rule.
    const xkb_level_index_t levels = xkb_keymap_num_levels_for_key(keymap, keycode, layout);
    for (xkb_level_index_t level = 0; level < levels; ++level) {
        const xkb_keysym_t* syms = nullptr;
        const int count = xkb_keymap_key_get_syms_by_level(keymap, keycode, layout, level, &syms);
        if (count > 0)
            keysyms.insert(keysyms.end(), syms, syms + count);
    }
    return keysyms;
}
