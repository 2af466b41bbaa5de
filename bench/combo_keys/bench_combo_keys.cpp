// What a key costs in a combo of many items: the first-letter search of a
// list-only combo at 1,000 and 100,000 items. A hit
// next to the current item is found without reading (or copying) the rest
// of the list, so the cost of such a key does not grow with the item count.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>

#include "bench/verdict.h"
#include "editors/edits/combo_box.h"
#include "framework/application.h"

namespace {

// Items "Posten 000000 ..." (longer than a short string, so a copy would allocate).
TI_ComboBox* MakeCombo(int count) {
    auto* c = Create<TI_ComboBox>(nullptr);
    c->SetStyle(csDropDownList);
    c->Items().BeginUpdate();
    char buffer[64];
    for (int i = 0; i < count; ++i) {
        std::snprintf(buffer, sizeof buffer, "Posten %06d der langen Liste", i);
        c->Items().Add(buffer);
    }
    c->Items().EndUpdate();
    c->SetItemIndex(count / 2);
    return c;
}

// Seconds per key, best of three rounds of `keys` keys.
template <class Key>
double PerKey(int keys, Key key) {
    double best = 1e9;
    for (int round = 0; round < 3; ++round) {
        const auto t0 = std::chrono::steady_clock::now();
        for (int i = 0; i < keys; ++i) key(i);
        best = std::min(best, std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count());
    }
    return best / keys;
}

}  // namespace

int main() {
    Application()->Initialize();
    int failed = 0;
    double letter[2] = {0, 0};
    const int counts[2] = {1000, 100000};
    for (int k = 0; k < 2; ++k) {
        TI_ComboBox* c = MakeCombo(counts[k]);
        // "p" selects the next item: every item starts with it.
        letter[k] = PerKey(200, [&](int) { c->SelectItemByChar('p'); });
        std::printf("%7d items: first letter %.6f ms a key\n", counts[k], letter[k] * 1e3);
        c->Free();
    }
    // 100 times the items, at most 5 times the cost (and well under a millisecond).
    const bool flat = letter[1] <= std::max(letter[0] * 5, 20e-6) && letter[1] < 1e-3;
    char text[160];
    std::snprintf(text, sizeof text, "first-letter key at 100,000 items %.4f ms, at 1,000 %.4f ms", letter[1] * 1e3,
                  letter[0] * 1e3);
    if (!BenchVerdict("combo_letter_key", flat, "%s", text)) failed = 1;
    Application()->Finalize();
    return failed;
}
