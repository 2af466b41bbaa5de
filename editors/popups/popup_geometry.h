// Window-free arithmetic of the popups: where a popup goes next to its owner
// control, how tall a drop-down list is and how far the wheel scrolls it.
#pragma once

#include "framework/plain_geometry.h"

// Placement modes of a popup.
enum TPopupMode : int {
    pmAtPosition = 0,     // the rectangle's top-left on the screen, never adjusted
    pmBelowLeft = 1,      // below the owner, left edges aligned (else above it)
    pmBelowRight = 2,     // below the owner, right edges aligned (else above it)
    pmInOwnerClient = 3,  // the rectangle's top-left in the owner's client coordinates
    pmRightOfOwner = 4,   // right of the owner's client area (else left of the owner)
};

// The owner control in screen coordinates: its window and its client area.
struct PopupOwnerRects {
    PlainRect outer;
    PlainRect client;
};

// The monitor of the popup's rectangle and the virtual screen (all monitors).
struct PopupScreens {
    PlainRect screen;
    PlainRect virtual_screen;
};

struct PopupPlacement {
    PlainPoint pos;
    int flags = -1;  // 1 moved vertically, 2 horizontally, 3 both; -1 not placed by the owner
};

// The position of a popup of rect's size. Without an owner (and in mode 0)
// the rectangle's top-left is taken as it is; without an owner and with
// keep-on-screen it is then kept inside screens.screen. Modes 1 to 4
// are fitted onto the virtual screen when keep-on-screen is set.
PopupPlacement ComputePopupPlacement(int mode, const PlainRect& rect, const PopupOwnerRects* owner,
                                     bool keep_on_screen, const PopupScreens& screens);

// Height of a drop-down list: its rows (the item count; count + extra when
// the list is shorter than row_count) limited to 1..row_count, times the
// item height, plus the border on both sides. max_height (0: none) caps it.
int PopupListHeight(int item_count, int extra_rows, int row_count, int item_height, int border_width,
                    int max_height = 0);

// The top item after a wheel turn: positive deltas scroll up by delta / 120
// lines; the top stays between 0 and count - row_count.
int PopupListWheelTop(int top, int wheel_delta, int item_count, int row_count);
