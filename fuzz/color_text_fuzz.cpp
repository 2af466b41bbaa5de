// Colour texts ("clRed", "255", "$0000FF", "-1"): TryStringToColor from
// arbitrary bytes. A refused text leaves the colour alone; a colour read
// reads back the same from its decimal and "$" hexadecimal forms; letter
// case never matters; names of the HTML dialect stay inside the colour set.
#include <cinttypes>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

#include "controls/html/html_text.h"
#include "framework/ansi_text.h"
#include "framework/color_names.h"
#include "fuzz/fuzz_support.h"

namespace {

constexpr TColor kUntouched = 0xDEADBEEF;

bool Read(const std::string& s, TColor& c) {
    c = kUntouched;
    return TryStringToColor(s, c);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    TColor color = 0;
    const bool ok = Read(text, color);
    FUZZ_CHECK(ok || color == kUntouched);

    TColor upper = 0, lower = 0;
    FUZZ_CHECK(Read(AnsiUpperCase(text), upper) == ok && upper == color);
    FUZZ_CHECK(Read(AnsiLowerCase(text), lower) == ok && lower == color);

    TColor ident = kUntouched;
    if (TryIdentToColor(text, ident)) FUZZ_CHECK(ok && ident == color);
    if (ok) {
        char buffer[32];
        std::snprintf(buffer, sizeof buffer, "%" PRIu32, color);
        TColor again = 0;
        FUZZ_CHECK(Read(buffer, again) && again == color);
        std::snprintf(buffer, sizeof buffer, "$%08" PRIX32, color);
        FUZZ_CHECK(Read(buffer, again) && again == color);
    }

    // The dialect's colour values: a known basic or system colour, or black.
    const TColor html = HTMLColorValue(text);
    FUZZ_CHECK(html <= 0xFFFFFF || (html >= 0x80000001 && html <= 0x80000018));
    return 0;
}
