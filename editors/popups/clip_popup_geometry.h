// Window-free arithmetic of the clip popups: the frame and margins, the hit
// areas, the database popup's button grid, and one step of the move or
// resize tracking.
#pragma once

#include <string>
#include <vector>

#include "framework/plain_geometry.h"

// Options of a clip popup (a set of bits).
inline constexpr unsigned kClipCaption = 1;
inline constexpr unsigned kClipSizeGrip = 2;

// Hit areas.
enum TClipArea : int {
    caSizeGrip = 0,
    caCaption = 1,
    caClient = 2,
    caInnerClient = 3,
    caButton = 4,
    caGripBar = 5,
};

struct ClipMargins {
    int border = 0;  // on every side
    int left = 0, top = 0, right = 0, bottom = 0;
};

// Border style 0 none, 1 a single black line, 2 3-D; the border is 0, 2 or
// 2 pixels. Border style 2 adds a caption bar of 14 and a grip of 17.
ClipMargins ClipPopupMargins(int border_style, unsigned options);
// The client area inside a window of the given size (window coordinates).
PlainRect ClipClientRect(int width, int height, const ClipMargins& m);

// Answers of the hit test (the system's values).
inline constexpr int kHitClient = 1;
inline constexpr int kHitGrowBox = 4;
inline constexpr int kHitBorder = 18;

struct ClipHit {
    int area = caClient;
    int answer = kHitClient;
};
// p in window coordinates of a window of the given size; over_button: a
// button of the popup lies under p. The grip corner (the last 14 x 13
// pixels) is tested before the grip bar (the bottom 13 pixels), which it
// lies in.
ClipHit ClipPopupHitTest(int width, int height, const ClipMargins& m, unsigned options, PlainPoint p,
                         bool over_button);

// The database clip popup's buttons: each at (column x size + 3, top margin
// + 3 + row x size, size, size).
struct DBClipButtonPlan {
    std::string name;
    std::string glyph;  // resource name without the family prefix
    std::string text;
    int column = 0, row = 0;
};
// "#goto" ("Leer" without names, else "L\xF6schen") and one "#Goto" + i per
// name up to last_index, never past the list's end.
std::vector<DBClipButtonPlan> PlanGotoButtons(const std::vector<std::string>& names, int last_index);
PlainRect DBClipButtonBounds(int column, int row, int size, int top_margin);
// ((columns) x size + 6) x (top margin + 6 + rows x size + 2 + status height).
PlainPoint DBClipPopupSize(int highest_column, int highest_row, int size, int top_margin, int status_height);
// The status line below the buttons.
PlainRect DBClipStatusRect(int highest_row, int size, int width);

// Tracking: mode 0 resizes (the right and bottom edges follow), mode 1 moves.
struct TrackState {
    PlainRect rect;
    int pending_dy = 0;  // vertical movement not yet applied (resizing in steps)
};
// One mouse step by (dx, dy). In mode 0 the bottom edge moves in whole
// steps once the gathered movement reaches half a step; snap_dy is then the
// cursor's correction to the snapped position. Returns whether the
// rectangle changed.
bool StepTracking(TrackState& s, int mode, int step, int dx, int dy, int& snap_dy);
// Left <= right and top <= bottom, and at least min_width x min_height.
PlainRect NormaliseTrackRect(const PlainRect& r, int min_width, int min_height);
