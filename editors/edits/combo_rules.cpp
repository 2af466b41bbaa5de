#include "editors/edits/combo_rules.h"

#include "framework/ansi_text.h"

namespace {
bool SameChar(char a, char b) {
    return AnsiUpperChar(static_cast<unsigned char>(a)) == AnsiUpperChar(static_cast<unsigned char>(b));
}
}  // namespace

int FindComboItem(const ComboItemView& items, const std::string& text, bool prefixOnly) {
    for (int i = 0; i < items.count; ++i) {
        const std::string& item = items.at(i);
        if (item.size() < text.size() || (!prefixOnly && item.size() != text.size())) continue;
        bool same = true;
        for (size_t k = 0; k < text.size() && same; ++k) same = SameChar(item[k], text[k]);
        if (same) return i;
    }
    return -1;
}

int StepComboIndex(const ComboItemView& items, int itemIndex, const std::string& text, int step) {
    int start = itemIndex >= 0 ? itemIndex : FindComboItem(items, text, false);
    int index = start + step;
    if (index < 0) index = 0;
    if (index >= items.count) return -1;
    return index;
}

int WheelComboIndex(int count, int itemIndex, int delta) {
    int index = itemIndex - delta / 120;
    return index >= 0 && index < count ? index : -1;
}

int FindComboItemByChar(const ComboItemView& items, int itemIndex, char ch) {
    const int count = items.count;
    if (itemIndex < -1 || itemIndex >= count) itemIndex = -1;
    auto matches = [&](int i) {
        const std::string& item = items.at(i);
        return !item.empty() && SameChar(item[0], ch);
    };
    for (int i = itemIndex + 1; i < count; ++i)
        if (matches(i)) return i;
    for (int i = 0; i < itemIndex; ++i)
        if (matches(i)) return i;
    return -1;
}

ComboCompletion CompleteComboText(const ComboItemView& items, const std::string& typed) {
    ComboCompletion c;
    if (typed.size() < static_cast<size_t>(kComboCompletionMinLength)) return c;
    int index = FindComboItem(items, typed, true);
    if (index < 0) return c;
    c.index = index;
    c.text = items.at(index);
    c.sel_start = static_cast<int>(typed.size());
    c.sel_end = static_cast<int>(c.text.size());
    return c;
}
