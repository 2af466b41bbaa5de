// The combo box's rules that need no window: finding an item for a text,
// stepping by keys and wheel, the first-letter search of list-only combos
// and the completion of typed text. Items and texts are CP1252; case is
// compared through the library's CP1252 table.
#pragma once

#include <string>
#include <vector>

using ComboItems = std::vector<std::string>;

// The first item at least as long as text whose first characters equal it
// ignoring case; with PrefixOnly false the lengths must be equal too. -1
// when none.
int FindComboItem(const ComboItems& Items, const std::string& Text, bool PrefixOnly);

// Up (Step -1) or Down (+1) on a closed combo: from ItemIndex (or the item
// equal to Text when it is -1), not below 0. -1 when the step leaves the
// list (nothing changes).
int StepComboIndex(const ComboItems& Items, int ItemIndex, const std::string& Text, int Step);

// The wheel: ItemIndex - Delta / 120; -1 when that is outside the list.
int WheelComboIndex(int Count, int ItemIndex, int Delta);

// The next non-empty item after ItemIndex (wrapping round, ItemIndex itself
// not) whose first character is Ch ignoring case; -1 when none.
int FindComboItemByChar(const ComboItems& Items, int ItemIndex, char Ch);

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
ComboCompletion CompleteComboText(const ComboItems& Items, const std::string& Typed);
