// Menu captions: markup taken out, "||" lines split and joined, and both
// letter search over the lines. The text never grows, splitting and
// joining give the caption back, and an answer names an existing position.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "controls/menus/menu_search.h"
#include "fuzz/fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 2) return 0;
    const char key = static_cast<char>(data[0]);
    const int highlighted = static_cast<int>(data[1] % 8) - 1;
    const std::string caption(reinterpret_cast<const char*>(data + 2), size - 2);

    const std::string plain = StripMenuMarkup(caption);
    FUZZ_CHECK(plain.size() <= caption.size());

    const std::vector<std::string> lines = SplitMenuLines(caption);
    FUZZ_CHECK(JoinMenuLines(lines) == caption);

    std::vector<MenuCharEntry> entries;
    for (size_t i = 0; i < lines.size(); ++i) entries.push_back(MenuCharEntry{lines[i], (i % 3) != 2});
    const uint32_t answer = MenuCharSearch(entries, key, highlighted);
    if (answer != 0) {
        FUZZ_CHECK((answer >> 16) >= kMenuCharClose && (answer >> 16) <= kMenuCharSelect);
        FUZZ_CHECK((answer & 0xFFFF) < lines.size());
        // An executed or selected item is an enabled one.
        if ((answer >> 16) != kMenuCharClose) FUZZ_CHECK(entries[answer & 0xFFFF].enabled);
    }
    return 0;
}
