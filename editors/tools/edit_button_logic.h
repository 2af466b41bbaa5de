// The window-free rules of an edit button: its mouse state machine, how an
// anchored button follows its owner's size, where glyph and caption sit, and
// which edges its frame draws.
//
// How the edit controls' words map onto a button (one decision for both
// families): a "button style" number is the button's layout (2 = glyph and
// caption centred side by side), a "button look" number is its kind (the
// frame and background behaviour of the table in EditButtonFrame), and the
// edits' ButtonStyle esNormal/esDropDown is its event style: esNormal clicks
// on the release inside the button, esDropDown already on the press.
#pragma once

#include <functional>
#include <vector>

#include "framework/edit_kinds.h"
#include "framework/plain_geometry.h"

enum TEditButtonState : int { ebsNormal = 0, ebsDown = 1, ebsHot = 2 };

// The state machine's memory of one button.
struct EditButtonMouseState {
    int state = ebsNormal;
    bool pressed = false;  // the left button went down on this button
    bool down = false;     // toggle state
    bool toggle = false;
    bool allow_all_up = false;
    bool enabled = true;
    bool click_without_press = false;
    TEventStyle event_style = esNormal;
};

enum class EditButtonMouseAction { Move, Press, Release };

struct EditButtonMouseResult {
    bool changed = false;  // the state changed visibly
    bool click = false;    // Click must run
};

// One mouse event (held = the left button is down during a move). The new
// state passes on_state_change, which may rewrite it.
EditButtonMouseResult StepEditButtonState(EditButtonMouseState& s, EditButtonMouseAction action, bool inside,
                                          bool held, const std::function<void(int& state)>& on_state_change);

// A button's bounds and the odd pixels the half-delta anchors (9 and 10)
// still owe, so that one-pixel steps add up.
struct AnchoredBounds {
    int left = 0, top = 0, width = 0, height = 0;
    int rest_x = 0, rest_y = 0;
};

// Moves or grows the bounds by the owner's size change (dx, dy): anchor
// 1 left+dx, 2 top+dy, 3 both, 4 width+dx, 5 top+dy and width+dx, 6
// height+dy, 7 left+dx and height+dy, 8 width+dx and height+dy, 9 left+dx/2,
// 10 left+dx and top+dy/2, others fixed.
void ApplyEditButtonAnchor(AnchoredBounds& b, int anchor, int dx, int dy);

struct EditButtonContentLayout {
    PlainRect glyph;
    PlainRect text;
};

// Glyph and caption rectangles inside a button of the given size: layout 0
// glyph left (3 in) and text after it, 1 glyph right, 2 both centred side by
// side, 3 glyph above the text, 4 below; 3 pixels between them when both
// exist. A button without either gets empty rectangles at (3, 3).
EditButtonContentLayout LayoutEditButton(int layout, int width, int height, int glyph_w, int glyph_h, int text_w,
                                         int text_h);

// The frame of a button as DrawEdge steps.
enum class FrameEdge { RaisedOuter, RaisedInner, SunkenOuter, SunkenInner, ShadowLine, WindowLine, OwnerLine };
enum FrameSides : unsigned { fsdLeft = 1, fsdTop = 2, fsdRight = 4, fsdBottom = 8, fsdAll = 15,
                             fsdLeftTop = 3, fsdRightBottom = 12 };
struct FrameStep {
    FrameEdge edge;
    unsigned sides;
    int inset;  // pixels inside the button rectangle
    bool operator==(const FrameStep&) const = default;
};

struct EditButtonFrameInput {
    int kind = 0;
    int state = ebsNormal;  // a disabled button counts as normal
    bool enabled = true;
    bool design = false;    // the owner is being designed (never at run time)
    bool flat = false;
    bool grey = false;      // the button colour is 0x808080
    bool silver = false;    // the button colour is 0xC0C0C0
    bool has_glyph = false;
    bool toggle = false;
};

std::vector<FrameStep> EditButtonFrame(const EditButtonFrameInput& in);
