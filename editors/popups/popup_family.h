// What tells the two edit families apart in the popups and the bubble: the
// prefix of their resource bitmaps, whether a drop-down list is held to half
// the screen's height, and whether the bubble paints in a fixed 8-point
// font. Everything else is one code for both.
#pragma once

#include <string>

struct PopupFamily {
    const char* resource_prefix;
    bool list_at_most_half_screen;
    bool bubble_forces_8pt;

    std::string Resource(const char* name) const { return std::string(resource_prefix) + name; }
};

// The grids' in-place editors and their popups (I_ names).
inline constexpr PopupFamily kInplaceFamily{"I_", false, true};
// The form edits (DC names).
inline constexpr PopupFamily kFormFamily{"DC_", true, false};
