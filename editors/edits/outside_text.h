// Text that comes into an edit from outside (a paste, a drop) goes in only
// as typing could have put it there: one routine for both, window-free.
// A paste takes what the field can hold at the selection; a drop replaces
// the whole text and is refused unless the field takes all of it.
#pragma once

#include <optional>
#include <string>

#include "editors/tools/edit_mask.h"

enum class TOutsideText { Paste, Drop };

// The field as the outside text meets it.
struct OutsideTextField {
    std::string text;
    int sel_start = 0;
    int sel_end = 0;
    // Several lines: line breaks are text like any other.
    bool multi_line = false;
    // The most characters the field holds; 0: no limit.
    int max_length = 0;
    // The edit mask's positions; nullptr or none: no mask.
    const TMaskPositions* mask = nullptr;
};

struct OutsideTextResult {
    // The field's whole text afterwards and the caret in it.
    std::string text;
    int caret = 0;
    // What of the outside text went in (unmasked: the selection's stand-in).
    std::string inserted;
};

// Paste: the line breaks of a one-line field are left out, the rest is cut
// to the room the limit leaves beside the text outside the selection and
// typed through the mask (the longest front it takes). Nothing (no change)
// when nothing of it goes in.
// Drop: the whole text replaced, only when every character goes in
// unchanged in number: no line break in a one-line field, no more than the
// limit, and through a mask either as a text that fits it as it stands
// (literals included) or typed character by character into the empty field.
std::optional<OutsideTextResult> FitOutsideText(const OutsideTextField& Field, const std::string& Text,
                                                TOutsideText How);
