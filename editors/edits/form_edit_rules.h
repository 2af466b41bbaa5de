// The form edits' rules that need no window: the placeholder's font size
// for a screen resolution, the width of the drag image of a dragged text,
// and the search for the control Enter and Shift+Enter move the focus to.
#pragma once

#include <vector>

// The placeholder's point size: 96 / PixelsPerInch x 8, rounded half to
// even, one more when below 8 (96 -> 8, 120 -> 7, 144 -> 6, 72 -> 11). A
// resolution of 0 or less counts as 96.
int PlaceholderFontSize(int PixelsPerInch);

// The drag image of a dragged text: the text's width + 27, at most 200
// (never below 1).
inline constexpr int kDragImageHeight = 20;
inline constexpr int kDragImageMaxWidth = 200;
int DragImageWidth(int TextWidth);

// One control of the owner's tab-order list as the focus search sees it.
struct TabOrderEntry {
    bool can_focus = true;
    bool tab_stop = true;
    // A read-only form edit: Enter passes over it.
    bool read_only_form_edit = false;
    // Its parent is the edit the search starts from.
    bool child_of_edit = false;
};

// The index of the control Enter (Forward) or Shift+Enter moves to: from the
// entry after (before) Current, or from the first (last) entry when Current
// is -1 or outside it, wrapping round, the first entry that can take the focus, is a
// tab stop (TabStopOnly) or a child of the edit (otherwise) and is no
// read-only form edit. The search ends after one full round (Current itself
// is looked at last); -1 when none qualifies.
int FindSelectNextIndex(const std::vector<TabOrderEntry>& List, int Current, bool Forward, bool TabStopOnly);
