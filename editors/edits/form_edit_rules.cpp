#include "editors/edits/form_edit_rules.h"

#include <algorithm>

#include "framework/rounding.h"

int PlaceholderFontSize(int ppi) {
    if (ppi <= 0) ppi = 96;
    int size = static_cast<int>(RoundHalfEven(96.0 / ppi * 8.0));
    if (size < 8) ++size;
    return size;
}

int DragImageWidth(int textWidth) { return std::clamp(textWidth + 27, 1, kDragImageMaxWidth); }

int FindSelectNextIndex(const std::vector<TabOrderEntry>& list, int current, bool forward, bool tabStopOnly) {
    const int n = static_cast<int>(list.size());
    if (n == 0) return -1;
    // Outside the list: forwards from the first entry, backwards from the last.
    const int start = current >= 0 && current < n ? current : (forward ? n - 1 : 0);
    int i = start;
    do {
        i = forward ? (i + 1) % n : (i + n - 1) % n;
        const TabOrderEntry& e = list[static_cast<size_t>(i)];
        const bool placed = tabStopOnly ? e.tab_stop : e.child_of_edit;
        if (e.can_focus && placed && !e.read_only_form_edit) return i;
    } while (i != start);
    return -1;
}
