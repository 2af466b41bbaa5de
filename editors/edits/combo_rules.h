// The combo box's rules that need no window: finding an item for a text,
// stepping by keys and wheel, the first-letter search of list-only combos
// and the completion of typed text. Items and texts are CP1252; case is
// compared through the library's CP1252 table.
#pragma once

#include <functional>
#include <string>
#include <vector>

using ComboItems = std::vector<std::string>;

// The items as the rules read them: their number and each text by
// reference, so a key never copies the list.
struct ComboItemView {
    int count = 0;
    std::function<const std::string&(int)> at;
};
inline ComboItemView ViewOfItems(const ComboItems& Items) {
    return ComboItemView{static_cast<int>(Items.size()),
                         [&Items](int i) -> const std::string& { return Items[static_cast<size_t>(i)]; }};
}

// The first item at least as long as text whose first characters equal it
// ignoring case; with PrefixOnly false the lengths must be equal too. -1
// when none.
int FindComboItem(const ComboItemView& Items, const std::string& Text, bool PrefixOnly);
inline int FindComboItem(const ComboItems& Items, const std::string& Text, bool PrefixOnly) {
    return FindComboItem(ViewOfItems(Items), Text, PrefixOnly);
}

// Up (Step -1) or Down (+1) on a closed combo: from ItemIndex (or the item
// equal to Text when it is -1), not below 0. -1 when the step leaves the
// list (nothing changes).
int StepComboIndex(const ComboItemView& Items, int ItemIndex, const std::string& Text, int Step);
inline int StepComboIndex(const ComboItems& Items, int ItemIndex, const std::string& Text, int Step) {
    return StepComboIndex(ViewOfItems(Items), ItemIndex, Text, Step);
}

// The wheel: ItemIndex - Delta / 120; -1 when that is outside the list.
int WheelComboIndex(int Count, int ItemIndex, int Delta);

// The next non-empty item after ItemIndex (wrapping round, ItemIndex itself
// not) whose first character is Ch ignoring case; -1 when none.
int FindComboItemByChar(const ComboItemView& Items, int ItemIndex, char Ch);
inline int FindComboItemByChar(const ComboItems& Items, int ItemIndex, char Ch) {
    return FindComboItemByChar(ViewOfItems(Items), ItemIndex, Ch);
}

// Typed text completed from the items: at least three characters, then the
// first item it begins. Index -1 when nothing completes; else the item and
// the selection of the completed tail.
struct ComboCompletion {
    int index = -1;
    std::string text;
    int sel_start = 0;
    int sel_end = 0;
};
inline constexpr int kComboCompletionMinLength = 3;
ComboCompletion CompleteComboText(const ComboItemView& Items, const std::string& Typed);
inline ComboCompletion CompleteComboText(const ComboItems& Items, const std::string& Typed) {
    return CompleteComboText(ViewOfItems(Items), Typed);
}
