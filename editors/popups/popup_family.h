// What tells the two edit families apart in the popups and the bubble: the
// prefix of their resource bitmaps, whether a drop-down list is held to half
// the screen's height, whether the bubble paints in a fixed 8-point font,
// and whether the edits follow the forms' rules (Enter moves the focus, F2
// only without Shift, Ctrl or Alt, a combo's Style switches its button,
// data dragging between edits, a bubble of their own). Everything else is
// one code for both.
#pragma once

#include <string>

struct PopupFamily {
    const char* resource_prefix;
    bool list_at_most_half_screen;
    bool bubble_forces_8pt;
    bool form_edit_rules;

    std::string Resource(const char* name) const { return std::string(resource_prefix) + name; }
};

// The grids' in-place editors and their popups (I_ names).
inline constexpr PopupFamily kInplaceFamily{"I_", false, true, false};
// The form edits (DC names).
inline constexpr PopupFamily kFormFamily{"DC_", true, false, true};
