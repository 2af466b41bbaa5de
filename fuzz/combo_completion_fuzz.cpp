// Combo item search and completion over arbitrary item lists: every answer
// names an existing item that really matches, and a completion keeps what
// was typed (ignoring case) with the completed tail selected.
#include <cstddef>
#include <cstdint>
#include <string>

#include "editors/edits/combo_rules.h"
#include "framework/ansi_text.h"
#include "fuzz/fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 3) return 0;
    const int itemIndex = static_cast<int>(static_cast<int8_t>(data[0]));
    const int delta = static_cast<int>(static_cast<int8_t>(data[1])) * 40;
    const char ch = static_cast<char>(data[2]);
    // Items are the lines of the rest; the last line is the typed text.
    ComboItems items;
    std::string line;
    for (size_t i = 3; i < size; ++i) {
        if (data[i] == '\n') {
            items.push_back(line);
            line.clear();
        } else {
            line += static_cast<char>(data[i]);
        }
    }
    const std::string typed = line;
    const int count = static_cast<int>(items.size());

    for (bool prefix : {true, false}) {
        const int found = FindComboItem(items, typed, prefix);
        FUZZ_CHECK(found >= -1 && found < count);
        if (found >= 0) {
            const std::string& item = items[static_cast<size_t>(found)];
            FUZZ_CHECK(AnsiSameText(item.substr(0, typed.size()), typed));
            FUZZ_CHECK(prefix || item.size() == typed.size());
        }
    }
    const ComboCompletion c = CompleteComboText(items, typed);
    if (c.index >= 0) {
        FUZZ_CHECK(typed.size() >= static_cast<size_t>(kComboCompletionMinLength));
        FUZZ_CHECK(c.text == items[static_cast<size_t>(c.index)]);
        FUZZ_CHECK(c.sel_start == static_cast<int>(typed.size()) && c.sel_end == static_cast<int>(c.text.size()));
        FUZZ_CHECK(AnsiSameText(c.text.substr(0, typed.size()), typed));
    }
    for (int step : {-1, 1}) {
        const int next = StepComboIndex(items, itemIndex, typed, step);
        FUZZ_CHECK(next >= -1 && next < count);
    }
    const int wheel = WheelComboIndex(count, itemIndex, delta);
    FUZZ_CHECK(wheel >= -1 && wheel < count);
    const int byChar = FindComboItemByChar(items, itemIndex, ch);
    FUZZ_CHECK(byChar >= -1 && byChar < count);
    if (byChar >= 0) {
        const std::string& item = items[static_cast<size_t>(byChar)];
        FUZZ_CHECK(!item.empty() && AnsiUpperChar(static_cast<unsigned char>(item[0])) ==
                                        AnsiUpperChar(static_cast<unsigned char>(ch)));
        FUZZ_CHECK(byChar != itemIndex);
    }
    return 0;
}
